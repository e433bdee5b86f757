/* Lights and fog: a field of blocks lit by an ambient light, a dim directed
 * light, a warm point light and a spot light whose beam sweeps across them,
 * fading into fog of the background's colour.
 *
 *   F  next fog mode: linear, exponential, squared exponential, off
 *   L  point light on or off
 *   S  spot light on or off
 *   mouse: fly (hold a button and move)   Q: quit
 *
 * Run: ./lights_fog [--passes N]   (N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include "../example.h"

#include <math.h>
#include <stdio.h>

static const int one_window = 1;
static const int background[3] = {150, 170, 200};
static const int columns = 5, rows = 8;
static const float spacing = 8.0f, block_size = 3.0f;
static const float fog_start = 20.0f, fog_range = 120.0f;
static const float spot_degrees = 20.0f, spot_exponent = 8.0f;
static const float sweep_step = 0.02f; /* radians of the beam's turn per pass */
static const float degrees_to_radians = 3.1415927f / 180.0f;

/* The fog modes F steps through; -1 switches fog off. */
static const int fog_modes[] = {0, 1, 2, -1};
static const char *const fog_names[] = {"linear", "exponential", "squared exponential", "off"};
enum { FOG_MODE_COUNT = sizeof fog_modes / sizeof fog_modes[0] };

static OVnode *fog, *point_light, *spot_light;
static int fog_index = 0;
static float sweep = 0;

/* Lights and fog come first under the root: they act on what follows them. */
static void build_lights(OVnode *root) {
    OVnode *ambient = OVlightnode_newambient(root);
    OVlightnode_setintensity(ambient, 0.2f);

    OVnode *sun = OVlightnode_newdirected(root);
    OVp3 down_and_away = {0.3f, 1.0f, 0.5f}; /* y points down the screen */
    OVlightnode_setdirection(sun, down_and_away);
    OVlightnode_setintensity(sun, 0.5f);

    point_light = OVlightnode_newpoint(root);
    const OVp3 lamp = {-10, -6, 10};
    OVlightnode_setposition(point_light, lamp);
    OVlightnode_setdiffuse(point_light, 1.0f, 0.6f, 0.2f);
    OVlightnode_setattenuation(point_light, 1.0f, 0.02f, 0.0f);

    spot_light = OVlightnode_newspot(root);
    const OVp3 above = {0, -25, 30};
    OVlightnode_setposition(spot_light, above);
    OVlightnode_setangle(spot_light, spot_degrees * degrees_to_radians);
    OVlightnode_setexponent(spot_light, spot_exponent);

    fog = OVfognode_new(root);
    OVfognode_setcolor(fog, background[0] / 255.0f, background[1] / 255.0f, background[2] / 255.0f,
                       1.0f);
    OVfognode_setlinearstart(fog, fog_start);
    OVfognode_setrange(fog, fog_range);
    OVfognode_setmode(fog, fog_modes[fog_index]);
}

static void build_blocks(OVnode *root) {
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j) {
            OVnode *place = OVsepnode_new(root);
            const OVp3 at = {spacing * (float)(i - columns / 2), 0, spacing * (float)j};
            OVnode_settranslation(OVxformnode_new(place), at);
            OVgeometry *block = OVgeometry_newblock(block_size, block_size, block_size, 0);
            OVgeometry_beginedit(block);
            OVgeometry_setrgb(block, 255 - 40 * i, 120 + 15 * j, 60 + 40 * i);
            OVgeometry_endedit(block);
            OVgeometrynode_new(place, block);
        }
}

static void next_fog_mode(void) {
    fog_index = (fog_index + 1) % FOG_MODE_COUNT;
    example_check(OVfognode_setmode(fog, fog_modes[fog_index]), "the fog takes the mode");
    example_check(OVfognode_getmode(fog) == fog_modes[fog_index], "the fog reports its mode");
    printf("fog: %s\n", fog_names[fog_index]);
}

static void toggle(OVnode *light, const char *what) {
    const int on = !OVnode_isenabled(light);
    example_check(OVnode_enable(light, on), "a light can be switched");
    printf("%s %s\n", what, on ? "on" : "off");
}

/* The beam circles below the spot light; the setter normalises the vector. */
static void sweep_spot(void) {
    sweep += sweep_step;
    OVp3 beam = {0.6f * sinf(sweep), 1.0f, 0.6f * cosf(sweep)};
    example_check(OVlightnode_setdirection(spot_light, beam), "the spot light turns");
}

static void act(void) {
    const int key = OVkeyboard_getlastkey();
    switch (key) {
    case 'F':
    case 'f':
        next_fog_mode();
        break;
    case 'L':
    case 'l':
        toggle(point_light, "point light");
        break;
    case 'S':
    case 's':
        toggle(spot_light, "spot light");
        break;
    default:
        break;
    }
    sweep_spot();
    example_endpass(key);
}

int main(int argc, char **argv) {
    example_takepasses(argc, argv);
    OVuniverse_new(one_window, 0);
    OVuniverse_setbgrgb(background[0], background[1], background[2]);
    OVnode *root = OVuniverse_getrootnodes();
    build_lights(root);
    build_blocks(root);
    example_check(point_light && spot_light && fog, "the lights and the fog exist");
    printf("spot light: %.0f degrees, exponent %.0f; fog: %s from %.0f to %.0f\n",
           OVlightnode_getangle(spot_light) / degrees_to_radians,
           OVlightnode_getexponent(spot_light), fog_names[fog_index], OVfognode_getlinearstart(fog),
           OVfognode_getrange(fog));
    printf("F changes the fog, L and S switch the point and spot lights, Q quits.\n");

    OVkeyboard_open();
    example_mouseflight();
    const OVp3 eye = {0, -20, -45};
    OVp3 look = {0, 20, 70};
    OVviewpoint_setposition(OVuniverse_getviewpoint(), eye);
    OVviewpoint_setdirection(OVuniverse_getviewpoint(), look);
    return example_run(act);
}
