// One pass of a sensor's record applied to the pose of a node or node-path target.
#pragma once

#include "input/motionlink_list.h"

namespace orv::input {

// Turns the pose first, then moves it: reference frame 0 along the pose's
// own axes as the turn left them, 2 along the reference node's axes, any
// other frame along the parent's; the link's constraints limit both.
void step_pose(const OVmotionlink *link, OVpq &pose);

} // namespace orv::input
