// Directions (the image of +Z) and roll about them.
#include "math/math_internal.h"

using namespace orv::math;

namespace {

// -atan2(u, v) with a dead zone: components below the tolerance count as zero.
float heading(float u, float v) {
    float mag;
    if (std::fabs(v) >= OV_TOLERANCE)
        mag = static_cast<float>(std::atan(static_cast<double>(std::fabs(u / v))));
    else if (std::fabs(u) >= OV_TOLERANCE)
        mag = kPi / 2.0f;
    else
        return 0.0f;
    if (v >= 0.0f) return u >= 0.0f ? -mag : mag;
    return u >= 0.0f ? mag + kPi : kPi - mag;
}

void no_roll(const float *d, float *out) {
    float yaw[4], pitch[4];
    OVeuler_2q(0.0f, -heading(d[0], d[2]), 0.0f, yaw);
    OVeuler_2q(heading(d[1], fsqrt(d[0] * d[0] + d[2] * d[2])), 0.0f, 0.0f, pitch);
    OVq_mult(pitch, yaw, out);
}

} // namespace

extern "C" {

ORV_API void OVq_2dir(const OVq q, OVp3 out) {
    if (any_null(q, out)) return;
    float x = q[0], y = q[1], z = q[2], w = q[3];
    out[0] = 2.0f * (x * z - y * w);
    out[1] = 2.0f * (y * z + x * w);
    out[2] = w * w + z * z - x * x - y * y;
}

ORV_API void OVdir_2q(const OVp3 direction, OVq out) {
    if (any_null(direction, out)) return;
    no_roll(direction, out);
}

ORV_API void OVq_2dirtwist(const OVq q, OVp3 direction, float *twist) {
    if (any_null(q, direction, twist)) return;
    float d[3], q0[4], r[4];
    OVq_2dir(q, d);
    no_roll(d, q0);
    OVq_diff(q0, q, r);
    if (r[3] < 0.0f) // the same turn the short way round
        for (float &c : r)
            c = -c;
    // The roll axis seen in q's own frame is +Z or -Z; its side gives the sign,
    // chosen so that OVdirtwist_2q turns the result back into q.
    const float conj[4] = {-q[0], -q[1], -q[2], q[3]};
    float axis_in_frame = OVp3_rotateqcomponent(r, conj, 2);
    float angle = 2.0f * facos(r[3]);
    direction[0] = d[0];
    direction[1] = d[1];
    direction[2] = d[2];
    if (twist) *twist = axis_in_frame > 0.0f ? -angle : axis_in_frame < 0.0f ? angle : 0.0f;
}

ORV_API void OVdirtwist_2q(const OVp3 direction, float twist, OVq out) {
    if (any_null(direction, out)) return;
    float d[3] = {direction[0], direction[1], direction[2]};
    float len = orv::vec::length(d);
    if (len > 0.0f)
        for (float &c : d)
            c /= len;
    float q0[4], roll[4];
    no_roll(d, q0);
    OVeuler_2q(0.0f, 0.0f, twist, roll);
    OVq_mult(roll, q0, out);
}

} // extern "C"
