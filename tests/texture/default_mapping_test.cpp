// The default mapping of rectangles in any position: the reference edge lies
// along an image axis, so every corner lands on an end of the fitted range.
#include "texture_fixtures.h"

#include <cmath>

using namespace texture_test;

namespace {

constexpr int kW = 8, kH = 16;
constexpr float kEps = 1e-4f;

struct DefaultMapping : StoreTest {
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(OVtexture_replace("tex", OVIMAGE_RGBA, kW, kH, pixels));
    }
    unsigned char pixels[kW * kH * 4] = {};
};

// A closed geometry of one rectangle with sides a and b, centred at c, its
// sides along the unit vectors e1 and e2.
OVgeometry *rectangle(const float c[3], const float e1[3], const float e2[3], float a, float b) {
    OVgeometry *g = OVgeometry_begin();
    const float s[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto &k : s) {
        OVp3 p;
        for (int i = 0; i < 3; ++i)
            p[i] = c[i] + k[0] * a / 2 * e1[i] + k[1] * b / 2 * e2[i];
        OVgeometry_newvertex(g, p);
    }
    OVpoly *poly = OVgeometry_beginpoly(g);
    for (int i = 0; i < 4; ++i)
        OVpoly_addvertex(poly, i);
    OVpoly_close(poly);
    OVgeometry_close(g);
    return g;
}

bool at_an_end(float x, float low, float high) {
    return std::fabs(x - low) < kEps || std::fabs(x - high) < kEps;
}

// Every corner on the ends of the range, and the four corners on the four
// different combinations of them.
void expect_fitted(OVgeometry *g) {
    OVpoly *p = OVgeometry_getpolys(g);
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    float u[4], v[4];
    ASSERT_TRUE(OVpoly_getuv(p, u, v));
    int seen = 0;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(at_an_end(u[i], 0, (kW - 1.0f) / kW)) << "u" << i << " " << u[i];
        EXPECT_TRUE(at_an_end(v[i], 1.0f / kH, 1)) << "v" << i << " " << v[i];
        seen |= 1 << ((u[i] > 0.5f ? 1 : 0) + (v[i] > 0.5f ? 2 : 0));
    }
    EXPECT_EQ(seen, 15);
}

TEST_F(DefaultMapping, AnUprightRectangleTurnedInItsPlane) {
    const float c[3] = {3, -2, 7};
    const float t = 0.5f;
    const float e1[3] = {std::cos(t), std::sin(t), 0}, e2[3] = {-std::sin(t), std::cos(t), 0};
    OVgeometry *g = rectangle(c, e1, e2, 4, 1);
    expect_fitted(g);
    OVgeometry_delete(g);
}

TEST_F(DefaultMapping, ATiltedRectangle) {
    const float c[3] = {0, 1, 0};
    // The plane leans back by 40 degrees and the rectangle turns 20 degrees in it.
    const float lean = 0.7f, turn = 0.35f;
    const float x[3] = {1, 0, 0}, up[3] = {0, std::cos(lean), std::sin(lean)};
    float e1[3], e2[3];
    for (int i = 0; i < 3; ++i) {
        e1[i] = std::cos(turn) * x[i] + std::sin(turn) * up[i];
        e2[i] = -std::sin(turn) * x[i] + std::cos(turn) * up[i];
    }
    OVgeometry *g = rectangle(c, e1, e2, 2, 5);
    expect_fitted(g);
    OVgeometry_delete(g);
}

TEST_F(DefaultMapping, ALevelRectangleTurnedAboutTheVertical) {
    const float c[3] = {-1, 4, 2};
    const float t = 1.1f;
    const float e1[3] = {std::cos(t), 0, std::sin(t)}, e2[3] = {-std::sin(t), 0, std::cos(t)};
    OVgeometry *g = rectangle(c, e1, e2, 3, 0.5f);
    expect_fitted(g);
    OVgeometry_delete(g);
}

TEST_F(DefaultMapping, TheFitIgnoresWhereThePolygonIs) {
    const float e1[3] = {1, 0, 0}, e2[3] = {0, 1, 0};
    const float here[3] = {0, 0, 0}, there[3] = {100, -50, 20};
    OVgeometry *a = rectangle(here, e1, e2, 2, 3);
    OVgeometry *b = rectangle(there, e1, e2, 2, 3);
    OVpoly *pa = OVgeometry_getpolys(a), *pb = OVgeometry_getpolys(b);
    ASSERT_TRUE(OVpoly_settexture(pa, "tex", 0, 0));
    ASSERT_TRUE(OVpoly_settexture(pb, "tex", 0, 0));
    float ua[4], va[4], ub[4], vb[4];
    ASSERT_TRUE(OVpoly_getuv(pa, ua, va));
    ASSERT_TRUE(OVpoly_getuv(pb, ub, vb));
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(ua[i], ub[i], kEps);
        EXPECT_NEAR(va[i], vb[i], kEps);
    }
    OVgeometry_delete(a);
    OVgeometry_delete(b);
}

TEST_F(DefaultMapping, ATriangleHoldsThreePairs) {
    OVgeometry *g = OVgeometry_begin();
    const float corners[3][3] = {{0, 0, 0}, {2, 0, 0}, {0, 1, 0}};
    for (const auto &c : corners)
        OVgeometry_newvertex(g, c);
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 3; ++i)
        OVpoly_addvertex(p, i);
    ASSERT_TRUE(OVpoly_close(p));
    ASSERT_TRUE(OVgeometry_close(g));
    p = OVgeometry_getpolys(g);
    const float u[3] = {0.25f, 0.5f, 0.75f}, v[3] = {1, 0, 0.5f};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 0));
    EXPECT_EQ(_OVpoly_numuv(p), 3);
    float ru[4] = {9, 9, 9, 9}, rv[4] = {9, 9, 9, 9};
    ASSERT_TRUE(OVpoly_getuv(p, ru, rv));
    EXPECT_EQ(std::vector<float>(ru, ru + 4), (std::vector<float>{0.25f, 0.5f, 0.75f, 9}));
    EXPECT_EQ(std::vector<float>(rv, rv + 4), (std::vector<float>{1, 0, 0.5f, 9}));
    // The mean of three corners is the centre of a scale.
    ASSERT_TRUE(OVpoly_scaletexture(p, 2));
    ASSERT_TRUE(OVpoly_getuv(p, ru, rv));
    EXPECT_NEAR(ru[0], 0.0f, kEps);
    EXPECT_NEAR(ru[2], 1.0f, kEps);
    EXPECT_NEAR(rv[1], -0.5f, kEps);
    EXPECT_NEAR(rv[0], 1.5f, kEps);
    OVgeometry_delete(g);
}

} // namespace
