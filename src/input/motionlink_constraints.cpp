// Clamping a motion to a link's constraints.
#include "input/motionlink_constraints.h"
#include "orv/math.h"

#include <algorithm>
#include <cmath>

namespace orv::input {

namespace {

constexpr float two_pi = 6.28318531f;

float wrap(float angle) {
    angle = std::fmod(angle, two_pi);
    return angle < 0 ? angle + two_pi : angle;
}

// Distance along the circle between two angles.
float circle_distance(float a, float b) {
    const float d = wrap(a - b);
    return std::min(d, two_pi - d);
}

bool has_angle_constraints(Constraints limits) {
    for (int i = 0; i < limits.count; ++i)
        if (limits.entries[i].kind >= 8) return true;
    return false;
}

} // namespace

void clamp_translation(const OVp3 position, OVp3 step, Constraints limits) {
    for (int i = 0; i < limits.count; ++i) {
        const Constraint &c = limits.entries[i];
        const int axis = c.kind == 1 ? 0 : c.kind == 2 ? 1 : c.kind == 4 ? 2 : -1;
        if (axis < 0) continue;
        if (position[axis] + step[axis] < c.minimum) step[axis] = c.minimum - position[axis];
        if (!(position[axis] + step[axis] <= c.maximum)) step[axis] = c.maximum - position[axis];
    }
}

void limit_axis(OVp3 axis, int coordinate, float minimum, float maximum) {
    // In-plane coordinates: u along +Z, v along +Y (for X) or +X (for Y).
    const int v_index = coordinate == 0 ? 1 : 0;
    const float u = axis[2], v = axis[v_index];
    const float radius = std::sqrt(u * u + v * v);
    if (radius < 1e-6f) return;
    const float angle = std::atan2(v, u);
    const float span = wrap(maximum - minimum);
    if (wrap(angle - minimum) <= span || maximum - minimum >= two_pi) return;
    const float bound =
        circle_distance(angle, minimum) <= circle_distance(angle, maximum) ? minimum : maximum;
    axis[2] = radius * std::cos(bound);
    axis[v_index] = radius * std::sin(bound);
}

void constrained_rotation(OVq orientation, const OVq turn, bool world, Constraints limits) {
    OVq k;
    if (world)
        OVq_mult(orientation, turn, k);
    else
        OVq_mult(turn, orientation, k);
    if (has_angle_constraints(limits)) {
        const float w = std::clamp(k[3], -1.0f, 1.0f);
        float angle = 2 * std::acos(w);
        const float s = std::sqrt(std::max(0.0f, 1 - w * w));
        // A (near) identity turn has no axis of its own: take +Z rather
        // than divide by a vanishing sine.
        OVp3 axis = {0, 0, 1};
        if (s > 1e-6f) axis[0] = k[0] / s, axis[1] = k[1] / s, axis[2] = k[2] / s;
        for (int i = 0; i < limits.count; ++i) {
            const Constraint &c = limits.entries[i];
            if (c.kind == 32)
                angle = -std::clamp(-angle, c.minimum, c.maximum);
            else if (c.kind == 8 || c.kind == 16)
                limit_axis(axis, c.kind == 8 ? 0 : 1, c.minimum, c.maximum);
        }
        const float length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
        const float sh = std::sin(angle / 2) / (length > 1e-6f ? length : 1);
        k[0] = axis[0] * sh, k[1] = axis[1] * sh, k[2] = axis[2] * sh, k[3] = std::cos(angle / 2);
    }
    for (int i = 0; i < 4; ++i)
        orientation[i] = k[i];
}

} // namespace orv::input
