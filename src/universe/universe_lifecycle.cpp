// Creation and teardown of the universe, in their fixed orders.
#include "orv/orv_internal.h"
#include "orv/task.h"
#include "orv/texture.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"
#include "state/universe_state.h"
#include "universe/module_links.h"
#include "universe/universe_steps.h"

#include "orv/message.h"
#include "orv/net.h"

namespace orv {

namespace {
bool event_system_started = false;
} // namespace

void clear_scene() {
    run_exit_callbacks();
    universe_rename("untitled");
    // The legacy object interface keeps no other objects or tasks here.
    _OVpath_stopall();
    _OVportal_deleteall();
    universe_drop_object();
    OVtask_clear();
    universe_reset_placement();
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API void OVuniverse_new(int display, int options) {
    // There is one universe per process; a second would orphan the first.
    if (universe_exists()) {
        OVwarning("OVuniverse_new called while a universe exists; call OVuniverse_delete "
                  "first.\n");
        return;
    }
    OVmessage("\n\nOrvane Release %d (%s)\n\n", ORV_VERSION_MAJOR, "Aug 18 1999");
    connect_modules();
    universe_create();
    OVrootnode_new();
    _OVconfig_read();
    universe_copy_configuration();
    _OVviewpoint_startup();
    _OVwindow_startup(display, options);
    if (OVviewpoint *current = OVuniverse_getviewpoint())
        OVviewpoint_setviewangle(current, universe_config()->view_angle);
    if (!event_system_started) {
        event_system_started = true;
        _OVevent_start();
    }
}

ORV_API void OVuniverse_delete(void) {
    if (!universe_exists()) return;
    if (event_system_started) _OVevent_shutdown();
    _OVsensor_deleteall();
    _OVpath_deleteall();
    _OVfont3d_deleteall();
    clear_scene();
    universe_rename(nullptr);
    _OVlight_deleteall();
    OVtask_clear();
    _OVviewpoint_deleteall();
    delete_callbacks();
    _OVwindow_deleteall();
    _OVinput_deleteall();
    _OVnode_deleteall(1);
    // Tables and a building phase the application left behind would
    // otherwise pass to the next universe.
    _OVgeometry_endbuilding();
    _OVmtable_deleteall();
    _OVtexture_deleteall();
    _OVwindow_shutdown();
    // The channel outlives no universe: a later one opens it afresh.
    OVnet_close();
    universe_destroy();
}

ORV_API int OVuniverse_ready(void) {
    // Legacy objects would be prepared and updated here; there are none.
    return _OVnode_ready();
}

} // extern "C"
