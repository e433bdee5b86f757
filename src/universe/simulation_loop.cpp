// The simulation loop: the steps of one pass, in their fixed order.
#include "orv/orv_internal.h"
#include "orv/task.h"
#include "orv/universe.h"
#include "state/universe_state.h"
#include "universe/universe_steps.h"

#include "orv/message.h"
#include "orv/net.h"
#include "platform/platform.h"

#include <string>

namespace orv {

namespace {
bool single_pass = false;

void run_event(short step) {
    switch (step) {
    case 1:
        universe_run_action();
        break;
    case 2:
        _OVmotionlink_step();
        break;
    case 3:
        OVtask_run();
        break;
    case 4:
        _OVpath_runall();
        break;
    default: // entries outside 1..4 are skipped
        break;
    }
}
// At most one portal per pass; its record goes with the scene it leaves.
void take_portal() {
    const char *crossed = _OVportal_crossed();
    if (!crossed) return;
    std::string file = crossed;
    OVpq placement;
    if (OVuniverse_load(file.c_str(), &placement, 1.0f))
        OVuniverse_ready();
    else
        OVwarning("Couldn't portal to universe %s\n", file.c_str());
}
} // namespace

void run_pass() {
    _OVviewpoint_saveprevious();
    if (OVuniverse_getportals()) take_portal();
    if (OVuniverse_getoption(OVOPTION_PUMPMESSAGES) > 0) _OVwindow_pump();
    _OVsensor_updateall();
    // Application code (callbacks, drivers, handlers) may delete the universe.
    if (!universe_exists()) return;
    frame_tick();
    for (int i = 1; i <= 4; ++i) {
        run_event(OVuniverse_geteventorder()[i]);
        if (!universe_exists()) return;
    }
    _OVkeyboard_deliver();
    if (!universe_exists()) return;
    _OVevent_pass();
    if (!universe_exists()) return;
    OVnet_flush();
    _OVrender_allwindows();
    platform::current().process.sleep_ms(0);
    if (single_pass) universe_set_running(false);
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API void OVuniverse_go(void) {
    if (!universe_exists()) return;
    if (universe_running()) {
        OVwarning("Function OVuniverse_go is not reentrant");
        return;
    }
    universe_set_running(true);
    // The flag is read between passes only: a stop lets the pass finish.
    while (universe_running())
        run_pass();
}

ORV_API void OVuniverse_go1(void) {
    if (!universe_exists()) return;
    if (single_pass || universe_running()) {
        OVwarning("Function OVuniverse_go1 is not reentrant.\n");
        return;
    }
    single_pass = true;
    OVuniverse_go();
    single_pass = false;
}

} // extern "C"
