// The universe record's creation, teardown and resets, and the settings of
// the loop's passes.
#include "state/universe_record.h"

#include "orv/message.h"

#include <algorithm>

namespace orv {

namespace {
void do_nothing() {}
} // namespace

void universe_create() {
    universe = new Universe;
    universe->name = OVstrdup("untitled");
    universe->config = new OVconfig;
    universe->action = do_nothing;
    frame_clock_start();
}

void universe_copy_configuration() {
    const OVconfig &c = *universe->config;
    universe->ambient_intensity = c.ambient_intensity;
    universe->ambient_rgb[0] = static_cast<std::uint8_t>(c.ambient_color >> 16);
    universe->ambient_rgb[1] = static_cast<std::uint8_t>(c.ambient_color >> 8);
    universe->ambient_rgb[2] = static_cast<std::uint8_t>(c.ambient_color);
    std::fill(universe->overlay, universe->overlay + 3, 1.0f);
    universe->background = c.background;
}

void universe_destroy() {
    OVfree(universe->name);
    delete universe->config;
    delete universe;
    universe = nullptr;
}

void universe_rename(const char *name) {
    OVfree(universe->name);
    universe->name = name ? OVstrdup(name) : nullptr;
}

void universe_drop_object() {
    UniverseObject &object = universe->universe_object;
    if (object.object && object.destroy) object.destroy(object.object);
    object = {};
}

void universe_reset_placement() {
    universe->placement = {{0, 0, 0}, {0, 0, 0, 1}};
    universe->bounds = {};
}

void universe_set_background(std::uint32_t rgb) {
    universe->background = rgb;
}

bool universe_running() {
    return universe && universe->running;
}

void universe_set_running(bool running) {
    universe->running = running;
}

void universe_run_action() {
    universe->action();
}

} // namespace orv

using namespace orv;

extern "C" {

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
