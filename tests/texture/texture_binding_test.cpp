// Texture bindings of polygons in locked geometries, of copies, of triangles,
// and coordinates given by the caller.
#include "geometry/geometry_record.h"
#include "texture_fixtures.h"

#include <algorithm>
#include <cmath>

using namespace texture_test;

namespace {

constexpr int kW = 4, kH = 2;
constexpr float kEps = 1e-5f;

struct TextureBinding : RectangleTest {
    TextureBinding() : RectangleTest(kW, kH, 2, 2) {}
};

TEST_F(TextureBinding, ALockedGeometryRefusesEveryChangeToItsBindings) {
    const float u[4] = {0, 1, 1, 0}, v[4] = {0, 0, 1, 1};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 0));
    g->locked = 1;
    EXPECT_FALSE(OVpoly_settexture(p, "tex", 1, 1));
    EXPECT_FALSE(OVpoly_settextureuv(p, "tex", v, u, 1, 1));
    const float other[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    EXPECT_FALSE(OVpoly_setuv(p, other, other));
    EXPECT_FALSE(OVpoly_deletetexture(p));
    OVpoly_mirrortexture(p);
    OVpoly_rotatetexture(p, 1);
    OVpoly_scaletexture(p, 2);
    OVpoly_stretchtexture(p, 2, 3);
    const float d[2] = {1, 1};
    OVpoly_translatetexture(p, d);
    EXPECT_FALSE(OVpoly_settexturestyle(p, 1, 1, 1));
    // Asking for the styles it already has is not a change.
    EXPECT_TRUE(OVpoly_settexturestyle(p, 0, 0, 0));
    EXPECT_FALSE(OVgeometry_settexture(g, "tex", 1, 1));
    EXPECT_FALSE(OVgeometry_deletetexture(g));
    g->locked = 0;
    EXPECT_EQ(coords(p, true), (std::vector<float>{0, 1, 1, 0}));
    EXPECT_EQ(coords(p, false), (std::vector<float>{0, 0, 1, 1}));
    OVtexinfo info{};
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_EQ(info.rotation, 0);
    EXPECT_EQ(info.scale, 1);
    EXPECT_EQ(info.mirrored, 0);
    EXPECT_EQ(info.translation[0], 0);
    EXPECT_EQ(info.shaded, 0);
}

TEST_F(TextureBinding, SetUvNeedsABindingAndOverwritesEveryCorner) {
    const float u[4] = {0.1f, 0.2f, 0.3f, 0.4f}, v[4] = {0.9f, 0.8f, 0.7f, 0.6f};
    EXPECT_FALSE(OVpoly_setuv(p, u, v));
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    ASSERT_TRUE(OVpoly_setuv(p, u, v));
    EXPECT_EQ(coords(p, true), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(coords(p, false), (std::vector<float>{0.9f, 0.8f, 0.7f, 0.6f}));
    // The placement fields stay as they were.
    OVtexinfo info{};
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_EQ(info.scale, 1);
}

TEST_F(TextureBinding, StretchMovesEachAxisAboutItsMean) {
    const float u[4] = {0, 1, 1, 0}, v[4] = {0, 0, 1, 1};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 0));
    ASSERT_TRUE(OVpoly_stretchtexture(p, 2, 0.5f));
    EXPECT_EQ(coords(p, true), (std::vector<float>{-0.5f, 1.5f, 1.5f, -0.5f}));
    EXPECT_EQ(coords(p, false), (std::vector<float>{0.25f, 0.25f, 0.75f, 0.75f}));
    OVtexinfo info{};
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_EQ(info.scale, 1);
}

TEST_F(TextureBinding, RotationFollowsTheFormulaForAnyAngle) {
    const float u[4] = {0, 1, 1, 0.25f}, v[4] = {0, 0, 1, 0.75f};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 0));
    const float a = 0.3f, c = std::cos(a), s = std::sin(a);
    ASSERT_TRUE(OVpoly_rotatetexture(p, a));
    auto nu = coords(p, true), nv = coords(p, false);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(nu[i], c * (u[i] - 0.5f) + s * (v[i] - 0.5f) + 0.5f, kEps);
        EXPECT_NEAR(nv[i], c * (v[i] - 0.5f) - s * (u[i] - 0.5f) + 0.5f, kEps);
    }
}

TEST_F(TextureBinding, ACopyHasABindingOfItsOwn) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 1, 0));
    OVgeometry *copy = OVgeometry_copy(g);
    ASSERT_NE(copy, nullptr);
    OVpoly *q = OVgeometry_getpolys(copy);
    auto before = coords(p, true);
    EXPECT_EQ(coords(q, true), before);
    ASSERT_TRUE(OVpoly_mirrortexture(q));
    EXPECT_EQ(coords(p, true), before);
    OVtexinfo info{};
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_EQ(info.mirrored, 0);
    EXPECT_EQ(info.shaded, 1);
    ASSERT_TRUE(OVpoly_gettextureinfo(q, &info));
    EXPECT_EQ(info.mirrored, 1);
    EXPECT_STREQ(info.name, "tex");
    OVgeometry_delete(copy);
    // The original keeps its texture.
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_STREQ(info.name, "tex");
}

TEST_F(TextureBinding, DefaultMappingOfATriangleSpansTheFittedRange) {
    OVgeometry *t = OVgeometry_begin();
    const float corners[3][3] = {{0, 0, 0}, {3, 0.5f, 1}, {1, 2, -1}};
    for (const auto &c : corners)
        OVgeometry_newvertex(t, c);
    _OVgeometry_addpoly3(t, 0, 1, 2, 0);
    ASSERT_TRUE(OVgeometry_close(t));
    OVpoly *tri = OVgeometry_getpolys(t);
    ASSERT_TRUE(OVpoly_settexture(tri, "tex", 0, 0));
    auto u = coords(tri, true, 3), v = coords(tri, false, 3);
    EXPECT_NEAR(*std::min_element(u.begin(), u.end()), 0, kEps);
    EXPECT_NEAR(*std::max_element(u.begin(), u.end()), (kW - 1.0f) / kW, kEps);
    EXPECT_NEAR(*std::min_element(v.begin(), v.end()), 1.0f / kH, kEps);
    EXPECT_NEAR(*std::max_element(v.begin(), v.end()), 1, kEps);
    OVgeometry_delete(t);
}

TEST_F(TextureBinding, CornersWithoutABindingStayBare) {
    // changetexture and setuv pass over polygons without a texture.
    OVgeometry *two = OVgeometry_newblock(1, 1, 1, 0);
    OVpoly *first = OVgeometry_getpolys(two);
    ASSERT_TRUE(OVpoly_settexture(first, "tex", 0, 0));
    unsigned char other[16] = {};
    ASSERT_TRUE(OVtexture_replace("other", OVIMAGE_RGBA, 2, 2, other));
    ASSERT_TRUE(OVgeometry_changetexture(two, "other", 1, 0));
    OVtexinfo info{};
    int bound = 0;
    for (OVpoly *q = first; q; q = OVpoly_next(q))
        bound += OVpoly_gettextureinfo(q, &info);
    EXPECT_EQ(bound, 1);
    ASSERT_TRUE(OVpoly_gettextureinfo(first, &info));
    EXPECT_STREQ(info.name, "other");
    EXPECT_EQ(info.shaded, 1);
    OVgeometry_delete(two);
}

TEST_F(TextureBinding, ReplacedBindingsGiveTheirTextureBack) {
    const float u[4] = {0, 1, 1, 0}, v[4] = {0, 0, 1, 1};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 0));
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", v, u, 1, 0));
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 1));
    EXPECT_EQ(OVtexture_memory(), kW * kH * 4);
    ASSERT_TRUE(OVpoly_deletetexture(p));
    EXPECT_EQ(OVtexture_memory(), 0); // no use was left behind
}

TEST_F(TextureBinding, APolygonTooSmallForAnEdgeStillGetsFiniteCoordinates) {
    // No edge is 0.004 long on any axis; the polygon stands in the y-z plane.
    OVgeometry *t = OVgeometry_begin();
    const float corners[3][3] = {{0, 0, 0}, {0, 0.003f, 0}, {0, 0, 0.003f}};
    for (const auto &c : corners)
        OVgeometry_newvertex(t, c);
    _OVgeometry_addpoly3(t, 0, 1, 2, 0);
    ASSERT_TRUE(OVgeometry_close(t));
    OVpoly *tri = OVgeometry_getpolys(t);
    ASSERT_TRUE(OVpoly_settexture(tri, "tex", 0, 0));
    auto u = coords(tri, true, 3), v = coords(tri, false, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(std::isfinite(u[i]) && u[i] >= 0 && u[i] <= 1) << u[i];
        EXPECT_TRUE(std::isfinite(v[i]) && v[i] >= 0 && v[i] <= 1) << v[i];
    }
    OVgeometry_delete(t);
}

} // namespace
