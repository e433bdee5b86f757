// The sensor's reference frame and the combination of drivers' relative motion.
#include "core/finite.h"
#include "scene/property_protocol.h"
#include "input/sensor_record.h"
#include "math/quat_valid.h"
#include "orv/math.h"
#include "orv/viewpoint.h"

#include <cmath>

namespace orv::input {

void combine_motion(OVsensor *sensor, const OVp3 translation, const OVq rotation, int mode) {
    OVp3 step = {translation[0], translation[1], translation[2]};
    OVq turn;
    switch (mode) {
    case 0: // the sensor's own frame
        OVp3_rotateq(step, sensor->rotation, step);
        OVq_mult(rotation, sensor->rotation, turn);
        break;
    case 1: // world axes
        OVq_mult(sensor->rotation, rotation, turn);
        break;
    case 2: { // the current viewpoint's frame
        OVq view;
        OVviewpoint_getorientation(OVuniverse_getviewpoint(), view);
        OVp3_rotateq(step, view, step);
        OVq t;
        OVq_mult(rotation, view, t);
        OVq_diff(view, t, t);
        OVq_mult(sensor->rotation, t, turn);
        break;
    }
    default:
        return;
    }
    for (int i = 0; i < 3; ++i)
        sensor->translation[i] += step[i];
    for (int i = 0; i < 4; ++i)
        sensor->rotation[i] = turn[i];
}

} // namespace orv::input

extern "C" {

ORV_API void OVsensor_combine(OVsensor *sensor, const OVp3 translation, const OVq rotation,
                              int mode) {
    if (sensor && orv::finite(translation, 3) && orv::finite(rotation, 4))
        orv::input::combine_motion(sensor, translation, rotation, mode);
}

ORV_API void OVsensor_rotate(OVsensor *sensor, const OVq frame) {
    if (!sensor || !orv::finite(frame, 4) || !orv::quat_valid(frame, "OVsensor_rotate")) return;
    const float squares =
        frame[0] * frame[0] + frame[1] * frame[1] + frame[2] * frame[2] + frame[3] * frame[3];
    if (std::fabs(squares) < OV_TOLERANCE || !orv::change_allowed(sensor, "SnRf")) return;
    // Scaled to unit length: a longer quaternion would stretch every
    // translation it rotates.
    const float length = std::sqrt(squares);
    OVq q = {frame[0] / length, frame[1] / length, frame[2] / length, frame[3] / length};
    const bool turns = std::fabs(q[0]) >= OV_TOLERANCE || std::fabs(q[1]) >= OV_TOLERANCE ||
                       std::fabs(q[2]) >= OV_TOLERANCE;
    if (!turns) q[0] = q[1] = q[2] = 0, q[3] = 1;
    for (int i = 0; i < 4; ++i)
        sensor->frame[i] = q[i];
    sensor->frame_active = turns;
    orv::change_made(sensor, "SnRf", sensor->frame);
}

ORV_API void OVsensor_getreferenceframe(const OVsensor *sensor, OVq frame) {
    static const OVq identity = {0, 0, 0, 1};
    if (!frame) return;
    const float *from = sensor ? sensor->frame : identity;
    for (int i = 0; i < 4; ++i)
        frame[i] = from[i];
}

} // extern "C"
