// Conversions between quaternions and rotation matrices.
#include "math/math_internal.h"

#include <algorithm>
#include <cstring>

namespace orv::math {

bool orthonormalise(float m[3][3]) {
    float len = orv::vec::length(m[0]);
    if (len < OV_TOLERANCE) return false;
    for (int j = 0; j < 3; ++j)
        m[0][j] /= len;
    float along = orv::vec::dot(m[1], m[0]);
    for (int j = 0; j < 3; ++j)
        m[1][j] -= along * m[0][j];
    len = orv::vec::length(m[1]);
    if (len < OV_TOLERANCE) return false;
    for (int j = 0; j < 3; ++j)
        m[1][j] /= len;
    OVp3_cross(m[0], m[1], m[2]);
    return true;
}

void orthonormal_2q(const float m[3][3], float q[4]) {
    float trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0f) {
        float s = fsqrt(trace + 1.0f);
        q[3] = s * 0.5f;
        s = 0.5f / s;
        q[0] = (m[1][2] - m[2][1]) * s;
        q[1] = (m[2][0] - m[0][2]) * s;
        q[2] = (m[0][1] - m[1][0]) * s;
    } else {
        int i = 0;
        if (m[1][1] > m[0][0]) i = 1;
        if (m[2][2] > m[i][i]) i = 2;
        int j = (i + 1) % 3, k = (j + 1) % 3;
        float s = fsqrt(m[i][i] - (m[j][j] + m[k][k]) + 1.0f);
        q[i] = s * 0.5f;
        if (s != 0.0f) s = 0.5f / s;
        q[3] = (m[j][k] - m[k][j]) * s;
        q[j] = (m[i][j] + m[j][i]) * s;
        q[k] = (m[i][k] + m[k][i]) * s;
    }
    // The steps above give the conjugate under the row-vector convention.
    q[0] = -q[0];
    q[1] = -q[1];
    q[2] = -q[2];
}

} // namespace orv::math

using namespace orv::math;

namespace {
void set_identity4(float q[4]) {
    q[0] = q[1] = q[2] = 0.0f;
    q[3] = 1.0f;
}

// M(q) into the upper 3x3 block of a 3x3 or 4x4 matrix.
template <int N> void quat_rows(const float *q, float (*m)[N]) {
    float x = q[0], y = q[1], z = q[2], w = q[3];
    m[0][0] = 1.0f - 2.0f * y * y - 2.0f * z * z;
    m[0][1] = 2.0f * x * y - 2.0f * z * w;
    m[0][2] = 2.0f * x * z + 2.0f * y * w;
    m[1][0] = 2.0f * x * y + 2.0f * z * w;
    m[1][1] = 1.0f - 2.0f * x * x - 2.0f * z * z;
    m[1][2] = 2.0f * y * z - 2.0f * x * w;
    m[2][0] = 2.0f * x * z - 2.0f * y * w;
    m[2][1] = 2.0f * y * z + 2.0f * x * w;
    m[2][2] = 1.0f - 2.0f * x * x - 2.0f * y * y;
}

void quat_m4(const float *q, const float *p, float m[4][4]) {
    quat_rows(q, m);
    m[0][3] = m[1][3] = m[2][3] = 0.0f;
    m[3][0] = p[0];
    m[3][1] = p[1];
    m[3][2] = p[2];
    m[3][3] = 1.0f;
}
} // namespace

extern "C" {

ORV_API void OVq_2m3(const OVq q, OVm3 m) {
    if (any_null(q, m)) return;
    quat_rows(q, m);
}

ORV_API void OVq_2m4(const OVq q, OVm4 m) {
    if (any_null(q, m)) return;
    const float zero[3] = {0.0f, 0.0f, 0.0f};
    quat_m4(q, zero, m);
}

ORV_API void OVpq_2m4(const OVpq *pq, OVm4 m) {
    if (any_null(pq, m)) return;
    quat_m4(pq->q, pq->p, m);
}

ORV_API void OVm3_2q(OVm3 m, OVq q) {
    if (any_null(m, q)) return;
    if (!orthonormalise(m)) {
        set_identity4(q);
        return;
    }
    orthonormal_2q(m, q);
}

ORV_API void OVm4_2pq(const OVm4 m, OVpq *pq) {
    if (any_null(m, pq)) return;
    std::copy(m[3], m[3] + 3, pq->p);
    set_identity4(pq->q);
    float r[3][3];
    for (int i = 0; i < 3; ++i)
        std::copy(m[i], m[i] + 3, r[i]);
    if (orthonormalise(r)) orthonormal_2q(r, pq->q);
}

} // extern "C"
