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

#include "../example.h"

#include <stdio.h>

static const int display_one_window = 1;
static OVpq start_pose;

static void act(void) {
    const int key = OVkeyboard_getlastkey();
    switch (key) {
    case '0':
        OVviewpoint_setpositionorientation(OVuniverse_getviewpoint(), &start_pose);
        break;
    default:
        break;
    }
    example_endpass(key);
}

int main(int argc, char **argv) {
    argc = example_takepasses(argc, argv);
    const char *model = argc > 1 ? argv[1] : NULL;

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
    example_mouseflight();
    OVviewpoint_zoomall(OVuniverse_getviewpoint());
    OVviewpoint_getposition(OVuniverse_getviewpoint(), start_pose.p);
    OVviewpoint_getorientation(OVuniverse_getviewpoint(), start_pose.q);
    printf("%d polygons. Fly with the mouse; 0 returns to the start, Q quits.\n",
           OVnode_numpolys(root));

    return example_run(act);
}
