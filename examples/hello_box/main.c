/* Hello box: a window with a lit box, flown with the mouse (hold a button and
 * move to fly). The smallest complete program, the one in the README's
 * "Getting started" with the smoke tests' pass count added; tests/consumer
 * builds it against an installed toolkit.
 *
 * Run: ./hello_box [--passes N]   (N passes, then exit: for smoke tests)
 */
#include <orv/orv.h>

#include "../example.h"

static const int one_window = 1;

int main(int argc, char **argv) {
    example_takepasses(argc, argv);
    OVuniverse_new(one_window, 0);
    OVgeometrynode_new(OVuniverse_getrootnodes(), OVgeometry_newblock(1, 1, 1, 0));
    OVsensor *mouse = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_fly, NULL, 1, 0);
    OVmotionlink_new(mouse, OVuniverse_getviewpoint(), 0, OVLINK_VIEWPOINT);
    OVviewpoint_zoomall(OVuniverse_getviewpoint());
    return example_run(example_countpass);
}
