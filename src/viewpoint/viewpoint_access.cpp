// The viewpoint's values as the renderer, the windows and the motion links see them.
#include "viewpoint/viewpoint_record.h"

namespace orv {

ViewpointViewing viewpoint_viewing(const OVviewpoint *viewpoint) {
    const OVviewpoint &v = *viewpoint;
    const int own = (v.projection_set ? kOwnProjection : 0) | (v.hither_set ? kOwnHither : 0) |
                    (v.yon_set ? kOwnYon : 0) | (v.viewangle_set ? kOwnViewAngle : 0);
    const float shift = v.convergence_distance > 0 ? v.parallax * 0.5f / v.convergence_distance : 0;
    return {own,  v.projection, v.hither, v.yon, v.view_tangent, v.aspect, v.effective_convergence,
            shift};
}

void viewpoint_clear_own(OVviewpoint *viewpoint, int own) {
    if (own & kOwnProjection) viewpoint->projection_set = 0;
    if (own & kOwnHither) viewpoint->hither_set = 0;
    if (own & kOwnYon) viewpoint->yon_set = 0;
    if (own & kOwnViewAngle) viewpoint->viewangle_set = 0;
}

float *viewpoint_position(OVviewpoint *viewpoint) {
    return viewpoint->position;
}

float *viewpoint_orientation(OVviewpoint *viewpoint) {
    return viewpoint->orientation;
}

const float *viewpoint_position(const OVviewpoint *viewpoint) {
    return viewpoint->position;
}

const float *viewpoint_orientation(const OVviewpoint *viewpoint) {
    return viewpoint->orientation;
}

} // namespace orv
