// Polygon, vertex and list calls at their edges: null handles, refused
// arguments, 16-bit ids and the flags each call touches.
#include "geometry_test_util.h"

#include <cmath>
#include <cstring>

using namespace geomtest;
using namespace orv::geom;

namespace {

// A closed geometry of one triangle.
OVgeometry *triangle(float x = 2, float y = 3) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {x, 0, 0}, {0, y, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    OVgeometry_close(g);
    return g;
}

} // namespace

TEST(PolygonCalls, NullHandlesGiveNeutralResultsWithoutAMessage) {
    Capture c;
    EXPECT_EQ(OVgeometry_getpolys(nullptr), nullptr);
    EXPECT_EQ(OVgeometry_getvertices(nullptr), nullptr);
    EXPECT_EQ(OVgeometry_getmtable(nullptr), nullptr);
    EXPECT_EQ(OVgeometry_id2poly(nullptr, 0), nullptr);
    EXPECT_EQ(OVgeometry_getvertexmatid(nullptr, nullptr), -1);
    EXPECT_EQ(OVvertex_next(nullptr), nullptr);
    EXPECT_EQ(OVpoly_next(nullptr), nullptr);
    EXPECT_EQ(OVpoly_getgeometry(nullptr), nullptr);
    EXPECT_EQ(OVpoly_getobject(nullptr), nullptr);
    EXPECT_EQ(OVpoly_getvertex(nullptr, 0), nullptr);
    EXPECT_FALSE(OVpoly_containsvertex(nullptr, nullptr));
    EXPECT_FALSE(OVpoly_delete(nullptr));
    EXPECT_FALSE(OVpoly_setmatid(nullptr, 1));
    EXPECT_EQ(OVpoly_getcolor(nullptr), -1);
    EXPECT_EQ(OVpolylist_npolys(nullptr), 0);
    EXPECT_EQ(OVgeometry_getradius(nullptr), 0);
    OVp3 c3 = {5, 5, 5};
    OVpoly_getcg(nullptr, c3);
    EXPECT_EQ(c3[0], 0);
    EXPECT_EQ(c3[1], 0);
    EXPECT_EQ(c3[2], 0);
    EXPECT_EQ(c.text(), "");
}

TEST(PolygonCalls, NameIsACopyOfTheGivenText) {
    OVgeometry *g = triangle();
    char name[] = "crate";
    OVgeometry_setname(g, name);
    name[0] = 'g';
    EXPECT_STREQ(OVgeometry_getname(g), "crate");
    OVgeometry_setname(g, "barrel");
    EXPECT_STREQ(OVgeometry_getname(g), "barrel");
    OVgeometry_delete(g);
}

TEST(PolygonCalls, VertexMaterialIdMustNotBeNegative) {
    OVgeometry *g = triangle();
    OVvertex *v = OVgeometry_getvertices(g);
    EXPECT_EQ(OVgeometry_getvertexmatid(g, v), -1);
    EXPECT_FALSE(OVgeometry_setvertexmatid(g, v, -1));
    EXPECT_EQ(OVgeometry_getvertexmatid(g, v), -1);
    EXPECT_FALSE(vertex_flags(v) & OVVERTEX_OWNMATID);
    EXPECT_TRUE(OVgeometry_setvertexmatid(g, v, 0));
    EXPECT_EQ(OVgeometry_getvertexmatid(g, v), 0);
    EXPECT_TRUE(vertex_flags(v) & OVVERTEX_OWNMATID);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, IdsAreSixteenBitAndFoundFirstInListOrder) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    auto ps = polys(g);
    OVpoly_setid(ps[4], 7);
    OVpoly_setid(ps[1], 7);
    EXPECT_EQ(OVgeometry_id2poly(g, 7), ps[1]);
    EXPECT_EQ(OVgeometry_id2poly(g, 8), nullptr);
    // Only the low 16 bits are kept, as a signed number.
    OVpoly_setid(ps[2], 0x10009);
    EXPECT_EQ(OVpoly_getid(ps[2]), 9);
    EXPECT_EQ(OVgeometry_id2poly(g, 9), ps[2]);
    EXPECT_EQ(OVgeometry_id2poly(g, 0x10009), ps[2]);
    OVpoly_setid(ps[3], 0xFFFF);
    EXPECT_EQ(OVpoly_getid(ps[3]), -1);
    // Every polygon starts at id 0: the head is the first with it.
    EXPECT_EQ(OVgeometry_id2poly(g, 0), ps[0]);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, PolygonListOfAGeometryHoldsEveryPolygon) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVpolylist *l = OVgeometry_getpolylist(g);
    EXPECT_EQ(OVpolylist_npolys(l), 6);
    for (OVpoly *p : polys(g))
        EXPECT_TRUE(OVpolylist_containspoly(l, p));
    OVpolylist *copy = OVpolylist_copy(l);
    EXPECT_EQ(OVpolylist_npolys(copy), 6);
    for (OVpoly *p : polys(g))
        EXPECT_TRUE(OVpolylist_containspoly(copy, p));
    OVpolylist_delete(copy);
    OVpolylist_delete(l);
    OVgeometry *t = triangle();
    OVpolylist *again = OVgeometry_getpolylist(g);
    EXPECT_FALSE(OVpolylist_containspoly(again, OVgeometry_getpolys(t)));
    OVpolylist_delete(again);
    OVgeometry_delete(t);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, AddingToNoListMakesOneAndANullPolygonIsRefused) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    auto ps = polys(g);
    OVpolylist *l = OVpolylist_addpoly(nullptr, ps[0]);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(OVpolylist_npolys(l), 1);
    EXPECT_EQ(OVpolylist_getpoly(l), ps[0]);
    EXPECT_EQ(OVpolylist_next(l), nullptr);
    EXPECT_EQ(OVpolylist_addpoly(l, nullptr), nullptr);
    EXPECT_EQ(OVpolylist_npolys(l), 1);
    OVpolylist *head = OVpolylist_addpoly(l, ps[1]);
    EXPECT_EQ(OVpolylist_getpoly(head), ps[1]); // new entries go in front
    EXPECT_EQ(OVpolylist_next(head), l);
    EXPECT_EQ(OVpolylist_npolys(head), 2);
    EXPECT_FALSE(OVpolylist_containspoly(head, ps[2]));
    OVpolylist_delete(head);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, DeletingAPolygonNeedsAModifiableGeometry) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    g->locked = 1;
    EXPECT_FALSE(OVpoly_delete(p));
    EXPECT_EQ(OVgeometry_numpolys(g), 6);
    g->locked = 0;
    EXPECT_TRUE(OVpoly_delete(p));
    EXPECT_EQ(OVgeometry_numpolys(g), 5);
    EXPECT_EQ(static_cast<int>(polys(g).size()), 5);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, TheOnlyPolygonOfAGeometryWithoutOwnerCanGo) {
    Capture c;
    OVgeometry *g = triangle();
    EXPECT_TRUE(OVpoly_delete(OVgeometry_getpolys(g)));
    EXPECT_EQ(OVgeometry_numpolys(g), 0);
    EXPECT_EQ(OVgeometry_getpolys(g), nullptr);
    EXPECT_EQ(c.text(), "");
    OVgeometry_delete(g);
}

TEST(PolygonCalls, MaterialIdIsRefusedWhenNegativeOrLocked) {
    OVgeometry *g = triangle();
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_FALSE(OVpoly_setmatid(p, -1));
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    g->locked = 1;
    EXPECT_FALSE(OVpoly_setmatid(p, 3));
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    g->locked = 0;
    EXPECT_TRUE(OVpoly_setmatid(p, 3));
    EXPECT_EQ(OVpoly_getmatid(p), 3);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, ColoursGoIntoTheTableAndComeBackAsBytes) {
    OVgeometry *g = triangle();
    OVpoly *p = OVgeometry_getpolys(g);
    OVmtable *m = OVgeometry_getmtable(g);
    const int before = OVmtable_getnumentries(m);
    EXPECT_TRUE(OVpoly_setrgb(p, 255, 0, 0));
    EXPECT_EQ(OVmtable_getnumentries(m), before + 1);
    int r = -1, gg = -1, b = -1;
    OVpoly_getrgb(p, &r, &gg, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(gg, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(_OVpoly_getcolor24(p), 0xFF0000u);
    EXPECT_EQ(OVpoly_getcolor(p), 0xF00);
    // The same colour again finds the same entry.
    EXPECT_TRUE(_OVpoly_setcolor24(p, 0xFF0000));
    EXPECT_EQ(OVmtable_getnumentries(m), before + 1);
    // White is entry 0.
    EXPECT_TRUE(OVpoly_setcolor(p, 0xFFF));
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    EXPECT_EQ(_OVpoly_getcolor24(p), 0xFFFFFFu);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, ColouringWithoutATableChangesNothing) {
    OVgeometry *g = triangle();
    OVpoly *p = OVgeometry_getpolys(g);
    OVgeometry_setmtable(g, nullptr);
    ASSERT_EQ(OVgeometry_getmtable(g), nullptr);
    EXPECT_FALSE(OVpoly_setrgb(p, 10, 20, 30));
    EXPECT_FALSE(_OVpoly_setcolor24(p, 0x102030));
    EXPECT_FALSE(OVpoly_setcolor(p, 0x123));
    EXPECT_FALSE(_OVpoly_setcolor_nofrags(p, 0x123));
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    EXPECT_EQ(OVpoly_getcolor(p), -1);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, OneSidedClearsTheFixedNormalToo) {
    OVgeometry *g = triangle();
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_FALSE(OVpoly_getbothsides(p));
    OVpoly_setbothsides(p, 1);
    EXPECT_TRUE(OVpoly_getbothsides(p));
    poly_set_flag(p, OVPOLY_FIXEDNORMAL, true);
    OVpoly_setbothsides(p, 0);
    EXPECT_FALSE(OVpoly_getbothsides(p));
    EXPECT_EQ(poly_flags(p) & (OVPOLY_BOTHSIDES | OVPOLY_FIXEDNORMAL), 0);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, RenderingVisibilityAndVertexNormalBits) {
    OVgeometry *g = triangle();
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_EQ(OVpoly_getrendering(p), 64);
    OVpoly_setrendering(p, 0);
    EXPECT_EQ(OVpoly_getrendering(p), 0);
    OVpoly_setrendering(p, 0); // already off: stays off
    EXPECT_EQ(OVpoly_getrendering(p), 0);
    OVpoly_setrendering(p, 1);
    EXPECT_EQ(OVpoly_getrendering(p), 64);
    OVpoly_setrendering(p, 1);
    EXPECT_EQ(OVpoly_getrendering(p), 64);
    EXPECT_TRUE(OVpoly_getvisibility(p));
    OVpoly_setvisibility(p, 0);
    EXPECT_FALSE(OVpoly_getvisibility(p));
    EXPECT_TRUE(poly_render_flags(p) & OVPOLYR_INVISIBLE);
    OVpoly_setvisibility(p, 1);
    EXPECT_TRUE(OVpoly_getvisibility(p));
    EXPECT_FALSE(OVpoly_hasvnormals(p));
    EXPECT_TRUE(OVpoly_computevertexnormals(p));
    EXPECT_TRUE(OVpoly_hasvnormals(p));
    OVp3 n;
    for (OVvertex *v : vertices(g)) {
        ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
        EXPECT_NEAR(n[2], 1, 1e-5); // counter-clockwise in x-y: faces +z
    }
    OVgeometry_delete(g);
}

TEST(PolygonCalls, ContainsOnlyItsOwnCorners) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVpoly *p = OVgeometry_getpolys(g); // the -y face (6, 7, 3, 2)
    auto vs = vertices(g);
    for (int k : {6, 7, 3, 2})
        EXPECT_TRUE(OVpoly_containsvertex(p, vs[k]));
    for (int k : {0, 1, 4, 5})
        EXPECT_FALSE(OVpoly_containsvertex(p, vs[k]));
    EXPECT_FALSE(OVpoly_containsvertex(p, nullptr));
    OVgeometry_delete(g);
}

TEST(PolygonCalls, AreasOfATriangleAndOfASquare) {
    OVgeometry *t = triangle(2, 3);
    EXPECT_NEAR(OVpoly_getarea(OVgeometry_getpolys(t)), 3, 1e-5);
    OVgeometry_delete(t);
    OVgeometry *s = square();
    EXPECT_NEAR(OVpoly_getarea(OVgeometry_getpolys(s)), 4, 1e-5);
    OVgeometry_delete(s);
    // A face of a block lies in another coordinate plane.
    OVgeometry *b = OVgeometry_newblock(2, 3, 5, 0);
    EXPECT_NEAR(OVpoly_getarea(OVgeometry_getpolys(b)), 10, 1e-4); // the -y face: 2 x 5
    OVgeometry_delete(b);
}

TEST(PolygonCalls, NoPortalRefersToAnOrdinaryPolygon) {
    OVgeometry *g = triangle();
    EXPECT_EQ(OVpoly_getportal(OVgeometry_getpolys(g)), nullptr);
    EXPECT_EQ(OVpoly_getportal(nullptr), nullptr);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, RayWithATooShortDirectionIsRefused) {
    OVgeometry *g = square();
    float distance = 42;
    const OVp3 origin = {0, 0, -5};
    const OVp3 tiny = {0.003f, -0.003f, 0.0039f};
    EXPECT_FALSE(OVpoly_rayintersect(OVgeometry_getpolys(g), nullptr, origin, tiny, &distance));
    EXPECT_EQ(distance, 42);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, LocalRayDistanceIsInDirectionLengths) {
    OVgeometry *g = square(); // normal (0, 0, -1): its front faces -z
    OVpoly *p = OVgeometry_getpolys(g);
    const OVp3 origin = {0.5f, 0.5f, -6};
    const OVp3 dir = {0, 0, 2};
    float best = 1e38f;
    ASSERT_TRUE(_OVpoly_rayintersect(p, origin, dir, &best));
    EXPECT_NEAR(best, 3, 1e-5);
    // A nearer hit already found wins.
    best = 2;
    EXPECT_FALSE(_OVpoly_rayintersect(p, origin, dir, &best));
    EXPECT_EQ(best, 2);
    // Outside an edge: missed.
    const OVp3 beside = {1.5f, 0, -6};
    best = 1e38f;
    EXPECT_FALSE(_OVpoly_rayintersect(p, beside, dir, &best));
    // Pointing away: missed.
    const OVp3 away = {0, 0, -1};
    EXPECT_FALSE(_OVpoly_rayintersect(p, origin, away, &best));
    OVgeometry_delete(g);
}

TEST(PolygonCalls, ATriangleIsConvex) {
    OVgeometry *g = triangle();
    OVpoly *p = OVgeometry_getpolys(g);
    poly_set_flag(p, OVPOLY_CONVEX, false);
    EXPECT_TRUE(_OVpoly_convex(p));
    EXPECT_TRUE(poly_flags(p) & OVPOLY_CONVEX);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, AReflexQuadIsNotConvex) {
    // An arrow head: the corner at (0, 1) turns the other way.
    const float pts[4][3] = {{0, 0, 0}, {2, 3, 0}, {0, 1, 0}, {-2, 3, 0}};
    OVgeometry *h = OVgeometry_begin();
    for (const auto &pt : pts)
        OVgeometry_newvertex(h, pt);
    OVpoly *q = OVgeometry_beginpoly(h);
    for (int i = 0; i < 4; ++i)
        OVpoly_addvertex(q, i);
    ASSERT_TRUE(OVpoly_close(q));
    EXPECT_FALSE(_OVpoly_convex(q));
    EXPECT_FALSE(poly_flags(q) & OVPOLY_CONVEX);
    _OVgeometry_checkifopen(h);
    OVgeometry_delete(h);
}

TEST(PolygonCalls, ListNormalIsWeightedByArea) {
    // Two triangles: one of area 2 facing +z, one of area 0.5 facing +x.
    OVgeometry *g = OVgeometry_begin();
    const float pts[6][3] = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (const auto &pt : pts)
        OVgeometry_newvertex(g, pt);
    _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    _OVgeometry_addpoly3(g, 3, 4, 5, 0);
    OVgeometry_close(g);
    OVpolylist *l = OVgeometry_getpolylist(g);
    OVp3 n;
    _OVpolylist_getnormal(l, n);
    const float len = std::sqrt(4.0f + 0.25f);
    EXPECT_NEAR(n[0], 0.5f / len, 1e-5);
    EXPECT_NEAR(n[1], 0, 1e-5);
    EXPECT_NEAR(n[2], 2 / len, 1e-5);
    OVpolylist_delete(l);
    OVgeometry_delete(g);
}

TEST(PolygonCalls, GlomSkipsGeometriesWithoutPolygons) {
    OVgeometry *a = triangle();
    OVgeometry *empty = _OVgeometry_new(nullptr);
    OVgeometry *b = triangle(4, 4);
    OVgeomlist *l = _OVgeomlist_add(nullptr, b);
    l = _OVgeomlist_add(l, empty);
    l = _OVgeomlist_add(l, a);
    EXPECT_EQ(_OVgeomlist_glom(l), a);
    EXPECT_EQ(_OVgeomlist_next(l), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(a), 2);
    EXPECT_EQ(static_cast<int>(vertices(a).size()), 6);
    OVp3 e;
    OVgeometry_getextents(a, e);
    EXPECT_NEAR(e[0], 4, 1e-5);
    EXPECT_NEAR(e[1], 4, 1e-5);
    for (OVpoly *p : polys(a))
        EXPECT_EQ(OVpoly_getgeometry(p), a);
    _OVgeomlist_delete(l);
    OVgeometry_delete(a);
}
