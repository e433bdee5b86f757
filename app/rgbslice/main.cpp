// The RGB cube explorer: a wireframe colour cube sliced by three planes at the
// current red, green and blue values, flown with the mouse, driven by keys.
#include "explorer.h"

int main() {
    using namespace rgbslice;
    State &s = state();
    OVuniverse_new(1, 0);
    s.root = OVuniverse_getrootnodes();
    s.viewpoint = OVuniverse_getviewpoints();
    OVuniverse_setbgrgb(255, 255, 255);
    OVkeyboard_open();
    s.mouse = OVsensor_new(OVmouse_open, OVmouse_close, OVmouse_fly, nullptr, 1, 0);
    if (!s.mouse) OVfatal("Sorry;  A mouse is required to run this program.\n");
    OVmotionlink_new(s.mouse, s.viewpoint, 0, 0);
    build_scene();
    reset_pose();
    OVuniverse_setactions(act);
    OVuniverse_ready();
    OVuniverse_go();
    OVuniverse_delete();
    return 0;
}
