// What closing a geometry does to nearly equal corners and to smooth vertex
// normals, and colours a table cannot hold.
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;
using namespace orv::geom;

TEST(ClosingRules, CornersCloserThanAHundredThousandthMerge) {
    OVgeometry *merged =
        polygon_of({{0, 0, 0}, {0.000005f, 0.000005f, -0.000005f}, {1, 0, 0}, {0, 1, 0}});
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(OVpoly_numvertices(OVgeometry_getpolys(merged)), 3);
    OVgeometry_delete(merged);
    // Apart on one axis only: both stay.
    OVgeometry *kept = polygon_of({{0, 0, 0}, {0.00002f, 0, 0}, {1, 1, 0}, {0, 1, 0}});
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(OVpoly_numvertices(OVgeometry_getpolys(kept)), 4);
    OVgeometry_delete(kept);
    // The last corner and the first are neighbours too.
    OVgeometry *wrapped = polygon_of({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0.000001f}});
    ASSERT_NE(wrapped, nullptr);
    EXPECT_EQ(OVpoly_numvertices(OVgeometry_getpolys(wrapped)), 3);
    OVgeometry_delete(wrapped);
}

TEST(ClosingRules, SmoothNormalsAreTheUnweightedSumOfThePolygonNormals) {
    // A large triangle facing +z and a tiny one facing +x share vertex 0.
    OVgeometry *g = corner_pair(10, 0.1f);
    ASSERT_TRUE(OVgeometry_closesmooth(g));
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, vertices(g)[0], n));
    const float h = 1 / std::sqrt(2.0f);
    EXPECT_NEAR(n[0], h, 1e-5);
    EXPECT_NEAR(n[1], 0, 1e-5);
    EXPECT_NEAR(n[2], h, 1e-5);
    for (OVvertex *v : vertices(g))
        EXPECT_FALSE(vertex_flags(v) & OVVERTEX_SMOOTH);
    for (OVpoly *p : polys(g))
        EXPECT_TRUE(OVpoly_hasvnormals(p));
    OVgeometry_delete(g);
}

TEST(ClosingRules, OpposedNormalsThatCancelLeaveTheXAxis) {
    OVgeometry *g = opposed_pair();
    ASSERT_TRUE(OVgeometry_closesmooth(g));
    for (OVvertex *v : vertices(g)) {
        OVp3 n;
        ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
        EXPECT_EQ(n[0], 1);
        EXPECT_EQ(n[1], 0);
        EXPECT_EQ(n[2], 0);
    }
    OVgeometry_delete(g);
}

TEST(ClosingRules, RecomputingStatisticsReturnsTheGeometryAndClearsTheChange) {
    OVgeometry *g = square();
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 far = {3, 1, 0};
    ASSERT_TRUE(OVgeometry_setvertexposition(g, OVgeometry_getvertices(g), far));
    EXPECT_EQ(g->changed, 1);
    EXPECT_EQ(OVgeometry_recomputestats(g, 0), g);
    EXPECT_EQ(g->changed, 0);
    OVp3 e;
    OVgeometry_getextents(g, e);
    EXPECT_NEAR(e[0], 4, 1e-5); // the bounds follow the moved vertex
    ASSERT_TRUE(OVgeometry_endedit(g));
    EXPECT_EQ(OVgeometry_recomputestats(nullptr, 1), nullptr);
    OVgeometry_delete(g);
}

TEST(ClosingRules, ColoursATableCannotHoldAreRefused) {
    OVgeometry *g = square();
    OVmtable *shiny = OVmtable_new(OVSPECULAR | OVSHININESS, 1, nullptr);
    ASSERT_TRUE(OVgeometry_setmtable(g, shiny));
    OVvertex *v = OVgeometry_getvertices(g);
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_FALSE(OVgeometry_setvertexrgb(g, v, 1, 2, 3));
    EXPECT_FALSE(vertex_flags(v) & OVVERTEX_OWNMATID);
    EXPECT_FALSE(OVgeometry_setrgb(g, 1, 2, 3));
    EXPECT_FALSE(OVpoly_setrgb(p, 1, 2, 3));
    EXPECT_FALSE(OVpoly_setcolor(p, 0x123));
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    EXPECT_EQ(OVmtable_getnumentries(shiny), 0);
    OVgeometry_delete(g);
}

TEST(ClosingRules, TheStyleFollowsTheDefaultOutsideItsMask) {
    OVuniverse_new(512, 0);
    EXPECT_EQ(OVuniverse_getrendering(), 0x0D);
    OVgeometry *g = square();
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x08, 1));
    OVuniverse_setrendering(0x80);
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), 128);
    OVuniverse_setrendering(0x05);
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), 0x0D);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x04, 0));
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), 0x09);
    OVgeometry_delete(g);
    OVuniverse_delete();
}
