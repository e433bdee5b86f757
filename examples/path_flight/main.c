/* Path flight: fly with the mouse, record the flight, play it back, keep it.
 *
 *   R  starts recording the viewpoint's flight (R again stops)
 *   P  plays the recorded flight back in a loop (P again stops)
 *   S  saves the flight to flight.pth, which is loaded at the next start
 *   Q  quits
 *
 * Run: ./path_flight [--passes N]   (N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include "../example.h"

#include <stdio.h>

static const char *flight_file = "flight.pth";
static const int display_one_window = 1;
static const float block_size = 2.0f;
static const int grid_half = 3;
static const float grid_spacing = 8.0f;

static OVpath *flight;

/* A floor of blocks so that the flight has something to pass. */
static void build_scene(OVnode *root) {
    for (int i = -grid_half; i <= grid_half; ++i)
        for (int j = -grid_half; j <= grid_half; ++j) {
            OVnode *place = OVsepnode_new(root);
            OVnode *shift = OVxformnode_new(place);
            const OVp3 at = {i * grid_spacing, 0, j * grid_spacing};
            OVnode_settranslation(shift, at);
            OVgeometry *block = OVgeometry_newblock(block_size, block_size, block_size, 0);
            OVgeometry_beginedit(block);
            OVgeometry_setrgb(block, 64, 128, 192);
            OVgeometry_endedit(block);
            OVgeometrynode_new(place, block);
        }
}

static void toggle_recording(void) {
    if (OVpath_isrecording(flight)) {
        OVpath_stop(flight);
        printf("Recorded %d poses.\n", OVpath_numelements(flight));
        return;
    }
    OVpath_stop(flight);
    while (OVpath_getfirst(flight))
        OVpathelement_delete(OVpath_getfirst(flight));
    OVpath_record(flight);
    printf("Recording...\n");
}

static void toggle_playing(void) {
    if (OVpath_isplaying(flight)) {
        OVpath_stop(flight);
        return;
    }
    OVpath_stop(flight);
    OVpath_rewind(flight);
    if (!OVpath_play(flight)) printf("Nothing recorded yet: press R and fly.\n");
}

static void act(void) {
    const int key = OVkeyboard_getlastkey();
    switch (key) {
    case 'R':
    case 'r':
        toggle_recording();
        break;
    case 'P':
    case 'p':
        toggle_playing();
        break;
    case 'S':
    case 's':
        if (OVpath_save(flight, flight_file)) printf("Saved to %s.\n", flight_file);
        break;
    default:
        break;
    }
    example_endpass(key);
}

int main(int argc, char **argv) {
    example_takepasses(argc, argv);
    OVuniverse_new(display_one_window, 0);
    build_scene(OVuniverse_getrootnodes());
    OVkeyboard_open();
    example_mouseflight();

    FILE *saved = fopen(flight_file, "r");
    if (saved) {
        fclose(saved);
        flight = OVpath_load(flight_file, NULL);
    }
    if (!flight) flight = OVpath_new(NULL);
    OVpath_setmode(flight, OVPATH_REPEAT);
    printf("R records, P plays, S saves, Q quits. %d poses loaded.\n", OVpath_numelements(flight));

    OVviewpoint_zoomall(OVuniverse_getviewpoint());
    return example_run(act);
}
