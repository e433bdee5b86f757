// Small helpers shared by the math files. Arithmetic stays in float; square
// roots and trigonometry are evaluated in double and stored as float.
#pragma once

#include "math/vec3.h"
#include "orv/math.h"

#include <cmath>

namespace orv::math {

inline constexpr float kPi = 3.14159265358979323846f;

// Whether any of the caller's arrays is missing: math functions then do
// nothing and give 0.
template <class... P> bool any_null(const P *...arrays) {
    return ((arrays == nullptr) || ...);
}

inline float fsqrt(float x) {
    return static_cast<float>(std::sqrt(static_cast<double>(x)));
}
inline float fsin(float x) {
    return static_cast<float>(std::sin(static_cast<double>(x)));
}
inline float fcos(float x) {
    return static_cast<float>(std::cos(static_cast<double>(x)));
}
inline float fatan2(float y, float x) {
    return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}
// acos clamped to its domain: rounding can push a unit dot product past 1.
inline float facos(float x) {
    double d = x > 1.0f ? 1.0 : x < -1.0f ? -1.0 : static_cast<double>(x);
    return static_cast<float>(std::acos(d));
}

// Hamilton product of two (x, y, z, w) quaternions, not normalised.
inline void hamilton(const float *a, const float *b, float *out) {
    float x = a[3] * b[0] + a[0] * b[3] + a[1] * b[2] - a[2] * b[1];
    float y = a[3] * b[1] - a[0] * b[2] + a[1] * b[3] + a[2] * b[0];
    float z = a[3] * b[2] + a[0] * b[1] - a[1] * b[0] + a[2] * b[3];
    float w = a[3] * b[3] - a[0] * b[0] - a[1] * b[1] - a[2] * b[2];
    out[0] = x;
    out[1] = y;
    out[2] = z;
    out[3] = w;
}

// Orthonormalises the rows of a rotation matrix in place; false (matrix left
// as it is at that point) when row 0 or the corrected row 1 is too short.
bool orthonormalise(float m[3][3]);
// Quaternion of an orthonormal matrix.
void orthonormal_2q(const float m[3][3], float q[4]);

} // namespace orv::math
