/* Two windows and a viewport window: one scene in a main window, flown with
 * the mouse, and in a second window from a fixed viewpoint high above it. In
 * the main window's corner a viewport window, drawn into the main window's
 * surface, is a rear-view mirror: a third viewpoint that follows the first one
 * each pass, turned to look back.
 *
 *   mouse: fly in the main window   Q: quit (closing every window quits too)
 *
 * Run: ./two_windows [--passes N]   (N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include "../example.h"

#include <math.h>
#include <stdio.h>

static const int display_no_window = 512;
static const int main_width = 480, main_height = 360;
static const int top_size = 360, window_gap = 20;
static const int mirror_width = 160, mirror_height = 100, mirror_margin = 10;
static const float overhead = 60.0f;
static const int ring_count = 8;
static const float ring_radius = 12.0f, block_size = 3.0f;
static const float half_turn = 3.1415927f;
static const int y_axis = 1, own_frame = 0;

static OVviewpoint *mirror_view;

/* A ring of coloured blocks around a tall white pillar. */
static void build_scene(OVnode *root) {
    OVlightnode_newdirected(root);
    OVgeometrynode_new(root, OVgeometry_newblock(2, 12, 2, 0));
    for (int i = 0; i < ring_count; ++i) {
        const float angle = 2 * half_turn * (float)i / (float)ring_count;
        OVnode *place = OVsepnode_new(root);
        const OVp3 at = {ring_radius * cosf(angle), 0, ring_radius * sinf(angle)};
        OVnode_settranslation(OVxformnode_new(place), at);
        OVgeometry *block = OVgeometry_newblock(block_size, block_size, block_size, 0);
        OVgeometry_beginedit(block);
        OVgeometry_setrgb(block, 255 * (i % 2), 255 * (i / 2 % 2), 255 * (i / 4 % 2));
        OVgeometry_endedit(block);
        OVgeometrynode_new(place, block);
    }
}

/* The mirror takes the pilot's pose and turns half round about its own y axis. */
static void follow_pilot(void) {
    OVviewpoint *pilot = OVuniverse_getviewpoint();
    OVpq pose;
    OVviewpoint_getposition(pilot, pose.p);
    OVviewpoint_getorientation(pilot, pose.q);
    OVviewpoint_setpositionorientation(mirror_view, &pose);
    OVviewpoint_rotate(mirror_view, y_axis, half_turn, own_frame);
    OVp3 ahead, behind;
    OVviewpoint_getdirection(pilot, ahead);
    OVviewpoint_getdirection(mirror_view, behind);
    const float facing = ahead[0] * behind[0] + ahead[1] * behind[1] + ahead[2] * behind[2];
    example_check(facing < -0.99f, "the mirror looks back");
}

static void act(void) {
    const int key = OVkeyboard_getlastkey();
    follow_pilot();
    example_endpass(key);
}

/* A second viewpoint high above the scene, looking straight down. */
static OVviewpoint *new_overhead_view(void) {
    OVviewpoint *view = OVviewpoint_new();
    const OVp3 above = {0, -overhead, 0}; /* y points down the screen */
    OVp3 down = {0, 1, 0};
    OVviewpoint_setposition(view, above);
    OVviewpoint_setdirection(view, down);
    return view;
}

int main(int argc, char **argv) {
    example_takepasses(argc, argv);
    OVuniverse_new(display_no_window, 0);
    build_scene(OVuniverse_getrootnodes());

    OVwindow *main_window = example_window(0, 0, main_width, main_height, 0);
    OVwindow_setname(main_window, "main");
    OVwindow *top = example_window(main_width + window_gap, 0, top_size, top_size, 0);
    OVwindow_setname(top, "top");
    OVwindow_setviewpoint(top, new_overhead_view());
    OVwindow_setbgrgb(top, 40, 60, 40);

    /* x and y of a viewport window count from the parent's top left. */
    const int mirror_x = main_width - mirror_width - mirror_margin;
    OVwindow *mirror =
        OVwindow_newviewport(main_window, mirror_x, mirror_margin, mirror_width, mirror_height);
    example_check(mirror != NULL, "the viewport window opens");
    OVwindow_setname(mirror, "mirror");
    mirror_view = OVviewpoint_new();
    OVwindow_setviewpoint(mirror, mirror_view);
    OVwindow_setbgrgb(mirror, 60, 40, 40);
    int x, y, width, height;
    OVwindow_getviewport(mirror, &x, &y, &width, &height);
    example_check(x == mirror_x && y == mirror_margin && width == mirror_width &&
                      height == mirror_height,
                  "the viewport keeps its rectangle");
    example_check(OVuniverse_findwindow("mirror", 6) == mirror, "windows are found by name");

    OVkeyboard_open();
    example_mouseflight();
    OVviewpoint_zoomall(OVuniverse_getviewpoint());
    printf("Fly in the main window; the top window looks down, the corner looks back. Q quits.\n");
    return example_run(act);
}
