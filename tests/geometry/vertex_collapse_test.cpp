#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

namespace {

// A flat hexagonal fan around a centre vertex (vertex 0) in z = 0.
OVgeometry *fan(int sides) {
    OVgeometry *g = OVgeometry_begin();
    const OVp3 centre = {0, 0, 0};
    OVgeometry_newvertex(g, centre);
    for (int k = 0; k < sides; ++k) {
        float t = k * 6.2831853f / sides;
        const OVp3 p = {std::cos(t), std::sin(t), 0};
        OVgeometry_newvertex(g, p);
    }
    for (int k = 0; k < sides; ++k)
        _OVgeometry_addpoly3(g, 0, 1 + k, 1 + (k + 1) % sides, 0);
    EXPECT_TRUE(OVgeometry_close(g));
    return g;
}

} // namespace

TEST(VertexCollapse, InteriorVertexIsReplacedByTrianglesOverItsRing) {
    OVgeometry *g = fan(6);
    float area = total_area(g);
    OVvertex *centre = vertices(g)[0];
    ASSERT_TRUE(OVgeometry_colapsevertex(g, centre, 0.001f));
    EXPECT_EQ(vertices(g).size(), 6u);
    ASSERT_EQ(OVgeometry_numpolys(g), 4);
    for (OVpoly *p : polys(g)) {
        EXPECT_EQ(OVpoly_numvertices(p), 3);
        EXPECT_FALSE(OVpoly_containsvertex(p, centre));
        EXPECT_TRUE(OVpoly_getbothsides(p));
        EXPECT_EQ(OVpoly_getmatid(p), 0);
        OVp3 n;
        OVpoly_getnormal(p, n);
        EXPECT_NEAR(n[2], 1, 1e-5); // the fan's facing is kept
    }
    EXPECT_NEAR(total_area(g), area, 1e-4);
    OVgeometry_delete(g);
}

TEST(VertexCollapse, BoundaryVertexOnAStraightRimLeavesTheHoleOpen) {
    // Two triangles sharing vertex 1, which sits on the straight line from
    // vertex 0 to vertex 2; the rest of the star is vertex 3.
    OVgeometry *g = OVgeometry_begin();
    const float pts[4][3] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 1, 3, 0);
    _OVgeometry_addpoly3(g, 1, 2, 3, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    OVvertex *v = vertices(g)[3];
    // The chain 0-1-2 bends by 0 from its ends' line: below any tolerance.
    ASSERT_TRUE(OVgeometry_colapsevertex(g, v, 0.01f));
    EXPECT_EQ(OVgeometry_numpolys(g), 0);
    OVgeometry_delete(g);
}

TEST(VertexCollapse, BoundaryVertexAboveToleranceIsFilled) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[4][3] = {{0, 0, 0}, {1, 0.5f, 0}, {2, 0, 0}, {1, 2, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 1, 3, 0);
    _OVgeometry_addpoly3(g, 1, 2, 3, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    ASSERT_TRUE(OVgeometry_colapsevertex(g, vertices(g)[3], 0.01f));
    ASSERT_EQ(OVgeometry_numpolys(g), 1);
    EXPECT_EQ(vertices(g).size(), 3u);
    OVgeometry_delete(g);
}

TEST(VertexCollapse, UnusedVertexFails) {
    OVgeometry *g = fan(4);
    OVgeometry_beginedit(g);
    const OVp3 far = {5, 5, 5};
    OVvertex *lonely = OVgeometry_newvertex(g, far);
    OVgeometry_endedit(g);
    EXPECT_FALSE(OVgeometry_colapsevertex(g, lonely, 0.001f));
    EXPECT_EQ(OVgeometry_numpolys(g), 4);
    OVgeometry_delete(g);
}
