// A sensor's record applied to a viewpoint through a motion link: pivots,
// reference frames and constraints.
#include "input/motionlink_constraints.h"
#include "input/motionlink_list.h"
#include "input/sensor_record.h"
#include "math/vec3.h"
#include "orv/math.h"
#include "orv/viewpoint.h"
#include "scene/property_protocol.h"
#include "viewpoint/viewpoint_access.h"

#include <cstring>

namespace {

using orv::input::conjugate;

// The sensor's relative motion expressed in the frame of its absolute
// orientation (the last rotation a driver reported), turned by the
// sensor's reference frame when one is set.
void relative_motion(const OVsensor *sensor, OVq turn, OVp3 step) {
    OVq a, c;
    std::memcpy(a, sensor->last_rotation, sizeof a);
    if (sensor->frame_active) {
        conjugate(sensor->frame, c);
        OVq_mult(sensor->frame, a, a);
        OVq_mult(a, c, a);
    }
    conjugate(a, c);
    OVq_mult(a, sensor->rotation, turn);
    OVq_mult(turn, c, turn);
    OVp3_rotateq(sensor->translation, c, step);
}

using orv::vec::add;

void move(OVmotionlink *link, float *position, float *orientation, const OVq turn, OVp3 step) {
    const orv::input::Constraints limits{link->constraints, link->constraint_count};
    const bool world = link->reference_frame == OVFRAME_WORLD;
    if (link->constraint_frame == 1) {
        orv::input::constrained_rotation(orientation, turn, world, limits);
    } else {
        if (std::memcmp(position, link->saved.p, sizeof(OVp3)) != 0) {
            std::memcpy(link->saved.p, position, sizeof(OVp3));
            std::memcpy(link->saved.q, orientation, sizeof(OVq));
        }
        OVq c;
        conjugate(link->saved.q, c);
        OVq_mult(orientation, c, orientation);
        orv::input::constrained_rotation(orientation, turn, world, limits);
        OVq_mult(orientation, link->saved.q, orientation);
    }
    if (!world && link->constraint_frame != 1) {
        OVp3 local;
        for (int i = 0; i < 3; ++i)
            local[i] = position[i] - link->saved.p[i];
        orv::input::clamp_translation(local, step, limits);
        OVp3_rotateq(step, orientation, step);
        add(position, step);
    } else {
        if (!world) OVp3_rotateq(step, orientation, step);
        orv::input::clamp_translation(position, step, limits);
        add(position, step);
    }
}

} // namespace

extern "C" {

ORV_API void _OVviewpoint_applymotion(OVmotionlink *link) {
    if (!link || link->target_type != OVLINK_VIEWPOINT) return;
    auto *vp = static_cast<OVviewpoint *>(link->target);
    float *position = orv::viewpoint_position(vp);
    float *orientation = orv::viewpoint_orientation(vp);
    const auto *sensor = static_cast<const OVsensor *>(link->source);
    if (!orv::input::record_is_identity(sensor)) {
        OVpq kept;
        std::memcpy(kept.p, position, sizeof kept.p);
        std::memcpy(kept.q, orientation, sizeof kept.q);
        OVq turn;
        OVp3 step;
        relative_motion(sensor, turn, step);
        move(link, position, orientation, turn, step);
        if (!orv::change_allowed(vp, "Position") || !orv::change_allowed(vp, "Orientation")) {
            std::memcpy(position, kept.p, sizeof kept.p);
            std::memcpy(orientation, kept.q, sizeof kept.q);
            return;
        }
    }
    orv::viewpoint_update_direction(vp);
    orv::change_made(vp, "Position", position);
    orv::change_made(vp, "Orientation", orientation);
}

} // extern "C"
