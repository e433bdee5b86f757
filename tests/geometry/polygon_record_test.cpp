// Records, accessors and per-polygon statistics not covered by the model tests.
#include "geometry/geometry_access.h"
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

namespace {

int draw_calls = 0;
OVgeometry *drawn_geometry = nullptr;
void *drawn_state = nullptr;
void record_draw(OVgeometry *g, void *state) {
    ++draw_calls;
    drawn_geometry = g;
    drawn_state = state;
}

} // namespace

TEST(PolygonRecord, NewGeometryAndPolygonStartAsDocumented) {
    int owner = 0;
    OVgeometry *g = _OVgeometry_new(&owner);
    EXPECT_EQ(g->owner, &owner);
    EXPECT_EQ(g->refcount, 1);
    EXPECT_EQ(g->owns_polys, 1);
    EXPECT_EQ(OVgeometry_getmtable(g), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(g), 0);
    OVpoly *p = _OVpoly_new(g);
    EXPECT_EQ(OVpoly_getgeometry(p), g);
    EXPECT_EQ(p->flags, OVPOLY_OBJECTFRAME);
    EXPECT_EQ(p->rflags, OVPOLYR_SMOOTH);
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    EXPECT_EQ(OVpoly_getid(p), 0);
    EXPECT_EQ(_OVpoly_getsset(p), 0);
    EXPECT_EQ(OVpoly_next(p), nullptr);
    EXPECT_EQ(OVgeometry_getpolys(g), nullptr); // not linked
    // The owner is reported while the polygon takes the object's frame.
    EXPECT_EQ(OVpoly_getobject(p), &owner);
    p->flags &= static_cast<std::uint16_t>(~OVPOLY_OBJECTFRAME);
    EXPECT_EQ(OVpoly_getobject(p), nullptr);
    _OVpoly_setsset(p, 0x1A5); // a byte
    EXPECT_EQ(_OVpoly_getsset(p), 0xA5);
    _OVpoly_del(p);
    OVgeometry_delete(g);
}

TEST(PolygonRecord, DeletionCallsTheDrawCallbackWithTheGeometryTwice) {
    OVgeometry *g = square();
    g->draw = record_draw;
    draw_calls = 0;
    g->refcount = 2;
    EXPECT_EQ(OVgeometry_delete(g), 1);
    EXPECT_EQ(draw_calls, 0);
    EXPECT_EQ(OVgeometry_delete(g), 0);
    EXPECT_EQ(draw_calls, 1);
    EXPECT_EQ(drawn_geometry, g);
    EXPECT_EQ(drawn_state, static_cast<void *>(g));
}

TEST(PolygonRecord, TheLastPolygonOfAnObjectsGeometryStays) {
    Capture cap;
    int owner = 0;
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    g->owner = &owner;
    auto ps = polys(g);
    for (std::size_t i = 0; i + 1 < ps.size(); ++i)
        ASSERT_TRUE(OVpoly_delete(ps[i]));
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    EXPECT_EQ(cap.text(), "");
    EXPECT_FALSE(OVpoly_delete(ps.back()));
    EXPECT_EQ(cap.text(), "ORV Warning: Can't delete the last polygon in an object.\n");
    EXPECT_EQ(OVgeometry_getpolys(g), ps.back());
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    // Without an owner the last one goes like any other, silently.
    g->owner = nullptr;
    captured().clear();
    EXPECT_TRUE(OVpoly_delete(ps.back()));
    EXPECT_EQ(OVgeometry_numpolys(g), 0);
    EXPECT_EQ(OVgeometry_getpolys(g), nullptr);
    EXPECT_EQ(cap.text(), "");
    EXPECT_FALSE(OVpoly_delete(nullptr));
    OVgeometry_delete(g);
}

TEST(PolygonRecord, VertexMaterialIds) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVvertex *v = OVgeometry_getvertices(g);
    EXPECT_EQ(OVgeometry_getvertexmatid(g, v), -1);
    EXPECT_FALSE(OVgeometry_setvertexmatid(g, v, -1));
    EXPECT_EQ(OVgeometry_getvertexmatid(g, v), -1);
    EXPECT_TRUE(OVgeometry_setvertexmatid(g, v, 0));
    EXPECT_EQ(OVgeometry_getvertexmatid(g, v), 0);
    EXPECT_TRUE(v->flags & OVVERTEX_OWNMATID);
    g->locked = 1;
    EXPECT_FALSE(OVgeometry_setvertexmatid(g, v, 5));
    g->locked = 0;
    EXPECT_TRUE(OVgeometry_setvertexmatid(g, v, 5));
    EXPECT_EQ(OVgeometry_getvertexmatid(g, v), 5);
    EXPECT_EQ(OVgeometry_getvertexmatid(nullptr, v), -1);
    OVgeometry_delete(g);
}

TEST(PolygonRecord, MaterialIdsAndIdsOfPolygons) {
    OVgeometry *g = square();
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_FALSE(OVpoly_setmatid(p, -1));
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    EXPECT_TRUE(OVpoly_setmatid(p, 3));
    EXPECT_EQ(OVpoly_getmatid(p), 3);
    // Ids are 16-bit: the lookup compares them as such.
    OVpoly_setid(p, 0x10007);
    EXPECT_EQ(OVpoly_getid(p), 7);
    EXPECT_EQ(OVgeometry_id2poly(g, 7), p);
    EXPECT_EQ(OVgeometry_id2poly(g, 0x20007), p);
    OVpoly_setid(p, -2);
    EXPECT_EQ(OVpoly_getid(p), -2);
    EXPECT_EQ(OVgeometry_id2poly(nullptr, 0), nullptr);
    OVgeometry_delete(g);
}

TEST(PolygonRecord, VertexNormalsOfEveryCornerSetTheRenderingBit) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_FALSE(OVpoly_hasvnormals(p));
    ASSERT_TRUE(OVpoly_computevertexnormals(p));
    EXPECT_TRUE(OVpoly_hasvnormals(p));
    for (int i = 0; i < OVpoly_numvertices(p); ++i) {
        OVp3 n;
        ASSERT_TRUE(OVgeometry_getvertexnormal(g, OVpoly_getvertex(p, i), n));
        EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1, 1e-5);
    }
    // Another face shares some of those vertices but not all: not marked.
    EXPECT_FALSE(OVpoly_hasvnormals(polys(g)[4]));
    EXPECT_FALSE(OVpoly_computevertexnormals(nullptr));
    EXPECT_FALSE(OVpoly_hasvnormals(nullptr));
    OVgeometry_delete(g);
}

TEST(PolygonRecord, SortRecordsOrderByTheirSecondFloatDescending) {
    float a[2] = {9, 1}, b[2] = {0, 2}, c[2] = {5, 2};
    EXPECT_GT(_OVpoly_cmp(a, b), 0);
    EXPECT_LT(_OVpoly_cmp(b, a), 0);
    EXPECT_EQ(_OVpoly_cmp(b, c), 0);
    float records[4][2] = {{0, 3}, {1, 7}, {2, -1}, {3, 5}};
    std::qsort(records, 4, sizeof records[0], _OVpoly_cmp);
    EXPECT_EQ(records[0][0], 1);
    EXPECT_EQ(records[1][0], 3);
    EXPECT_EQ(records[2][0], 0);
    EXPECT_EQ(records[3][0], 2);
}

TEST(PolygonRecord, ListsGrowInFrontAndAppendAtTheEnd) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    auto ps = polys(g);
    // A null list is made on the way.
    OVpolylist *l = OVpolylist_addpoly(nullptr, ps[0]);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(OVpolylist_getpoly(l), ps[0]);
    EXPECT_EQ(OVpolylist_next(l), nullptr);
    l = OVpolylist_addpoly(l, ps[1]);
    EXPECT_EQ(OVpolylist_getpoly(l), ps[1]);
    EXPECT_EQ(OVpolylist_getpoly(OVpolylist_next(l)), ps[0]);
    EXPECT_FALSE(OVpolylist_containspoly(l, ps[2]));
    EXPECT_FALSE(OVpolylist_containspoly(l, nullptr));
    EXPECT_EQ(OVpolylist_npolys(nullptr), 0);
    OVpolylist_delete(l);
    OVpolylist *all = OVgeometry_getpolylist(g);
    EXPECT_EQ(OVpolylist_npolys(all), 6);
    for (OVpoly *p : ps)
        EXPECT_TRUE(OVpolylist_containspoly(all, p));
    OVpolylist_delete(all);
    OVgeometry_delete(g);

    int x = 0, y = 0, z = 0;
    auto *gx = reinterpret_cast<OVgeometry *>(&x), *gy = reinterpret_cast<OVgeometry *>(&y),
         *gz = reinterpret_cast<OVgeometry *>(&z);
    OVgeomlist *a = _OVgeomlist_add(_OVgeomlist_add(nullptr, gy), gx);
    OVgeomlist *b = _OVgeomlist_add(nullptr, gz);
    EXPECT_EQ(_OVgeomlist_append(nullptr, b), b);
    EXPECT_EQ(_OVgeomlist_append(a, b), a);
    std::vector<OVgeometry *> order;
    for (OVgeomlist *e = a; e; e = _OVgeomlist_next(e))
        order.push_back(_OVgeomlist_geometry(e));
    EXPECT_EQ(order, (std::vector<OVgeometry *>{gx, gy, gz}));
    _OVgeomlist_delete(a); // entries only: b's went with it
}

TEST(PolygonRecord, CentreAndRadiusComeFromTheExtremeCorners) {
    OVgeometry *g = polygon_of({{0, 0, 0}, {3, 0, 0}, {0, 3, 0}});
    OVpoly *p = OVgeometry_getpolys(g);
    OVp3 c;
    OVpoly_getcg(p, c);
    EXPECT_FLOAT_EQ(c[0], 1);
    EXPECT_FLOAT_EQ(c[1], 1);
    EXPECT_FLOAT_EQ(c[2], 0);
    float centre[3];
    // Per axis the larger distance to an extreme corner: (2, 2, 0).
    EXPECT_FLOAT_EQ(orv::geom::poly_bounds(p, centre), std::sqrt(8.0f));
    OVgeometry_delete(g);
}

TEST(PolygonRecord, NonConvexNormalIsTheFanSum) {
    // A dart: convex turns at three corners, a reflex one at the fourth.
    OVgeometry *g = OVgeometry_begin();
    const float pts[4][3] = {{0, 0, 0}, {2, 1, 0}, {0, 3, 0}, {1, 1, 0}};
    for (const auto &q : pts)
        OVgeometry_newvertex(g, q);
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 4; ++i)
        OVpoly_addvertex(p, i);
    ASSERT_TRUE(OVpoly_close(p));
    EXPECT_FALSE(p->flags & OVPOLY_CONVEX);
    EXPECT_FALSE(_OVpoly_convex(p));
    OVp3 n;
    OVpoly_getnormal(p, n);
    EXPECT_FLOAT_EQ(n[0], 0);
    EXPECT_FLOAT_EQ(n[1], 0);
    EXPECT_FLOAT_EQ(n[2], 1); // counter-clockwise seen from +z
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(PolygonRecord, PolygonsThatTurnNowhereFaceAlongX) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {0, 1, 0}, {0, 2, 0}};
    for (const auto &q : pts)
        OVgeometry_newvertex(g, q);
    OVpoly *p = _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    ASSERT_NE(p, nullptr);
    OVp3 n;
    OVpoly_getnormal(p, n);
    EXPECT_EQ(n[0], 1);
    EXPECT_EQ(n[1], 0);
    EXPECT_EQ(n[2], 0);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);

    // A square whose corners all come together keeps one corner and the
    // fallback normal.
    OVgeometry *s = square();
    auto vs = vertices(s);
    ASSERT_TRUE(OVgeometry_beginedit(s));
    for (int i = 1; i < 4; ++i)
        ASSERT_TRUE(OVgeometry_setvertexposition(s, vs[i], vs[0]->position));
    ASSERT_TRUE(OVgeometry_endedit(s));
    OVpoly *q = OVgeometry_getpolys(s);
    EXPECT_EQ(OVpoly_numvertices(q), 1);
    EXPECT_TRUE(q->flags & OVPOLY_DEGENERATE);
    OVpoly_getnormal(q, n);
    EXPECT_EQ(n[0], 1);
    EXPECT_EQ(n[2], 0);
    OVgeometry_delete(s);
}

TEST(PolygonRecord, FixedNormalIsKeptByTheStatistics) {
    OVgeometry *g = square();
    OVpoly *p = OVgeometry_getpolys(g);
    p->flags |= OVPOLY_FIXEDNORMAL;
    OVvertex *first = OVpoly_getvertex(p, 0);
    first->position[2] = 0.5f;     // far out of the plane
    EXPECT_TRUE(_OVpoly_stats(p)); // no planarity test
    OVp3 n;
    OVpoly_getnormal(p, n);
    EXPECT_EQ(n[2], -1);
    p->flags &= static_cast<std::uint16_t>(~OVPOLY_FIXEDNORMAL);
    EXPECT_FALSE(_OVpoly_stats(p));
    OVpoly_getnormal(p, n);
    EXPECT_NE(n[2], -1);
    OVgeometry_delete(g);
}

TEST(PolygonRecord, RepeatedCornersMergeAcrossTheWrap) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[5][3] = {{0, 0, 0}, {1, 0, 0}, {1.000005f, 0, 0}, {1, 1, 0}, {0.000005f, 0, 0}};
    for (const auto &q : pts)
        OVgeometry_newvertex(g, q);
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 5; ++i)
        OVpoly_addvertex(p, i);
    ASSERT_TRUE(OVpoly_close(p));
    EXPECT_EQ(_OVpoly_removeduplicates(p), 3);
    EXPECT_EQ(OVpoly_numvertices(p), 3);
    auto vs = vertices(g);
    EXPECT_EQ(OVpoly_getvertex(p, 0), vs[0]);
    EXPECT_EQ(OVpoly_getvertex(p, 1), vs[1]);
    EXPECT_EQ(OVpoly_getvertex(p, 2), vs[3]);
    EXPECT_EQ(_OVpoly_removeduplicates(p), 3); // nothing left to merge
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(PolygonRecord, AreaOfATiltedPolygon) {
    // A 2 by 3 rectangle tilted about x by 30 degrees.
    const float c = std::cos(0.5235988f), s = std::sin(0.5235988f);
    OVgeometry *g = polygon_of({{0, 0, 0}, {2, 0, 0}, {2, 3 * c, 3 * s}, {0, 3 * c, 3 * s}});
    EXPECT_NEAR(OVpoly_getarea(OVgeometry_getpolys(g)), 6, 1e-4);
    EXPECT_EQ(OVpoly_getarea(nullptr), 0);
    OVgeometry_delete(g);
}

TEST(PolygonRecord, RaysThatMissForEachReason) {
    OVgeometry *g = square(); // normal (0, 0, -1), radius sqrt(2)
    OVpoly *p = OVgeometry_getpolys(g);
    float best = 1e38f;
    const OVp3 front = {0, 0, -5}, along = {1, 0, 0}, away = {0, 0, -1};
    EXPECT_FALSE(_OVpoly_rayintersect(p, front, along, &best)); // parallel
    EXPECT_FALSE(_OVpoly_rayintersect(p, front, away, &best));  // pointing away
    // Aimed past the bounding sphere.
    const OVp3 off = {0, 3, -1}, slant = {0, 0, 1};
    EXPECT_FALSE(_OVpoly_rayintersect(p, off, slant, &best));
    EXPECT_EQ(best, 1e38f);
    // Distances count in direction lengths.
    const OVp3 twice = {0, 0, 2};
    EXPECT_TRUE(_OVpoly_rayintersect(p, front, twice, &best));
    EXPECT_FLOAT_EQ(best, 2.5f);
    OVgeometry_delete(g);
}

TEST(PolygonRecord, BoundsOfTheVertexList) {
    OVgeometry *g = polygon_of({{-1, 2, 3}, {5, 2, 3}, {5, 6, 7}});
    OVp3 e, m;
    OVgeometry_getextents(g, e);
    OVgeometry_getmidpoint(g, m);
    EXPECT_FLOAT_EQ(e[0], 6);
    EXPECT_FLOAT_EQ(e[1], 4);
    EXPECT_FLOAT_EQ(e[2], 4);
    EXPECT_FLOAT_EQ(m[0], 2);
    EXPECT_FLOAT_EQ(m[1], 4);
    EXPECT_FLOAT_EQ(m[2], 5);
    EXPECT_FLOAT_EQ(OVgeometry_getradius(g), std::sqrt(9.0f + 4 + 4));
    // A vertex moved behind the geometry's back counts at the next bounds.
    OVgeometry_getvertices(g)->position[0] = -7;
    _OVgeometry_findextents(g);
    OVgeometry_getextents(g, e);
    EXPECT_FLOAT_EQ(e[0], 12);
    OVgeometry_getextents(nullptr, e);
    EXPECT_EQ(e[0], 0);
    EXPECT_EQ(OVgeometry_getradius(nullptr), 0);
    OVgeometry_delete(g);
}
