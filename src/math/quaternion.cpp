// Quaternion products, point rotations, axis-angle form and interpolation.
#include "math/math_internal.h"
#include "math/quat_valid.h"
#include "orv/message.h"

#include <algorithm>

using namespace orv::math;

namespace {

void normalise4(float *q) {
    float n = fsqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (n == 0.0f) return;
    for (int i = 0; i < 4; ++i)
        q[i] /= n;
}

// conj(q) * (v, 0) * q, not assuming a unit q.
void rotate(const float *v, const float *q, float *out) {
    const float conj[4] = {-q[0], -q[1], -q[2], q[3]};
    const float pure[4] = {v[0], v[1], v[2], 0.0f};
    float t[4], r[4];
    hamilton(conj, pure, t);
    hamilton(t, q, r);
    std::copy(r, r + 3, out);
}

bool all_below_tolerance(const float *a, const float *b, float sign) {
    for (int i = 0; i < 4; ++i)
        if (std::fabs(a[i] + sign * b[i]) >= OV_TOLERANCE) return false;
    return true;
}

// Weighted sum of q1 and q2 over the arc theta.
void interpolate(const float *q1, const float *q2, float theta, float t, float *out) {
    float s = fsin(theta);
    float w1, w2;
    if (std::fabs(s) < 1e-6f) { // nearly parallel: the arc is a line
        w1 = 1.0f - t;
        w2 = t;
    } else {
        w1 = fsin((1.0f - t) * theta) / s;
        w2 = fsin(t * theta) / s;
    }
    for (int i = 0; i < 4; ++i)
        out[i] = w1 * q1[i] + w2 * q2[i];
}

float dot4(const float *a, const float *b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
}

} // namespace

namespace orv {
bool quat_valid(const OVq q, const char *function) {
    for (int i = 0; i < 4; ++i)
        if (std::fabs(q[i]) >= OV_TOLERANCE) return true;
    OVwarning("Invalid quaternion passed to %s.\n", function);
    return false;
}
} // namespace orv

extern "C" {

ORV_API void OVq_mult(const OVq q1, const OVq q2, OVq out) {
    if (any_null(q1, q2, out)) return;
    hamilton(q1, q2, out);
    normalise4(out);
}

ORV_API void OVq_diff(const OVq q1, const OVq q2, OVq out) {
    if (any_null(q1, q2, out)) return;
    const float conj[4] = {-q1[0], -q1[1], -q1[2], q1[3]};
    hamilton(conj, q2, out);
    normalise4(out);
}

ORV_API void OVp3_rotateq(const OVp3 v, const OVq q, OVp3 out) {
    if (any_null(v, q, out)) return;
    rotate(v, q, out);
}

ORV_API float OVp3_rotateqcomponent(const OVp3 v, const OVq q, int index) {
    if (any_null(v, q)) return 0;
    if (index < 0 || index > 2) return 0.0f;
    float r[3];
    rotate(v, q, r);
    return r[index];
}

ORV_API void OVp3_rotateabout(const OVp3 v, const OVq q, OVp3 out, const OVp3 centre) {
    if (any_null(v, q, out, centre)) return;
    float d[3] = {v[0] - centre[0], v[1] - centre[1], v[2] - centre[2]};
    rotate(d, q, d);
    for (int i = 0; i < 3; ++i)
        out[i] = d[i] + centre[i];
}

ORV_API void OVp3_intoframe(const OVp3 v, const OVpq *frame, OVp3 out) {
    if (any_null(v, frame, out)) return;
    float d[3] = {v[0] - frame->p[0], v[1] - frame->p[1], v[2] - frame->p[2]};
    // q * d * conj(q) is the rotation by the conjugate.
    const float conj[4] = {-frame->q[0], -frame->q[1], -frame->q[2], frame->q[3]};
    rotate(d, conj, out);
}

ORV_API void OVaxisangle_2q(OVp3 axis, float angle, OVq out) {
    if (any_null(axis, out)) return;
    float len = orv::vec::length(axis);
    if (len > 0.0f)
        for (int i = 0; i < 3; ++i)
            axis[i] /= len;
    float s = fsin(angle * 0.5f);
    out[0] = s * axis[0];
    out[1] = s * axis[1];
    out[2] = s * axis[2];
    out[3] = fcos(angle * 0.5f);
}

ORV_API float OVq_angle(const OVq q) {
    if (any_null(q)) return 0;
    return 2.0f * facos(q[3]);
}

ORV_API void OVq_axis(const OVq q, OVp3 out) {
    if (any_null(q, out)) return;
    float s = fsin(facos(q[3]));
    for (int i = 0; i < 3; ++i)
        out[i] = s != 0.0f ? q[i] / s : q[i];
}

ORV_API void OVq_scale(const OVq q, float factor, OVq out) {
    if (any_null(q, out)) return;
    float angle = OVq_angle(q);
    if (angle == 0.0f) {
        std::copy(q, q + 4, out);
        return;
    }
    float axis[3];
    OVq_axis(q, axis);
    OVaxisangle_2q(axis, factor * angle, out);
}

ORV_API void OVq_slerp(const OVq q1, const OVq q2, float t, OVq out) {
    if (any_null(q1, q2, out)) return;
    if (all_below_tolerance(q1, q2, -1.0f) || all_below_tolerance(q1, q2, 1.0f)) {
        std::copy(q1, q1 + 4, out);
        return;
    }
    interpolate(q1, q2, facos(dot4(q1, q2)), t, out);
}

ORV_API void OVq_slerpshortest(const OVq q1, const OVq q2, float t, OVq out) {
    if (any_null(q1, q2, out)) return;
    if (all_below_tolerance(q1, q2, -1.0f) || all_below_tolerance(q1, q2, 1.0f)) {
        std::copy(q1, q1 + 4, out);
        return;
    }
    float theta = facos(dot4(q1, q2));
    const float neg[4] = {-q2[0], -q2[1], -q2[2], -q2[3]};
    float theta_neg = facos(dot4(neg, q1));
    if (theta > theta_neg)
        interpolate(q1, neg, theta_neg, t, out);
    else
        interpolate(q1, q2, theta, t, out);
}

} // extern "C"
