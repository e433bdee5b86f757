/* Load model: shows a model file of any format the toolkit reads (NFF, binary
 * NFF, Wavefront OBJ with its materials, glTF 2.0, 3D Studio, STL, PLY, DXF)
 * and flies around it with the mouse.
 *
 *   mouse: fly (see the README for the buttons)   0: back to the start   Q: quit
 *
 * Run: ./load_model [--passes N] model-file
 *      (without a file a block stands in; N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const int display_one_window = 1;
static long passes_left = -1; /* run until Q when negative */
static OVpq start_pose;

static void act(void) {
    switch (OVkeyboard_getlastkey()) {
    case '0':
        OVviewpoint_setpositionorientation(OVuniverse_getviewpoint(), &start_pose);
        break;
    case 'Q':
    case 'q':
        OVuniverse_stop();
        break;
    default:
        break;
    }
    if (passes_left > 0 && --passes_left == 0) OVuniverse_stop();
}

int main(int argc, char **argv) {
    int arg = 1;
    if (arg + 1 < argc && strcmp(argv[arg], "--passes") == 0) {
        passes_left = atol(argv[arg + 1]);
        arg += 2;
    }
    const char *model = arg < argc ? argv[arg] : NULL;

    OVuniverse_new(display_one_window, 0);
    OVnode *root = OVuniverse_getrootnodes();
    OVlightnode_newdirected(root);
    if (model) {
        if (!OVnode_load(root, model, 1.0f)) {
            fprintf(stderr, "Could not load %s\n", model);
            OVuniverse_delete();
            return 1;
        }
    } else {
        printf("No model given: showing a block. Usage: %s [--passes N] model-file\n", argv[0]);
        OVgeometrynode_new(root, OVgeometry_newblock(2, 1, 3, 0));
    }

    OVkeyboard_open();
    OVsensor *mouse = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_fly, NULL, 1, 0);
    OVmotionlink_new(mouse, OVuniverse_getviewpoint(), 0, OVLINK_VIEWPOINT);
    OVviewpoint_zoomall(OVuniverse_getviewpoint());
    OVviewpoint_getposition(OVuniverse_getviewpoint(), start_pose.p);
    OVviewpoint_getorientation(OVuniverse_getviewpoint(), start_pose.q);
    printf("%d polygons. Fly with the mouse; 0 returns to the start, Q quits.\n",
           OVnode_numpolys(root));

    OVuniverse_setactions(act);
    OVuniverse_ready();
    OVuniverse_go();
    OVuniverse_delete();
    return 0;
}
