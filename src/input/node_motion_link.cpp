// A sensor's record applied to an Xform or movable node, and the node's
// operations to add and remove sensors.
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

extern "C" {

ORV_API void _OVnode_sensorupdate(OVmotionlink *link) {
    if (!link || !OVnode_gettransform || !OVnode_settransform) return;
    const auto *sensor = static_cast<const OVsensor *>(link->source);
    if (orv::input::record_is_identity(sensor)) return; // no change, no events
    auto *node = static_cast<OVnode *>(link->target);
    OVm4 transform;
    OVnode_gettransform(node, transform);
    OVpq pose;
    OVm4_2pq(transform, &pose);
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
        OVp3_xformdirm4(sensor->translation, transform, step);
    } else {
        for (int i = 0; i < 3; ++i)
            step[i] = sensor->translation[i];
    }
    const orv::input::Constraints limits{link->constraints, link->constraint_count};
    orv::input::constrained_rotation(pose.q, turn, frame != 0, limits);
    orv::input::clamp_translation(pose.p, step, limits);
    for (int i = 0; i < 3; ++i)
        pose.p[i] += step[i];
    // Setting the whole transform asks both pre-handlers, puts back a
    // refused half and tells the handlers of the accepted ones.
    OVpq_2m4(&pose, transform);
    OVnode_settransform(node, transform);
}

ORV_API OVmotionlink *OVnode_addsensor(OVnode *node, OVsensor *sensor) {
    if (!node || !sensor) return nullptr;
    if (orv::input::node_is_movable(node)) return OVmotionlink_new(sensor, node, 0, OVLINK_MOVABLE);
    if (orv::input::node_is_xform(node)) return OVmotionlink_new(sensor, node, 0, OVLINK_XFORM);
    return nullptr;
}

ORV_API int OVnode_removesensor(OVnode *node, OVsensor *sensor) {
    OVmotionlink *link = node && sensor ? orv::input::find_link(sensor, node) : nullptr;
    if (!link) return 0;
    OVmotionlink_delete(link);
    return 1;
}

} // extern "C"
