// Conventions of the math functions worked out by hand: raw-component
// formulas, product orders, aliasing and the polygon normal's special cases.
#include "math_checks.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mathtest;

namespace {

void axis_q(float x, float y, float z, float angle, OVq out) {
    OVp3 axis = {x, y, z};
    OVaxisangle_2q(axis, angle, out);
}

TEST(Conventions, DirectionUsesTheComponentsAsStored) {
    // Not normalised: the formula is applied to the raw components.
    const OVq q = {0.1f, 0.2f, 0.3f, 0.9f};
    OVp3 d;
    OVq_2dir(q, d);
    EXPECT_NEAR(d[0], 2 * (0.1f * 0.3f - 0.2f * 0.9f), 1e-6f);
    EXPECT_NEAR(d[1], 2 * (0.2f * 0.3f + 0.1f * 0.9f), 1e-6f);
    EXPECT_NEAR(d[2], 0.81f + 0.09f - 0.01f - 0.04f, 1e-6f);
}

TEST(Conventions, EulerAnglesAreZThenYThenXAllNegated) {
    const float a = 0.3f, b = -0.2f, c = 0.9f;
    OVq qz, qy, qx, zy, expected, q;
    axis_q(0, 0, 1, -c, qz);
    axis_q(0, 1, 0, -b, qy);
    axis_q(1, 0, 0, -a, qx);
    OVq_mult(qz, qy, zy);
    OVq_mult(zy, qx, expected);
    OVeuler_2q(a, b, c, q);
    const float s = q[3] * expected[3] < 0 ? -1.0f : 1.0f;
    expect_near4(q, s * expected[0], s * expected[1], s * expected[2], s * expected[3]);
}

TEST(Conventions, HorizontalDirectionsHaveNoRoll) {
    const float dirs[][3] = {
        {1, 0, 0}, {-1, 0, 0}, {0, 0, -1}, {0.6f, 0, 0.8f}, {0.6f, 0.3f, -0.8f}};
    for (const auto &dir : dirs) {
        OVq q;
        OVdir_2q(dir, q);
        OVm3 m;
        OVq_2m3(q, m);
        // The image of +X stays in the horizontal plane: no roll.
        EXPECT_NEAR(m[0][1], 0.0f, 1e-5f) << dir[0] << " " << dir[2];
    }
}

TEST(Conventions, StraightAheadAndStraightUp) {
    const OVp3 ahead = {0, 0, 1}, up = {0, 1, 0}, back = {0, 0, -1};
    OVq q;
    OVdir_2q(ahead, q);
    expect_near4(q, 0, 0, 0, 1);
    // Up: a quarter turn about +X, by the heading function's dead zone.
    OVdir_2q(up, q);
    const float h = std::sqrt(0.5f);
    expect_near4(q, h, 0, 0, h);
    // Behind: a half turn about Y.
    OVdir_2q(back, q);
    const float s = q[1] < 0 ? -1.0f : 1.0f;
    expect_near4(q, 0, s * 1.0f, 0, 0);
}

// Components below the tolerance count as zero when the heading is taken.
TEST(Conventions, HeadingDeadZone) {
    const OVp3 tiny = {0.003f, 0.002f, 0.001f};
    OVq q;
    OVdir_2q(tiny, q);
    expect_near4(q, 0, 0, 0, 1);
    // A sideways component under the tolerance still gives an exact quarter turn.
    const OVp3 side = {1, 0, 0.003f};
    OVdir_2q(side, q);
    const float h = std::sqrt(0.5f);
    expect_near4(q, 0, -h, 0, h, 1e-6f);
}

TEST(Conventions, TwistIsARollInFrontOfTheDirection) {
    // Along +Z the orientation is the roll alone: Euler (0, 0, twist).
    OVp3 dir = {0, 0, 5};
    OVq q;
    OVdirtwist_2q(dir, 0.8f, q);
    expect_near4(q, 0, 0, -std::sin(0.4f), std::cos(0.4f));
    EXPECT_FLOAT_EQ(dir[2], 5.0f); // the caller's direction is not touched
    const OVq ident = {0, 0, 0, 1};
    OVp3 d;
    float twist = 7;
    OVq_2dirtwist(ident, d, &twist);
    EXPECT_EQ(twist, 0.0f);
    EXPECT_NEAR(d[2], 1.0f, 1e-6f);
}

TEST(Conventions, DifferenceIsNormalised) {
    OVq a, b, d;
    axis_q(0, 0, 1, 0.5f, a);
    axis_q(1, 0, 0, 1.1f, b);
    for (float &v : a)
        v *= 3.0f; // the same rotation, three times as long
    OVq_diff(a, b, d);
    EXPECT_NEAR(d[0] * d[0] + d[1] * d[1] + d[2] * d[2] + d[3] * d[3], 1.0f, 1e-5f);
    // conj(a) * b by hand, then normalised.
    const float x = a[3] * b[0] - a[0] * b[3] - a[1] * b[2] + a[2] * b[1];
    const float y = a[3] * b[1] + a[0] * b[2] - a[1] * b[3] - a[2] * b[0];
    const float z = a[3] * b[2] - a[0] * b[1] + a[1] * b[0] - a[2] * b[3];
    const float w = a[3] * b[3] + a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    const float n = std::sqrt(x * x + y * y + z * z + w * w);
    expect_near4(d, x / n, y / n, z / n, w / n);
}

TEST(Conventions, ProductAndRotationsMayWriteOverTheirInputs) {
    OVq a, b, expected;
    axis_q(0, 1, 0, 0.7f, a);
    axis_q(1, 1, 0, -0.4f, b);
    OVq_mult(a, b, expected);
    OVq first = {a[0], a[1], a[2], a[3]}, second = {b[0], b[1], b[2], b[3]};
    OVq_mult(first, b, first);
    expect_near4(first, expected[0], expected[1], expected[2], expected[3]);
    OVq_mult(a, second, second);
    expect_near4(second, expected[0], expected[1], expected[2], expected[3]);

    const OVp3 centre = {1, 2, 3};
    OVp3 v = {4, -1, 2}, out;
    OVp3_rotateabout(v, a, out, centre);
    OVp3_rotateabout(v, a, v, centre);
    EXPECT_FLOAT_EQ(v[0], out[0]);
    EXPECT_FLOAT_EQ(v[1], out[1]);
    EXPECT_FLOAT_EQ(v[2], out[2]);

    const OVpq frame = {{1, 0, -2}, {a[0], a[1], a[2], a[3]}};
    OVp3 w = {3, 3, 3};
    OVp3_intoframe(w, &frame, out);
    OVp3_intoframe(w, &frame, w);
    EXPECT_FLOAT_EQ(w[0], out[0]);
    EXPECT_FLOAT_EQ(w[1], out[1]);
    EXPECT_FLOAT_EQ(w[2], out[2]);
}

TEST(Conventions, FourByFourProductMayWriteOverEitherInput) {
    OVm4 a = {{1, 2, 0, 0}, {0, 1, 0, 0}, {0, 0, 2, 0}, {1, 2, 3, 1}};
    OVm4 b = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {5, 0, 0, 1}};
    OVm4 ab;
    OVm4_mult(a, b, ab);
    // Row 3 of A·B: (1, 2, 3, 1)·B = (1·0 + 2·-1 + 5, 1·1, 3, 1).
    EXPECT_FLOAT_EQ(ab[3][0], 3.0f);
    EXPECT_FLOAT_EQ(ab[3][1], 1.0f);
    EXPECT_FLOAT_EQ(ab[3][2], 3.0f);
    EXPECT_FLOAT_EQ(ab[3][3], 1.0f);
    OVm4_mult(a, b, b);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_FLOAT_EQ(b[i][j], ab[i][j]) << i << j;
}

// The rotation of a scaled pose matrix is found through the orthonormalised
// copy; the matrix itself is left alone.
TEST(Conventions, PoseOfAScaledMatrix) {
    OVq q;
    axis_q(1, 2, -1, 0.9f, q);
    OVm4 m;
    const OVpq pose = {{4, -5, 6}, {q[0], q[1], q[2], q[3]}};
    OVpq_2m4(&pose, m);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m[i][j] *= 3.0f;
    const float corner = m[0][0];
    OVpq back;
    OVm4_2pq(m, &back);
    EXPECT_EQ(m[0][0], corner);
    EXPECT_EQ(back.p[0], 4.0f);
    EXPECT_EQ(back.p[1], -5.0f);
    EXPECT_EQ(back.p[2], 6.0f);
    const float s = back.q[3] * q[3] < 0 ? -1.0f : 1.0f;
    expect_near4(back.q, s * q[0], s * q[1], s * q[2], s * q[3], 1e-5f);
}

TEST(Conventions, SlerpEndsAndNearlyEqualInputs) {
    OVq a, b, out;
    axis_q(0, 0, 1, 0.2f, a);
    axis_q(0, 1, 0, 1.4f, b);
    OVq_slerp(a, b, 0.0f, out);
    expect_near4(out, a[0], a[1], a[2], a[3]);
    OVq_slerp(a, b, 1.0f, out);
    expect_near4(out, b[0], b[1], b[2], b[3]);
    // Every component within the tolerance: the first input, exactly.
    const OVq close = {a[0] + 0.003f, a[1] - 0.003f, a[2] + 0.001f, a[3]};
    OVq_slerp(a, close, 0.5f, out);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(out[i], a[i]) << i;
}

TEST(Conventions, ScalingByZeroGivesNoTurn) {
    OVq q, out;
    axis_q(1, 0, 0, 1.0f, q);
    OVq_scale(q, 0.0f, out);
    expect_near4(out, 0, 0, 0, 1);
    OVq_scale(q, 2.0f, out);
    EXPECT_NEAR(OVq_angle(out), 2.0f, 1e-4f);
    EXPECT_NEAR(out[0], std::sin(1.0f), 1e-5f);
}

TEST(Conventions, TooFewPointsAreNeverRead) {
    OVp3 n = {7, 8, 9};
    EXPECT_EQ(OVp3_polynormal(nullptr, 0, n), 1);
    EXPECT_EQ(OVp3_polynormal(nullptr, -3, n), 1);
    EXPECT_EQ(n[0], 7.0f);
    EXPECT_EQ(n[1], 8.0f);
    EXPECT_EQ(n[2], 9.0f);
}

TEST(Conventions, ClockwisePolygonFacesAway) {
    const OVp3 pts[] = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(pts, 4, n), 1);
    EXPECT_NEAR(n[0], 0.0f, 1e-6f);
    EXPECT_NEAR(n[1], 0.0f, 1e-6f);
    EXPECT_NEAR(n[2], -1.0f, 1e-6f);
}

TEST(Conventions, ConvexPentagonWithARepeatedCorner) {
    // The repeated corner adds nothing; the rest still make a convex polygon.
    const OVp3 pts[] = {{0, 0, 2}, {2, 0, 2}, {2, 0, 2}, {3, 2, 2}, {1, 3, 2}, {-1, 2, 2}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(pts, 6, n), 1);
    EXPECT_NEAR(n[0], 0.0f, 1e-6f);
    EXPECT_NEAR(n[1], 0.0f, 1e-6f);
    EXPECT_NEAR(n[2], 1.0f, 1e-6f);
    const OVp3 pentagon[] = {{0, 0, 0}, {2, 0, 0}, {3, 2, 0}, {1, 3, 0}, {-1, 2, 0}};
    EXPECT_EQ(OVp3_polynormal(pentagon, 5, n), 1);
    EXPECT_NEAR(n[2], 1.0f, 1e-6f);
}

TEST(Conventions, PlanarDartIsNotConvex) {
    const OVp3 dart[] = {{0, 0, 0}, {2, 1, 0}, {0, 2, 0}, {0.5f, 1, 0}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(dart, 4, n), 2);
    EXPECT_NEAR(n[2], 1.0f, 1e-6f);
}

TEST(Conventions, CrossingQuadrilateralTakesItsFirstTurn) {
    // The turns cancel: the normal falls back to the first one, (0, 0, -1).
    const OVp3 bowtie[] = {{0, 0, 0}, {1, 1, 0}, {1, 0, 0}, {0, 1, 0}};
    OVp3 n = {9, 9, 9};
    EXPECT_EQ(OVp3_polynormal(bowtie, 4, n), 2);
    EXPECT_EQ(n[0], 0.0f);
    EXPECT_EQ(n[1], 0.0f);
    EXPECT_FLOAT_EQ(n[2], -1.0f);
}

TEST(Conventions, HalfTurnAboutYLooksBack) {
    OVq q;
    axis_q(0, 1, 0, kPi, q);
    OVp3 d;
    OVq_2dir(q, d);
    EXPECT_NEAR(d[0], 0.0f, 1e-6f);
    EXPECT_NEAR(d[2], -1.0f, 1e-6f);
}

} // namespace
