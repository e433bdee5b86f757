// What a window shows: background, eye, viewpoints, root node, enabling and
// the application's draw functions.
#include "orv/node.h"
#include "scene/traversal_state.h"
#include "render/window_events.h"
#include "scene/property_protocol.h"
#include "render/window_internal.h"
#include "orv/viewpoint.h"

#include "core/object.h"

namespace {

// A 12-bit 0xRGB colour widened by repeating each nibble.
std::uint32_t widen12(int rgb12) {
    std::uint32_t r = (rgb12 >> 8) & 0xF, g = (rgb12 >> 4) & 0xF, b = rgb12 & 0xF;
    return (r * 17) << 16 | (g * 17) << 8 | b * 17;
}

int store_background(OVwindow *window, std::uint32_t rgb) {
    if (!orv::change_allowed(window, "Backgroud color")) return 0;
    window->background = rgb;
    float value[3] = {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f,
                      (rgb & 0xFF) / 255.0f};
    orv::change_made(window, "Backgroud color", value);
    return 1;
}

int store_viewpoint(OVwindow *window, OVviewpoint *viewpoint, OVviewpoint *OVwindow::*field,
                    const char *property) {
    if (!orv::change_allowed(window, property)) return 0;
    window->*field = viewpoint;
    if (orv::change_listened(window, property)) {
        const char *name = viewpoint ? OVviewpoint_getname(viewpoint) : nullptr;
        orv::change_made(window, property, name ? name : "");
    }
    return 1;
}

} // namespace

using namespace orv;

extern "C" {

ORV_API int OVwindow_setbgrgb(OVwindow *window, int r, int g, int b) {
    if (!window) return 0;
    return store_background(
        window, static_cast<std::uint32_t>((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF)));
}

ORV_API int OVwindow_getbgrgb(const OVwindow *window, int *r, int *g, int *b) {
    if (!window) return 0;
    if (r) *r = (window->background >> 16) & 0xFF;
    if (g) *g = (window->background >> 8) & 0xFF;
    if (b) *b = window->background & 0xFF;
    return 1;
}

ORV_API int OVwindow_setbgcolor(OVwindow *window, int rgb12) {
    return window ? store_background(window, widen12(rgb12)) : 0;
}

ORV_API int OVwindow_getbgcolor(const OVwindow *window) {
    if (!window_is_listed(window)) return 0xFFFF;
    std::uint32_t c = window->background;
    return static_cast<int>(((c >> 20) & 0xF) << 8 | ((c >> 12) & 0xF) << 4 | ((c >> 4) & 0xF));
}

ORV_API int OVwindow_seteye(OVwindow *window, int eye) {
    if (!window_is_listed(window) || (eye != 0 && eye != 1)) return 0;
    if (!change_allowed(window, "Eye")) return 0;
    window->eye = static_cast<std::int16_t>(eye);
    change_made(window, "Eye", &eye);
    return 1;
}

ORV_API int OVwindow_geteye(const OVwindow *window) {
    return window_is_listed(window) ? window->eye : 0xFFFF;
}

ORV_API int OVwindow_setviewpoint(OVwindow *window, OVviewpoint *viewpoint) {
    if (!window_is_listed(window)) return 0;
    return store_viewpoint(window, viewpoint, &OVwindow::viewpoint, "Viewpoint");
}

ORV_API OVviewpoint *OVwindow_getviewpoint(const OVwindow *window) {
    return window_is_listed(window) ? window->viewpoint : nullptr;
}

ORV_API int OVwindow_setviewpoint2(OVwindow *window, OVviewpoint *viewpoint) {
    if (!window_is_listed(window)) return 0;
    return store_viewpoint(window, viewpoint, &OVwindow::viewpoint2, "Viewpoint2");
}

ORV_API OVviewpoint *OVwindow_getviewpoint2(const OVwindow *window) {
    return window_is_listed(window) ? window->viewpoint2 : nullptr;
}

ORV_API int OVwindow_setrootnode(OVwindow *window, OVnode *root) {
    if (!window || !root || orv_object_type(root) != OVNODE_ROOT) return 0;
    if (!change_allowed(window, "Root Node")) return 0;
    window->root = root;
    if (change_listened(window, "Root Node")) {
        const char *name = OVnode_getname(root);
        change_made(window, "Root Node", name ? name : "");
    }
    return 1;
}

ORV_API OVnode *OVwindow_getrootnode(const OVwindow *window) {
    return orv::shown_root(window);
}

ORV_API int OVwindow_setenabled(OVwindow *window, int enabled) {
    if (!window || !change_allowed(window, "Enabled")) return 0;
    window->enabled = enabled ? 1 : 0;
    change_made(window, "Enabled", &enabled);
    return 1;
}

ORV_API int OVwindow_getenabled(const OVwindow *window) {
    return window ? window->enabled : 0;
}

ORV_API void OVwindow_setdrawfn(OVwindow *window, OVwindowdrawfn function) {
    if (window_is_listed(window)) window->draw3d = function;
}

ORV_API void OVwindow_setdraw2dfn(OVwindow *window, OVwindowdrawfn function) {
    if (window_is_listed(window)) window->draw2d = function;
}

ORV_API int OVwindow_getpolycount(const OVwindow *window) {
    return window_is_listed(window) ? window->polygon_count : 0;
}

ORV_API int OVwindow_getframetimes(const OVwindow *window, uint64_t times[2]) {
    if (!window_is_listed(window) || !times) return 0;
    times[0] = window->frame_times[0];
    times[1] = window->frame_times[1];
    return 1;
}

} // extern "C"
