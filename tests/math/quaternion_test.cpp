#include "math_checks.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace mathtest;

namespace {

// q and -q are the same rotation.
void expect_same_rotation(const float *a, const float *b, float tol = 1e-4f) {
    float dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    float s = dot < 0 ? -1.0f : 1.0f;
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(a[i], s * b[i], tol) << i;
}

void axis_q(float x, float y, float z, float angle, OVq out) {
    OVp3 axis = {x, y, z};
    OVaxisangle_2q(axis, angle, out);
}

TEST(Quaternion, PositiveTurnAboutZTakesXToMinusY) {
    OVq q;
    axis_q(0, 0, 1, kPi / 2, q);
    OVp3 v = {1, 0, 0}, out;
    OVp3_rotateq(v, q, out);
    expect_near3(out, 0, -1, 0);
    // The matrix of the quaternion agrees with conj(q) v q.
    OVm3 m;
    OVq_2m3(q, m);
    OVp3_xformm3(v, m, out);
    expect_near3(out, 0, -1, 0);
    EXPECT_NEAR(OVp3_rotateqcomponent(v, q, 1), -1.0f, 1e-6f);
    EXPECT_EQ(OVp3_rotateqcomponent(v, q, 3), 0.0f);
    EXPECT_EQ(OVp3_rotateqcomponent(v, q, -1), 0.0f);
}

TEST(Quaternion, ProductAppliesFirstOperandFirst) {
    OVq qz, qx, both;
    axis_q(0, 0, 1, kPi / 2, qz);
    axis_q(1, 0, 0, kPi / 2, qx);
    OVq_mult(qz, qx, both);
    OVp3 v = {1, 0, 0}, step, direct;
    OVp3_rotateq(v, qz, step);
    OVp3_rotateq(step, qx, step); // in place
    OVp3_rotateq(v, both, direct);
    expect_near3(direct, step[0], step[1], step[2]);
    // The difference takes the first into the second.
    OVq d, back;
    OVq_diff(qz, both, d);
    OVq_mult(qz, d, back);
    expect_same_rotation(back, both);
}

TEST(Quaternion, ProductIsNormalised) {
    OVq a = {0, 0, 2, 2}, b = {1, 0, 0, 3}, out;
    OVq_mult(a, b, out);
    float n = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2] + out[3] * out[3]);
    EXPECT_NEAR(n, 1.0f, 1e-6f);
}

TEST(Quaternion, AxisAngleNormalisesAxisAndKeepsZeroAxis) {
    OVp3 axis = {0, 0, 5};
    OVq q;
    OVaxisangle_2q(axis, kPi, q);
    expect_near3(axis, 0, 0, 1);
    EXPECT_NEAR(q[2], 1.0f, 1e-6f);
    OVp3 zero = {0, 0, 0};
    OVaxisangle_2q(zero, 1.0f, q);
    expect_near3(zero, 0, 0, 0);
    EXPECT_NEAR(q[3], std::cos(0.5f), 1e-6f);
    EXPECT_EQ(q[0], 0.0f);
}

TEST(Quaternion, AngleAxisAndScale) {
    OVq q;
    axis_q(0, 1, 0, 1.2f, q);
    EXPECT_NEAR(OVq_angle(q), 1.2f, 1e-5f);
    OVp3 axis;
    OVq_axis(q, axis);
    expect_near3(axis, 0, 1, 0);
    OVq half, expect;
    OVq_scale(q, 0.5f, half);
    axis_q(0, 1, 0, 0.6f, expect);
    expect_same_rotation(half, expect);
    OVq ident = {0, 0, 0, 1}, out;
    OVq_scale(ident, 3.0f, out);
    expect_same_rotation(out, ident);
}

TEST(Quaternion, RotateAboutCentreAndIntoFrame) {
    OVq q;
    axis_q(0, 0, 1, kPi / 2, q);
    OVp3 v = {2, 1, 0}, centre = {1, 1, 0}, out;
    OVp3_rotateabout(v, q, out, centre);
    expect_near3(out, 1, 0, 0);
    OVpq frame = {{1, 2, 3}, {0, 0, 0, 1}};
    axis_q(0, 0, 1, kPi / 2, frame.q);
    // A point placed by the frame comes back to its frame coordinates.
    OVp3 local = {1, 0, 0}, world, back;
    OVp3_rotateq(local, frame.q, world);
    for (int i = 0; i < 3; ++i)
        world[i] += frame.p[i];
    OVp3_intoframe(world, &frame, back);
    expect_near3(back, 1, 0, 0);
}

TEST(Quaternion, SlerpOfQAndMinusQReturnsQ) {
    OVq q, neg, out;
    axis_q(1, 1, 0, 0.8f, q);
    for (int i = 0; i < 4; ++i)
        neg[i] = -q[i];
    OVq_slerp(q, neg, 0.5f, out);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(out[i], q[i]);
    OVq_slerpshortest(q, neg, 0.5f, out);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(out[i], q[i]);
}

TEST(Quaternion, SlerpHalfwayAndShorterArc) {
    OVq a = {0, 0, 0, 1}, b, mid, expect;
    axis_q(0, 0, 1, 1.0f, b);
    OVq_slerp(a, b, 0.5f, mid);
    axis_q(0, 0, 1, 0.5f, expect);
    expect_same_rotation(mid, expect);
    // Toward -b the plain slerp takes the long way; the shortest variant does not.
    OVq nb = {-b[0], -b[1], -b[2], -b[3]}, longway, shortway;
    OVq_slerp(a, nb, 0.5f, longway);
    OVq_slerpshortest(a, nb, 0.5f, shortway);
    expect_same_rotation(shortway, expect);
    EXPECT_GT(std::fabs(OVq_angle(longway) - 0.5f), 0.5f);
}

TEST(Quaternion, DirectionOfIdentityIsPlusZ) {
    OVq ident = {0, 0, 0, 1};
    OVp3 d;
    OVq_2dir(ident, d);
    expect_near3(d, 0, 0, 1);
}

TEST(Quaternion, DirectionRoundTrips) {
    const float dirs[][3] = {{1, 0, 0},
                             {0, 1, 0},
                             {0, -1, 0},
                             {0, 0, -1},
                             {-1, 0, 0},
                             {0.3f, -0.4f, 0.866f},
                             {-0.6f, 0.0f, -0.8f},
                             {0.5f, 0.5f, -0.7071f}};
    for (const auto &dir : dirs) {
        OVq q;
        OVdir_2q(dir, q);
        OVp3 d;
        OVq_2dir(q, d);
        float len = std::sqrt(dir[0] * dir[0] + dir[1] * dir[1] + dir[2] * dir[2]);
        expect_near3(d, dir[0] / len, dir[1] / len, dir[2] / len, 1e-4f);
    }
}

TEST(Quaternion, DirectionAndTwistRoundTrip) {
    const float twists[] = {0.0f, 0.7f, -1.3f, 2.5f};
    const float dirs[][3] = {{0, 0, 1}, {1, 0, 0}, {0.3f, -0.4f, 0.866f}, {-0.6f, 0.2f, -0.8f}};
    for (const auto &dir : dirs)
        for (float twist : twists) {
            OVq q;
            OVdirtwist_2q(dir, twist, q);
            OVp3 d;
            float t = 99.0f;
            OVq_2dirtwist(q, d, &t);
            EXPECT_NEAR(t, twist, 1e-3f) << dir[0] << " " << dir[1] << " " << dir[2];
            OVq again;
            OVdirtwist_2q(d, t, again);
            expect_same_rotation(again, q, 1e-3f);
        }
}

std::string captured;
int capture(const char *text) {
    captured += text;
    return 0;
}

TEST(Quaternion, PrintFormats) {
    captured.clear();
    OVmessage_sethook(capture);
    OVp3 p = {1, -2.5f, 0};
    OVq q = {0, 0, 0, 1};
    OVpq pq = {{1, 2, 3}, {0, 0, 0, 1}};
    OVp3_print(p, "p");
    OVq_print(q, "q");
    OVpq_print(&pq, "pq");
    OVmessage_sethook(nullptr);
    EXPECT_EQ(captured,
              "p   1.0000  -2.5000   0.0000\n"
              "q   0.0000   0.0000   0.0000   1.0000\n"
              "pq p:   1.0000   2.0000   3.0000, q:   0.0000   0.0000   0.0000   1.0000\n");
}

} // namespace
