#include "math_checks.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace mathtest;

namespace {

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

void expect_identity4(const OVm4 m, float tol = 1e-4f) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(m[i][j], i == j ? 1.0f : 0.0f, tol) << i << j;
}

TEST(Matrix, QuaternionMatrixRoundTripIncludingHalfTurns) {
    const float axes[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {0.2f, -0.5f, 0.8f}};
    const float angles[] = {0.0f, 0.4f, 1.5f, 2.9f, kPi, -2.0f};
    for (const auto &a : axes)
        for (float angle : angles) {
            OVq q, back;
            axis_q(a[0], a[1], a[2], angle, q);
            OVm3 m;
            OVq_2m3(q, m);
            OVm3_2q(m, back);
            expect_same_rotation(back, q);
        }
}

TEST(Matrix, MatrixToQuaternionOrthonormalisesInPlace) {
    OVm3 m = {{2, 0, 0}, {1, 3, 0}, {0, 0, 7}};
    OVq q;
    OVm3_2q(m, q);
    EXPECT_FLOAT_EQ(m[0][0], 1.0f);
    EXPECT_FLOAT_EQ(m[1][0], 0.0f);
    EXPECT_FLOAT_EQ(m[1][1], 1.0f);
    EXPECT_FLOAT_EQ(m[2][2], 1.0f);
    OVq ident = {0, 0, 0, 1};
    expect_same_rotation(q, ident);
}

TEST(Matrix, DegenerateRowsGiveIdentity) {
    OVm4 m = {{0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {4, 5, 6, 1}};
    OVpq pq;
    OVm4_2pq(m, &pq);
    EXPECT_EQ(pq.p[0], 4.0f);
    EXPECT_EQ(pq.p[2], 6.0f);
    EXPECT_EQ(pq.q[3], 1.0f);
    EXPECT_EQ(pq.q[0], 0.0f);
    EXPECT_EQ(m[0][0], 0.0f); // the input is not touched
}

TEST(Matrix, PoseMatrixRoundTrip) {
    OVpq pq = {{1, -2, 3}, {0, 0, 0, 1}}, back;
    axis_q(0.3f, 0.4f, -0.5f, 2.2f, pq.q);
    OVm4 m;
    OVpq_2m4(&pq, m);
    EXPECT_EQ(m[3][0], 1.0f);
    EXPECT_EQ(m[0][3], 0.0f);
    EXPECT_EQ(m[3][3], 1.0f);
    OVm4_2pq(m, &back);
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(back.p[i], pq.p[i]);
    expect_same_rotation(back.q, pq.q);
    OVm4 r;
    OVq_2m4(pq.q, r);
    EXPECT_EQ(r[3][0], 0.0f);
    EXPECT_EQ(r[3][3], 1.0f);
    EXPECT_FLOAT_EQ(r[1][2], m[1][2]);
}

TEST(Matrix, PointTransformsUseRowVectors) {
    OVm4 m = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {10, 20, 30, 1}};
    OVp3 v = {1, 2, 3}, out;
    OVp3_xformm4(v, m, out);
    EXPECT_FLOAT_EQ(out[0], 8.0f);
    EXPECT_FLOAT_EQ(out[1], 21.0f);
    EXPECT_FLOAT_EQ(out[2], 33.0f);
    OVp3_xformdirm4(v, m, v); // in place
    EXPECT_FLOAT_EQ(v[0], -2.0f);
    EXPECT_FLOAT_EQ(v[1], 1.0f);
    EXPECT_FLOAT_EQ(v[2], 3.0f);
}

TEST(Matrix, ProductAppliesFirstOperandFirstAndMayAlias) {
    OVq qa, qb;
    axis_q(0, 0, 1, 0.5f, qa);
    axis_q(1, 0, 0, 0.9f, qb);
    OVm3 a, b, ab, expect;
    OVq_2m3(qa, a);
    OVq_2m3(qb, b);
    OVm3_mult(a, b, ab);
    OVq qab;
    OVq_mult(qa, qb, qab);
    OVq_2m3(qab, expect);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(ab[i][j], expect[i][j], 1e-5f);
    OVm3_mult(a, b, a);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_FLOAT_EQ(a[i][j], ab[i][j]);
}

TEST(Matrix, GeneralInverse) {
    OVm4 m = {{2, 0, 1, 0}, {0, 3, 0, 0}, {1, 0, 4, 0}, {5, -6, 7, 1}}, inv, prod;
    EXPECT_EQ(OVm4_invert(m, inv), 1);
    OVm4_mult(m, inv, prod);
    expect_identity4(prod);
}

std::string captured;
int capture(const char *text) {
    captured += text;
    return 0;
}

TEST(Matrix, SingularInverseWarnsAndGivesIdentity) {
    OVm4 m = {{1, 2, 3, 0}, {2, 4, 6, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}, inv;
    inv[0][1] = 9;
    captured.clear();
    OVmessage_sethook(capture);
    EXPECT_EQ(OVm4_invert(m, inv), 0);
    OVmessage_sethook(nullptr);
    EXPECT_EQ(captured, "ORV Warning: zero matrix determinant in OVm4_invert\n");
    expect_identity4(inv, 0.0f);
}

TEST(Matrix, OrthoInverseWithPerAxisScale) {
    OVq q;
    axis_q(0.2f, 0.7f, -0.3f, 1.1f, q);
    OVm4 rot, scale = {{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 0.5f, 0}, {0, 0, 0, 1}}, m, inv, prod;
    OVq_2m4(q, rot);
    OVm4_mult(scale, rot, m);
    m[3][0] = 4;
    m[3][1] = -5;
    m[3][2] = 6;
    OVm4_invertortho(m, inv);
    OVm4_mult(m, inv, prod);
    expect_identity4(prod);
    OVm4_mult(inv, m, prod);
    expect_identity4(prod);
}

TEST(Matrix, OrthoInverseWithScaleAfterTheRotation) {
    OVq q;
    axis_q(-0.4f, 0.1f, 0.9f, 2.3f, q);
    OVm4 rot, scale = {{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 0.5f, 0}, {0, 0, 0, 1}}, m, inv, prod;
    OVq_2m4(q, rot);
    OVm4_mult(rot, scale, m);
    m[3][0] = -1;
    m[3][1] = 7;
    m[3][2] = 2;
    OVm4_invertortho(m, inv);
    OVm4_mult(m, inv, prod);
    expect_identity4(prod);
}

TEST(Matrix, OrthoInverseOfAFlattenedAxisKeepsTheOthers) {
    OVm4 m = {{2, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 4, 0}, {2, 3, 4, 1}}, inv;
    OVm4_invertortho(m, inv);
    EXPECT_FLOAT_EQ(inv[0][0], 0.5f);
    EXPECT_FLOAT_EQ(inv[1][1], 0.0f);
    EXPECT_FLOAT_EQ(inv[2][2], 0.25f);
    EXPECT_FLOAT_EQ(inv[3][0], -1.0f);
    EXPECT_FLOAT_EQ(inv[3][2], -1.0f);
}

TEST(Matrix, Transposes) {
    OVm3 a = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, at;
    OVm3_transpose(a, at);
    EXPECT_EQ(at[0][1], 4.0f);
    EXPECT_EQ(at[2][0], 3.0f);
    OVm4 b = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}, bt;
    OVm4_transpose(b, bt);
    EXPECT_EQ(bt[0][3], 13.0f);
    EXPECT_EQ(bt[3][0], 4.0f);
}

} // namespace
