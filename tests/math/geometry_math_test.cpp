#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Points, CrossDistanceAndLengths) {
    OVp3 a = {1, 0, 0}, b = {0, 1, 0}, c;
    OVp3_cross(a, b, c);
    EXPECT_EQ(c[2], 1.0f);
    OVp3_cross(a, b, a); // aliasing the output
    EXPECT_EQ(a[0], 0.0f);
    EXPECT_EQ(a[2], 1.0f);
    OVp3 p = {1, 2, 2}, o = {0, 0, 0};
    EXPECT_FLOAT_EQ(OVp3_distance(p, o), 3.0f);
    OVp3 v = {3, -4, 0};
    EXPECT_FLOAT_EQ(OVp3_fastlength(v), (7.0f + 1.4142135f * 4.0f) * 0.41421357f);
    OVp3 lp = {0, 1, 0}, dir = {1, 0, 0}, q = {5, 4, 4};
    EXPECT_FLOAT_EQ(OVp3_linedistance(q, lp, dir), 5.0f);
}

TEST(PolyNormal, TooFewPointsLeaveNormalAlone) {
    OVp3 pts[2] = {{0, 0, 0}, {1, 0, 0}};
    OVp3 n = {7, 8, 9};
    EXPECT_EQ(OVp3_polynormal(pts, 2, n), 1);
    EXPECT_EQ(n[0], 7.0f);
}

TEST(PolyNormal, CollinearTriangleGivesPlusX) {
    OVp3 pts[3] = {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(pts, 3, n), 1);
    EXPECT_EQ(n[0], 1.0f);
    EXPECT_EQ(n[1], 0.0f);
    EXPECT_EQ(n[2], 0.0f);
}

TEST(PolyNormal, ConvexSquareCounterClockwise) {
    OVp3 pts[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(pts, 4, n), 1);
    EXPECT_NEAR(n[2], 1.0f, 1e-6f);
}

TEST(PolyNormal, PlanarLShapedHexagonIsNotConvex) {
    OVp3 pts[6] = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(pts, 6, n), 2);
    EXPECT_NEAR(n[2], 1.0f, 1e-5f);
}

TEST(PolyNormal, LiftedCornerIsNotPlanar) {
    OVp3 pts[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0.01f}, {0, 1, 0}};
    OVp3 n;
    EXPECT_EQ(OVp3_polynormal(pts, 4, n), 0);
    OVp3 flat[4] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0.001f}, {0, 1, 0}};
    EXPECT_EQ(OVp3_polynormal(flat, 4, n), 1);
}

TEST(Jacobi, DiagonalisesSymmetricMatrix) {
    OVm3 m = {{4, 1, 2}, {1, 3, 0}, {2, 0, 5}};
    const OVm3 orig = {{4, 1, 2}, {1, 3, 0}, {2, 0, 5}};
    OVp3 values;
    OVm3 vectors;
    _OVjacobi(m, values, vectors);
    EXPECT_NEAR(values[0] + values[1] + values[2], 12.0f, 1e-3f);
    for (int k = 0; k < 3; ++k) {
        // A v = lambda v for every column v.
        for (int i = 0; i < 3; ++i) {
            float av = 0;
            for (int j = 0; j < 3; ++j)
                av += orig[i][j] * vectors[j][k];
            EXPECT_NEAR(av, values[k] * vectors[i][k], 1e-2f) << k << i;
        }
    }
}

TEST(Jacobi, DiagonalInputIsItsOwnAnswer) {
    OVm3 m = {{1, 0, 0}, {0, 2, 0}, {0, 0, 3}};
    OVp3 values;
    OVm3 vectors;
    _OVjacobi(m, values, vectors);
    EXPECT_EQ(values[1], 2.0f);
    EXPECT_EQ(vectors[1][1], 1.0f);
    EXPECT_EQ(vectors[0][1], 0.0f);
}

} // namespace
