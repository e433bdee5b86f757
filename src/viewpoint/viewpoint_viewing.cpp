// Viewing parameters of viewpoints: view angle, aspect, clipping, projection.
#include "core/finite.h"
#include "orv/viewpoint.h"
#include "scene/property_protocol.h"
#include "viewpoint/viewpoint_record.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float max_view_angle = 1.5667964f; // a quarter turn less the tolerance
}

extern "C" {

ORV_API int OVviewpoint_setviewangle(OVviewpoint *viewpoint, float angle) {
    if (!viewpoint || !(angle >= OV_TOLERANCE && angle <= max_view_angle)) return 0;
    viewpoint->view_tangent = static_cast<float>(std::tan(angle));
    viewpoint->viewangle_set = 1;
    return 1;
}

ORV_API float OVviewpoint_getviewangle(const OVviewpoint *viewpoint) {
    return viewpoint ? static_cast<float>(std::atan(viewpoint->view_tangent)) : 0.0f;
}

ORV_API int OVviewpoint_setaspect(OVviewpoint *viewpoint, float ratio) {
    if (!viewpoint || !orv::finite(ratio) || ratio < OV_TOLERANCE) return 0;
    return orv::change_field(viewpoint, "AspectRatio", viewpoint->aspect, ratio);
}

ORV_API float OVviewpoint_getaspect(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->aspect : 1.0f;
}

ORV_API void OVviewpoint_sethither(OVviewpoint *viewpoint, float distance) {
    if (!viewpoint || !orv::finite(distance)) return;
    viewpoint->hither = std::max(distance, OV_TOLERANCE);
    viewpoint->hither_set = 1;
}

ORV_API float OVviewpoint_gethither(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->hither : 0.0f;
}

ORV_API void OVviewpoint_setyon(OVviewpoint *viewpoint, float distance) {
    if (!viewpoint || !orv::finite(distance)) return;
    viewpoint->yon = std::max(distance, viewpoint->hither + OV_TOLERANCE);
    viewpoint->yon_set = 1;
}

ORV_API float OVviewpoint_getyon(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->yon : 0.0f;
}

ORV_API void OVviewpoint_setprojection(OVviewpoint *viewpoint, int mode) {
    if (!viewpoint || mode < OVVIEWPOINT_MONO || mode > OVVIEWPOINT_PARALLEL) return;
    viewpoint->projection = static_cast<std::int16_t>(mode);
    viewpoint->projection_set = 1;
}

ORV_API int OVviewpoint_getprojection(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->projection : 0;
}

ORV_API void OVviewpoint_setstereo(OVviewpoint *viewpoint, int on) {
    if (!viewpoint) return;
    viewpoint->projection = on ? OVVIEWPOINT_STEREO : OVVIEWPOINT_MONO;
    viewpoint->projection_set = 1;
}

ORV_API int OVviewpoint_isstereo(const OVviewpoint *viewpoint) {
    return viewpoint && viewpoint->projection == OVVIEWPOINT_STEREO;
}

} // extern "C"
