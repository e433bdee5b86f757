/* Hello box: a window with a lit box, flown with the mouse (hold a button and
 * move to fly). The smallest complete program; tests/consumer builds it
 * against an installed toolkit.
 *
 * Run: ./hello_box [--passes N]   (N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include <stdlib.h>
#include <string.h>

static const int one_window = 1;
static long passes_left = -1; /* run until the window closes when negative */

/* Counts the passes down and stops the universe after the last. */
static void count_pass(void) {
    if (passes_left > 0 && --passes_left == 0) OVuniverse_stop();
}

int main(int argc, char **argv) {
    if (argc == 3 && strcmp(argv[1], "--passes") == 0) passes_left = atol(argv[2]);
    OVuniverse_new(one_window, 0);
    OVgeometrynode_new(OVuniverse_getrootnodes(), OVgeometry_newblock(1, 1, 1, 0));
    OVsensor *mouse = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_fly, NULL, 1, 0);
    OVmotionlink_new(mouse, OVuniverse_getviewpoint(), 0, OVLINK_VIEWPOINT);
    OVviewpoint_zoomall(OVuniverse_getviewpoint());
    OVuniverse_setactions(count_pass);
    OVuniverse_ready();
    OVuniverse_go();
    OVuniverse_delete();
    return 0;
}
