// Matrix conversions, products and inverses at their edges: degenerate rows,
// reflections, aliasing, near-singular and projective matrices, and the
// polygon normal of coincident points.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

void expect_identity4(const OVm4 m, float tol = 1e-5f) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(m[i][j], i == j ? 1.0f : 0.0f, tol) << i << j;
}

void expect_identity_q(const OVq q) {
    EXPECT_NEAR(q[0], 0.0f, 1e-6f);
    EXPECT_NEAR(q[1], 0.0f, 1e-6f);
    EXPECT_NEAR(q[2], 0.0f, 1e-6f);
    EXPECT_NEAR(std::fabs(q[3]), 1.0f, 1e-6f);
}

// The third row is rebuilt from the first two, so a mirror image is read as
// no turn at all.
TEST(MatrixEdges, ThirdRowIsRebuiltFromTheFirstTwo) {
    OVm3 mirror = {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}};
    OVq q;
    OVm3_2q(mirror, q);
    EXPECT_FLOAT_EQ(mirror[2][2], 1.0f);
    expect_identity_q(q);
}

TEST(MatrixEdges, ShortFirstRowStopsTheOrthonormalisation) {
    OVm3 m = {{0.003f, 0, 0}, {0, 5, 0}, {0, 0, 7}};
    OVq q;
    OVm3_2q(m, q);
    EXPECT_EQ(m[0][0], 0.003f);
    EXPECT_EQ(m[1][1], 5.0f);
    EXPECT_EQ(m[2][2], 7.0f);
}

TEST(MatrixEdges, SecondRowAlongTheFirstStopsAfterTheFirst) {
    OVm3 m = {{2, 0, 0}, {4, 0, 0}, {0, 0, 9}};
    OVq q;
    OVm3_2q(m, q);
    EXPECT_FLOAT_EQ(m[0][0], 1.0f);
    EXPECT_EQ(m[0][1], 0.0f);
    EXPECT_EQ(m[2][2], 9.0f); // the third row is never reached
    EXPECT_EQ(m[2][0], 0.0f);
}

TEST(MatrixEdges, PoseOfAMatrixWithParallelRowsHasNoTurn) {
    const OVm4 m = {{1, 0, 0, 0}, {3, 0.001f, 0, 0}, {0, 0, 1, 0}, {7, 8, 9, 1}};
    OVpq pq = {{0, 0, 0}, {5, 5, 5, 5}};
    OVm4_2pq(m, &pq);
    EXPECT_EQ(pq.p[0], 7.0f);
    EXPECT_EQ(pq.p[1], 8.0f);
    EXPECT_EQ(pq.p[2], 9.0f);
    EXPECT_EQ(pq.q[0], 0.0f);
    EXPECT_EQ(pq.q[1], 0.0f);
    EXPECT_EQ(pq.q[2], 0.0f);
    EXPECT_EQ(pq.q[3], 1.0f);
    EXPECT_EQ(m[1][0], 3.0f);
}

TEST(MatrixEdges, HalfTurnsTakeTheLargestDiagonal) {
    struct Case {
        OVm3 m;
        int axis;
    } cases[] = {{{{1, 0, 0}, {0, -1, 0}, {0, 0, -1}}, 0},
                 {{{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}, 1},
                 {{{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}}, 2}};
    for (Case &c : cases) {
        OVq q;
        OVm3_2q(c.m, q);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(std::fabs(q[i]), i == c.axis ? 1.0f : 0.0f, 1e-6f) << c.axis << i;
        EXPECT_NEAR(q[3], 0.0f, 1e-6f);
    }
}

// Trace below zero with the largest element last: a turn of 2 pi / 3 about
// (1, 1, 1) permutes the axes.
TEST(MatrixEdges, AxisPermutationRoundTrips) {
    OVm3 m = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    const OVm3 original = {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
    OVq q;
    OVm3_2q(m, q);
    OVm3 back;
    OVq_2m3(q, back);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(back[i][j], original[i][j], 1e-6f) << i << j;
}

TEST(MatrixEdges, ProductOfIntegersAndSquaringInPlace) {
    const OVm3 a = {{1, 2, 0}, {0, 1, 3}, {4, 0, 1}}, b = {{2, 0, 1}, {1, 1, 0}, {0, 5, 1}};
    OVm3 ab;
    OVm3_mult(a, b, ab);
    const float expected[3][3] = {{4, 2, 1}, {1, 16, 3}, {8, 5, 5}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(ab[i][j], expected[i][j]) << i << j;
    OVm4 m = {{1, 1, 0, 0}, {0, 1, 0, 0}, {0, 0, 2, 0}, {1, 0, 0, 1}};
    OVm4_mult(m, m, m);
    EXPECT_EQ(m[0][1], 2.0f);
    EXPECT_EQ(m[2][2], 4.0f);
    EXPECT_EQ(m[3][0], 2.0f);
    EXPECT_EQ(m[3][1], 1.0f);
    OVm4 a4 = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {3, 0, 0, 1}};
    const OVm4 b4 = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 5, 1}};
    OVm4_mult(a4, b4, a4); // the first input may be the output
    EXPECT_EQ(a4[3][0], 3.0f);
    EXPECT_EQ(a4[3][2], 5.0f);
    EXPECT_EQ(a4[0][1], 1.0f);
}

std::string captured;
int capture(const char *text) {
    captured += text;
    return 0;
}

// Only an exactly zero determinant is refused; tiny scales still invert.
TEST(MatrixEdges, NearlySingularMatrixStillInverts) {
    const OVm4 m = {{0.01f, 0, 0, 0}, {0, 0.01f, 0, 0}, {0, 0, 0.01f, 0}, {0, 0, 0, 1}};
    OVm4 inv;
    captured.clear();
    OVmessage_sethook(capture);
    EXPECT_EQ(OVm4_invert(m, inv), 1);
    OVmessage_sethook(nullptr);
    EXPECT_TRUE(captured.empty());
    EXPECT_NEAR(inv[0][0], 100.0f, 1e-2f);
    EXPECT_NEAR(inv[2][2], 100.0f, 1e-2f);
    EXPECT_EQ(inv[3][3], 1.0f);
}

TEST(MatrixEdges, GeneralInverseOfAProjectiveMatrix) {
    const OVm4 m = {{1, 0, 0, 0.5f}, {0, 2, 0, 0}, {0, 1, 1, -1}, {3, 0, 0, 2}};
    OVm4 inv, prod;
    ASSERT_EQ(OVm4_invert(m, inv), 1);
    OVm4_mult(m, inv, prod);
    expect_identity4(prod);
    OVm4_mult(inv, m, prod);
    expect_identity4(prod);
}

TEST(MatrixEdges, ZeroMatrixIsSingular) {
    const OVm4 zero = {};
    OVm4 inv;
    captured.clear();
    OVmessage_sethook(capture);
    EXPECT_EQ(OVm4_invert(zero, inv), 0);
    OVmessage_sethook(nullptr);
    EXPECT_EQ(captured, "ORV Warning: zero matrix determinant in OVm4_invert\n");
    expect_identity4(inv, 0.0f);
}

TEST(MatrixEdges, OrthoInverseWritesAFixedFourthColumn) {
    const OVm4 m = {{0, 1, 0, 7}, {-1, 0, 0, 7}, {0, 0, 1, 7}, {2, 3, 4, 7}};
    OVm4 inv;
    OVm4_invertortho(m, inv);
    EXPECT_EQ(inv[0][3], 0.0f);
    EXPECT_EQ(inv[1][3], 0.0f);
    EXPECT_EQ(inv[2][3], 0.0f);
    EXPECT_EQ(inv[3][3], 1.0f);
    // A pure turn inverts to its transpose; the translation is undone.
    EXPECT_EQ(inv[0][1], -1.0f);
    EXPECT_EQ(inv[1][0], 1.0f);
    const OVp3 p = {1, 1, 1};
    OVp3 there, back;
    OVp3_xformm4(p, m, there);
    OVp3_xformm4(there, inv, back);
    EXPECT_NEAR(back[0], 1.0f, 1e-6f);
    EXPECT_NEAR(back[1], 1.0f, 1e-6f);
    EXPECT_NEAR(back[2], 1.0f, 1e-6f);
}

TEST(MatrixEdges, TransposeOfAGeneralMatrix) {
    const OVm3 a = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    OVm3 at;
    OVm3_transpose(a, at);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(at[i][j], a[j][i]) << i << j;
}

TEST(JacobiEdges, SmallOffDiagonalsEndBeforeTheFirstSweep) {
    OVm3 m = {{1, 0.001f, 0}, {0.001f, 2, 0.001f}, {0, 0.001f, 3}};
    OVp3 values;
    OVm3 vectors;
    _OVjacobi(m, values, vectors);
    EXPECT_EQ(values[0], 1.0f);
    EXPECT_EQ(values[1], 2.0f);
    EXPECT_EQ(values[2], 3.0f);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(vectors[i][j], i == j ? 1.0f : 0.0f) << i << j;
}

TEST(JacobiEdges, EigenvaluesStayInDiagonalOrderAndVectorsAreColumns) {
    OVm3 m = {{3, 0, 0}, {0, 2, 1}, {0, 1, 2}};
    OVp3 values;
    OVm3 vectors;
    _OVjacobi(m, values, vectors);
    EXPECT_NEAR(values[0], 3.0f, 1e-5f); // not sorted
    EXPECT_NEAR(values[1] + values[2], 4.0f, 1e-5f);
    EXPECT_NEAR(std::fabs(values[1] - values[2]), 2.0f, 1e-5f);
    // The column of eigenvalue 1 is (0, 1, -1)/sqrt 2, that of 3 (0, 1, 1)/sqrt 2.
    const int low = values[1] < values[2] ? 1 : 2, high = 3 - low;
    EXPECT_NEAR(std::fabs(vectors[0][low]), 0.0f, 1e-5f);
    EXPECT_NEAR(vectors[1][low] + vectors[2][low], 0.0f, 1e-5f);
    EXPECT_NEAR(std::fabs(vectors[1][low]), std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(vectors[1][high] - vectors[2][high], 0.0f, 1e-5f);
    EXPECT_NEAR(std::fabs(vectors[1][high]), std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(std::fabs(vectors[0][0]), 1.0f, 1e-6f);
}

TEST(PolygonNormalEdges, CoincidentPointsGivePlusX) {
    const OVp3 same[5] = {{2, 2, 2}, {2, 2, 2}, {2, 2, 2}, {2, 2, 2}, {2, 2, 2}};
    OVp3 n = {7, 7, 7};
    EXPECT_EQ(OVp3_polynormal(same, 5, n), 1);
    EXPECT_EQ(n[0], 1.0f);
    EXPECT_EQ(n[1], 0.0f);
    EXPECT_EQ(n[2], 0.0f);
    EXPECT_EQ(OVp3_polynormal(same, 4, n), 1);
    EXPECT_EQ(n[0], 1.0f);
}

TEST(PolygonNormalEdges, PlanarityIsCheckedBeforeConvexity) {
    const OVp3 lifted_dart[] = {{0, 0, 0}, {2, 1, 0}, {0, 2, 0}, {0.5f, 1, 0.2f}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(lifted_dart, 4, n), 0);
}

TEST(PolygonNormalEdges, ClockwiseTriangleAndLargeConvexPolygon) {
    const OVp3 tri[] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(tri, 3, n), 1);
    EXPECT_NEAR(n[2], -1.0f, 1e-6f);
    // A regular octagon in the plane x = 3, counter-clockwise seen from +X.
    OVp3 octagon[8];
    for (int i = 0; i < 8; ++i) {
        const double a = i * 3.14159265358979 / 4;
        octagon[i][0] = 3;
        octagon[i][1] = static_cast<float>(std::cos(a));
        octagon[i][2] = static_cast<float>(std::sin(a));
    }
    EXPECT_EQ(OVp3_polynormal(octagon, 8, n), 1);
    EXPECT_NEAR(n[0], 1.0f, 1e-6f);
    EXPECT_NEAR(n[1], 0.0f, 1e-6f);
    EXPECT_NEAR(n[2], 0.0f, 1e-6f);
}

} // namespace

namespace {

double fast_length(const double *v) {
    const double x = std::fabs(v[0]), y = std::fabs(v[1]), z = std::fabs(v[2]);
    return (x + y + z + 1.4142135 * std::max(x, std::max(y, z))) * 0.41421357;
}

// The normal of a polygon of more than four corners, each corner's turn
// weighted by its angle as estimated from the approximate lengths.
void weighted_normal(const OVp3 *p, int n, bool weighted, double *out) {
    double sum[3] = {0, 0, 0};
    for (int i = 0; i < n; ++i) {
        const float *a = p[i], *b = p[(i + 1) % n], *c = p[(i + 2) % n];
        const double e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double e2[3] = {c[0] - b[0], c[1] - b[1], c[2] - b[2]};
        double t[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                       e1[0] * e2[1] - e1[1] * e2[0]};
        if (weighted) {
            const double len = fast_length(t);
            const double s = std::min(1.0, len / fast_length(e1) / fast_length(e2));
            for (double &v : t)
                v *= std::asin(s) / len;
        }
        for (int k = 0; k < 3; ++k)
            sum[k] += t[k];
    }
    const double len = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
    for (int k = 0; k < 3; ++k)
        out[k] = sum[k] / len;
}

TEST(PolygonNormalEdges, CornersOfLargerPolygonsAreWeightedByTheirAngles) {
    const OVp3 pts[] = {{0, 0, 0}, {4, 0, 0}, {4, 1, 0.5f}, {2, 3, 0}, {0, 2, 0.3f}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(pts, 5, n), 0);
    double expected[3], plain[3];
    weighted_normal(pts, 5, true, expected);
    weighted_normal(pts, 5, false, plain);
    EXPECT_GT(std::fabs(expected[0] - plain[0]) + std::fabs(expected[1] - plain[1]), 1e-3);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(n[k], expected[k], 1e-5) << k;
    // Four corners are summed without weights.
    EXPECT_EQ(OVp3_polynormal(pts, 4, n), 0);
    weighted_normal(pts, 4, false, plain);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(n[k], plain[k], 1e-5) << k;
}

} // namespace

namespace {

// A repeated eigenvalue and a wide spread of magnitudes: the columns still
// satisfy A v = lambda v and stay orthonormal.
TEST(JacobiEdges, RepeatedAndWidelySpreadEigenvalues) {
    const OVm3 inputs[] = {{{2, 1, 1}, {1, 2, 1}, {1, 1, 2}},
                           {{1000, 0.5f, 0}, {0.5f, 0.01f, 0.2f}, {0, 0.2f, -3}}};
    for (const auto &input : inputs) {
        OVm3 m;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                m[i][j] = input[i][j];
        OVp3 values;
        OVm3 v;
        _OVjacobi(m, values, v);
        const float trace = input[0][0] + input[1][1] + input[2][2];
        EXPECT_NEAR(values[0] + values[1] + values[2], trace, 1e-3f * std::fabs(trace) + 1e-3f);
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i < 3; ++i) {
                float av = 0;
                for (int j = 0; j < 3; ++j)
                    av += input[i][j] * v[j][k];
                EXPECT_NEAR(av, values[k] * v[i][k], 2e-2f) << k << i;
            }
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) {
                const float dot = v[0][a] * v[0][b] + v[1][a] * v[1][b] + v[2][a] * v[2][b];
                EXPECT_NEAR(dot, a == b ? 1.0f : 0.0f, 1e-4f) << a << b;
            }
    }
}

// The direct Euler matrix is the quaternion's matrix at every angle,
// gimbal lock and angles past a half turn included.
TEST(MatrixEdges, DirectEulerMatrixMatchesTheQuaternionEverywhere) {
    const float half_pi = 1.5707964f;
    const float angles[][3] = {{0, half_pi, 0},  {1, -half_pi, 2}, {4, 0.5f, -5},
                               {-3.5f, 2.5f, 7}, {0, 0, 0},        {0.1f, 3.1f, -0.1f}};
    for (const auto &e : angles) {
        OVq q;
        OVeuler_2q(e[0], e[1], e[2], q);
        OVm3 from_q, direct;
        OVq_2m3(q, from_q);
        OVeuler_2m3(e[0], e[1], e[2], direct);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_NEAR(direct[i][j], from_q[i][j], 2e-6f) << e[0] << " " << i << j;
    }
}

} // namespace
