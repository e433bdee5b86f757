// A sensor's record applied to a node pose through a motion link.
#include "input/link_pose_step.h"
#include "input/motionlink_constraints.h"
#include "input/node_calls.h"
#include "input/sensor_record.h"
#include "orv/math.h"

namespace orv::input {

void step_pose(const OVmotionlink *link, OVpq &pose) {
    const auto *sensor = static_cast<const OVsensor *>(link->source);
    OVq turn = {sensor->rotation[0], sensor->rotation[1], sensor->rotation[2], sensor->rotation[3]};
    OVp3 step = {sensor->translation[0], sensor->translation[1], sensor->translation[2]};
    const int frame = link->reference_frame;
    if (frame == OVFRAME_REFERENCE && link->reference_node) {
        OVq g, gc;
        OVnode_getorientation(link->reference_node, g);
        conjugate(g, gc);
        OVq_mult(gc, turn, turn);
        OVq_mult(turn, g, turn);
        OVp3_rotateq(sensor->translation, g, step);
    }
    const Constraints limits{link->constraints, link->constraint_count};
    constrained_rotation(pose.q, turn, frame != OVFRAME_OWN, limits);
    if (frame == OVFRAME_OWN) {
        OVm4 turned;
        OVpq_2m4(&pose, turned);
        OVp3_xformdirm4(sensor->translation, turned, step);
    }
    clamp_translation(pose.p, step, limits);
    for (int i = 0; i < 3; ++i)
        pose.p[i] += step[i];
}

} // namespace orv::input
