// Editing calls at their edges: when an edit may begin and end, refused
// factors, and what a merged or removed corner leaves behind.
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;
using namespace orv::geom;

TEST(EditCalls, AnEditBeginsOnceAndEndsOnce) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    EXPECT_FALSE(OVgeometry_beginedit(nullptr));
    EXPECT_FALSE(OVgeometry_endedit(nullptr));
    EXPECT_FALSE(OVgeometry_endedit(g));
    g->locked = 1;
    EXPECT_FALSE(OVgeometry_beginedit(g));
    g->locked = 0;
    ASSERT_TRUE(OVgeometry_beginedit(g));
    EXPECT_FALSE(OVgeometry_beginedit(g));
    EXPECT_TRUE(OVgeometry_endedit(g));
    EXPECT_FALSE(OVgeometry_endedit(g));
    OVgeometry_delete(g);
}

TEST(EditCalls, ACornerMovedOntoItsNeighbourLeavesADegenerateTriangle) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_FALSE(poly_flags(p) & OVPOLY_DEGENERATE);
    auto vs = vertices(g);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    ASSERT_TRUE(OVgeometry_setvertexposition(g, vs[2], pts[1]));
    ASSERT_TRUE(OVgeometry_endedit(g));
    EXPECT_TRUE(poly_flags(p) & OVPOLY_DEGENERATE);
    EXPECT_EQ(OVpoly_numvertices(p), 2);
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    for (OVvertex *v : vertices(g))
        EXPECT_FALSE(vertex_flags(v) & OVVERTEX_MOVED);
    OVgeometry_delete(g);
}

TEST(EditCalls, ScaleAndStretchRefuseFactorsThatAreNotPositive) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    const OVp3 c = {0, 0, 0};
    EXPECT_FALSE(OVgeometry_scale(g, -2, c));
    const OVp3 ones = {1, 1, 1}, negative = {2, -1, 1}, zero = {2, 0, 1};
    EXPECT_FALSE(OVgeometry_stretch(g, ones, c));
    EXPECT_FALSE(OVgeometry_stretch(g, negative, c));
    EXPECT_FALSE(OVgeometry_stretch(g, zero, c));
    OVp3 e;
    OVgeometry_getextents(g, e);
    EXPECT_EQ(e[0], 2);
    EXPECT_EQ(e[1], 2);
    EXPECT_EQ(e[2], 2);
    OVgeometry_delete(g);
}

TEST(EditCalls, EqualStretchFactorsScaleAndKeepTheNormals) {
    OVgeometry *g = OVgeometry_newcylinder(2, 1, 4, 0, 1);
    OVvertex *smooth = vertices(g)[8]; // the first repeated vertex
    OVp3 before, after;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, smooth, before));
    const OVp3 two = {2, 2, 2}, c = {0, 1, 0};
    ASSERT_TRUE(OVgeometry_stretch(g, two, c));
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, smooth, after));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(before[k], after[k]);
    OVp3 at;
    OVgeometry_getvertexposition(g, smooth, at);
    EXPECT_NEAR(at[0], 2, 1e-5); // (1, 1, 0) about (0, 1, 0)
    EXPECT_NEAR(at[1], 1, 1e-5);
    OVp3 e;
    OVgeometry_getextents(g, e);
    EXPECT_NEAR(e[1], 4, 1e-5);
    OVgeometry_delete(g);
}

TEST(EditCalls, ExtentsAreTheBoxSizeAndMidpointItsCentre) {
    OVgeometry *g = OVgeometry_newblock(2, 3, 5, 0);
    const OVp3 d = {1, -2, 4};
    ASSERT_TRUE(OVgeometry_translate(g, d));
    OVp3 e, m;
    OVgeometry_getextents(g, e);
    OVgeometry_getmidpoint(g, m);
    EXPECT_NEAR(e[0], 2, 1e-5);
    EXPECT_NEAR(e[1], 3, 1e-5);
    EXPECT_NEAR(e[2], 5, 1e-5);
    EXPECT_NEAR(m[0], 1, 1e-5);
    EXPECT_NEAR(m[1], -2, 1e-5);
    EXPECT_NEAR(m[2], 4, 1e-5);
    EXPECT_NEAR(OVgeometry_getradius(g), std::sqrt(1 + 2.25f + 6.25f), 1e-5);
    // Every polygon centre moved with the vertices.
    OVp3 cg;
    OVpoly_getcg(OVgeometry_getpolys(g), cg); // the -y face
    EXPECT_NEAR(cg[0], 1, 1e-5);
    EXPECT_NEAR(cg[1], -3.5f, 1e-5);
    EXPECT_NEAR(cg[2], 4, 1e-5);
    OVgeometry_delete(g);
}

TEST(EditCalls, VertexNormalsAreKeptAsGivenAndDeletingOneClearsItsPolygons) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    auto vs = vertices(g);
    const OVp3 n = {0, 0, 3};
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, vs[0], n));
    OVp3 got;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, vs[0], got));
    EXPECT_EQ(got[2], 3); // not normalised
    for (OVpoly *p : polys(g))
        OVpoly_computevertexnormals(p);
    for (OVpoly *p : polys(g))
        ASSERT_TRUE(OVpoly_hasvnormals(p));
    ASSERT_TRUE(OVgeometry_deletevertexnormal(g, vs[0]));
    for (OVpoly *p : polys(g))
        EXPECT_EQ(OVpoly_hasvnormals(p) != 0, !OVpoly_containsvertex(p, vs[0]));
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, vs[0], got));
    EXPECT_EQ(got[0], 0);
    EXPECT_EQ(got[1], 0);
    EXPECT_EQ(got[2], 0);
    OVgeometry_delete(g);
}

TEST(EditCalls, CopyTakesNameBoundsAndCount) {
    OVgeometry *g = OVgeometry_newblock(2, 4, 6, 0);
    OVgeometry_setname(g, "crate");
    OVgeometry *c = OVgeometry_copy(g);
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(OVgeometry_getname(c), "crate");
    EXPECT_EQ(OVgeometry_numpolys(c), 6);
    EXPECT_EQ(OVgeometry_getmtable(c), OVgeometry_getmtable(g));
    EXPECT_EQ(OVgeometry_getradius(c), OVgeometry_getradius(g));
    OVp3 e;
    OVgeometry_getextents(c, e);
    EXPECT_EQ(e[2], 6);
    EXPECT_EQ(OVgeometry_copy(nullptr), nullptr);
    // Deleting the original leaves the copy's table.
    OVgeometry_delete(g);
    EXPECT_NE(OVgeometry_getmtable(c), nullptr);
    EXPECT_EQ(OVpoly_getcolor(OVgeometry_getpolys(c)), 0xFFF);
    OVgeometry_delete(c);
}

TEST(EditCalls, MergedCopiesFollowInTheOtherGeometrysOrder) {
    OVgeometry *a = OVgeometry_newblock(1, 1, 1, 0);
    OVgeometry *b = OVgeometry_newblock(2, 2, 2, 0);
    auto b_polys = polys(b);
    std::vector<std::vector<int>> want;
    for (OVpoly *p : b_polys) {
        auto corners = corner_numbers(b, p);
        for (int &k : corners)
            k += 8; // b's vertices follow a's eight
        want.push_back(corners);
    }
    OVpoly *first = OVgeometry_merge(a, b);
    auto merged = polys(a);
    ASSERT_EQ(merged.size(), 12u);
    EXPECT_EQ(merged[6], first);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(corner_numbers(a, merged[6 + i]), want[i]) << i;
    auto vs = vertices(a);
    ASSERT_EQ(vs.size(), 16u);
    OVp3 at;
    OVvertex_getposition(vs[8], at);
    EXPECT_EQ(at[0], 1); // b's vertex 0 at (+1, +1, +1)
    EXPECT_EQ(at[1], 1);
    EXPECT_EQ(at[2], 1);
    OVp3 e;
    OVgeometry_getextents(a, e);
    EXPECT_NEAR(e[0], 2, 1e-5);
    OVgeometry_delete(b);
    OVgeometry_delete(a);
}
