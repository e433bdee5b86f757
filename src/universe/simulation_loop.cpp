// The simulation loop: the steps of one pass, in their fixed order.
#include "orv/orv_internal.h"
#include "orv/task.h"
#include "orv/universe.h"
#include "state/universe_record.h"
#include "universe/universe_steps.h"

#include "orv/message.h"
#include "orv/net.h"
#include "platform/platform.h"

#include <string>

namespace orv {

namespace {
bool single_pass = false;

void do_nothing() {}

void run_event(short step) {
    switch (step) {
    case 1:
        universe->action();
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
    if (universe->portals_enabled) take_portal();
    if (OVuniverse_getoption(OVOPTION_PUMPMESSAGES) > 0) _OVwindow_pump();
    _OVsensor_updateall();
    frame_tick();
    // Application code runs in these steps and may delete the universe.
    for (int i = 1; i <= 4; ++i) {
        run_event(universe->event_order[i]);
        if (!universe) return;
    }
    _OVkeyboard_deliver();
    if (!universe) return;
    _OVevent_pass();
    if (!universe) return;
    OVnet_flush();
    _OVrender_allwindows();
    platform::current().process.sleep_ms(0);
    if (single_pass) universe->running = false;
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API void OVuniverse_go(void) {
    if (!universe) return;
    if (universe->running) {
        OVwarning("Function OVuniverse_go is not reentrant");
        return;
    }
    universe->running = true;
    // The flag is read between passes only: a stop lets the pass finish.
    while (universe && universe->running)
        run_pass();
}

ORV_API void OVuniverse_go1(void) {
    if (!universe) return;
    if (single_pass || universe->running) {
        OVwarning("Function OVuniverse_go1 is not reentrant.\n");
        return;
    }
    single_pass = true;
    OVuniverse_go();
    single_pass = false;
}

ORV_API void OVuniverse_setactions(OVactionfn function) {
    if (universe) universe->action = function ? function : do_nothing;
}

ORV_API int OVuniverse_seteventorder(int count, const short *order) {
    if (!universe || !order || (count != 3 && count != 4)) return 0;
    bool seen[5] = {};
    for (int i = 0; i < count; ++i) {
        if (order[i] < 1 || order[i] > count || seen[order[i]]) return 0;
        seen[order[i]] = true;
    }
    universe->event_order[0] = static_cast<short>(count);
    for (int i = 0; i < count; ++i)
        universe->event_order[i + 1] = order[i];
    if (count == 3) universe->event_order[4] = 4;
    return 1;
}

ORV_API const short *OVuniverse_geteventorder(void) {
    return universe ? universe->event_order : nullptr;
}

} // extern "C"
