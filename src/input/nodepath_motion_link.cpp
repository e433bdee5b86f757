// A sensor's record applied to the node at the end of a node path, in the
// path's world frame: the path's accumulated transform moves as the record
// says, and the last node's local transform follows.
#include "input/link_pose_step.h"
#include "input/node_calls.h"
#include "input/sensor_record.h"
#include "orv/math.h"

extern "C" ORV_API void _OVnodepath_sensorupdate(OVmotionlink *link) {
    if (!link) return;
    const auto *sensor = static_cast<const OVsensor *>(link->source);
    if (orv::input::record_is_identity(sensor)) return; // no change, no events
    auto *path = static_cast<OVnodepath *>(link->target);
    OVm4 world;
    if (!orv::input::nodepath_target(path) || !OVnodepath_getmatrix(path, world)) return;
    OVpq pose;
    OVm4_2pq(world, &pose);
    orv::input::step_pose(link, pose);
    OVpq_2m4(&pose, world);
    OVnodepath_setmatrix(path, world);
}
