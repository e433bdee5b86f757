// Position and angle constraints of a motion link.
#pragma once

#include "input/motionlink_list.h"

namespace orv::input {

inline void conjugate(const OVq q, OVq out) {
    out[0] = -q[0], out[1] = -q[1], out[2] = -q[2], out[3] = q[3];
}

struct Constraints {
    const Constraint *entries;
    int count;
};

// Clamps the step so that position + step stays within the position
// constraints (kinds 1, 2, 4), in list order.
void clamp_translation(const OVp3 position, OVp3 step, Constraints limits);

// orientation := the turn composed with it (world: orientation * turn,
// otherwise turn * orientation), limited by the angle constraints (kinds 8,
// 16, 32).
void constrained_rotation(OVq orientation, const OVq turn, bool world, Constraints limits);

// Axis limit: turns the axis about the coordinate axis (0 X, 1 Y) so that
// its angle about that axis lies in [minimum, maximum]. The angle is
// measured in the plane of the other two coordinates, from +Z towards +Y
// for X and from +Z towards +X for Y; an axis outside the range moves to
// the nearer bound along the circle, keeping its component along the
// coordinate axis and its length. An axis along the coordinate axis itself
// has no angle and is kept.
void limit_axis(OVp3 axis, int coordinate, float minimum, float maximum);

} // namespace orv::input
