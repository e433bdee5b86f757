// A sensor's record applied to an Xform or movable node, and the node's
// operations to add and remove sensors.
#include "input/link_pose_step.h"
#include "input/node_calls.h"
#include "input/sensor_record.h"
#include "orv/math.h"

extern "C" {

ORV_API void _OVnode_sensorupdate(OVmotionlink *link) {
    if (!link) return;
    const auto *sensor = static_cast<const OVsensor *>(link->source);
    if (orv::input::record_is_identity(sensor)) return; // no change, no events
    auto *node = static_cast<OVnode *>(link->target);
    OVm4 transform;
    OVnode_gettransform(node, transform);
    OVpq pose;
    OVm4_2pq(transform, &pose);
    orv::input::step_pose(link, pose);
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
