#include "geometry_test_util.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

using namespace geomtest;

TEST(Construction, SecondBeginIsRefused) {
    Capture c;
    OVgeometry *g = OVgeometry_begin();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(OVgeometry_begin(), nullptr);
    EXPECT_NE(c.text().find("Can't begin a new geometry until the last is closed.\n"),
              std::string::npos);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(Construction, NewVertexNeedsBuildingOrEditing) {
    Capture c;
    OVgeometry *g = _OVgeometry_new(nullptr);
    const OVp3 p = {0, 0, 0};
    EXPECT_EQ(OVgeometry_newvertex(g, p), nullptr);
    EXPECT_NE(c.text().find("Must call OVgeometry_begin or OVgeometry_beginedit before calling "
                            "OVgeometry_newvertex\n"),
              std::string::npos);
    EXPECT_FALSE(OVgeometry_close(g));
    EXPECT_NE(c.text().find("OVgeometry_close called on non-open geometry.\n"), std::string::npos);
    OVgeometry_delete(g);
}

TEST(Construction, PolygonOf257CornersIsRefused) {
    Capture c;
    OVgeometry *g = OVgeometry_begin();
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 257; ++i) {
        const OVp3 pos = {std::cos(i * 0.02f), std::sin(i * 0.02f), 0};
        OVgeometry_newvertex(g, pos);
        ASSERT_TRUE(OVpoly_addvertex(p, i));
    }
    EXPECT_FALSE(OVpoly_addvertex(p, 257));
    EXPECT_FALSE(OVpoly_addvertex(p, -1));
    EXPECT_FALSE(OVpoly_close(p));
    // The handle is printed as a plain %x: its low 32 bits.
    char expected[80];
    std::snprintf(expected, sizeof expected, "Polygon %x has 257 vertices -- outside [3,256]\n",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p)));
    EXPECT_NE(c.text().find(expected), std::string::npos) << c.text();
    EXPECT_EQ(OVgeometry_numpolys(g), 0);
    _OVpoly_cancel(p);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(Construction, DegenerateOnlyPolygonDeletesGeometry) {
    Capture c;
    OVgeometry *g = OVgeometry_begin();
    const OVp3 a = {0, 0, 0}, b = {1, 0, 0};
    OVgeometry_newvertex(g, a);
    OVgeometry_newvertex(g, b);
    OVpoly *p = OVgeometry_beginpoly(g);
    OVpoly_addvertex(p, 0);
    OVpoly_addvertex(p, 1);
    OVpoly_addvertex(p, 0);
    ASSERT_TRUE(OVpoly_close(p));
    EXPECT_FALSE(OVgeometry_close(g));
    EXPECT_NE(c.text().find("Can't make geometry - too few vertices\n"), std::string::npos);
    // The building phase is over: a new one may begin.
    OVgeometry *next = OVgeometry_begin();
    EXPECT_NE(next, nullptr);
    _OVgeometry_checkifopen(next);
    OVgeometry_delete(next);
}

TEST(Construction, CornersKeepTheOrderTheyWereAddedAndUnusedVerticesGo) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[4][3] = {{0, 0, 0}, {1, 0, 0}, {5, 5, 5}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    ASSERT_NE(_OVgeometry_addpoly3(g, 0, 1, 3, 1), nullptr);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_EQ(vertices(g).size(), 3u);
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_EQ(corner_numbers(g, p), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(OVpoly_getbothsides(p));
    EXPECT_STREQ(OVgeometry_getname(g), "untitled");
    // The reference positions: the vertices' positions, in list order.
    ASSERT_EQ(reference_count(g), 3);
    int i = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v), ++i)
        for (int a = 0; a < 3; ++a)
            EXPECT_EQ(reference_at(g, i)[a], v->position[a]);
    OVgeometry_delete(g);
}

TEST(Construction, NonPlanarQuadIsTriangulatedAtClose) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[4][3] = {{1, 1, 0.5f}, {1, -1, 0}, {-1, -1, 0}, {-1, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly4(g, 0, 1, 2, 3, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_EQ(OVgeometry_numpolys(g), 2);
    for (OVpoly *p : polys(g))
        EXPECT_EQ(OVpoly_numvertices(p), 3);
    OVgeometry_delete(g);
}

TEST(Construction, CloseSmoothAveragesNormals) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 2, 1, 0); // faces -z
    _OVgeometry_addpoly3(g, 0, 1, 3, 0); // faces -y
    ASSERT_TRUE(OVgeometry_closesmooth(g));
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, vertices(g)[1], n));
    EXPECT_NEAR(n[1], -std::sqrt(0.5f), 1e-5);
    EXPECT_NEAR(n[2], -std::sqrt(0.5f), 1e-5);
    for (OVpoly *p : polys(g))
        EXPECT_TRUE(OVpoly_hasvnormals(p));
    OVgeometry_delete(g);
}

TEST(Construction, PolygonFromPoints) {
    OVgeometry *g = OVgeometry_begin();
    const OVp3 pts[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    EXPECT_EQ(_OVgeometry_newpolyfrompoints(g, pts, 2, 0), nullptr);
    OVpoly *p = _OVgeometry_newpolyfrompoints(g, pts, 3, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(OVpoly_getbothsides(p));
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_EQ(vertices(g).size(), 3u);
    OVgeometry_delete(g);
}

TEST(Construction, VerboseOptionWarnsOfRemovedVertices) {
    OVuniverse_new(512, 0);
    OVuniverse_setoption(1, 1);
    Capture c;
    OVgeometry *g = OVgeometry_begin();
    const float pts[5][3] = {{0, 0, 0}, {1, 0, 0}, {9, 9, 9}, {0, 1, 0}, {1, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 1, 3, 0);
    _OVgeometry_addpoly3(g, 1, 4, 3, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_EQ(c.text(), "ORV Warning: 1 unused vertices were removed\n");
    ASSERT_TRUE(OVpoly_delete(OVgeometry_getpolys(g)));
    captured().clear();
    OVgeometry_recomputestats(g, 1);
    EXPECT_EQ(c.text(), "ORV Warning: 1 unused vertices were removed\n");
    EXPECT_EQ(vertices(g).size(), 3u);
    OVgeometry_delete(g);
    OVuniverse_delete();
}
