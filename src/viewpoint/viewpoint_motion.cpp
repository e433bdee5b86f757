// Relative motion of viewpoints in their own frame (0, 2) or the world frame (1).
#include "core/finite.h"
#include "orv/math.h"
#include "orv/viewpoint.h"
#include "viewpoint/viewpoint_record.h"

#include <cmath>

namespace {

bool is_own_frame(int frame) {
    return frame == 0 || frame == 2;
}

bool is_frame(int frame) {
    return is_own_frame(frame) || frame == 1;
}

} // namespace

extern "C" {

ORV_API void OVviewpoint_translate(OVviewpoint *viewpoint, const OVp3 v, int frame) {
    if (!viewpoint || !orv::finite(v, 3) || !is_frame(frame)) return;
    if (v[0] == 0 && v[1] == 0 && v[2] == 0) return;
    OVp3 step = {v[0], v[1], v[2]};
    if (is_own_frame(frame)) OVp3_rotateq(step, viewpoint->orientation, step);
    const OVp3 position = {viewpoint->position[0] + step[0], viewpoint->position[1] + step[1],
                           viewpoint->position[2] + step[2]};
    OVviewpoint_setposition(viewpoint, position);
}

ORV_API void OVviewpoint_rotate(OVviewpoint *viewpoint, int axis, float angle, int frame) {
    if (!viewpoint || !is_frame(frame) || axis < 0 || axis > 2 || angle == 0 || !orv::finite(angle))
        return;
    OVq turn = {0, 0, 0, static_cast<float>(std::cos(angle / 2.0))};
    turn[axis] = static_cast<float>(std::sin(-angle / 2.0));
    OVq orientation;
    if (is_own_frame(frame))
        OVq_mult(turn, viewpoint->orientation, orientation);
    else
        OVq_mult(viewpoint->orientation, turn, orientation);
    OVviewpoint_setorientation(viewpoint, orientation);
}

ORV_API void OVviewpoint_move(OVviewpoint *viewpoint, const OVpq *motion, int frame) {
    if (!viewpoint || !motion || !orv::finite(motion->p, 3) || !orv::finite(motion->q, 4) ||
        !is_frame(frame))
        return;
    OVpq pose;
    OVp3 step = {motion->p[0], motion->p[1], motion->p[2]};
    if (is_own_frame(frame)) {
        OVp3_rotateq(step, viewpoint->orientation, step);
        OVq_mult(motion->q, viewpoint->orientation, pose.q);
    } else {
        OVq_mult(viewpoint->orientation, motion->q, pose.q);
    }
    for (int i = 0; i < 3; ++i)
        pose.p[i] = viewpoint->position[i] + step[i];
    OVviewpoint_setpositionorientation(viewpoint, &pose);
}

} // extern "C"
