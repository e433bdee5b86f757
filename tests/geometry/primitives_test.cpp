#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

namespace {
// Every polygon faces away from the origin.
void expect_outward(OVgeometry *g) {
    for (OVpoly *p : polys(g)) {
        OVp3 n, c;
        OVpoly_getnormal(p, n);
        OVpoly_getcg(p, c);
        EXPECT_GT(n[0] * c[0] + n[1] * c[1] + n[2] * c[2], 0) << OVgeometry_getname(g);
    }
}
} // namespace

TEST(Primitives, BlockVertexOrderFacesAndNewestFirst) {
    OVgeometry *g = OVgeometry_newblock(50, 50, 50, 1);
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(OVgeometry_getname(g), "block");
    auto vs = vertices(g);
    ASSERT_EQ(vs.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_FLOAT_EQ(vs[i]->position[0], (i & 4) ? -25 : 25);
        EXPECT_FLOAT_EQ(vs[i]->position[1], (i & 2) ? -25 : 25);
        EXPECT_FLOAT_EQ(vs[i]->position[2], (i & 1) ? -25 : 25);
    }
    ASSERT_EQ(OVgeometry_numpolys(g), 6);
    EXPECT_EQ(corner_numbers(g, OVgeometry_getpolys(g)), (std::vector<int>{6, 7, 3, 2}));
    EXPECT_EQ(corner_numbers(g, polys(g)[5]), (std::vector<int>{6, 2, 0, 4}));
    for (OVpoly *p : polys(g))
        EXPECT_TRUE(OVpoly_getbothsides(p));
    expect_outward(g);
    OVp3 e;
    OVgeometry_getextents(g, e);
    EXPECT_FLOAT_EQ(e[1], 50);
    EXPECT_NEAR(OVgeometry_getradius(g), std::sqrt(3.f) * 25, 1e-3);
    OVgeometry_delete(g);
}

TEST(Primitives, Refusals) {
    EXPECT_EQ(OVgeometry_newblock(0.003f, 1, 1, 0), nullptr);
    EXPECT_EQ(OVgeometry_newrectangle(0.004f, 1, 0), nullptr);
    EXPECT_EQ(OVgeometry_newcylinder(1, 1, 2, 0, 0), nullptr);
    EXPECT_EQ(OVgeometry_newcone(0.001f, 1, 5, 0), nullptr);
    EXPECT_EQ(OVgeometry_newtruncone(-1, 1, 1, 5, 0, 0), nullptr);
    EXPECT_EQ(OVgeometry_newsphere(1, 1, 5, 0, 0), nullptr);
    EXPECT_EQ(OVgeometry_newhemisphere(1, 2, 2, 0, 0), nullptr);
    const OVp2 two[2] = {{0, 0}, {1, 0}};
    EXPECT_EQ(OVgeometry_newextrusion(two, 2, 1, 0, 0), nullptr);
    const OVp2 close3[3] = {{0, 0}, {0.001f, 0}, {1, 1}};
    EXPECT_EQ(OVgeometry_newextrusion(close3, 3, 1, 0, 0), nullptr);
    OVgeometry *neg = OVgeometry_newblock(-1, 1, 1, 0);
    EXPECT_NE(neg, nullptr);
    OVgeometry_delete(neg);
    // A refused primitive leaves no building phase behind.
    OVgeometry *g = OVgeometry_begin();
    EXPECT_NE(g, nullptr);
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
}

TEST(Primitives, RectangleFacesMinusZ) {
    OVgeometry *g = OVgeometry_newrectangle(50, 50, 1);
    ASSERT_NE(g, nullptr);
    auto vs = vertices(g);
    ASSERT_EQ(vs.size(), 4u);
    const float want[4][2] = {{25, 25}, {25, -25}, {-25, -25}, {-25, 25}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(vs[i]->position[0], want[i][0]);
        EXPECT_FLOAT_EQ(vs[i]->position[1], want[i][1]);
    }
    ASSERT_EQ(OVgeometry_numpolys(g), 1);
    OVp3 n;
    OVpoly_getnormal(OVgeometry_getpolys(g), n);
    EXPECT_FLOAT_EQ(n[2], -1);
    EXPECT_TRUE(OVpoly_getbothsides(OVgeometry_getpolys(g)));
    OVgeometry_delete(g);
}

TEST(Primitives, CylinderAndSmoothCylinder) {
    OVgeometry *g = OVgeometry_newcylinder(2, 1, 8, 0, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(vertices(g).size(), 16u);
    EXPECT_EQ(OVgeometry_numpolys(g), 10);
    EXPECT_FLOAT_EQ(vertices(g)[0]->position[1], 1);
    EXPECT_FLOAT_EQ(vertices(g)[8]->position[1], -1);
    expect_outward(g);
    OVgeometry_delete(g);
    g = OVgeometry_newcylinder(2, 1, 8, 0, 1);
    auto vs = vertices(g);
    ASSERT_EQ(vs.size(), 32u);
    EXPECT_EQ(vs[0]->normal, nullptr);
    for (int i = 0; i < 32; ++i) {
        // Only the repeated rings of the curved side carry unit normals.
        ASSERT_EQ(vs[i]->normal != nullptr, i >= 16);
        if (i >= 16) {
            EXPECT_NEAR(std::hypot(vs[i]->normal[0], vs[i]->normal[1], vs[i]->normal[2]), 1, 1e-5);
        }
    }
    EXPECT_NEAR(vs[17]->normal[0], std::cos(2 * 3.14159265f / 8), 1e-5);
    expect_outward(g);
    OVgeometry_delete(g);
}

TEST(Primitives, ConeAndTruncatedCone) {
    OVgeometry *g = OVgeometry_newcone(2, 1, 6, 0);
    ASSERT_NE(g, nullptr);
    auto vs = vertices(g);
    ASSERT_EQ(vs.size(), 7u);
    EXPECT_FLOAT_EQ(vs[6]->position[1], -1);
    EXPECT_FLOAT_EQ(vs[0]->position[2], 1); // (R sin 0, H/2, R cos 0)
    EXPECT_EQ(OVgeometry_numpolys(g), 7);
    expect_outward(g);
    OVgeometry_delete(g);
    g = OVgeometry_newtruncone(2, 2, 1, 6, 0, 1);
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(OVgeometry_getname(g), "trunc_cone");
    EXPECT_EQ(vertices(g).size(), 24u);
    EXPECT_EQ(OVgeometry_numpolys(g), 8);
    for (OVvertex *v : vertices(g)) {
        if (v->normal) {
            EXPECT_NEAR(std::hypot(v->normal[0], v->normal[1], v->normal[2]), 1, 1e-5);
        }
    }
    expect_outward(g);
    OVgeometry_delete(g);
}

TEST(Primitives, SphereCountsAndSmoothNormals) {
    OVgeometry *g = OVgeometry_newsphere(1, 2, 3, 0, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(vertices(g).size(), 5u);
    EXPECT_EQ(OVgeometry_numpolys(g), 6);
    expect_outward(g);
    OVgeometry_delete(g);
    g = OVgeometry_newsphere(2, 8, 12, 0, 1);
    for (OVvertex *v : vertices(g)) {
        ASSERT_NE(v->normal, nullptr);
        float d = (v->normal[0] * v->position[0] + v->normal[1] * v->position[1] +
                   v->normal[2] * v->position[2]) /
                  2;
        EXPECT_GT(d, 0.95f);
    }
    expect_outward(g);
    OVgeometry_delete(g);
}

TEST(Primitives, HemisphereIsOpenAtTheTop) {
    OVgeometry *g = OVgeometry_newhemisphere(1, 2, 4, 0, 0);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(vertices(g).size(), 9u);
    int tris = 0, quads = 0;
    for (OVpoly *p : polys(g)) {
        (OVpoly_numvertices(p) == 3 ? tris : quads)++;
        OVp3 n;
        OVpoly_getnormal(p, n);
        EXPECT_LT(n[1], 0.99f);
    }
    EXPECT_EQ(tris, 4);
    EXPECT_EQ(quads, 4);
    expect_outward(g);
    OVgeometry_delete(g);
}

TEST(Primitives, ExtrusionOfClockwiseOutlineFacesOutward) {
    const OVp2 square[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    const OVp2 other[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const OVp2 *pts : {square, other}) {
        OVgeometry *g = OVgeometry_newextrusion(pts, 4, 2, 0, 1);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(vertices(g).size(), 16u);
        EXPECT_EQ(OVgeometry_numpolys(g), 6);
        const OVp3 c = {-0.5f, 0, -0.5f};
        OVgeometry_translate(g, c);
        expect_outward(g);
        for (OVvertex *v : vertices(g)) {
            if (v->normal) {
                EXPECT_GT(v->normal[0] * v->position[0] + v->normal[2] * v->position[2], 0);
            }
        }
        OVgeometry_delete(g);
    }
}
