// Eigen-decomposition of a symmetric 3x3 matrix by cyclic Jacobi rotations.
#include "math/math_internal.h"
#include "orv/message.h"

using namespace orv::math;

namespace {

constexpr int kMaxSweeps = 50;

void rotate_pair(float &a, float &b, float s, float tau) {
    float g = a, h = b;
    a = g - s * (h + g * tau);
    b = h + s * (g - h * tau);
}

// Zeroes m[p][q] and updates the rest of the upper triangle and the vectors.
void rotate(float m[3][3], float v[3][3], float d[3], float z[3], int p, int q, float g) {
    float h = d[q] - d[p];
    float t;
    if (std::fabs(h) + g == std::fabs(h)) {
        t = m[p][q] / h;
    } else {
        float theta = 0.5f * h / m[p][q];
        t = 1.0f / (std::fabs(theta) + fsqrt(theta * theta + 1.0f));
        if (theta < 0.0f) t = -t;
    }
    float c = 1.0f / fsqrt(t * t + 1.0f), s = t * c, tau = s / (1.0f + c);
    h = t * m[p][q];
    z[p] -= h;
    z[q] += h;
    d[p] -= h;
    d[q] += h;
    m[p][q] = 0.0f;
    for (int j = 0; j < p; ++j)
        rotate_pair(m[j][p], m[j][q], s, tau);
    for (int j = p + 1; j < q; ++j)
        rotate_pair(m[p][j], m[j][q], s, tau);
    for (int j = q + 1; j < 3; ++j)
        rotate_pair(m[p][j], m[q][j], s, tau);
    for (int j = 0; j < 3; ++j)
        rotate_pair(v[j][p], v[j][q], s, tau);
}

} // namespace

extern "C" {

ORV_API void _OVjacobi(OVm3 m, OVp3 d, OVm3 v) {
    if (any_null(m, d, v)) return;
    float b[3], z[3] = {0.0f, 0.0f, 0.0f};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            v[i][j] = i == j ? 1.0f : 0.0f;
        b[i] = d[i] = m[i][i];
    }
    for (int sweep = 1; sweep <= kMaxSweeps; ++sweep) {
        float sm = std::fabs(m[0][1]) + std::fabs(m[0][2]) + std::fabs(m[1][2]);
        if (sm < OV_TOLERANCE) return;
        float threshold = sweep < 4 ? 0.2f * sm / 9.0f : 0.0f;
        for (int p = 0; p < 2; ++p)
            for (int q = p + 1; q < 3; ++q) {
                float g = 100.0f * std::fabs(m[p][q]);
                if (sweep > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) &&
                    std::fabs(d[q]) + g == std::fabs(d[q])) {
                    m[p][q] = 0.0f;
                } else if (std::fabs(m[p][q]) > threshold) {
                    rotate(m, v, d, z, p, q, g);
                }
            }
        for (int i = 0; i < 3; ++i) {
            b[i] += z[i];
            d[i] = b[i];
            z[i] = 0.0f;
        }
    }
    OVfatal("_OVjacobi diagonalization didn't converge");
}

} // extern "C"
