// The limits on primitive arguments, the names primitives get, and the
// building phase beyond its first thousand vertices.
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

namespace {

// True when g was made; deletes it.
bool made(OVgeometry *g) {
    if (!g) return false;
    OVgeometry_delete(g);
    return true;
}

} // namespace

TEST(PrimitiveArguments, SizesAtTheToleranceAndNegativeSizes) {
    Capture c;
    EXPECT_TRUE(made(OVgeometry_newblock(0.004f, 1, 1, 0)));
    EXPECT_FALSE(made(OVgeometry_newblock(1, -0.003f, 1, 0)));
    EXPECT_FALSE(made(OVgeometry_newblock(1, 1, 0, 0)));
    EXPECT_TRUE(made(OVgeometry_newblock(-1, -2, -3, 1)));

    EXPECT_FALSE(made(OVgeometry_newrectangle(-1, 1, 0)));
    EXPECT_FALSE(made(OVgeometry_newrectangle(1, -1, 0)));
    EXPECT_FALSE(made(OVgeometry_newrectangle(1, 0.004f, 0)));
    EXPECT_TRUE(made(OVgeometry_newrectangle(0.005f, 0.005f, 0)));

    EXPECT_TRUE(made(OVgeometry_newcylinder(-2, 1, 3, 0, 0)));
    EXPECT_TRUE(made(OVgeometry_newcylinder(2, -1, 3, 0, 1)));
    EXPECT_FALSE(made(OVgeometry_newcylinder(2, 0.003f, 3, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newcylinder(-0.003f, 1, 3, 0, 0)));

    EXPECT_TRUE(made(OVgeometry_newcone(-2, 1, 3, 0)));
    EXPECT_TRUE(made(OVgeometry_newcone(2, -1, 3, 0)));
    EXPECT_FALSE(made(OVgeometry_newcone(2, 0.0039f, 3, 0)));
    EXPECT_FALSE(made(OVgeometry_newcone(2, 1, 2, 0)));

    EXPECT_TRUE(made(OVgeometry_newtruncone(0.004f, 1, 0.5f, 3, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newtruncone(0.003f, 1, 0.5f, 3, 0, 0)));
    EXPECT_TRUE(made(OVgeometry_newtruncone(2, -1, -0.5f, 3, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newtruncone(2, 0.003f, 0.5f, 3, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newtruncone(2, 1, 0.5f, 2, 0, 0)));

    EXPECT_TRUE(made(OVgeometry_newsphere(1, 2, 3, 0, 0)));
    EXPECT_TRUE(made(OVgeometry_newsphere(-1, 2, 3, 0, 1)));
    EXPECT_FALSE(made(OVgeometry_newsphere(0.003f, 2, 3, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newsphere(1, 2, 2, 0, 0)));

    EXPECT_TRUE(made(OVgeometry_newhemisphere(1, 2, 3, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newhemisphere(1, 1, 3, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newhemisphere(-0.001f, 2, 3, 0, 0)));

    const OVp2 tri[3] = {{0, 0}, {1, 0}, {0, 1}};
    EXPECT_TRUE(made(OVgeometry_newextrusion(tri, 3, 1, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newextrusion(tri, 3, 0.004f, 0, 0)));
    EXPECT_FALSE(made(OVgeometry_newextrusion(tri, 3, -1, 0, 0)));
    // Refused arguments are refused quietly.
    EXPECT_EQ(c.text(), "");
}

TEST(PrimitiveArguments, EveryPrimitiveIsNamedAfterItsShape) {
    const OVp2 tri[3] = {{0, 0}, {1, 0}, {0, 1}};
    const std::pair<OVgeometry *, const char *> shapes[] = {
        {OVgeometry_newblock(1, 1, 1, 0), "block"},
        {OVgeometry_newrectangle(1, 1, 0), "rectangle"},
        {OVgeometry_newcylinder(1, 1, 4, 0, 0), "cylinder"},
        {OVgeometry_newcone(1, 1, 4, 0), "cone"},
        {OVgeometry_newtruncone(1, 1, 0.5f, 4, 0, 0), "trunc_cone"},
        {OVgeometry_newsphere(1, 3, 4, 0, 0), "sphere"},
        {OVgeometry_newhemisphere(1, 3, 4, 0, 0), "hemisphere"},
        {OVgeometry_newextrusion(tri, 3, 1, 0, 0), "extrusion"},
    };
    for (const auto &[g, name] : shapes) {
        ASSERT_NE(g, nullptr) << name;
        EXPECT_STREQ(OVgeometry_getname(g), name);
        OVgeometry_delete(g);
    }
}

TEST(PrimitiveArguments, BothSidesReachesPolygonsOfTheConstructionCalls) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    OVpoly *quad = _OVgeometry_addpoly4(g, 0, 1, 2, 3, 1);
    OVpoly *tri = _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    const OVp3 far[3] = {{5, 0, 0}, {6, 0, 0}, {5, 1, 0}};
    OVpoly *from_points = _OVgeometry_newpolyfrompoints(g, far, 3, 1);
    ASSERT_NE(quad, nullptr);
    ASSERT_NE(tri, nullptr);
    ASSERT_NE(from_points, nullptr);
    EXPECT_TRUE(OVpoly_getbothsides(quad));
    EXPECT_FALSE(OVpoly_getbothsides(tri));
    EXPECT_TRUE(OVpoly_getbothsides(from_points));
    EXPECT_EQ(corner_numbers(g, quad), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(corner_numbers(g, from_points), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(OVgeometry_numpolys(g), 3);
    EXPECT_EQ(OVgeometry_getpolys(g), from_points);
    ASSERT_TRUE(OVgeometry_close(g));
    OVgeometry_delete(g);
}

TEST(PrimitiveArguments, VertexNumbersReachPastTheFirstThousand) {
    OVgeometry *g = OVgeometry_begin();
    const int n = 2500;
    for (int i = 0; i < n; ++i) {
        const OVp3 p = {static_cast<float>(i), static_cast<float>(i % 7), 0};
        ASSERT_NE(OVgeometry_newvertex(g, p), nullptr);
    }
    OVpoly *p = OVgeometry_beginpoly(g);
    EXPECT_TRUE(OVpoly_addvertex(p, 0));
    EXPECT_TRUE(OVpoly_addvertex(p, 1500));
    EXPECT_TRUE(OVpoly_addvertex(p, n - 1));
    EXPECT_FALSE(OVpoly_addvertex(p, n));
    ASSERT_TRUE(OVpoly_close(p));
    OVp3 at;
    OVvertex_getposition(OVpoly_getvertex(p, 1), at);
    EXPECT_EQ(at[0], 1500);
    OVvertex_getposition(OVpoly_getvertex(p, 2), at);
    EXPECT_EQ(at[0], n - 1);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_EQ(static_cast<int>(vertices(g).size()), 3); // the unused ones went
    OVgeometry_delete(g);
}

TEST(PrimitiveArguments, AbandonedPhaseLetsTheNextGeometryBegin) {
    Capture c;
    OVgeometry *g = OVgeometry_begin();
    ASSERT_NE(g, nullptr);
    _OVgeometry_checkifopen(g);
    OVgeometry *h = OVgeometry_begin();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(c.text(), "");
    _OVgeometry_checkifopen(h);
    // A geometry that is not the open one is left alone.
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(h);
    OVgeometry_delete(g);
}

TEST(PrimitiveArguments, SmoothExtrusionNormalsLieInTheGroundPlane) {
    const OVp2 pts[5] = {{-1, 1}, {1, 3}, {3, 1}, {2, 0}, {0, 0}}; // not reversed
    const int c = 5;
    OVgeometry *g = OVgeometry_newextrusion(pts, c, 2, 0, 1);
    ASSERT_NE(g, nullptr);
    auto vs = vertices(g);
    ASSERT_EQ(static_cast<int>(vs.size()), 4 * c);
    for (int j = 0; j < 2 * c; ++j)
        EXPECT_EQ(vs[j]->normal, nullptr) << j;
    for (int j = 0; j < c; ++j) {
        const float *a = vs[2 * c + (c - 1 - j)]->normal; // ring A's repeat of point j
        const float *b = vs[3 * c + j]->normal;           // ring B's repeat of point j
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        EXPECT_NEAR(a[1], 0, 1e-6);
        EXPECT_NEAR(std::hypot(a[0], a[2]), 1, 1e-5);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(a[k], b[k], 1e-6) << j;
        // Repeats sit where their point is.
        EXPECT_NEAR(vs[3 * c + j]->position[0], pts[j][0], 1e-6);
        EXPECT_NEAR(vs[3 * c + j]->position[2], pts[j][1], 1e-6);
    }
    OVgeometry_delete(g);
}

TEST(PrimitiveArguments, OnlyTheOpenGeometryTakesVerticesAndCloses) {
    Capture c;
    OVgeometry *open = OVgeometry_begin();
    OVgeometry *other = _OVgeometry_new(nullptr);
    const OVp3 at = {1, 2, 3};
    EXPECT_EQ(OVgeometry_newvertex(other, at), nullptr);
    EXPECT_EQ(c.text(), "ORV Warning: Must call OVgeometry_begin or OVgeometry_beginedit before "
                        "calling OVgeometry_newvertex\n");
    EXPECT_EQ(OVgeometry_getvertices(other), nullptr);
    captured().clear();
    EXPECT_FALSE(OVgeometry_close(other));
    EXPECT_EQ(c.text(), "ORV Warning: OVgeometry_close called on non-open geometry.\n");
    // The open one is still open.
    EXPECT_EQ(OVgeometry_begin(), nullptr);
    EXPECT_NE(OVgeometry_newvertex(open, at), nullptr);
    _OVgeometry_checkifopen(open);
    OVgeometry_delete(other);
    OVgeometry_delete(open);
}
