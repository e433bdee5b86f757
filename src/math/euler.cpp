// Euler angles: (a, b, c) is the turn (Z, -c), then (Y, -b), then (X, -a).
#include "math/math_internal.h"

using namespace orv::math;

namespace {

// Distance between two angles, taking the shorter way round.
float angle_gap(float x, float y) {
    float d = std::fabs(x - y);
    return d > kPi ? 2.0f * kPi - d : d;
}

float solution_distance(const float *s, const float *ref) {
    return angle_gap(s[0], ref[0]) + angle_gap(s[1], ref[1]) + angle_gap(s[2], ref[2]);
}

// Of the two Euler solutions of a rotation matrix, the one nearer the reference.
void matrix_2euler(const float m[3][3], const float *reference, float *out) {
    float first[3];
    float b = fatan2(m[2][0], fsqrt(m[0][0] * m[0][0] + m[1][0] * m[1][0]));
    first[1] = b;
    if (std::fabs(std::fabs(b) - kPi / 2.0f) >= 0.000001f) {
        first[2] = -fatan2(m[1][0], m[0][0]);
        first[0] = -fatan2(m[2][1], m[2][2]);
    } else { // gimbal lock: the roll carries the whole turn
        first[2] = -fatan2(-m[0][1], m[1][1]);
        first[0] = 0.0f;
    }
    float second[3] = {first[0] >= 0.0f ? first[0] - kPi : first[0] + kPi,
                       first[1] >= 0.0f ? kPi - first[1] : -kPi - first[1],
                       first[2] >= 0.0f ? first[2] - kPi : first[2] + kPi};
    const float *pick = first;
    if (reference && solution_distance(second, reference) < solution_distance(first, reference))
        pick = second;
    out[0] = pick[0];
    out[1] = pick[1];
    out[2] = pick[2];
}

} // namespace

extern "C" {

ORV_API void OVeuler_2q(float a, float b, float c, OVq out) {
    if (any_null(out)) return;
    float sc = fsin(-c * 0.5f), cc = fcos(-c * 0.5f);
    float sb = fsin(-b * 0.5f), cb = fcos(-b * 0.5f);
    float sa = fsin(-a * 0.5f), ca = fcos(-a * 0.5f);
    const float qz[4] = {0.0f, 0.0f, sc, cc};
    const float qy[4] = {0.0f, sb, 0.0f, cb};
    const float qx[4] = {sa, 0.0f, 0.0f, ca};
    float t[4];
    OVq_mult(qz, qy, t);
    OVq_mult(t, qx, out);
}

ORV_API void OVeuler_2m3(float a, float b, float c, OVm3 m) {
    if (any_null(m)) return;
    float sa = fsin(a), ca = fcos(a);
    float sb = fsin(b), cb = fcos(b);
    float sc = fsin(c), cc = fcos(c);
    m[0][0] = cc * cb;
    m[0][1] = sc * ca + cc * sb * sa;
    m[0][2] = sc * sa - cc * sb * ca;
    m[1][0] = -sc * cb;
    m[1][1] = cc * ca - sc * sb * sa;
    m[1][2] = cc * sa + sc * sb * ca;
    m[2][0] = sb;
    m[2][1] = -cb * sa;
    m[2][2] = cb * ca;
}

ORV_API void OVq_2euler(const OVq q, const OVp3 reference, OVp3 out) {
    if (any_null(q, reference, out)) return;
    float m[3][3];
    OVq_2m3(q, m);
    matrix_2euler(m, reference, out);
}

ORV_API void OVm3_2euler(const OVm3 m, const OVp3 reference, OVp3 out) {
    if (any_null(m, reference, out)) return;
    matrix_2euler(m, reference, out);
}

} // extern "C"
