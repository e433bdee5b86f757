/* What the examples share: the "--passes N" option of the smoke tests (run N
 * passes, then exit), mouse flight, opening a window, checks that turn a
 * toolkit result the example relies on into a non-zero exit status, and the
 * run of the simulation loop. Each example includes it as "../example.h". */
#ifndef ORV_EXAMPLE_H
#define ORV_EXAMPLE_H

#include <orv/orv.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Passes still to run; negative runs until the program stops itself. */
static long example_passes_left = -1;
/* Checks that failed. */
static int example_failures = 0;

/* Takes "--passes N" out of the arguments wherever it stands; returns the new
 * argument count (argv keeps its terminating null). */
static inline int example_takepasses(int argc, char **argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (strcmp(argv[i], "--passes") != 0) continue;
        example_passes_left = atol(argv[i + 1]);
        memmove(&argv[i], &argv[i + 2], (size_t)(argc - i - 1) * sizeof *argv);
        return argc - 2;
    }
    return argc;
}

/* Call once per pass: stops the universe after the last of the N passes. */
static inline void example_countpass(void) {
    if (example_passes_left > 0 && --example_passes_left == 0) OVuniverse_stop();
}

/* Ends an action function's pass with the key it read: Q stops the program. */
static inline void example_endpass(int key) {
    if (key == 'Q' || key == 'q') OVuniverse_stop();
    example_countpass();
}

/* Reports a result that is not what the toolkit promises; the run then exits 1. */
static inline void example_check(int ok, const char *what) {
    if (ok) return;
    fprintf(stderr, "check failed: %s\n", what);
    ++example_failures;
}

/* A mouse sensor flying the current viewpoint: hold a button and move. */
static inline OVsensor *example_mouseflight(void) {
    OVsensor *mouse = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_fly, NULL, 1, 0);
    OVmotionlink_new(mouse, OVuniverse_getviewpoint(), 0, OVLINK_VIEWPOINT);
    return mouse;
}

/* A window showing the current viewpoint; ends the program when none opens. */
static inline OVwindow *example_window(int x, int y, int width, int height, int flags) {
    OVwindow *window = OVwindow_new(x, y, width, height, flags);
    if (!window) {
        fprintf(stderr, "no window could be opened\n");
        OVuniverse_delete();
        exit(1);
    }
    OVwindow_setviewpoint(window, OVuniverse_getviewpoint());
    return window;
}

/* Runs the loop with the action function until it stops, tears the universe
 * down and gives the exit status: 1 when a check failed. */
static inline int example_run(OVactionfn actions) {
    OVuniverse_setactions(actions);
    OVuniverse_ready();
    OVuniverse_go();
    OVuniverse_delete();
    return example_failures ? 1 : 0;
}

#endif
