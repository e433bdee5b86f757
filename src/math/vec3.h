// The toolkit's internal three-component vector helpers over plain float
// arrays (OVp3), shared by every module instead of local copies.
#pragma once

#include <cmath>
#include <cstring>

namespace orv::vec {

inline float dot(const float *a, const float *b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Square root in double, stored as float, as the math functions do.
inline float length(const float *a) {
    return static_cast<float>(std::sqrt(static_cast<double>(dot(a, a))));
}

inline void copy(const float *from, float *to) {
    std::memcpy(to, from, 3 * sizeof(float));
}

// out = a - b; out may be a or b.
inline void sub(const float *a, const float *b, float *out) {
    out[0] = a[0] - b[0];
    out[1] = a[1] - b[1];
    out[2] = a[2] - b[2];
}

// to += step.
inline void add(float *to, const float *step) {
    to[0] += step[0];
    to[1] += step[1];
    to[2] += step[2];
}

// out = a x b; out may be a or b.
inline void cross(const float *a, const float *b, float *out) {
    const float x = a[1] * b[2] - a[2] * b[1], y = a[2] * b[0] - a[0] * b[2],
                z = a[0] * b[1] - a[1] * b[0];
    out[0] = x;
    out[1] = y;
    out[2] = z;
}

} // namespace orv::vec
