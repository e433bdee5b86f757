// Per-polygon algorithms at their edges: the shoelace area of a reflex
// polygon, straight corners, rays that graze the limits of each test, and
// what split and triangulated pieces inherit.
#include "geometry_test_util.h"

#include <algorithm>
#include <cmath>

using namespace geomtest;

namespace {

// An open geometry with one closed polygon through the points in order.
OVpoly *open_polygon(OVgeometry *&g, const std::vector<std::array<float, 3>> &pts) {
    g = OVgeometry_begin();
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p.data());
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < static_cast<int>(pts.size()); ++i)
        OVpoly_addvertex(p, i);
    EXPECT_TRUE(OVpoly_close(p));
    return p;
}

const std::vector<std::array<float, 3>> l_shape = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0},
                                                   {1, 1, 0}, {1, 2, 0}, {0, 2, 0}};

} // namespace

TEST(PolygonAlgorithms, ShoelaceAreaOfAReflexPolygon) {
    OVgeometry *g = nullptr;
    OVpoly *p = open_polygon(g, l_shape);
    EXPECT_FALSE(_OVpoly_convex(p));
    EXPECT_NEAR(OVpoly_getarea(p), 3, 1e-5);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, AStraightCornerIsNoReflexCorner) {
    // The corner at (1, 0) lies on the line between its neighbours.
    OVgeometry *g = polygon_of({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1, 0}});
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(OVgeometry_numpolys(g), 1);
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_EQ(OVpoly_numvertices(p), 4);
    EXPECT_TRUE(_OVpoly_convex(p));
    OVp3 n;
    OVpoly_getnormal(p, n);
    EXPECT_FLOAT_EQ(n[2], 1);
    EXPECT_NEAR(OVpoly_getarea(p), 1, 1e-5);
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, RaysAtTheLimitsOfEachTest) {
    OVgeometry *g = square(); // normal (0, 0, -1); its front faces -z
    OVpoly *p = OVgeometry_getpolys(g);
    const OVp3 towards = {0, 0, 1};
    // Starting on the polygon: a hit at distance 0.
    const OVp3 on = {0.2f, 0.3f, 0};
    float best = 1e38f;
    EXPECT_TRUE(_OVpoly_rayintersect(p, on, towards, &best));
    EXPECT_EQ(best, 0);
    // Exactly as far as the best so far still hits; only farther misses.
    const OVp3 front = {0.2f, 0.3f, -4};
    best = 4;
    EXPECT_TRUE(_OVpoly_rayintersect(p, front, towards, &best));
    EXPECT_EQ(best, 4);
    // Through the middle of an edge and through a corner: on the boundary.
    const OVp3 edge = {1, 0, -4}, corner = {-1, -1, -4};
    best = 1e38f;
    EXPECT_TRUE(_OVpoly_rayintersect(p, edge, towards, &best));
    best = 1e38f;
    EXPECT_TRUE(_OVpoly_rayintersect(p, corner, towards, &best));
    EXPECT_EQ(best, 4);
    // Grazing: the direction's approach to the plane must reach 0.0001.
    const OVp3 near_plane = {-0.9f, 0, -0.00005f}, grazing = {1, 0, 0.00005f};
    best = 1e38f;
    EXPECT_FALSE(_OVpoly_rayintersect(p, near_plane, grazing, &best));
    EXPECT_EQ(best, 1e38f);
    const OVp3 lower = {-0.9f, 0, -0.0001f}, steeper = {1, 0, 0.0002f};
    EXPECT_TRUE(_OVpoly_rayintersect(p, lower, steeper, &best));
    EXPECT_NEAR(best, 0.5f, 1e-4);
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, ARayFromInsideTheBoundingSphereIsNotRejectedByIt) {
    // A long thin strip: the origin lies within its bounding sphere, far
    // from its centre, and the ray leaves it at a slant.
    OVgeometry *g = polygon_of({{-10, -0.5f, 0}, {-10, 0.5f, 0}, {10, 0.5f, 0}, {10, -0.5f, 0}});
    ASSERT_NE(g, nullptr);
    OVpoly *p = OVgeometry_getpolys(g);
    OVp3 n;
    OVpoly_getnormal(p, n);
    ASSERT_FLOAT_EQ(n[2], -1);
    const OVp3 origin = {8, 0, -1}, slant = {1, 0, 1};
    float best = 1e38f;
    ASSERT_TRUE(_OVpoly_rayintersect(p, origin, slant, &best));
    EXPECT_NEAR(best, 1, 1e-5); // meets the strip at (9, 0, 0)
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, OpposedPolygonsHaveNoListNormal) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    OVpoly *up = _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    OVpoly *down = _OVgeometry_addpoly3(g, 0, 2, 1, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    OVpolylist *l = OVpolylist_addpoly(OVpolylist_addpoly(nullptr, up), down);
    OVp3 n = {7, 7, 7};
    _OVpolylist_getnormal(l, n);
    EXPECT_EQ(n[0], 0);
    EXPECT_EQ(n[1], 0);
    EXPECT_EQ(n[2], 0);
    OVpolylist_delete(l);
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, SplitPiecesKeepMaterialAndRenderingFlags) {
    OVgeometry *g = nullptr;
    OVpoly *p = open_polygon(g, l_shape);
    ASSERT_TRUE(OVpoly_setmatid(p, 5));
    OVpoly_setvisibility(p, 0);
    OVpoly_setrendering(p, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_GE(OVgeometry_numpolys(g), 2);
    for (OVpoly *q : polys(g)) {
        EXPECT_EQ(OVpoly_getmatid(q), 5);
        EXPECT_FALSE(OVpoly_getvisibility(q));
        EXPECT_EQ(OVpoly_getrendering(q), 0);
        OVp3 n;
        OVpoly_getnormal(q, n);
        EXPECT_FLOAT_EQ(n[2], 1);
    }
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, TrianglesOfATwistedPolygonKeepItsAttributes) {
    OVgeometry *g = nullptr;
    OVpoly *p = open_polygon(g, {{1, 1, 0.5f}, {1, -1, 0}, {-1, -1, 0}, {-1, 1, 0}, {0, 2, 0}});
    ASSERT_TRUE(OVpoly_setmatid(p, 4));
    OVpoly_setbothsides(p, 1);
    OVpoly_setvisibility(p, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_EQ(OVgeometry_numpolys(g), 3);
    // The original is the last of the fan; the others follow it in turn.
    auto ps = polys(g);
    EXPECT_EQ(ps[0], p);
    EXPECT_EQ(corner_numbers(g, ps[0]), (std::vector<int>{0, 3, 4}));
    EXPECT_EQ(corner_numbers(g, ps[1]), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(corner_numbers(g, ps[2]), (std::vector<int>{0, 2, 3}));
    for (OVpoly *q : ps) {
        EXPECT_EQ(OVpoly_numvertices(q), 3);
        EXPECT_EQ(OVpoly_getmatid(q), 4);
        EXPECT_TRUE(OVpoly_getbothsides(q));
        EXPECT_FALSE(OVpoly_getvisibility(q));
        // Each triangle's statistics are its own.
        OVp3 c;
        OVpoly_getcg(q, c);
        float want[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            OVp3 at;
            OVvertex_getposition(OVpoly_getvertex(q, i), at);
            for (int a = 0; a < 3; ++a)
                want[a] += at[a] / 3;
        }
        for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(c[a], want[a], 1e-5);
    }
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, AGeometryWithoutPolygonsListsNone) {
    OVgeometry *g = square();
    ASSERT_TRUE(OVpoly_delete(OVgeometry_getpolys(g)));
    OVpolylist *l = OVgeometry_getpolylist(g);
    EXPECT_EQ(OVpolylist_npolys(l), 0);
    OVpolylist_delete(l);
    EXPECT_EQ(OVgeometry_id2poly(g, 0), nullptr);
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, ATwistedRingWhoseTurnsCancelFacesLikeItsFirstTurn) {
    // A bow tie: the fan's cross products cancel, so the first turn's
    // cross product, (0, 0, -1), gives the normal.
    OVgeometry *g = nullptr;
    OVpoly *p = open_polygon(g, {{0, 0, 0}, {1, 1, 0}, {1, 0, 0}, {0, 1, 0}});
    EXPECT_FALSE(_OVpoly_convex(p));
    OVp3 n;
    OVpoly_getnormal(p, n);
    EXPECT_EQ(n[0], 0);
    EXPECT_EQ(n[1], 0);
    EXPECT_EQ(n[2], -1);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, ConvexityIsJudgedAgainstTheStoredNormal) {
    OVgeometry *g = square(); // normal (0, 0, -1)
    OVpoly *p = OVgeometry_getpolys(g);
    ASSERT_TRUE(_OVpoly_convex(p));
    p->flags |= OVPOLY_FIXEDNORMAL;
    p->normal[2] = 1; // held the other way: every turn is against it
    EXPECT_FALSE(_OVpoly_convex(p));
    EXPECT_FALSE(p->flags & OVPOLY_CONVEX);
    OVgeometry_delete(g);
}

TEST(PolygonAlgorithms, EmptyListsHoldNothing) {
    OVpolylist *l = OVpolylist_new();
    EXPECT_FALSE(OVpolylist_containspoly(l, nullptr));
    OVpolylist *c = OVpolylist_copy(l);
    EXPECT_EQ(OVpolylist_npolys(c), 0);
    OVp3 n = {3, 3, 3};
    _OVpolylist_getnormal(l, n);
    EXPECT_EQ(n[0], 0);
    EXPECT_EQ(n[1], 0);
    EXPECT_EQ(n[2], 0);
    OVpolylist_delete(c);
    OVpolylist_delete(l);
    OVpolylist_delete(nullptr);
    EXPECT_EQ(OVgeometry_delete(nullptr), 0);
}

TEST(PolygonAlgorithms, AnLShapeIsCutAtItsReflexCornerByTheFirstDiagonalThatMends) {
    // The reflex corner is 3, at (1, 1). From two places on, corner 5 is
    // the first end that leaves corner 3 convex towards its successor, 4;
    // the pentagon left over is then cut from 3 to 0.
    OVgeometry *g = polygon_of(l_shape);
    ASSERT_NE(g, nullptr);
    std::vector<std::vector<int>> pieces;
    for (OVpoly *p : polys(g)) {
        auto corners = corner_numbers(g, p);
        // Each piece runs the same way round as the L: a turn of its ring.
        auto first = std::min_element(corners.begin(), corners.end());
        std::rotate(corners.begin(), first, corners.end());
        pieces.push_back(corners);
    }
    std::sort(pieces.begin(), pieces.end());
    EXPECT_EQ(pieces, (std::vector<std::vector<int>>{{0, 1, 2, 3}, {0, 3, 5}, {3, 4, 5}}));
    OVgeometry_delete(g);
}
