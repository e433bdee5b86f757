// Quaternion, vector and angle functions checked against their formulas on
// raw (often non-unit) inputs, and the edges of each conversion.
#include "math_checks.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mathtest;

namespace {

void expect_same_rotation(const float *a, const float *b, float tol = 1e-4f) {
    const float dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    const float s = dot < 0 ? -1.0f : 1.0f;
    expect_near4(a, s * b[0], s * b[1], s * b[2], s * b[3], tol);
}

void axis_q(float x, float y, float z, float angle, OVq out) {
    OVp3 axis = {x, y, z};
    OVaxisangle_2q(axis, angle, out);
}

TEST(VectorFormulas, CrossProductOfGeneralVectors) {
    OVp3 a = {1, 2, 3}, b = {4, 5, 6}, c;
    OVp3_cross(a, b, c);
    expect_near3(c, -3, 6, -3, 0);
    OVp3_cross(b, a, c);
    expect_near3(c, 3, -6, 3, 0);
    OVp3_cross(a, b, b); // the second input may be the output
    expect_near3(b, -3, 6, -3, 0);
}

TEST(VectorFormulas, FastLengthTakesMagnitudes) {
    const OVp3 v = {-1, 2, -5};
    EXPECT_FLOAT_EQ(OVp3_fastlength(v), (8.0f + 1.4142135f * 5.0f) * 0.41421357f);
    const OVp3 zero = {0, 0, 0};
    EXPECT_EQ(OVp3_fastlength(zero), 0.0f);
    // Along one axis it overestimates by under 0.1 %.
    const OVp3 axis = {0, -10, 0};
    EXPECT_NEAR(OVp3_fastlength(axis), 10.0f, 0.01f);
}

TEST(VectorFormulas, LineDistanceOnAndBehindTheLine) {
    const OVp3 line_point = {1, 1, 1}, dir = {0, 0, 1};
    const OVp3 on = {1, 1, -40}, behind = {4, 5, -10};
    EXPECT_NEAR(OVp3_linedistance(on, line_point, dir), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(OVp3_linedistance(behind, line_point, dir), 5.0f);
    EXPECT_FLOAT_EQ(OVp3_distance(behind, line_point), std::sqrt(9.0f + 16.0f + 121.0f));
}

// Basis quaternions: with x, y, z as i, j, k the Hamilton product has i·j = k.
TEST(QuaternionFormulas, HamiltonProductOfBasisElements) {
    const OVq i = {1, 0, 0, 0}, j = {0, 1, 0, 0}, k = {0, 0, 1, 0};
    OVq out;
    OVq_mult(i, j, out);
    expect_near4(out, 0, 0, 1, 0, 0);
    OVq_mult(j, i, out);
    expect_near4(out, 0, 0, -1, 0, 0);
    OVq_mult(j, k, out);
    expect_near4(out, 1, 0, 0, 0, 0);
    OVq_mult(k, k, out);
    expect_near4(out, 0, 0, 0, -1, 0);
    // Non-unit inputs: the product of norms 5 and 2 comes out of length 1.
    const OVq a = {0, 3, 0, 4}, b = {0, 0, 0, 2};
    OVq_mult(a, b, out);
    expect_near4(out, 0, 0.6f, 0, 0.8f);
}

TEST(QuaternionFormulas, DifferenceOfBasisElements) {
    // conj(i)·j = -i·j = -k
    const OVq i = {1, 0, 0, 0}, j = {0, 1, 0, 0};
    OVq out;
    OVq_diff(i, j, out);
    expect_near4(out, 0, 0, -1, 0, 0);
    OVq_diff(i, i, out);
    expect_near4(out, 0, 0, 0, 1, 0);
}

TEST(QuaternionFormulas, EachRotatedComponentMatchesTheFullRotation) {
    OVq q;
    axis_q(0.3f, -0.8f, 0.5f, 2.2f, q);
    const OVp3 v = {1.5f, -2, 0.25f};
    OVp3 full;
    OVp3_rotateq(v, q, full);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(OVp3_rotateqcomponent(v, q, i), full[i], 1e-5f) << i;
    EXPECT_EQ(OVp3_rotateqcomponent(v, q, 7), 0.0f);
}

TEST(QuaternionFormulas, RotationsAboutEachAxisTurnClockwise) {
    // Seen from the positive end of the axis: +Y to -Z about X, +Z to -X about Y.
    OVq q;
    OVp3 out;
    axis_q(1, 0, 0, kPi / 2, q);
    const OVp3 y = {0, 1, 0};
    OVp3_rotateq(y, q, out);
    expect_near3(out, 0, 0, -1);
    axis_q(0, 1, 0, kPi / 2, q);
    const OVp3 z = {0, 0, 1};
    OVp3_rotateq(z, q, out);
    expect_near3(out, -1, 0, 0);
}

TEST(QuaternionFormulas, IntoFrameUndoesThePlacement) {
    OVpq frame = {{1, 2, 3}, {0, 0, 0, 1}};
    axis_q(0, 0, 1, kPi / 2, frame.q);
    // The frame's own +X points along world -Y.
    const OVp3 world = {1, 1, 3};
    OVp3 local;
    OVp3_intoframe(world, &frame, local);
    expect_near3(local, 1, 0, 0);
}

TEST(QuaternionFormulas, ThreeByThreeTransformIsARowVectorProduct) {
    const OVm3 m = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}};
    const OVp3 v = {1, -1, 2};
    OVp3 out;
    OVp3_xformm3(v, m, out);
    expect_near3(out, 1 - 4 + 14, 2 - 5 + 16, 3 - 6 + 20, 0);
}

TEST(QuaternionFormulas, MatrixOfANonUnitQuaternionUsesTheRawComponents) {
    const OVq q = {1, 2, 3, 4};
    OVm3 m;
    OVq_2m3(q, m);
    const float expected[3][3] = {
        {1 - 8 - 18, 4 - 24, 6 + 16}, {4 + 24, 1 - 2 - 18, 12 - 8}, {6 - 16, 12 + 8, 1 - 2 - 8}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_FLOAT_EQ(m[r][c], expected[r][c]) << r << c;
}

TEST(QuaternionFormulas, PoseMatricesFillEveryElement) {
    OVq q;
    axis_q(1, 1, 1, 0.7f, q);
    OVm3 rot;
    OVq_2m3(q, rot);
    OVm4 m;
    for (auto &row : m)
        for (float &e : row)
            e = 99;
    OVq_2m4(q, m);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_FLOAT_EQ(m[r][c], rot[r][c]) << r << c;
        EXPECT_EQ(m[r][3], 0.0f);
        EXPECT_EQ(m[3][r], 0.0f);
    }
    EXPECT_EQ(m[3][3], 1.0f);
    const OVpq pose = {{-1, 2, -3}, {q[0], q[1], q[2], q[3]}};
    for (auto &row : m)
        for (float &e : row)
            e = 99;
    OVpq_2m4(&pose, m);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_FLOAT_EQ(m[r][c], rot[r][c]) << r << c;
        EXPECT_EQ(m[r][3], 0.0f);
        EXPECT_EQ(m[3][r], pose.p[r]);
    }
    EXPECT_EQ(m[3][3], 1.0f);
}

TEST(QuaternionFormulas, AngleAndAxisOfTheSecondCover) {
    // w < 0: the angle is above pi, the axis keeps the sign of (x, y, z).
    const OVq q = {0, 0.6f, 0, -0.8f};
    EXPECT_NEAR(OVq_angle(q), 2.0f * std::acos(-0.8f), 1e-5f);
    OVp3 axis;
    OVq_axis(q, axis);
    expect_near3(axis, 0, 1, 0);
    const OVq half_turn = {0, 0, 1, 0};
    EXPECT_NEAR(OVq_angle(half_turn), kPi, 1e-6f);
    OVq_axis(half_turn, axis);
    expect_near3(axis, 0, 0, 1);
}

TEST(QuaternionFormulas, ScalingKeepsTheAxis) {
    OVq q, out, expected;
    axis_q(0, 0, 1, 0.6f, q);
    OVq_scale(q, -2.0f, out);
    axis_q(0, 0, 1, -1.2f, expected);
    expect_same_rotation(out, expected, 1e-5f);
    // No turn at all: the input is copied as it is.
    const OVq none = {0, 0, 0, 1};
    OVq_scale(none, 4.0f, out);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(out[i], none[i]) << i;
}

TEST(QuaternionFormulas, AxisAngleForNegativeAnglesAndLongAxes) {
    OVp3 axis = {3, 0, 4};
    OVq q;
    OVaxisangle_2q(axis, -1.0f, q);
    expect_near3(axis, 0.6f, 0, 0.8f);
    expect_near4(q, -0.6f * std::sin(0.5f), 0, -0.8f * std::sin(0.5f), std::cos(0.5f));
}

// A difference above pi is measured the short way round the circle, which
// keeps the first solution near a reference on the other side of +-pi.
TEST(EulerFormulas, ReferenceDistanceWrapsAroundTheCircle) {
    OVq q;
    OVeuler_2q(3.0f, 0.2f, 3.0f, q);
    const OVp3 reference = {-3.0f, 0.2f, -3.0f};
    OVp3 out;
    OVq_2euler(q, reference, out);
    expect_near3(out, 3.0f, 0.2f, 3.0f, 1e-4f);
    OVm3 m;
    OVq_2m3(q, m);
    OVm3_2euler(m, reference, out);
    expect_near3(out, 3.0f, 0.2f, 3.0f, 1e-4f);
}

TEST(EulerFormulas, SecondSolutionForANegativeReference) {
    OVq q;
    OVeuler_2q(-0.3f, -0.2f, -0.1f, q);
    // a' = a + pi, b' = -pi - b, c' = c + pi for negative angles.
    const OVp3 reference = {-0.3f + kPi, -kPi + 0.2f, -0.1f + kPi};
    OVp3 out;
    OVq_2euler(q, reference, out);
    expect_near3(out, reference[0], reference[1], reference[2], 1e-4f);
}

TEST(EulerFormulas, GimbalLockFromAQuaternion) {
    OVq q;
    OVeuler_2q(0.0f, -kPi / 2, 0.5f, q);
    const OVp3 reference = {0, -kPi / 2, 0.5f};
    OVp3 out;
    OVq_2euler(q, reference, out);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_NEAR(out[1], -kPi / 2, 1e-3f);
    // The turn ends up in c; its value is fixed by the matrix alone.
    OVm3 m;
    OVq_2m3(q, m);
    EXPECT_NEAR(out[2], -std::atan2(-m[0][1], m[1][1]), 1e-5f);
}

TEST(EulerFormulas, DirectMatrixForEachAngleAlone) {
    // (a, 0, 0) is a turn by -a about X: +Y goes to +Z for a positive a.
    OVm3 m;
    OVeuler_2m3(kPi / 2, 0, 0, m);
    const OVp3 y = {0, 1, 0}, z = {0, 0, 1}, x = {1, 0, 0};
    OVp3 out;
    OVp3_xformm3(y, m, out);
    expect_near3(out, 0, 0, 1);
    OVeuler_2m3(0, kPi / 2, 0, m);
    OVp3_xformm3(z, m, out);
    expect_near3(out, 1, 0, 0);
    OVeuler_2m3(0, 0, kPi / 2, m);
    OVp3_xformm3(x, m, out);
    expect_near3(out, 0, 1, 0);
}

TEST(DirectionFormulas, LengthOfTheDirectionDoesNotMatter) {
    const float dirs[][3] = {{0, 0, 5}, {-3, 0, -4}, {2, 2, -1}, {0, -7, 0}};
    for (const auto &dir : dirs) {
        OVq q, unit_q;
        OVdir_2q(dir, q);
        const float len = std::sqrt(dir[0] * dir[0] + dir[1] * dir[1] + dir[2] * dir[2]);
        const OVp3 unit = {dir[0] / len, dir[1] / len, dir[2] / len};
        OVdir_2q(unit, unit_q);
        expect_same_rotation(q, unit_q, 1e-5f);
        OVp3 back;
        OVq_2dir(q, back);
        expect_near3(back, unit[0], unit[1], unit[2], 1e-5f);
    }
}

// Yaw, then pitch: the pitch quaternion comes first in the product.
TEST(DirectionFormulas, PitchAndYawCompose) {
    const OVp3 dir = {1, 1, -1};
    OVq q;
    OVdir_2q(dir, q);
    // u = 1 >= 0, v = -1 < 0: heading atan(1) + pi, negated by the yaw.
    OVq yaw, pitch, expected;
    OVeuler_2q(0, -(kPi / 4 + kPi), 0, yaw);
    OVeuler_2q(-std::atan(1 / std::sqrt(2.0f)), 0, 0, pitch);
    OVq_mult(pitch, yaw, expected);
    expect_same_rotation(q, expected, 1e-5f);
}

TEST(DirectionFormulas, TwistIsAppliedBeforePitchAndYaw) {
    const OVp3 dir = {0.3f, -0.5f, 0.8f};
    OVq q, no_roll, roll, expected;
    OVdirtwist_2q(dir, 0.9f, q);
    OVdir_2q(dir, no_roll);
    OVeuler_2q(0, 0, 0.9f, roll);
    OVq_mult(roll, no_roll, expected);
    expect_same_rotation(q, expected, 1e-5f);
    // No direction at all: only the roll is left.
    const OVp3 none = {0, 0, 0};
    OVdirtwist_2q(none, 0.9f, q);
    expect_same_rotation(q, roll, 1e-6f);
}

TEST(DirectionFormulas, NegativeTwistComesBackNegative) {
    const OVp3 dir = {0, 0, 1};
    OVq q;
    OVdirtwist_2q(dir, -0.4f, q);
    OVp3 d;
    float twist = 0;
    OVq_2dirtwist(q, d, &twist);
    EXPECT_NEAR(twist, -0.4f, 1e-4f);
    expect_near3(d, 0, 0, 1);
}

TEST(SlerpFormulas, ParameterBeyondOneExtrapolates) {
    OVq a = {0, 0, 0, 1}, b, out, expected;
    axis_q(0, 1, 0, 0.5f, b);
    OVq_slerp(a, b, 2.0f, out);
    axis_q(0, 1, 0, 1.0f, expected);
    expect_same_rotation(out, expected, 1e-5f);
    OVq_slerp(a, b, -1.0f, out);
    axis_q(0, 1, 0, -0.5f, expected);
    expect_same_rotation(out, expected, 1e-5f);
}

TEST(SlerpFormulas, PlainSlerpFollowsTheDotProduct) {
    // Toward -b the plain variant goes the long way: at t = 0.5 it lands on
    // (a - b) normalised, a quarter turn past b's half angle.
    OVq a = {0, 0, 0, 1}, b, out;
    axis_q(0, 0, 1, 1.0f, b);
    const OVq nb = {-b[0], -b[1], -b[2], -b[3]};
    OVq_slerp(a, nb, 0.5f, out);
    const float theta = std::acos(nb[3]);
    const float k = std::sin(0.5f * theta) / std::sin(theta);
    expect_near4(out, k * nb[0], k * nb[1], k * nb[2], k * (1 + nb[3]), 1e-5f);
    OVq_slerpshortest(a, nb, 0.5f, out);
    OVq expected;
    axis_q(0, 0, 1, 0.5f, expected);
    expect_near4(out, expected[0], expected[1], expected[2], expected[3], 1e-5f);
}

TEST(SlerpFormulas, ShortestKeepsAnAlreadyShortArc) {
    OVq a, b, plain, shortest;
    axis_q(1, 0, 0, 0.3f, a);
    axis_q(1, 0, 0, 1.1f, b);
    OVq_slerp(a, b, 0.25f, plain);
    OVq_slerpshortest(a, b, 0.25f, shortest);
    expect_near4(shortest, plain[0], plain[1], plain[2], plain[3], 1e-6f);
    OVq expected;
    axis_q(1, 0, 0, 0.5f, expected);
    expect_near4(plain, expected[0], expected[1], expected[2], expected[3], 1e-5f);
}

} // namespace

namespace {

// The twist of -q: 2·acos(r.w) with r.w negative, signed by the turned axis;
// the same roll as that of q, modulo a full turn.
TEST(DirectionFormulas, TwistOfTheOtherCover) {
    const float dir[3] = {0.2f, 0.4f, 0.7f};
    OVq q;
    OVdirtwist_2q(dir, 0.5f, q);
    for (float &c : q)
        c = -c;
    OVp3 d;
    float twist = 0;
    OVq_2dirtwist(q, d, &twist);
    const float turn = 2 * 3.14159265f;
    const float wrapped = std::remainder(twist - 0.5f, turn);
    EXPECT_NEAR(wrapped, 0.0f, 1e-3f) << twist;
    const float len = std::sqrt(0.04f + 0.16f + 0.49f);
    EXPECT_NEAR(d[0], 0.2f / len, 1e-5f);
    EXPECT_NEAR(d[2], 0.7f / len, 1e-5f);
}

} // namespace

namespace {

TEST(AliasingFormulas, DifferenceMayWriteOverEitherInput) {
    OVq a, b, expected;
    axis_q(0, 1, 0, 0.7f, a);
    axis_q(1, 0, 1, -1.3f, b);
    OVq_diff(a, b, expected);
    OVq first = {a[0], a[1], a[2], a[3]}, second = {b[0], b[1], b[2], b[3]};
    OVq_diff(first, b, first);
    OVq_diff(a, second, second);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(first[i], expected[i]) << i;
        EXPECT_EQ(second[i], expected[i]) << i;
    }
}

TEST(AliasingFormulas, PointTransformsMayWriteOverTheirInput) {
    const OVm4 m4 = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 2, 0}, {1, 2, 3, 1}};
    const OVm3 m3 = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 2}};
    OVp3 v = {1, 2, 3};
    OVp3_xformm4(v, m4, v);
    expect_near3(v, -1, 3, 9, 0);
    OVp3 w = {1, 2, 3};
    OVp3_xformm3(w, m3, w);
    expect_near3(w, -2, 1, 6, 0);
    OVq q;
    axis_q(0, 0, 1, kPi / 2, q);
    OVp3 r = {1, 0, 0};
    OVp3_rotateq(r, q, r);
    expect_near3(r, 0, -1, 0);
}

} // namespace

namespace {

// Any axis longer than zero is normalised, even one below the tolerance.
TEST(QuaternionFormulas, ShortAxisIsStillNormalised) {
    OVp3 axis = {0.001f, 0, 0};
    OVq q;
    OVaxisangle_2q(axis, 1.0f, q);
    expect_near3(axis, 1, 0, 0, 1e-6f);
    expect_near4(q, std::sin(0.5f), 0, 0, std::cos(0.5f), 1e-6f);
}

} // namespace
