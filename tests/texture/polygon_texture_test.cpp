// Polygon texture bindings: the default mapping and the operations that move
// the coordinates afterwards.
#include "texture_fixtures.h"

#include <cmath>

using namespace texture_test;

namespace {

constexpr int kW = 8, kH = 4;
constexpr float kEps = 1e-5f;

struct PolygonTexture : RectangleTest {
    PolygonTexture() : RectangleTest(kW, kH, 2, 4) {}
    std::vector<float> us() { return coords(p, true); }
    std::vector<float> vs() { return coords(p, false); }
};

TEST_F(PolygonTexture, DefaultMappingPutsTheCornersAtTheEndsOfTheRange) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 1, 0));
    std::vector<float> u = us(), v = vs();
    const float u_far = (kW - 1.0f) / kW, v_top = 1.0f / kH;
    for (int i = 0; i < 4; ++i) {
        OVp3 pos;
        OVvertex_getposition(OVpoly_getvertex(p, i), pos);
        EXPECT_TRUE(std::fabs(u[i]) < kEps || std::fabs(u[i] - u_far) < kEps) << u[i];
        // The picture's top row at the polygon's top (the view's y points down).
        EXPECT_NEAR(v[i], pos[1] < 0 ? v_top : 1.0f, kEps);
        // Corners on the same side share their u.
        for (int j = 0; j < 4; ++j) {
            OVp3 other;
            OVvertex_getposition(OVpoly_getvertex(p, j), other);
            if (std::fabs(other[0] - pos[0]) < kEps) {
                EXPECT_NEAR(u[i], u[j], kEps);
            }
        }
    }
    OVtexinfo info{};
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_STREQ(info.name, "tex");
    EXPECT_EQ(info.scale, 1.0f);
    EXPECT_EQ(info.rotation, 0.0f);
    EXPECT_EQ(info.shaded, 1);
    EXPECT_EQ(info.transparent, 0);
    EXPECT_EQ(info.tint, 0);
}

TEST_F(PolygonTexture, MirrorTwiceRestores) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    std::vector<float> before = us();
    ASSERT_TRUE(OVpoly_mirrortexture(p));
    std::vector<float> once = us();
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(once[i], 1 - before[i], kEps);
    OVtexinfo info{};
    OVpoly_gettextureinfo(p, &info);
    EXPECT_EQ(info.mirrored, 1);
    ASSERT_TRUE(OVpoly_mirrortexture(p));
    OVpoly_gettextureinfo(p, &info);
    EXPECT_EQ(info.mirrored, 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(us()[i], before[i], kEps);
}

TEST_F(PolygonTexture, RotateThereAndBack) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    std::vector<float> u0 = us(), v0 = vs();
    const float half_pi = static_cast<float>(M_PI / 2);
    ASSERT_TRUE(OVpoly_rotatetexture(p, half_pi));
    // A quarter turn about (0.5, 0.5): u' = v, v' = 1 - u.
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(us()[i], v0[i], 1e-4f);
        EXPECT_NEAR(vs()[i], 1 - u0[i], 1e-4f);
    }
    ASSERT_TRUE(OVpoly_rotatetexture(p, -half_pi));
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(us()[i], u0[i], 1e-4f);
        EXPECT_NEAR(vs()[i], v0[i], 1e-4f);
    }
    OVtexinfo info{};
    OVpoly_gettextureinfo(p, &info);
    EXPECT_NEAR(info.rotation, 0, kEps);
}

TEST_F(PolygonTexture, RotationSignFollowsOptionNine) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    std::vector<float> u0 = us(), v0 = vs();
    OVuniverse_setoption(9, 1);
    ASSERT_TRUE(OVpoly_rotatetexture(p, static_cast<float>(M_PI / 2)));
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(us()[i], 1 - v0[i], 1e-4f);
}

TEST_F(PolygonTexture, ScaleAboutTheMean) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    std::vector<float> u0 = us(), v0 = vs();
    float mu = 0, mv = 0;
    for (int i = 0; i < 4; ++i) {
        mu += u0[i] / 4;
        mv += v0[i] / 4;
    }
    ASSERT_TRUE(OVpoly_scaletexture(p, 2));
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(us()[i] - mu, 2 * (u0[i] - mu), kEps);
        EXPECT_NEAR(vs()[i] - mv, 2 * (v0[i] - mv), kEps);
    }
    OVtexinfo info{};
    OVpoly_gettextureinfo(p, &info);
    EXPECT_EQ(info.scale, 2.0f);
    ASSERT_TRUE(OVpoly_stretchtexture(p, 0.5f, 1));
    OVpoly_gettextureinfo(p, &info);
    EXPECT_EQ(info.scale, 2.0f); // stretching leaves the scale field
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(us()[i], u0[i], kEps);
}

TEST_F(PolygonTexture, TranslateByWholeTexels) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    std::vector<float> u0 = us(), v0 = vs();
    const float across[2] = {kW, 0};
    ASSERT_TRUE(OVpoly_translatetexture(p, across));
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(us()[i], u0[i] + 1, kEps);
        EXPECT_NEAR(vs()[i], v0[i], kEps);
    }
    const float one_row[2] = {0, 1};
    ASSERT_TRUE(OVpoly_translatetexture(p, one_row));
    EXPECT_NEAR(vs()[0], v0[0] + 1.0f / kH, kEps);
    OVtexinfo info{};
    OVpoly_gettextureinfo(p, &info);
    EXPECT_EQ(info.translation[0], kW);
    EXPECT_EQ(info.translation[1], 1);
}

TEST_F(PolygonTexture, CallsWithoutABindingDoNothing) {
    float u[4], v[4];
    EXPECT_FALSE(OVpoly_mirrortexture(p));
    EXPECT_FALSE(OVpoly_rotatetexture(p, 1));
    EXPECT_FALSE(OVpoly_getuv(p, u, v));
    EXPECT_FALSE(OVpoly_settexturestyle(p, 1, 1, 1));
    OVtexinfo info;
    EXPECT_FALSE(OVpoly_gettextureinfo(p, &info));
    EXPECT_TRUE(OVpoly_settexture(nullptr, "tex", 0, 0));
    EXPECT_TRUE(messages().empty());
}

TEST_F(PolygonTexture, ExplicitCoordinatesStylesAndDeletion) {
    const float u[4] = {0.1f, 0.2f, 0.3f, 0.4f}, v[4] = {0.5f, 0.6f, 0.7f, 0.8f};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 1));
    EXPECT_NEAR(us()[2], 0.3f, kEps);
    EXPECT_NEAR(vs()[3], 0.8f, kEps);
    ASSERT_TRUE(OVpoly_settexturestyle(p, 1, 0, 1));
    int s = -1, t = -1, k = -1;
    ASSERT_TRUE(OVpoly_gettexturestyle(p, &s, &t, &k));
    EXPECT_EQ(s, 1);
    EXPECT_EQ(t, 0);
    EXPECT_EQ(k, 1);
    ASSERT_TRUE(OVpoly_deletetexture(p));
    EXPECT_FALSE(OVpoly_gettexturestyle(p, &s, &t, &k));
}

TEST_F(PolygonTexture, MissingTextureFailsWithItsMessage) {
    EXPECT_FALSE(OVpoly_settexture(p, "absent_texture.tga", 0, 0));
    EXPECT_EQ(count_containing("Texture absent_texture.tga not found\n"), 1);
    const float u[4] = {}, v[4] = {};
    EXPECT_FALSE(OVpoly_settextureuv(p, "absent_texture.tga", u, v, 0, 0));
    EXPECT_EQ(count_containing("not found"), 1);
}

float u_from_x(const OVp3 pos) {
    return pos[0];
}
float v_from_y(const OVp3 pos) {
    return pos[1] + 10;
}

TEST_F(PolygonTexture, WholeGeometryCalls) {
    ASSERT_TRUE(OVgeometry_settextureuv(g, "tex", u_from_x, v_from_y, 0, 0));
    for (int i = 0; i < 4; ++i) {
        OVp3 pos;
        OVvertex_getposition(OVpoly_getvertex(p, i), pos);
        EXPECT_NEAR(us()[i], pos[0], kEps);
        EXPECT_NEAR(vs()[i], pos[1] + 10, kEps);
    }
    unsigned char other[16] = {};
    ASSERT_TRUE(OVtexture_replace("other", OVIMAGE_RGBA, 2, 2, other));
    ASSERT_TRUE(OVgeometry_changetexture(g, "other", 1, 1));
    OVtexinfo info{};
    OVpoly_gettextureinfo(p, &info);
    EXPECT_STREQ(info.name, "other");
    EXPECT_EQ(info.transparent, 1);
    EXPECT_FALSE(OVgeometry_changetexture(g, "never_loaded", 0, 0));
    ASSERT_TRUE(OVgeometry_setuv(g, v_from_y, u_from_x));
    for (int i = 0; i < 4; ++i) { // the two functions swapped
        OVp3 pos;
        OVvertex_getposition(OVpoly_getvertex(p, i), pos);
        EXPECT_NEAR(us()[i], pos[1] + 10, kEps);
        EXPECT_NEAR(vs()[i], pos[0], kEps);
    }
    ASSERT_TRUE(OVgeometry_deletetexture(g));
    EXPECT_FALSE(OVpoly_gettextureinfo(p, &info));
    ASSERT_TRUE(OVgeometry_settexture(g, "tex", 0, 0));
    EXPECT_TRUE(OVpoly_gettextureinfo(p, &info));
}

// A closed triangle with these corners, in this order.
OVgeometry *triangle(const float corners[3][3]) {
    OVgeometry *t = OVgeometry_begin();
    for (int i = 0; i < 3; ++i)
        OVgeometry_newvertex(t, corners[i]);
    OVpoly *poly = OVgeometry_beginpoly(t);
    for (int i = 0; i < 3; ++i)
        OVpoly_addvertex(poly, i);
    OVpoly_close(poly);
    OVgeometry_close(t);
    return t;
}

// The default coordinates of a triangle's three corners.
void default_uv(const float corners[3][3], float u[3], float v[3]) {
    OVgeometry *t = triangle(corners);
    ASSERT_NE(t, nullptr);
    OVpoly *poly = OVgeometry_getpolys(t);
    ASSERT_TRUE(OVpoly_settexture(poly, "tex", 0, 0));
    ASSERT_TRUE(OVpoly_getuv(poly, u, v));
    OVgeometry_delete(t);
}

TEST_F(PolygonTexture, UprightPolygonAlignsItsHighestRisingEdge) {
    // Edges run from a corner's successor to the corner: corner 2 to corner 0
    // rises most, so that edge lies along one image axis.
    const float corners[3][3] = {{0, 0, 0}, {0, 0, 1}, {0, 2, 0.5f}};
    float u[3], v[3];
    default_uv(corners, u, v);
    const bool along_v = std::fabs(u[0] - u[2]) < kEps, along_u = std::fabs(v[0] - v[2]) < kEps;
    EXPECT_TRUE(along_u != along_v) << u[0] << " " << u[2] << " " << v[0] << " " << v[2];
    EXPECT_GT(std::fabs(u[1] - u[0]) + std::fabs(v[1] - v[0]), 0.1f);
}

TEST_F(PolygonTexture, LevelPolygonAlignsItsFirstEdge) {
    // The normal is vertical: the edge from corner 1 to corner 0 is the reference.
    const float corners[3][3] = {{0, 0, 0}, {1, 0, 0}, {0.25f, 0, -1}};
    float u[3], v[3];
    default_uv(corners, u, v);
    const bool along_v = std::fabs(u[0] - u[1]) < kEps, along_u = std::fabs(v[0] - v[1]) < kEps;
    EXPECT_TRUE(along_u != along_v) << u[0] << " " << u[1] << " " << v[0] << " " << v[1];
}

TEST_F(PolygonTexture, NewBindingStartsFromRest) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 1, 1));
    ASSERT_TRUE(OVpoly_rotatetexture(p, 0.5f));
    ASSERT_TRUE(OVpoly_scaletexture(p, 3));
    ASSERT_TRUE(OVpoly_mirrortexture(p));
    const float d[2] = {2, 1};
    ASSERT_TRUE(OVpoly_translatetexture(p, d));
    ASSERT_TRUE(OVpoly_settexturestyle(p, 1, 1, 1));
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 1));
    OVtexinfo info{};
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_STREQ(info.name, "tex");
    EXPECT_EQ(info.rotation, 0.0f);
    EXPECT_EQ(info.scale, 1.0f);
    EXPECT_EQ(info.mirrored, 0);
    EXPECT_EQ(info.translation[0], 0.0f);
    EXPECT_EQ(info.translation[1], 0.0f);
    EXPECT_EQ(info.shaded, 0);
    EXPECT_EQ(info.transparent, 1);
    EXPECT_EQ(info.tint, 0);
    // Rotations add up in the field.
    ASSERT_TRUE(OVpoly_rotatetexture(p, 0.25f));
    ASSERT_TRUE(OVpoly_rotatetexture(p, 0.5f));
    ASSERT_TRUE(OVpoly_gettextureinfo(p, &info));
    EXPECT_FLOAT_EQ(info.rotation, 0.75f);
}

TEST_F(PolygonTexture, TextureWithoutUsersIsDeletedAfterTheLastBindingGoes) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    OVgeometry *copy = OVgeometry_copy(g);
    ASSERT_TRUE(OVpoly_deletetexture(p));
    EXPECT_EQ(OVtexture_memory(), kW * kH * 4); // the copy still uses it
    OVgeometry_delete(copy);
    EXPECT_EQ(OVtexture_memory(), 0);
}

} // namespace
