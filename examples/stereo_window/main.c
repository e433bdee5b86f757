/* A stereo window: each pass draws the scene once per eye, from eye points
 * the parallax apart, converging on a plane at the convergence distance. On a
 * display with stereo buffers (shutter glasses) the eyes go to the left and
 * right buffers; elsewhere they are drawn above and below each other in the
 * one window (for a mirror viewer); --anaglyph draws them in red and blue for
 * coloured glasses instead. A label in each eye's image names the eye, and the
 * program checks that both eyes are drawn every pass.
 *
 *   + / -  eye separation (parallax) up or down
 *   ] / [  convergence distance up or down
 *   mouse: fly (hold a button and move)   Q: quit
 *
 * Run: ./stereo_window [--passes N] [--anaglyph]   (N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include "../example.h"

#include <stdio.h>
#include <string.h>

static const int display_no_window = 512;
static const int window_width = 640, window_height = 480;
static const float start_parallax = 0.6f, parallax_step = 0.1f;
static const float start_convergence = 30.0f, convergence_step = 2.0f;
static const int columns = 4, rows = 6;
static const float spacing = 6.0f, block_size = 2.0f;
static const float text_margin = 0.03f;
enum { LEFT_EYE_SEEN = 1, RIGHT_EYE_SEEN = 2 };

static int eyes_seen = 0;

/* Blocks at many depths, so that the two eyes' images differ. */
static void build_scene(OVnode *root) {
    OVlightnode_newdirected(root);
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j) {
            OVnode *place = OVsepnode_new(root);
            const OVp3 at = {spacing * ((float)i - 1.5f), spacing * (float)(i % 2) - 3.0f,
                             spacing * (float)j};
            OVnode_settranslation(OVxformnode_new(place), at);
            OVgeometry *block = OVgeometry_newblock(block_size, block_size, block_size, 0);
            OVgeometry_beginedit(block);
            OVgeometry_setrgb(block, 80 + 40 * i, 200 - 25 * j, 160);
            OVgeometry_endedit(block);
            OVgeometrynode_new(place, block);
        }
}

/* Called after the scene of each eye: the eye's name in its own image. */
static void label_eye(OVwindow *window, int eye) {
    eyes_seen |= eye ? RIGHT_EYE_SEEN : LEFT_EYE_SEEN;
    OVwindow_set2dcolor(window, 255, 255, 0);
    OVwindow_draw2dtext(window, text_margin, 1 - 2 * text_margin, eye ? "right eye" : "left eye");
}

static void change_parallax(OVviewpoint *view, float step) {
    const float wanted = OVviewpoint_getparallax(view) + step;
    example_check(OVviewpoint_setparallax(view, wanted), "the parallax changes");
    printf("parallax %.2f\n", OVviewpoint_getparallax(view));
}

static void change_convergence(OVviewpoint *view, float step) {
    OVviewpoint_setconvergencedist(view, OVviewpoint_getconvergencedist(view) + step);
    printf("convergence distance %.1f\n", OVviewpoint_getconvergencedist(view));
}

static void act(void) {
    /* The last pass's frame, if one was drawn, had both eyes. */
    if (eyes_seen)
        example_check(eyes_seen == (LEFT_EYE_SEEN | RIGHT_EYE_SEEN), "both eyes are drawn");
    eyes_seen = 0;
    OVviewpoint *view = OVuniverse_getviewpoint();
    const int key = OVkeyboard_getlastkey();
    switch (key) {
    case '+':
    case '=':
        change_parallax(view, parallax_step);
        break;
    case '-':
        change_parallax(view, -parallax_step);
        break;
    case ']':
        change_convergence(view, convergence_step);
        break;
    case '[':
        change_convergence(view, -convergence_step);
        break;
    default:
        break;
    }
    example_endpass(key);
}

int main(int argc, char **argv) {
    argc = example_takepasses(argc, argv);
    const int anaglyph = argc > 1 && strcmp(argv[1], "--anaglyph") == 0;
    OVuniverse_new(display_no_window, 0);
    OVwindow *window = example_window(0, 0, window_width, window_height,
                                      anaglyph ? OVWINDOW_COLORSTEREO : OVWINDOW_STEREO);
    OVwindow_setdraw2dfn(window, label_eye);
    build_scene(OVuniverse_getrootnodes());

    OVviewpoint *view = OVuniverse_getviewpoint();
    OVviewpoint_setstereo(view, 1);
    OVviewpoint_setparallax(view, start_parallax);
    OVviewpoint_setconvergencedist(view, start_convergence);
    example_check(OVviewpoint_isstereo(view), "the viewpoint is stereo");

    OVkeyboard_open();
    example_mouseflight();
    OVviewpoint_zoomall(view);
    printf("+ and - change the eye separation, ] and [ the convergence distance, Q quits.\n");
    return example_run(act);
}
