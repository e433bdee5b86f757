#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

TEST(GeometryModel, NullHandlesGiveNeutralResults) {
    EXPECT_EQ(OVgeometry_numpolys(nullptr), 0);
    EXPECT_EQ(OVgeometry_getname(nullptr), nullptr);
    EXPECT_EQ(OVpoly_getid(nullptr), -1);
    EXPECT_EQ(OVpoly_numvertices(nullptr), -1);
    EXPECT_EQ(OVpoly_getmatid(nullptr), -1);
    EXPECT_EQ(OVpoly_getrendering(nullptr), 64);
    EXPECT_EQ(OVgeometry_getrenderingstyle(nullptr), -1);
    OVp3 n = {5, 5, 5};
    OVpoly_getnormal(nullptr, n);
    EXPECT_EQ(n[0] + n[1] + n[2], 0);
    EXPECT_FALSE(_OVgeometry_modifiable(nullptr));
}

TEST(GeometryModel, TheRendererRecordIsStaleAfterAChangeAndGoesWithTheGeometry) {
    OVgeometry *g = square();
    RenderSpy spy(g);
    ASSERT_TRUE(OVpoly_setmatid(OVgeometry_getpolys(g), 2));
    EXPECT_GE(RenderSpy::stale, 1);
    EXPECT_EQ(RenderSpy::released, 0);
    g->refcount = 2;
    OVgeometry_delete(g); // still referenced: the record stays
    EXPECT_EQ(RenderSpy::released, 0);
    OVgeometry_delete(g);
    spy.g = nullptr;
    EXPECT_EQ(RenderSpy::released, 1);
}

TEST(GeometryModel, NamesAndReferenceCount) {
    OVgeometry *g = _OVgeometry_new(nullptr);
    EXPECT_STREQ(OVgeometry_getname(g), "untitled");
    OVgeometry_setname(g, "crate");
    EXPECT_STREQ(OVgeometry_getname(g), "crate");
    g->refcount = 2;
    EXPECT_EQ(OVgeometry_delete(g), 1);
    EXPECT_STREQ(OVgeometry_getname(g), "crate"); // still alive
    EXPECT_EQ(OVgeometry_delete(g), 0);
}

TEST(GeometryModel, LockedGeometryRefusesChangesAndModifiableDropsCaches) {
    OVgeometry *g = square();
    {
        RenderSpy spy(g);
        EXPECT_TRUE(_OVgeometry_modifiable(g));
        EXPECT_EQ(RenderSpy::stale, 1);
        EXPECT_EQ(RenderSpy::released, 0);
    }
    g->locked = 1;
    EXPECT_FALSE(OVpoly_setmatid(OVgeometry_getpolys(g), 1));
    EXPECT_FALSE(OVpoly_delete(OVgeometry_getpolys(g)));
    EXPECT_FALSE(OVgeometry_beginedit(g));
    g->locked = 0;
    OVgeometry_delete(g);
}

TEST(GeometryModel, SquareNormalAndPlanarityLimit) {
    OVgeometry *g = square();
    OVpoly *p = OVgeometry_getpolys(g);
    OVp3 n;
    OVpoly_getnormal(p, n);
    EXPECT_FLOAT_EQ(n[2], -1);
    EXPECT_TRUE(p->flags & OVPOLY_CONVEX);
    EXPECT_NEAR(OVpoly_getarea(p), 4, 1e-5);
    OVvertex *first = OVpoly_getvertex(p, 0);
    first->position[2] = 0.01f;
    EXPECT_TRUE(_OVpoly_stats(p));
    first->position[2] = 0.02f;
    EXPECT_FALSE(_OVpoly_stats(p));
    OVgeometry_delete(g);
}

TEST(GeometryModel, CornerAccessAtEdges) {
    OVgeometry *g = square();
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_EQ(OVpoly_getvertex(p, -1), nullptr);
    EXPECT_EQ(OVpoly_getvertex(p, 4), nullptr);
    EXPECT_EQ(OVpoly_getvertex(p, 0), OVgeometry_getvertices(g));
    EXPECT_TRUE(OVpoly_containsvertex(p, OVgeometry_getvertices(g)));
    EXPECT_EQ(OVgeometry_id2poly(g, 3), nullptr);
    OVpoly_setid(p, 3);
    EXPECT_EQ(OVgeometry_id2poly(g, 3), p);
    OVgeometry_delete(g);
}

TEST(GeometryModel, PolygonFlagsAtCreationAndToggles) {
    OVgeometry *g = square();
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_EQ(p->flags & 0x0060, 0x0060);
    EXPECT_EQ(OVpoly_getrendering(p), 64);
    OVpoly_setrendering(p, 0);
    EXPECT_EQ(OVpoly_getrendering(p), 0);
    EXPECT_TRUE(OVpoly_getvisibility(p));
    OVpoly_setvisibility(p, 0);
    EXPECT_FALSE(OVpoly_getvisibility(p));
    p->flags |= OVPOLY_FIXEDNORMAL;
    OVpoly_setbothsides(p, 1);
    EXPECT_TRUE(OVpoly_getbothsides(p));
    OVpoly_setbothsides(p, 0);
    EXPECT_FALSE(p->flags & (OVPOLY_BOTHSIDES | OVPOLY_FIXEDNORMAL));
    OVgeometry_delete(g);
}

TEST(GeometryModel, RayFromBackHitsOnlyTwoSided) {
    OVgeometry *g = square(); // normal (0, 0, -1): front side is z < 0
    OVpoly *p = OVgeometry_getpolys(g);
    const OVp3 front = {0.2f, 0.3f, -5}, towards_pos = {0, 0, 1};
    const OVp3 back = {0.2f, 0.3f, 5}, towards_neg = {0, 0, -1};
    float best = 1e38f;
    EXPECT_TRUE(_OVpoly_rayintersect(p, front, towards_pos, &best));
    EXPECT_FLOAT_EQ(best, 5);
    best = 1e38f;
    EXPECT_FALSE(_OVpoly_rayintersect(p, back, towards_neg, &best));
    OVpoly_setbothsides(p, 1);
    EXPECT_TRUE(_OVpoly_rayintersect(p, back, towards_neg, &best));
    best = 1e38f;
    const OVp3 outside = {3, 0, -5};
    EXPECT_FALSE(_OVpoly_rayintersect(p, outside, towards_pos, &best));
    best = 2;
    EXPECT_FALSE(_OVpoly_rayintersect(p, front, towards_pos, &best)); // farther than best
    OVgeometry_delete(g);
}

TEST(GeometryModel, PolylistEntries) {
    OVpolylist *l = OVpolylist_new();
    EXPECT_EQ(OVpolylist_npolys(l), 0);
    OVgeometry *g = square();
    OVpoly *p = OVgeometry_getpolys(g);
    OVpolylist *h = OVpolylist_addpoly(l, p);
    EXPECT_EQ(h, l);
    EXPECT_EQ(OVpolylist_npolys(h), 1);
    EXPECT_EQ(OVpolylist_next(h), nullptr);
    EXPECT_EQ(OVpolylist_addpoly(h, nullptr), nullptr);
    h = OVpolylist_addpoly(h, p);
    EXPECT_EQ(OVpolylist_npolys(h), 2);
    OVpolylist *c = OVpolylist_copy(h);
    EXPECT_TRUE(OVpolylist_containspoly(c, p));
    OVp3 n;
    _OVpolylist_getnormal(c, n);
    EXPECT_NEAR(n[2], -1, 1e-6);
    OVpolylist_delete(c);
    OVpolylist_delete(h);
    OVgeometry_delete(g);
}

TEST(GeometryModel, NonConvexPolygonIsSplitAtClose) {
    // An L shape: one reflex corner.
    OVgeometry *g = OVgeometry_begin();
    const float pts[6][3] = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {1, 1, 0}, {1, 2, 0}, {0, 2, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 6; ++i)
        OVpoly_addvertex(p, i);
    ASSERT_TRUE(OVpoly_close(p));
    ASSERT_TRUE(OVgeometry_close(g));
    // The first diagonal that makes the reflex corner convex on its
    // successor's side leaves a second reflex piece, split once more.
    EXPECT_EQ(OVgeometry_numpolys(g), 3);
    float area = 0;
    int corners = 0;
    for (OVpoly *q : polys(g)) {
        EXPECT_TRUE(_OVpoly_convex(q));
        EXPECT_TRUE(q->flags & OVPOLY_BUILT);
        area += OVpoly_getarea(q);
        corners += OVpoly_numvertices(q);
    }
    EXPECT_NEAR(area, 3, 1e-5);
    EXPECT_EQ(corners, 10); // six corners plus both ends of two diagonals
    OVgeometry_delete(g);
}

TEST(GeometryModel, GeomlistGlomMergesIntoFirst) {
    OVgeometry *a = square(), *b = OVgeometry_newblock(1, 1, 1, 0),
               *empty = _OVgeometry_new(nullptr);
    OVgeomlist *l = _OVgeomlist_add(nullptr, b);
    l = _OVgeomlist_add(l, empty);
    l = _OVgeomlist_add(l, a);
    EXPECT_EQ(_OVgeomlist_glom(l), a);
    EXPECT_EQ(_OVgeomlist_next(l), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(a), 7);
    EXPECT_EQ(vertices(a).size(), 12u);
    for (OVpoly *p : polys(a))
        EXPECT_EQ(OVpoly_getgeometry(p), a);
    OVp3 e;
    OVgeometry_getextents(a, e);
    EXPECT_FLOAT_EQ(e[0], 2);
    EXPECT_FLOAT_EQ(e[2], 1);
    _OVgeomlist_delete(l);
    OVgeometry_delete(a);
}

TEST(GeometryModel, StarPolygonSplitsIntoConvexPiecesCoveringIt) {
    OVgeometry *g = OVgeometry_begin();
    const int points = 5;
    for (int k = 0; k < 2 * points; ++k) {
        float t = k * 3.14159265f / points, r = (k % 2) ? 0.4f : 1.0f;
        const OVp3 pos = {r * std::cos(t), r * std::sin(t), 0};
        OVgeometry_newvertex(g, pos);
    }
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 2 * points; ++i)
        OVpoly_addvertex(p, i);
    ASSERT_TRUE(OVpoly_close(p));
    float whole = OVpoly_getarea(p);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_GE(OVgeometry_numpolys(g), 2);
    float area = 0;
    auto vs = vertices(g);
    std::vector<int> seen(vs.size(), 0);
    for (OVpoly *q : polys(g)) {
        EXPECT_TRUE(_OVpoly_convex(q));
        OVp3 n;
        OVpoly_getnormal(q, n);
        EXPECT_GT(n[2], 0.99f); // same facing as the star
        area += OVpoly_getarea(q);
        for (int c : corner_numbers(g, q))
            seen[c] = 1;
    }
    EXPECT_NEAR(area, whole, 1e-4);
    for (int s : seen)
        EXPECT_EQ(s, 1); // every corner of the star is used by a piece
    OVgeometry_delete(g);
}

TEST(GeometryModel, FanTriangulationOfAHexagon) {
    OVgeometry *g = OVgeometry_begin();
    for (int k = 0; k < 6; ++k) {
        const OVp3 pos = {std::cos(k * 1.0471976f), std::sin(k * 1.0471976f), (k == 0) ? 0.3f : 0};
        OVgeometry_newvertex(g, pos);
    }
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 6; ++i)
        OVpoly_addvertex(p, i);
    ASSERT_TRUE(OVpoly_close(p));
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_EQ(OVgeometry_numpolys(g), 4);
    auto ps = polys(g);
    EXPECT_EQ(corner_numbers(g, ps[0]),
              (std::vector<int>{0, 4, 5})); // the original, last of the fan
    EXPECT_EQ(corner_numbers(g, ps[1]), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(corner_numbers(g, ps[3]), (std::vector<int>{0, 3, 4}));
    OVgeometry_delete(g);
}
