// The steps of closing a polygon and a geometry at their edges, and what
// the primitives' polygons carry once closed.
#include "geometry_test_util.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

using namespace geomtest;

namespace {

std::string out_of_range(OVpoly *p, int corners) {
    char text[96];
    std::snprintf(text, sizeof text, "ORV Warning: Polygon %x has %d vertices -- outside [3,256]\n",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p)), corners);
    return text;
}

} // namespace

TEST(CloseSteps, PolygonsOfTooFewCornersAreRefusedWithTheirCount) {
    Capture cap;
    OVgeometry *g = OVgeometry_begin();
    const OVp3 a = {0, 0, 0}, b = {1, 0, 0};
    OVgeometry_newvertex(g, a);
    OVgeometry_newvertex(g, b);
    OVpoly *two = OVgeometry_beginpoly(g);
    ASSERT_TRUE(OVpoly_addvertex(two, 0));
    ASSERT_TRUE(OVpoly_addvertex(two, 1));
    EXPECT_FALSE(OVpoly_close(two));
    EXPECT_EQ(cap.text(), out_of_range(two, 2));
    captured().clear();
    OVpoly *none = OVgeometry_beginpoly(g);
    EXPECT_FALSE(OVpoly_close(none));
    EXPECT_EQ(cap.text(), out_of_range(none, 0));
    EXPECT_EQ(OVgeometry_numpolys(g), 0);
    EXPECT_EQ(OVgeometry_getpolys(g), nullptr);
    _OVpoly_cancel(two);
    _OVpoly_cancel(none);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(CloseSteps, AGeometryWithoutPolygonsHasTooFewVertices) {
    Capture cap;
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    EXPECT_FALSE(OVgeometry_close(g)); // every vertex unused, so removed
    EXPECT_EQ(cap.text(), "ORV Warning: Can't make geometry - too few vertices\n");
    // The building phase ended with it.
    OVgeometry *next = OVgeometry_begin();
    ASSERT_NE(next, nullptr);
    _OVgeometry_checkifopen(next);
    OVgeometry_delete(next);
}

TEST(CloseSteps, ThreeVerticesAreEnough) {
    Capture cap;
    OVgeometry *g = polygon_of({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(vertices(g).size(), 3u);
    EXPECT_EQ(cap.text(), "");
    OVgeometry_delete(g);
}

TEST(CloseSteps, NewVerticesHaveNoFlagsUntilAPolygonUsesThem) {
    OVgeometry *g = OVgeometry_begin();
    const OVp3 at = {1, 2, 3};
    OVvertex *v = OVgeometry_newvertex(g, at);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->flags, 0);
    EXPECT_EQ(v->normal, nullptr);
    OVpoly *p = OVgeometry_beginpoly(g);
    ASSERT_TRUE(OVpoly_addvertex(p, 0));
    EXPECT_TRUE(v->flags & OVVERTEX_USED);
    _OVpoly_cancel(p);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(CloseSteps, AQuadrilateralThroughAMissingVertexIsNotMade) {
    Capture cap;
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    EXPECT_EQ(_OVgeometry_addpoly3(g, 0, 1, 3, 0), nullptr);
    EXPECT_EQ(_OVgeometry_addpoly4(g, 0, 1, 2, 7, 0), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(g), 0);
    ASSERT_NE(_OVgeometry_addpoly3(g, 0, 1, 2, 0), nullptr);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    OVgeometry_delete(g);
}

TEST(CloseSteps, TrianglesOfASmoothTwistedQuadAreNotVisitedAgain) {
    // Every vertex takes the quadrilateral's own normal: the triangles made
    // from it add nothing more.
    OVgeometry *g = OVgeometry_begin();
    const float pts[4][3] = {{1, 1, 0.5f}, {1, -1, 0}, {-1, -1, 0}, {-1, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    OVpoly *quad = _OVgeometry_addpoly4(g, 0, 1, 2, 3, 0);
    ASSERT_NE(quad, nullptr);
    OVp3 whole;
    OVpoly_getnormal(quad, whole);
    ASSERT_TRUE(OVgeometry_closesmooth(g));
    ASSERT_EQ(OVgeometry_numpolys(g), 2);
    for (OVvertex *v : vertices(g)) {
        OVp3 n;
        ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
        for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(n[a], whole[a], 1e-5);
    }
    for (OVpoly *p : polys(g))
        EXPECT_TRUE(OVpoly_hasvnormals(p));
    OVgeometry_delete(g);
}

TEST(CloseSteps, BlockFacesPointAlongTheAxesInCreationOrder) {
    OVgeometry *g = OVgeometry_newblock(2, 4, 6, 0);
    ASSERT_NE(g, nullptr);
    auto ps = polys(g);
    ASSERT_EQ(ps.size(), 6u);
    const float want[6][3] = {{0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (int i = 0; i < 6; ++i) {
        OVpoly *p = ps[5 - i]; // the list is newest first
        OVp3 n, c;
        OVpoly_getnormal(p, n);
        OVpoly_getcg(p, c);
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(n[a], want[i][a], 1e-6) << "face " << i;
            // Each face's centre lies on its axis at half the size.
            const float half[3] = {1, 2, 3};
            EXPECT_NEAR(c[a], want[i][a] * half[a], 1e-6) << "face " << i;
        }
        EXPECT_FALSE(OVpoly_getbothsides(p));
        EXPECT_FALSE(OVpoly_hasvnormals(p));
    }
    OVgeometry_delete(g);
}

TEST(CloseSteps, OnlyTheCurvedFacesOfSmoothShapesHaveVertexNormals) {
    const OVp2 outline[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    struct Shape {
        OVgeometry *smooth, *flat;
        int sides;
    };
    const Shape shapes[] = {
        {OVgeometry_newcylinder(2, 1, 5, 0, 1), OVgeometry_newcylinder(2, 1, 5, 0, 0), 5},
        {OVgeometry_newtruncone(2, 1, 0.5f, 6, 0, 1), OVgeometry_newtruncone(2, 1, 0.5f, 6, 0, 0),
         6},
        {OVgeometry_newextrusion(outline, 4, 2, 0, 1), OVgeometry_newextrusion(outline, 4, 2, 0, 0),
         4},
    };
    for (const Shape &s : shapes) {
        ASSERT_NE(s.smooth, nullptr);
        ASSERT_NE(s.flat, nullptr);
        auto ps = polys(s.smooth);
        ASSERT_EQ(static_cast<int>(ps.size()), 2 + s.sides);
        // The two caps were made first: last in the list.
        for (std::size_t i = 0; i < ps.size(); ++i)
            EXPECT_EQ(OVpoly_hasvnormals(ps[i]) != 0, i < ps.size() - 2)
                << OVgeometry_getname(s.smooth) << " polygon " << i;
        for (OVpoly *p : polys(s.flat))
            EXPECT_FALSE(OVpoly_hasvnormals(p)) << OVgeometry_getname(s.flat);
        OVgeometry_delete(s.smooth);
        OVgeometry_delete(s.flat);
    }
}

TEST(CloseSteps, SmoothRoundShapesHaveVertexNormalsEverywhere) {
    OVgeometry *shapes[] = {OVgeometry_newsphere(1, 3, 5, 0, 1),
                            OVgeometry_newhemisphere(1, 3, 5, 0, 1)};
    for (OVgeometry *g : shapes) {
        ASSERT_NE(g, nullptr);
        for (OVpoly *p : polys(g))
            EXPECT_TRUE(OVpoly_hasvnormals(p)) << OVgeometry_getname(g);
        for (OVvertex *v : vertices(g)) {
            OVp3 n;
            ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
            EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1, 1e-5);
            EXPECT_FALSE(v->flags & OVVERTEX_SMOOTH);
        }
        OVgeometry_delete(g);
    }
    // The hemisphere's pole points down, away from the shape.
    OVgeometry *h = OVgeometry_newhemisphere(1, 3, 5, 0, 1);
    OVp3 pole;
    ASSERT_TRUE(OVgeometry_getvertexnormal(h, OVgeometry_getvertices(h), pole));
    EXPECT_NEAR(pole[1], -1, 1e-5);
    OVgeometry_delete(h);
}

TEST(CloseSteps, VerticesAddedWhileEditingAnotherGeometryTakeNoNumber) {
    OVgeometry *other = OVgeometry_newrectangle(2, 2, 0);
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    ASSERT_TRUE(OVgeometry_beginedit(other));
    const OVp3 far = {9, 9, 9};
    OVvertex *v = OVgeometry_newvertex(other, far);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(vertices(other).back(), v);
    ASSERT_TRUE(OVgeometry_endedit(other));
    EXPECT_EQ(vertices(g).size(), 3u);
    OVpoly *p = OVgeometry_beginpoly(g);
    EXPECT_FALSE(OVpoly_addvertex(p, 3));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(OVpoly_addvertex(p, i));
    ASSERT_TRUE(OVpoly_close(p));
    ASSERT_TRUE(OVgeometry_close(g));
    OVgeometry_delete(g);
    OVgeometry_delete(other);
}

TEST(CloseSteps, EveryBlockFaceHasTheAreaOfItsSides) {
    OVgeometry *g = OVgeometry_newblock(2, 3, 5, 0);
    ASSERT_NE(g, nullptr);
    auto ps = polys(g);
    // Creation order +z, +x, -z, -x, +y, -y; the list is newest first.
    const float want[6] = {6, 15, 6, 15, 10, 10};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(OVpoly_getarea(ps[5 - i]), want[i], 1e-4) << "face " << i;
    OVgeometry_delete(g);
}

TEST(CloseSteps, AConeWideningUpwardsHasSideNormalsLeaningDown) {
    const float h = 2, r1 = 1, r2 = 3;
    OVgeometry *g = OVgeometry_newtruncone(h, r1, r2, 6, 0, 1);
    ASSERT_NE(g, nullptr);
    const float a = std::atan((r1 - r2) / h);
    auto vs = vertices(g);
    ASSERT_EQ(vs.size(), 24u);
    for (int i = 12; i < 24; ++i) {
        OVp3 n;
        ASSERT_TRUE(OVgeometry_getvertexnormal(g, vs[i], n));
        EXPECT_NEAR(n[1], std::sin(a), 1e-5);
        EXPECT_LT(n[1], 0);
    }
    // The side faces lean down too.
    auto ps = polys(g);
    for (std::size_t i = 0; i + 2 < ps.size(); ++i) {
        OVp3 n;
        OVpoly_getnormal(ps[i], n);
        EXPECT_LT(n[1], 0) << i;
    }
    OVgeometry_delete(g);
}
