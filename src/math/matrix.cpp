// Matrix transpose, product and inverses.
#include "math/math_internal.h"
#include "orv/message.h"

#include <cstring>

using namespace orv::math;

namespace {
template <int N> void transpose(const float (*src)[N], float (*dst)[N]) {
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j)
            dst[j][i] = src[i][j];
}

// The inputs are copied first so that out may alias either.
template <int N> void multiply(const float (*a)[N], const float (*b)[N], float (*out)[N]) {
    float ca[N][N], cb[N][N];
    std::memcpy(ca, a, sizeof ca);
    std::memcpy(cb, b, sizeof cb);
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j) {
            float s = 0.0f;
            for (int k = 0; k < N; ++k)
                s += ca[i][k] * cb[k][j];
            out[i][j] = s;
        }
}

void identity4(float m[4][4]) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            m[i][j] = i == j ? 1.0f : 0.0f;
}

// Determinant of the 3x3 minor of m without row r and column c.
float minor3(const float m[4][4], int r, int c) {
    float s[3][3];
    for (int i = 0, si = 0; i < 4; ++i) {
        if (i == r) continue;
        for (int j = 0, sj = 0; j < 4; ++j) {
            if (j == c) continue;
            s[si][sj++] = m[i][j];
        }
        ++si;
    }
    return s[0][0] * (s[1][1] * s[2][2] - s[1][2] * s[2][1]) -
           s[0][1] * (s[1][0] * s[2][2] - s[1][2] * s[2][0]) +
           s[0][2] * (s[1][0] * s[2][1] - s[1][1] * s[2][0]);
}
} // namespace

extern "C" {

ORV_API void OVm3_transpose(const OVm3 src, OVm3 dst) {
    if (any_null(src, dst)) return;
    transpose(src, dst);
}

ORV_API void OVm4_transpose(const OVm4 src, OVm4 dst) {
    if (any_null(src, dst)) return;
    transpose(src, dst);
}

ORV_API void OVm3_mult(const OVm3 a, const OVm3 b, OVm3 out) {
    if (any_null(a, b, out)) return;
    multiply(a, b, out);
}

ORV_API void OVm4_mult(const OVm4 a, const OVm4 b, OVm4 out) {
    if (any_null(a, b, out)) return;
    multiply(a, b, out);
}

ORV_API int OVm4_invert(const OVm4 src, OVm4 dst) {
    if (any_null(src, dst)) return 0;
    float cof[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            cof[i][j] = ((i + j) % 2 ? -1.0f : 1.0f) * minor3(src, i, j);
    float det = src[0][0] * cof[0][0] + src[0][1] * cof[0][1] + src[0][2] * cof[0][2] +
                src[0][3] * cof[0][3];
    if (det == 0.0f) {
        identity4(dst);
        OVwarning("zero matrix determinant in OVm4_invert\n");
        return 0;
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            dst[i][j] = cof[j][i] / det;
    return 1;
}

// A true inverse whether the scale is applied before or after the rotation:
// the columns of the inverse of the upper block are the cross products of
// its rows over the determinant. A block with a zero row falls back to the
// transpose over the squared row lengths, which leaves that axis at zero.
ORV_API void OVm4_invertortho(const OVm4 src, OVm4 dst) {
    if (any_null(src, dst)) return;
    float a[4][4];
    std::memcpy(a, src, sizeof a);
    float across[3][3];
    for (int c = 0; c < 3; ++c)
        OVp3_cross(a[(c + 1) % 3], a[(c + 2) % 3], across[c]);
    const float det = orv::vec::dot(a[0], across[0]);
    for (int c = 0; c < 3; ++c) {
        const float s = orv::vec::dot(a[c], a[c]);
        for (int r = 0; r < 3; ++r)
            dst[r][c] = det != 0.0f ? across[c][r] / det : s != 0.0f ? a[c][r] / s : 0.0f;
    }
    for (int i = 0; i < 3; ++i)
        dst[3][i] = -(a[3][0] * dst[0][i] + a[3][1] * dst[1][i] + a[3][2] * dst[2][i]);
    dst[0][3] = dst[1][3] = dst[2][3] = 0.0f;
    dst[3][3] = 1.0f;
}

} // extern "C"
