/* Properties with a veto: a box slides to and fro on a rail. A pre-handler on
 * the box's "Translation" property refuses every change while the box is
 * pinned; a post-handler, told of each accepted change in the event pass of
 * the same simulation pass, reports the new position on the screen. The
 * program checks that a refused change leaves the box where it was and that
 * every accepted change is reported once, and exits 1 otherwise.
 *
 *   P  pins the box (its moves are vetoed) or frees it
 *   mouse: fly (hold a button and move)   Q: quit
 *
 * Run: ./property_veto [--passes N]   (N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include "../example.h"

#include <math.h>
#include <stdio.h>

static const int display_no_window = 512;
static const int window_width = 640, window_height = 480;
static const float rail_half = 10.0f;  /* the box slides between -10 and 10 */
static const float phase_step = 0.03f; /* radians of the slide per pass */
static const float text_margin = 0.03f;

static OVnode *box;
static int pinned = 0;
static float phase = 0;
static long accepted = 0, reported = 0;
static float reported_x = 0;

/* The pre-handler, asked before every change of the box's translation: a
 * false answer vetoes the change. */
static int refuse_while_pinned(void *object, const char *name, double time) {
    (void)object;
    (void)name;
    (void)time;
    return !pinned;
}

/* The post-handler, told of each accepted change with the new value (an OVP3
 * payload: three floats). */
static void report_move(void *object, const char *name, void *value, double time) {
    (void)object;
    (void)name;
    (void)time;
    reported_x = ((const float *)value)[0];
    ++reported;
}

static int same_point(const OVp3 a, const OVp3 b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

/* Asks for the next position on the rail and checks the answer against the pin. */
static void slide(void) {
    OVp3 before, after;
    OVnode_gettranslation(box, before);
    phase += phase_step;
    const OVp3 wanted = {rail_half * sinf(phase), 0, 0};
    const int moved = OVnode_settranslation(box, wanted);
    OVnode_gettranslation(box, after);
    if (pinned) {
        example_check(!moved, "the veto refuses the move of a pinned box");
        example_check(same_point(after, before), "a refused move leaves the box where it was");
    } else {
        example_check(moved, "a free box moves");
        example_check(same_point(after, wanted), "a free box goes where it was sent");
        ++accepted;
    }
}

static void draw_status(OVwindow *window, int eye) {
    char line[96];
    (void)eye;
    snprintf(line, sizeof line, "x = %.2f, %ld changes reported", reported_x, reported);
    OVwindow_set2dcolor(window, 255, 255, 255);
    OVwindow_draw2dtext(window, text_margin, 1 - 2 * text_margin, line);
    if (pinned) {
        OVwindow_set2dcolor(window, 255, 80, 80);
        OVwindow_draw2dtext(window, text_margin, 1 - 4 * text_margin, "pinned: moves are vetoed");
    }
}

static void act(void) {
    /* The changes of earlier passes have all been delivered by now. */
    example_check(reported == accepted, "every accepted change is reported once");
    const int key = OVkeyboard_getlastkey();
    switch (key) {
    case 'P':
    case 'p':
        pinned = !pinned;
        printf("box %s\n", pinned ? "pinned" : "free");
        break;
    default:
        break;
    }
    slide();
    example_endpass(key);
}

static void build_scene(OVnode *root) {
    OVlightnode_newdirected(root);
    OVnode *rail_place = OVsepnode_new(root);
    const OVp3 below_box = {0, 1.25f, 0}; /* y points down the screen */
    OVnode_settranslation(OVxformnode_new(rail_place), below_box);
    OVgeometrynode_new(rail_place, OVgeometry_newblock(2 * rail_half + 2, 0.5f, 2, 0));
    OVgeometry *cube = OVgeometry_newblock(2, 2, 2, 0);
    OVgeometry_beginedit(cube);
    OVgeometry_setrgb(cube, 230, 160, 40);
    OVgeometry_endedit(cube);
    box = OVmovgeometrynode_new(root, cube);
}

int main(int argc, char **argv) {
    example_takepasses(argc, argv);
    OVuniverse_new(display_no_window, 0);
    OVwindow *window = example_window(0, 0, window_width, window_height, 0);
    OVwindow_setdraw2dfn(window, draw_status);
    build_scene(OVuniverse_getrootnodes());
    example_check(OVproperty_addhandler_pre(box, "Translation", refuse_while_pinned),
                  "the pre-handler is registered");
    example_check(OVproperty_addhandler(box, "Translation", report_move),
                  "the post-handler is registered");

    /* The veto before the loop starts: a pinned box stays at the origin. */
    pinned = 1;
    slide();
    pinned = 0;
    phase = 0;

    OVkeyboard_open();
    example_mouseflight();
    OVviewpoint_zoomall(OVuniverse_getviewpoint());
    printf("P pins or frees the box, Q quits.\n");
    return example_run(act);
}
