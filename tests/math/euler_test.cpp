#include "math_checks.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mathtest;

namespace {

TEST(Euler, QuaternionRoundTripAwayFromGimbalLock) {
    const float angles[][3] = {{0.1f, 0.2f, 0.3f},
                               {-1.0f, 1.2f, 2.5f},
                               {2.8f, -1.4f, -3.0f},
                               {0.0f, 0.0f, 0.0f},
                               {-2.0f, 0.7f, 1.0f}};
    for (const auto &e : angles) {
        OVq q;
        OVeuler_2q(e[0], e[1], e[2], q);
        OVp3 out;
        OVq_2euler(q, e, out);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(out[i], e[i], 1e-3f) << i;
    }
}

TEST(Euler, ConventionIsZThenYThenXNegated) {
    // c alone is a turn by -c about Z.
    OVq q, expect;
    OVeuler_2q(0, 0, 0.8f, q);
    OVp3 z = {0, 0, 1};
    OVaxisangle_2q(z, -0.8f, expect);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(q[i], expect[i], 1e-6f);
}

TEST(Euler, MatrixMatchesQuaternion) {
    const float e[3] = {0.4f, -0.9f, 2.1f};
    OVq q;
    OVeuler_2q(e[0], e[1], e[2], q);
    OVm3 mq, me;
    OVq_2m3(q, mq);
    OVeuler_2m3(e[0], e[1], e[2], me);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(me[i][j], mq[i][j], 1e-5f) << i << j;
    OVp3 out;
    OVm3_2euler(me, e, out);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(out[i], e[i], 1e-3f);
}

TEST(Euler, ReferencePicksTheNearerSolution) {
    OVq q;
    OVeuler_2q(0.3f, 0.2f, 0.1f, q);
    // The equivalent second solution (a - pi, pi - b, c - pi).
    const float far[3] = {0.3f - kPi, kPi - 0.2f, 0.1f - kPi};
    OVp3 out;
    OVq_2euler(q, far, out);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(out[i], far[i], 1e-3f);
    const float near[3] = {0, 0, 0};
    OVq_2euler(q, near, out);
    EXPECT_NEAR(out[0], 0.3f, 1e-3f);
}

TEST(Euler, GimbalLockPutsTheTurnIntoRoll) {
    OVm3 m;
    OVeuler_2m3(0.0f, kPi / 2, 0.6f, m);
    const float ref[3] = {0, kPi / 2, 0.6f};
    OVp3 out;
    OVm3_2euler(m, ref, out);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_NEAR(out[1], kPi / 2, 1e-3f);
    EXPECT_NEAR(out[2], 0.6f, 1e-3f);
}

} // namespace
