// A window's own projection: mode, clipping distances, view angle, frusta.
#include "core/finite.h"
#include "render/window_events.h"
#include "scene/property_protocol.h"
#include "render/window_internal.h"
#include "viewpoint/viewpoint_access.h"

#include <algorithm>
#include <initializer_list>
#include <cmath>

namespace {
constexpr float max_view_angle = 1.5667964f;

// Every setter ends by letting the window's value apply again.
void clear_viewpoint_own(OVwindow *window, int own) {
    if (window->viewpoint) orv::viewpoint_clear_own(window->viewpoint, own);
}
} // namespace

using namespace orv;

extern "C" {

ORV_API int OVwindow_setprojection(OVwindow *window, int mode) {
    if (!window || mode < 1 || mode > 4) return 0;
    if (!change_allowed(window, "Projection")) return 0;
    window->projection = static_cast<std::int16_t>(mode);
    clear_viewpoint_own(window, kOwnProjection);
    change_made(window, "Projection", &mode);
    return 1;
}

ORV_API int OVwindow_getprojection(const OVwindow *window) {
    return window ? window->projection : 0;
}

ORV_API int OVwindow_sethither(OVwindow *window, float distance) {
    if (!window ||
        !change_field(window, "Hither Clipping", window->hither, std::max(distance, OV_TOLERANCE)))
        return 0;
    clear_viewpoint_own(window, kOwnHither);
    return 1;
}

ORV_API float OVwindow_gethither(const OVwindow *window) {
    return window ? window->hither : 0.0f;
}

ORV_API int OVwindow_setyon(OVwindow *window, float distance) {
    if (!window) return 0;
    distance = std::max(distance, window->hither + OV_TOLERANCE);
    if (!change_field(window, "Yon Clipping", window->yon, distance)) return 0;
    clear_viewpoint_own(window, kOwnYon);
    return 1;
}

ORV_API float OVwindow_getyon(const OVwindow *window) {
    return window ? window->yon : 0.0f;
}

ORV_API int OVwindow_setviewangle(OVwindow *window, float angle) {
    if (!window || !(angle >= OV_TOLERANCE && angle <= max_view_angle)) return 0;
    if (!change_allowed(window, "View Angle")) return 0;
    window->view_tangent = static_cast<float>(std::tan(angle));
    window_update_vertical(window);
    clear_viewpoint_own(window, kOwnViewAngle);
    change_made(window, "View Angle", &angle);
    return 1;
}

ORV_API float OVwindow_getviewangle(const OVwindow *window) {
    return window ? static_cast<float>(std::atan(window->view_tangent)) : 0.0f;
}

ORV_API int OVwindow_setfrustum(OVwindow *window, int eye, float left, float right, float bottom,
                                float top, float nearplane, float farplane) {
    if (!window || (eye != 0 && eye != 1) || !finite(left, right, bottom, top, nearplane, farplane))
        return 0;
    nearplane = std::max(nearplane, OV_TOLERANCE);
    for (const char *p : {"FrustumTL", "FrustumBR", "Hither Clipping", "Yon Clipping"})
        if (!change_allowed(window, p)) return 0;
    float(*f)[2] = window->frustum;
    f[OVFRUSTUM_LEFT][eye] = left;
    f[OVFRUSTUM_RIGHT][eye] = right;
    f[OVFRUSTUM_BOTTOM][eye] = bottom;
    f[OVFRUSTUM_TOP][eye] = top;
    f[OVFRUSTUM_NEAR][eye] = nearplane;
    f[OVFRUSTUM_FAR][eye] = farplane;
    float tl[2] = {top, left}, br[2] = {bottom, right};
    change_made(window, "FrustumTL", tl);
    change_made(window, "FrustumBR", br);
    change_made(window, "Hither Clipping", &nearplane);
    change_made(window, "Yon Clipping", &farplane);
    return 1;
}

ORV_API int OVwindow_getfrustum(const OVwindow *window, int eye, float *left, float *right,
                                float *bottom, float *top, float *nearplane, float *farplane) {
    if (!window || (eye != 0 && eye != 1)) return 0;
    const float(*f)[2] = window->frustum;
    if (left) *left = f[OVFRUSTUM_LEFT][eye];
    if (right) *right = f[OVFRUSTUM_RIGHT][eye];
    if (bottom) *bottom = f[OVFRUSTUM_BOTTOM][eye];
    if (top) *top = f[OVFRUSTUM_TOP][eye];
    if (nearplane) *nearplane = f[OVFRUSTUM_NEAR][eye];
    if (farplane) *farplane = f[OVFRUSTUM_FAR][eye];
    return 1;
}

} // extern "C"
