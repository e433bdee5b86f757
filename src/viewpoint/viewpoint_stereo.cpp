// Stereo parameters and eye offsets of viewpoints.
#include "core/finite.h"
#include "orv/math.h"
#include "orv/viewpoint.h"
#include "scene/property_protocol.h"
#include "viewpoint/viewpoint_record.h"

#include <algorithm>
#include <cstring>

namespace orv {

void viewpoint_set_effective_convergence(OVviewpoint *viewpoint, int pixels) {
    if (viewpoint) viewpoint->effective_convergence = static_cast<std::int16_t>(pixels);
}

void viewpoint_righteye(const OVviewpoint *viewpoint, OVp3 out_position, OVq out_orientation) {
    OVp3 step;
    switch (viewpoint->eye_frame) {
    case 1:
        OVq_mult(viewpoint->orientation, viewpoint->eye_rotation, out_orientation);
        for (int i = 0; i < 3; ++i)
            out_position[i] = viewpoint->position[i] + viewpoint->eye_translation[i];
        return;
    case 0:
    case 2:
        OVp3_rotateq(viewpoint->eye_translation, viewpoint->orientation, step);
        OVq_mult(viewpoint->eye_rotation, viewpoint->orientation, out_orientation);
        for (int i = 0; i < 3; ++i)
            out_position[i] = viewpoint->position[i] + step[i];
        return;
    default: {
        const OVp3 x_axis = {1, 0, 0};
        OVp3_rotateq(x_axis, viewpoint->orientation, step);
        std::memcpy(out_orientation, viewpoint->orientation, sizeof(OVq));
        for (int i = 0; i < 3; ++i)
            out_position[i] = viewpoint->position[i] + viewpoint->parallax * step[i];
    }
    }
}

} // namespace orv

extern "C" {

ORV_API int OVviewpoint_setparallax(OVviewpoint *viewpoint, float parallax) {
    return viewpoint && orv::finite(parallax) &&
           orv::change_field(viewpoint, "Parallax", viewpoint->parallax, parallax);
}

ORV_API float OVviewpoint_getparallax(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->parallax : 0.0f;
}

ORV_API int OVviewpoint_setconvergence(OVviewpoint *viewpoint, int pixels) {
    if (!viewpoint || !orv::change_allowed(viewpoint, "Convergence")) return 0;
    viewpoint->convergence = viewpoint->effective_convergence = static_cast<std::int16_t>(pixels);
    const int value = viewpoint->convergence;
    orv::change_made(viewpoint, "Convergence", &value);
    return 1;
}

ORV_API int OVviewpoint_getconvergence(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->convergence : 0;
}

ORV_API int OVviewpoint_setconvergencedist(OVviewpoint *viewpoint, float distance) {
    return viewpoint && orv::finite(distance) &&
           orv::change_field(viewpoint, "ConvergenceDist", viewpoint->convergence_distance,
                             std::max(distance, OV_TOLERANCE));
}

ORV_API float OVviewpoint_getconvergencedist(const OVviewpoint *viewpoint) {
    return viewpoint ? viewpoint->convergence_distance : 0.0f;
}

ORV_API void OVviewpoint_seteyeoffset(OVviewpoint *viewpoint, const OVp3 translation,
                                      const OVq rotation, int frame) {
    if (!viewpoint || !orv::finite(translation, 3) || !orv::finite(rotation, 4) || frame < 0 ||
        frame > 2)
        return;
    std::memcpy(viewpoint->eye_translation, translation, sizeof(OVp3));
    std::memcpy(viewpoint->eye_rotation, rotation, sizeof(OVq));
    viewpoint->eye_frame = static_cast<std::int16_t>(frame);
}

ORV_API void OVviewpoint_applyeyeoffset(OVviewpoint *viewpoint) {
    if (!viewpoint) return;
    OVp3 position;
    OVq orientation;
    orv::viewpoint_righteye(viewpoint, position, orientation);
    std::memcpy(viewpoint->position, position, sizeof position);
    std::memcpy(viewpoint->orientation, orientation, sizeof orientation);
    if (viewpoint->eye_frame == -1) {
        // Only the eye moved: the direction follows the eye frame.
        OVp3 eye_position;
        OVq eye_orientation;
        orv::viewpoint_eyeframe(viewpoint->position, viewpoint->orientation, eye_position,
                                eye_orientation);
        OVq_2dir(eye_orientation, viewpoint->direction);
    } else {
        orv::viewpoint_update_direction(viewpoint);
    }
}

} // extern "C"
