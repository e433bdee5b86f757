// Axes, directions, alignment and frame conversions of viewpoints.
#include "core/finite.h"
#include "orv/math.h"
#include "orv/viewpoint.h"
#include "viewpoint/viewpoint_record.h"

#include <cmath>
#include <cstring>

namespace {

float length_of(const OVp3 v) {
    return static_cast<float>(
        std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]));
}

// Normalises v in place unless it is already of unit length; false when it
// is too short to give a direction.
bool make_unit(OVp3 v) {
    const float length = length_of(v);
    if (length < OV_TOLERANCE) return false;
    if (std::fabs(length - 1.0f) >= OV_TOLERANCE)
        for (int i = 0; i < 3; ++i)
            v[i] /= length;
    return true;
}

// Turns the viewpoint so that the world vector from now points along to.
void turn_onto(OVviewpoint *viewpoint, const OVp3 from, const OVp3 to) {
    OVq aim_from, aim_to, turn, orientation;
    OVdir_2q(from, aim_from);
    OVdir_2q(to, aim_to);
    OVq_diff(aim_from, aim_to, turn);
    OVq_mult(viewpoint->orientation, turn, orientation);
    OVviewpoint_setorientation(viewpoint, orientation);
}

} // namespace

extern "C" {

ORV_API void OVviewpoint_getaxis(const OVviewpoint *viewpoint, int axis, OVp3 out) {
    if (!out) return;
    out[0] = out[1] = out[2] = 0;
    if (!viewpoint || axis < 0 || axis > 2) return;
    out[axis] = 1;
    OVp3_rotateq(out, viewpoint->orientation, out);
}

ORV_API void OVviewpoint_setdirection(OVviewpoint *viewpoint, OVp3 v) {
    if (!viewpoint || !orv::finite(v, 3) || !make_unit(v)) return;
    OVp3 from;
    std::memcpy(from, viewpoint->direction, sizeof from);
    turn_onto(viewpoint, from, v);
}

ORV_API void OVviewpoint_alignaxis(OVviewpoint *viewpoint, int axis, const OVp3 v) {
    if (!viewpoint || !orv::finite(v, 3) || axis < 0 || axis > 2) return;
    if (std::fabs(v[0]) < OV_TOLERANCE && std::fabs(v[1]) < OV_TOLERANCE &&
        std::fabs(v[2]) < OV_TOLERANCE)
        return;
    OVp3 to = {v[0], v[1], v[2]};
    if (!make_unit(to)) return;
    OVp3 from;
    OVviewpoint_getaxis(viewpoint, axis, from);
    turn_onto(viewpoint, from, to);
}

ORV_API void OVviewpoint_worldtolocal(const OVviewpoint *viewpoint, const OVp3 p, OVp3 out) {
    if (!viewpoint || !p || !out) return;
    const OVp3 relative = {p[0] - viewpoint->position[0], p[1] - viewpoint->position[1],
                           p[2] - viewpoint->position[2]};
    const float *q = viewpoint->orientation;
    const OVq inverse = {-q[0], -q[1], -q[2], q[3]};
    OVp3_rotateq(relative, inverse, out);
}

ORV_API void OVviewpoint_localtoworld(const OVviewpoint *viewpoint, const OVp3 p, OVp3 out) {
    if (!viewpoint || !p || !out) return;
    OVp3_rotateq(p, viewpoint->orientation, out);
    for (int i = 0; i < 3; ++i)
        out[i] += viewpoint->position[i];
}

ORV_API void OVviewpoint_getm4(const OVviewpoint *viewpoint, OVm4 out, int righteye) {
    if (!viewpoint || !out) return;
    // The rotation block is that of the conjugate orientation: a world
    // direction times it is the direction in the viewpoint's frame. The eye
    // sits in the fourth row.
    const float *q = viewpoint->orientation;
    const OVq conjugate = {-q[0], -q[1], -q[2], q[3]};
    OVm3 rotation;
    OVq_2m3(conjugate, rotation);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            out[row][column] = rotation[row][column];
        out[row][3] = 0;
    }
    OVp3 right = {0, 0, 0};
    if (righteye) {
        OVviewpoint_getaxis(viewpoint, 0, right);
        for (int i = 0; i < 3; ++i)
            right[i] *= viewpoint->parallax;
    }
    for (int i = 0; i < 3; ++i)
        out[3][i] = viewpoint->position[i] + right[i];
    out[3][3] = 1;
}

} // extern "C"
