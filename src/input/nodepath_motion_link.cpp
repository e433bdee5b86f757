// A sensor's record applied to the node at the end of a node path, in the
// path's world frame: the path's accumulated transform moves as the record
// says, and the last node's local transform follows.
#include "input/motionlink_constraints.h"
#include "input/motionlink_list.h"
#include "input/node_calls.h"
#include "input/sensor_record.h"
#include "orv/math.h"

namespace {

void conjugate(const OVq q, OVq out) {
    out[0] = -q[0], out[1] = -q[1], out[2] = -q[2], out[3] = q[3];
}

} // namespace

extern "C" ORV_API void _OVnodepath_sensorupdate(OVmotionlink *link) {
    if (!link) return;
    const auto *sensor = static_cast<const OVsensor *>(link->source);
    if (orv::input::record_is_identity(sensor)) return; // no change, no events
    auto *path = static_cast<OVnodepath *>(link->target);
    OVm4 world;
    if (!orv::input::nodepath_target(path) || !OVnodepath_getmatrix(path, world)) return;
    OVpq pose;
    OVm4_2pq(world, &pose);
    OVp3 step;
    OVq turn = {sensor->rotation[0], sensor->rotation[1], sensor->rotation[2], sensor->rotation[3]};
    const int frame = link->reference_frame;
    if (frame == 2 && link->reference_node && OVnode_getorientation) {
        OVq g, gc;
        OVnode_getorientation(link->reference_node, g);
        conjugate(g, gc);
        OVq_mult(gc, turn, turn);
        OVq_mult(turn, g, turn);
        OVp3_rotateq(sensor->translation, g, step);
    } else if (frame == 0) {
        OVp3_xformdirm4(sensor->translation, world, step); // along the node's own axes
    } else {
        for (int i = 0; i < 3; ++i)
            step[i] = sensor->translation[i];
    }
    const orv::input::Constraints limits{link->constraints, link->constraint_count};
    orv::input::constrained_rotation(pose.q, turn, frame != 0, limits);
    orv::input::clamp_translation(pose.p, step, limits);
    for (int i = 0; i < 3; ++i)
        pose.p[i] += step[i];
    OVpq_2m4(&pose, world);
    OVnodepath_setmatrix(path, world);
}
