// A window whose viewpoint a mouse sensor flies. Prints the keys read with
// OVkeyboard_getkey and, on "q" (or after 30 seconds), the viewpoint's
// forward position, then ends.
#include "orv/orv.h"

#include <cstdio>

namespace {

double started = 0;

void action() {
    while (int key = OVkeyboard_getkey()) {
        if (key == 'q') {
            OVp3 p;
            OVviewpoint_getposition(OVuniverse_getviewpoint(), p);
            std::printf("\nz %f\n", p[2]);
            std::fflush(stdout);
            OVuniverse_stop();
            return;
        }
        std::printf("key %d\n", key);
        std::fflush(stdout);
    }
    if (OVclock() - started > 30) OVuniverse_stop();
}

} // namespace

int main() {
    OVuniverse_new(1, 0);
    OVkeyboard_open();
    OVsensor *mouse = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_fly, nullptr, 1, 0);
    if (!mouse || !OVmotionlink_new(mouse, OVuniverse_getviewpoint(), 0, 0)) return 1;
    OVsensor_setsensitivity(mouse, 0.01f);
    OVuniverse_setactions(action);
    started = OVclock();
    std::printf("ready\n");
    std::fflush(stdout);
    OVuniverse_ready();
    OVuniverse_go();
    OVuniverse_delete();
    return 0;
}
