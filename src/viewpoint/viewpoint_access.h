// What the renderer, the windows and the motion links may read and set of a
// viewpoint. The viewpoint record stays inside the viewpoint module.
#pragma once

#include "orv/orv_base.h"

namespace orv {

// Viewing values a viewpoint sets for itself; where it sets none, the
// window's own apply.
enum ViewpointOwn : int {
    kOwnProjection = 0x01,
    kOwnHither = 0x02,
    kOwnYon = 0x04,
    kOwnViewAngle = 0x08
};

// The viewing values the renderer reads every frame.
struct ViewpointViewing {
    int own; // ViewpointOwn bits
    int projection;
    float hither, yon, view_tangent;
    float aspect;
    int effective_convergence;
    // Half the parallax over the convergence distance, 0 without a distance.
    float stereo_shift;
};

// The viewing values of a viewpoint.
ViewpointViewing viewpoint_viewing(const OVviewpoint *viewpoint);
// The window's own values (ViewpointOwn bits) apply again.
void viewpoint_clear_own(OVviewpoint *viewpoint, int own);

// The pose in place, for the motion link that moves it and vetoes afterwards.
float *viewpoint_position(OVviewpoint *viewpoint);
float *viewpoint_orientation(OVviewpoint *viewpoint);
const float *viewpoint_position(const OVviewpoint *viewpoint);
const float *viewpoint_orientation(const OVviewpoint *viewpoint);

// Whether the viewpoint is in the universe's list.
bool viewpoint_is_listed(const OVviewpoint *viewpoint);
// Recomputes the direction after a pose change (through the eye frame for
// the current viewpoint).
void viewpoint_update_direction(OVviewpoint *viewpoint);
// The pose as the renderer sees it: passed through the universe's axis map.
void viewpoint_eyeframe(const OVp3 position, const OVq orientation, OVp3 out_position,
                        OVq out_orientation);
// Right-eye pose: the eye offset (or the parallax shift) applied to a copy.
void viewpoint_righteye(const OVviewpoint *viewpoint, OVp3 out_position, OVq out_orientation);
// Changes only the convergence the renderer uses, without handlers.
void viewpoint_set_effective_convergence(OVviewpoint *viewpoint, int pixels);

} // namespace orv
