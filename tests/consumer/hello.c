/* A program built outside the toolkit's tree against its install: a window,
 * a lit box and mouse flight for the passes given on the command line.
 * Exits 0 once the passes are drawn. */
#include <orv/orv.h>

#include <stdlib.h>
#include <string.h>

static const int one_window = 1;
static long passes_left = 3;

/* Counts the passes down and stops the universe after the last. */
static void count_pass(void) {
    if (--passes_left <= 0) OVuniverse_stop();
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
