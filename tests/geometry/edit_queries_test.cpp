// Editing calls and queries at their edges: refused styles and handles,
// area-weighted vertex normals, exact placement by a pose, merged vertex
// colours and the collapse of a vertex whose star is made of quadrilaterals.
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

TEST(EditQueries, AllBitsCanOnlyGoBackToTheDefault) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x10, 1));
    EXPECT_FALSE(OVgeometry_setrenderingstyle(g, 255, 0));
    EXPECT_FALSE(OVgeometry_setrenderingstyle(g, 255, 1));
    EXPECT_FALSE(OVgeometry_setrenderingstyle(g, 0x10, -1));
    EXPECT_EQ(g->style_mask, 0x10);
    EXPECT_EQ(g->style_values, 0x10);
    OVgeometry_delete(g);
}

TEST(EditQueries, NullGeometriesAreRefused) {
    Capture cap;
    const OVp3 d = {1, 1, 1}, c = {0, 0, 0}, s = {2, 3, 4};
    const OVpq t = {{1, 0, 0}, {0, 0, 0, 1}};
    EXPECT_FALSE(OVgeometry_translate(nullptr, d));
    EXPECT_FALSE(OVgeometry_transform(nullptr, &t));
    EXPECT_FALSE(OVgeometry_scale(nullptr, 2, c));
    EXPECT_FALSE(OVgeometry_stretch(nullptr, s, c));
    EXPECT_FALSE(OVgeometry_setrgb(nullptr, 1, 2, 3));
    EXPECT_FALSE(OVgeometry_setmatid(nullptr, 0));
    EXPECT_FALSE(OVgeometry_deleteunusedvertices(nullptr));
    EXPECT_EQ(OVgeometry_merge(nullptr, nullptr), nullptr);
    EXPECT_FALSE(OVgeometry_colapsevertex(nullptr, nullptr, 0.01f));
    EXPECT_EQ(OVgeometry_getvertexpolys(nullptr, nullptr), nullptr);
    int r = 9;
    EXPECT_FALSE(OVgeometry_getvertexrgb(nullptr, nullptr, &r, &r, &r));
    EXPECT_EQ(r, 9);
    EXPECT_EQ(cap.text(), "");
}

TEST(EditQueries, ALockedGeometryKeepsItsVertexNormals) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVvertex *v = OVgeometry_getvertices(g);
    const OVp3 n = {0, 1, 0};
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, v, n));
    g->locked = 1;
    EXPECT_FALSE(OVgeometry_deletevertexnormal(g, v));
    g->locked = 0;
    OVp3 got;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, got));
    EXPECT_EQ(got[1], 1);
    OVgeometry_delete(g);
}

TEST(EditQueries, AVertexNormalWeighsItsPolygonsByArea) {
    // Vertex 0 is shared by a triangle of area 2 facing +z and one of area
    // 0.5 facing +x.
    OVgeometry *g = corner_pair(2, 1);
    ASSERT_TRUE(OVgeometry_close(g));
    OVvertex *v = OVgeometry_getvertices(g);
    ASSERT_TRUE(OVgeometry_computevertexnormal(g, v));
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
    const float len = std::sqrt(0.25f + 4);
    EXPECT_NEAR(n[0], 0.5f / len, 1e-5);
    EXPECT_NEAR(n[1], 0, 1e-5);
    EXPECT_NEAR(n[2], 2 / len, 1e-5);
    OVgeometry_delete(g);
}

TEST(EditQueries, PolygonsThatCancelGiveTheVertexNoNormal) {
    OVgeometry *g = opposed_pair();
    ASSERT_TRUE(OVgeometry_close(g));
    OVvertex *v = OVgeometry_getvertices(g);
    OVgeometry_computevertexnormal(g, v);
    OVp3 n;
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, v, n));
    OVgeometry_delete(g);
}

TEST(EditQueries, APoseTurnsEveryVertexThenMovesIt) {
    // The rectangle's vertex 0 is (2, 1, 0). The quarter turn about z takes
    // it to (1, -2, 0); the position then moves it to (1, 3, 0).
    OVgeometry *g = OVgeometry_newrectangle(2, 4, 0);
    const float h = std::sqrt(0.5f);
    const OVpq turn_and_move = {{0, 5, 0}, {0, 0, h, h}};
    ASSERT_TRUE(OVgeometry_transform(g, &turn_and_move));
    OVp3 at;
    OVgeometry_getvertexposition(g, OVgeometry_getvertices(g), at);
    EXPECT_NEAR(at[0], 1, 1e-5);
    EXPECT_NEAR(at[1], 3, 1e-5);
    EXPECT_NEAR(at[2], 0, 1e-5);
    OVp3 m;
    OVgeometry_getmidpoint(g, m);
    EXPECT_NEAR(m[1], 5, 1e-5);
    // A pose that only moves.
    const OVpq move = {{1, 2, 3}, {0, 0, 0, 1}};
    ASSERT_TRUE(OVgeometry_transform(g, &move));
    OVgeometry_getvertexposition(g, OVgeometry_getvertices(g), at);
    EXPECT_NEAR(at[0], 2, 1e-5);
    EXPECT_NEAR(at[1], 5, 1e-5);
    EXPECT_NEAR(at[2], 3, 1e-5);
    OVgeometry_delete(g);
}

TEST(EditQueries, PolygonNormalsFollowATurnButVertexNormalsDoNot) {
    OVgeometry *g = OVgeometry_newrectangle(2, 2, 0); // faces -z
    OVvertex *v = OVgeometry_getvertices(g);
    const OVp3 given = {0, 0, -1};
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, v, given));
    const float h = std::sqrt(0.5f);
    const OVpq about_x = {{0, 0, 0}, {h, 0, 0, h}};
    ASSERT_TRUE(OVgeometry_transform(g, &about_x));
    OVp3 n;
    OVpoly_getnormal(OVgeometry_getpolys(g), n);
    EXPECT_NEAR(std::fabs(n[1]), 1, 1e-5);
    EXPECT_NEAR(n[2], 0, 1e-5);
    // The normal agrees with the turned corners.
    OVpoly *p = OVgeometry_getpolys(g);
    OVp3 c0, c1, c2;
    OVvertex_getposition(OVpoly_getvertex(p, 0), c0);
    OVvertex_getposition(OVpoly_getvertex(p, 1), c1);
    OVvertex_getposition(OVpoly_getvertex(p, 2), c2);
    const float b[3] = {c2[0] - c1[0], c2[1] - c1[1], c2[2] - c1[2]};
    const float a[3] = {c0[0] - c1[0], c0[1] - c1[1], c0[2] - c1[2]};
    EXPECT_GT(n[1] * (b[2] * a[0] - b[0] * a[2]), 0);
    OVp3 vn;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, vn));
    EXPECT_EQ(vn[2], -1);
    OVgeometry_delete(g);
}

TEST(EditQueries, MergedVertexColoursKeepTheirColour) {
    OVgeometry *a = OVgeometry_newblock(1, 1, 1, 0), *b = OVgeometry_newrectangle(1, 1, 0);
    ASSERT_TRUE(OVgeometry_setrgb(a, 0, 255, 0));
    ASSERT_TRUE(OVgeometry_setrgb(a, 0, 0, 255));
    ASSERT_TRUE(OVgeometry_setvertexrgb(b, OVgeometry_getvertices(b), 255, 0, 0));
    ASSERT_NE(OVgeometry_merge(a, b), nullptr);
    auto vs = vertices(a);
    ASSERT_EQ(vs.size(), 12u);
    int r = 0, gg = 0, bb = 0;
    ASSERT_TRUE(OVgeometry_getvertexrgb(a, vs[8], &r, &gg, &bb));
    EXPECT_EQ(r, 255);
    EXPECT_EQ(gg, 0);
    EXPECT_EQ(bb, 0);
    EXPECT_FALSE(OVgeometry_getvertexrgb(a, vs[9], &r, &gg, &bb));
    // The copied polygon keeps the white it had.
    EXPECT_EQ(_OVpoly_getcolor24(polys(a).back()), 0xFFFFFFu);
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(a)), 0x0000FFu);
    OVgeometry_delete(b);
    OVgeometry_delete(a);
}

TEST(EditQueries, MergingAGeometryWithoutPolygonsCopiesNoPolygon) {
    OVgeometry *a = OVgeometry_newblock(1, 1, 1, 0), *b = square();
    ASSERT_TRUE(OVpoly_delete(OVgeometry_getpolys(b)));
    EXPECT_EQ(OVgeometry_merge(a, b), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(a), 6);
    OVgeometry_delete(b);
    OVgeometry_delete(a);
}

TEST(EditQueries, CollapsingTheCentreOfFourQuadrilaterals) {
    // A 3 by 3 grid of vertices, the middle of each side pushed out a little
    // so that the ring around the centre is a convex octagon.
    OVgeometry *g = OVgeometry_begin();
    const float pts[9][3] = {{0, 0, 0},    {1, -0.2f, 0}, {2, 0, 0},    {-0.2f, 1, 0}, {1, 1, 0},
                             {2.2f, 1, 0}, {0, 2, 0},     {1, 2.2f, 0}, {2, 2, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly4(g, 0, 1, 4, 3, 0);
    _OVgeometry_addpoly4(g, 1, 2, 5, 4, 0);
    _OVgeometry_addpoly4(g, 3, 4, 7, 6, 0);
    _OVgeometry_addpoly4(g, 4, 5, 8, 7, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_EQ(OVgeometry_numpolys(g), 4);
    const float area = total_area(g);
    OVvertex *centre = vertices(g)[4];
    ASSERT_TRUE(OVgeometry_colapsevertex(g, centre, 0.001f));
    EXPECT_EQ(vertices(g).size(), 8u);
    ASSERT_EQ(OVgeometry_numpolys(g), 6); // eight ring vertices, six triangles
    for (OVpoly *p : polys(g)) {
        EXPECT_EQ(OVpoly_numvertices(p), 3);
        EXPECT_TRUE(OVpoly_getbothsides(p));
        OVp3 n;
        OVpoly_getnormal(p, n);
        EXPECT_NEAR(n[2], 1, 1e-5);
    }
    EXPECT_NEAR(total_area(g), area, 1e-4);
    OVgeometry_delete(g);
}

TEST(EditQueries, CleaningUpQuietlyWhenNotVerbose) {
    Capture cap;
    OVgeometry *g = rectangle_with_stray_vertex();
    EXPECT_EQ(OVgeometry_recomputestats(g, 1), g);
    EXPECT_EQ(vertices(g).size(), 4u);
    EXPECT_EQ(cap.text(), "");
    OVgeometry_delete(g);
}

TEST(EditQueries, ACollapsedVertexIsReportedAsRemovedWhenVerbose) {
    OVuniverse_new(512, 0);
    OVuniverse_setoption(OVOPTION_VERBOSEGEOMETRY, 1);
    OVgeometry *g = OVgeometry_newcone(2, 1, 5, 0);
    ASSERT_NE(g, nullptr);
    Capture cap;
    ASSERT_TRUE(OVgeometry_colapsevertex(g, vertices(g)[5], 0.001f));
    EXPECT_EQ(cap.text(), "ORV Warning: 1 unused vertices were removed\n");
    EXPECT_EQ(vertices(g).size(), 5u);
    EXPECT_EQ(OVgeometry_numpolys(g), 1 + 3);
    OVgeometry_delete(g);
    OVuniverse_delete();
}
