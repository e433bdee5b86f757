#include "geometry_test_util.h"

using namespace geomtest;

TEST(GeometryCopy, VertexColoursAndNormalsTravelWithTheCopy) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    auto vs = vertices(g);
    ASSERT_TRUE(OVgeometry_setvertexrgb(g, vs[0], 10, 20, 30));
    const OVp3 up = {0, 2, 0};
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, vs[1], up));
    OVgeometry_endedit(g);
    OVgeometry *c = OVgeometry_copy(g);
    ASSERT_NE(c, nullptr);
    auto cs = vertices(c);
    ASSERT_EQ(cs.size(), vs.size());
    int r = 0, gg = 0, b = 0;
    ASSERT_TRUE(OVgeometry_getvertexrgb(c, cs[0], &r, &gg, &b));
    EXPECT_EQ(r, 10);
    EXPECT_EQ(gg, 20);
    EXPECT_EQ(b, 30);
    EXPECT_FALSE(OVgeometry_getvertexrgb(c, cs[1], &r, &gg, &b));
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(c, cs[1], n));
    EXPECT_FLOAT_EQ(n[1], 2); // as given, not normalised
    for (OVvertex *v : cs)
        EXPECT_EQ(v->flags & ~OVVERTEX_OWNMATID, 0);
    OVgeometry_delete(g);
    OVgeometry_delete(c);
}

TEST(GeometryCopy, CopyOutlivesTheOriginal) {
    OVgeometry *g = OVgeometry_newcone(2, 1, 5, 1);
    OVgeometry *c = OVgeometry_copy(g);
    OVmtable *table = OVgeometry_getmtable(g);
    OVgeometry_delete(g);
    EXPECT_EQ(OVgeometry_getmtable(c), table);
    EXPECT_EQ(OVgeometry_numpolys(c), 6);
    for (OVpoly *p : polys(c))
        EXPECT_TRUE(OVpoly_getbothsides(p));
    if (table) {
        EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(c)), 0xFFFFFFu);
    }
    OVgeometry_delete(c);
}

TEST(GeometryMerge, FixedIdAndPlacement) {
    OVgeometry *a = OVgeometry_newrectangle(2, 2, 0), *b = OVgeometry_newrectangle(2, 2, 0);
    const OVpq origin = {{0, 0, 0}, {0, 0, 0, 1}}, placement = {{10, 0, 0}, {0, 0, 0, 1}};
    OVpoly *first = _OVgeometry_mergepq(a, b, &origin, &placement, 1, 3);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OVpoly_getmatid(first), 3);
    EXPECT_EQ(OVpoly_getmatid(OVgeometry_getpolys(a)), 0);
    OVp3 c;
    OVpoly_getcg(first, c);
    EXPECT_FLOAT_EQ(c[0], 10);
    OVp3 e;
    OVgeometry_getextents(a, e);
    EXPECT_FLOAT_EQ(e[0], 12);
    EXPECT_EQ(vertices(a).size(), 8u);
    OVgeometry_delete(a);
    OVgeometry_delete(b);
}

TEST(GeometryMerge, LockedTargetIsRefused) {
    OVgeometry *a = OVgeometry_newrectangle(2, 2, 0), *b = OVgeometry_newrectangle(2, 2, 0);
    a->locked = 1;
    EXPECT_EQ(OVgeometry_merge(a, b), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(a), 1);
    a->locked = 0;
    OVgeometry_delete(a);
    OVgeometry_delete(b);
}

TEST(GeometryMerge, SelfMergeKeepsTheCompiledDrawing) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    {
        RenderSpy spy(g);
        EXPECT_EQ(OVgeometry_merge(g, g), OVgeometry_getpolys(g));
        EXPECT_EQ(RenderSpy::stale, 0);
    }
    EXPECT_EQ(OVgeometry_numpolys(g), 6);
    EXPECT_EQ(vertices(g).size(), 8u);
    OVgeometry_delete(g);
}
