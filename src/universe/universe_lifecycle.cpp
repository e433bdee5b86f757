// Creation and teardown of the universe, in their fixed orders.
#include "orv/orv_internal.h"
#include "orv/task.h"
#include "orv/texture.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"
#include "state/universe_record.h"
#include "universe/module_links.h"
#include "universe/universe_steps.h"

#include "orv/message.h"
#include "orv/net.h"
#include "platform/platform.h"

#include <algorithm>

namespace orv {

namespace {
bool event_system_started = false;

void do_nothing() {}

void fill_tick_ring() {
    std::uint32_t now = platform::current().process.clock_ms();
    universe->start_tick = now;
    std::fill(universe->ticks, universe->ticks + kTickRing, now);
    universe->tick_position = 0;
}

void copy_configuration() {
    const OVconfig &c = *universe->config;
    universe->ambient_intensity = c.ambient_intensity;
    universe->ambient_rgb[0] = static_cast<std::uint8_t>(c.ambient_color >> 16);
    universe->ambient_rgb[1] = static_cast<std::uint8_t>(c.ambient_color >> 8);
    universe->ambient_rgb[2] = static_cast<std::uint8_t>(c.ambient_color);
    std::fill(universe->overlay, universe->overlay + 3, 1.0f);
    universe->background = c.background;
}

void reset_placement_and_bounds() {
    universe->placement = {{0, 0, 0}, {0, 0, 0, 1}};
    universe->bounds = {};
}
} // namespace

void clear_scene() {
    run_exit_callbacks();
    OVfree(universe->name);
    universe->name = OVstrdup("untitled");
    // The legacy object interface keeps no other objects or tasks here.
    _OVpath_stopall();
    _OVportal_deleteall();
    UniverseObject &object = universe->universe_object;
    if (object.object && object.destroy) object.destroy(object.object);
    object = {};
    OVtask_clear();
    reset_placement_and_bounds();
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API void OVuniverse_new(int display, int options) {
    // There is one universe per process; a second would orphan the first.
    if (universe) {
        OVwarning("OVuniverse_new called while a universe exists; call OVuniverse_delete "
                  "first.\n");
        return;
    }
    OVmessage("\n\nOrvane Release %d (%s)\n\n", ORV_VERSION_MAJOR, "Aug 18 1999");
    connect_modules();
    universe = new Universe;
    universe->name = OVstrdup("untitled");
    universe->config = new OVconfig;
    universe->action = do_nothing;
    OVrootnode_new();
    fill_tick_ring();
    universe->axis_map = OVaxismap{};
    _OVconfig_read();
    copy_configuration();
    _OVviewpoint_startup();
    _OVwindow_startup(display, options);
    if (OVviewpoint *current = OVuniverse_getviewpoint())
        OVviewpoint_setviewangle(current, universe->config->view_angle);
    if (!event_system_started) {
        event_system_started = true;
        _OVevent_start();
    }
}

ORV_API void OVuniverse_delete(void) {
    if (!universe) return;
    if (event_system_started) _OVevent_shutdown();
    _OVsensor_deleteall();
    _OVpath_deleteall();
    _OVfont3d_deleteall();
    clear_scene();
    OVfree(universe->name);
    universe->name = nullptr;
    _OVlight_deleteall();
    OVtask_clear();
    _OVviewpoint_deleteall();
    delete_callbacks();
    _OVwindow_deleteall();
    _OVinput_deleteall();
    _OVnode_deleteall(1);
    _OVtexture_deleteall();
    _OVwindow_shutdown();
    // The channel outlives no universe: a later one opens it afresh.
    OVnet_close();
    delete universe->config;
    delete universe;
    universe = nullptr;
}

ORV_API int OVuniverse_ready(void) {
    // Legacy objects would be prepared and updated here; there are none.
    return _OVnode_ready();
}

} // extern "C"
