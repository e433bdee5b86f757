// What the math tests share: pi in float, and checks of three and four components.
#pragma once

#include <gtest/gtest.h>

namespace mathtest {

constexpr float kPi = 3.14159265f;

inline void expect_near3(const float *a, float x, float y, float z, float tol = 1e-5f) {
    EXPECT_NEAR(a[0], x, tol);
    EXPECT_NEAR(a[1], y, tol);
    EXPECT_NEAR(a[2], z, tol);
}

inline void expect_near4(const float *a, float x, float y, float z, float w, float tol = 1e-5f) {
    expect_near3(a, x, y, z, tol);
    EXPECT_NEAR(a[3], w, tol);
}

} // namespace mathtest
