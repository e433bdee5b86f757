// Moving texture coordinates after a binding is made: what each move does to
// the placement fields, what calls without a binding leave alone, and that
// every move shows on the next frame.
#include "texture_fixtures.h"
#include "textured_quad.h"

#include <cmath>

using namespace texture_test;

namespace {

constexpr int kW = 16, kH = 8;
constexpr float kEps = 1e-5f;

struct TextureMoves : RectangleTest {
    TextureMoves() : RectangleTest(kW, kH, 3, 1) {}
    OVtexinfo info() {
        OVtexinfo out{};
        EXPECT_TRUE(OVpoly_gettextureinfo(p, &out));
        return out;
    }
};

TEST_F(TextureMoves, ScalesMultiplyAndOffsetsAdd) {
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 0));
    ASSERT_TRUE(OVpoly_scaletexture(p, 2));
    ASSERT_TRUE(OVpoly_scaletexture(p, 0.25f));
    ASSERT_TRUE(OVpoly_scaletexture(p, 3));
    EXPECT_FLOAT_EQ(info().scale, 1.5f);
    const float a[2] = {2, -1}, b[2] = {0.5f, 4};
    ASSERT_TRUE(OVpoly_translatetexture(p, a));
    ASSERT_TRUE(OVpoly_translatetexture(p, b));
    EXPECT_FLOAT_EQ(info().translation[0], 2.5f);
    EXPECT_FLOAT_EQ(info().translation[1], 3.0f);
    // Stretching and mirroring leave the other fields as they were.
    ASSERT_TRUE(OVpoly_stretchtexture(p, 2, 2));
    ASSERT_TRUE(OVpoly_mirrortexture(p));
    EXPECT_FLOAT_EQ(info().scale, 1.5f);
    EXPECT_EQ(info().rotation, 0.0f);
    EXPECT_FLOAT_EQ(info().translation[0], 2.5f);
}

TEST_F(TextureMoves, TexelOffsetsDivideByTheirOwnSide) {
    const float u[4] = {0, 1, 1, 0}, v[4] = {0, 0, 1, 1};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 0));
    const float d[2] = {4, 4};
    ASSERT_TRUE(OVpoly_translatetexture(p, d));
    EXPECT_EQ(coords(p, true), (std::vector<float>{0.25f, 1.25f, 1.25f, 0.25f}));
    EXPECT_EQ(coords(p, false), (std::vector<float>{0.5f, 0.5f, 1.5f, 1.5f}));
}

TEST_F(TextureMoves, TheOptionTurnsTheCoordinatesButNotTheField) {
    const float u[4] = {1, 0.5f, 0.5f, 0.5f}, v[4] = {0.5f, 1, 0.5f, 0.5f};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 0, 0));
    OVuniverse_setoption(9, 1);
    const float a = 0.5f, c = std::cos(a), s = -std::sin(a);
    ASSERT_TRUE(OVpoly_rotatetexture(p, a));
    const std::vector<float> nu = coords(p, true), nv = coords(p, false);
    EXPECT_NEAR(nu[0], c * 0.5f + 0.5f, kEps);
    EXPECT_NEAR(nv[0], -s * 0.5f + 0.5f, kEps);
    EXPECT_NEAR(nu[1], s * 0.5f + 0.5f, kEps);
    EXPECT_NEAR(nv[1], c * 0.5f + 0.5f, kEps);
    EXPECT_NEAR(nu[2], 0.5f, kEps); // the centre of the turn stays
    EXPECT_FLOAT_EQ(info().rotation, 0.5f);
}

TEST_F(TextureMoves, CallsWithoutABindingChangeNothingAndSayNothing) {
    const float d[2] = {1, 1}, uv[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    OVpoly_scaletexture(p, 2);
    OVpoly_stretchtexture(p, 2, 3);
    OVpoly_translatetexture(p, d);
    OVpoly_mirrortexture(p);
    OVpoly_rotatetexture(p, 1);
    EXPECT_FALSE(OVpoly_setuv(p, uv, uv));
    OVpoly_deletetexture(p);
    float u[4] = {9, 9, 9, 9}, v[4] = {9, 9, 9, 9};
    EXPECT_FALSE(OVpoly_getuv(p, u, v));
    EXPECT_EQ(u[0], 9.0f);
    EXPECT_EQ(v[3], 9.0f);
    int s = 7, t = 7, k = 7;
    EXPECT_FALSE(OVpoly_gettexturestyle(p, &s, &t, &k));
    OVtexinfo none{};
    EXPECT_FALSE(OVpoly_gettextureinfo(p, &none));
    EXPECT_EQ(_OVpoly_numuv(p), 0);
    EXPECT_TRUE(messages().empty());
    // Still no binding afterwards.
    EXPECT_FALSE(OVpoly_gettextureinfo(p, &none));
}

TEST_F(TextureMoves, ABindingHoldsOneCoordinatePairPerCorner) {
    const float u[4] = {0.1f, 0.2f, 0.3f, 0.4f}, v[4] = {0.5f, 0.6f, 0.7f, 0.8f};
    ASSERT_TRUE(OVpoly_settextureuv(p, "tex", u, v, 1, 0));
    EXPECT_EQ(_OVpoly_numuv(p), 4);
    float ru[6] = {9, 9, 9, 9, 9, 9}, rv[6] = {9, 9, 9, 9, 9, 9};
    ASSERT_TRUE(OVpoly_getuv(p, ru, rv));
    EXPECT_EQ(std::vector<float>(ru, ru + 6), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f, 9, 9}));
    EXPECT_EQ(std::vector<float>(rv, rv + 6), (std::vector<float>{0.5f, 0.6f, 0.7f, 0.8f, 9, 9}));
    // The caller's arrays were copied.
    OVtexinfo got = info();
    EXPECT_STREQ(got.name, "tex");
    EXPECT_EQ(got.shaded, 1);
    EXPECT_EQ(got.transparent, 0);
    EXPECT_EQ(got.tint, 0);
    EXPECT_EQ(got.scale, 1.0f);
    EXPECT_EQ(got.mirrored, 0);
}

TEST_F(TextureMoves, StylesChangeOnlyWithABinding) {
    int s = 7, t = 7, k = 7;
    EXPECT_FALSE(OVpoly_settexturestyle(p, 0, 0, 0)); // nothing to style
    ASSERT_TRUE(OVpoly_settexture(p, "tex", 0, 1));
    ASSERT_TRUE(OVpoly_gettexturestyle(p, &s, &t, &k));
    EXPECT_EQ(s, 0);
    EXPECT_EQ(t, 1);
    EXPECT_EQ(k, 0);
    ASSERT_TRUE(OVpoly_settexturestyle(p, 1, 0, 1));
    ASSERT_TRUE(OVpoly_gettexturestyle(p, &s, &t, &k));
    EXPECT_EQ(s, 1);
    EXPECT_EQ(t, 0);
    EXPECT_EQ(k, 1);
    OVtexinfo got = info();
    EXPECT_EQ(got.shaded, 1);
    EXPECT_EQ(got.transparent, 0);
    EXPECT_EQ(got.tint, 1);
    EXPECT_TRUE(messages().empty());
}

} // namespace

namespace {

using render_test::near;
using render_test::pixel;
using namespace textured_quad;

// The colours at the four quadrant centres: top left, top right, bottom
// left, bottom right of the window.
struct Corners {
    render_test::Pixel tl, tr, bl, br;
};

struct MovedQuad : TexturedQuad {
    Corners frame() {
        OVrender_frame();
        return {pixel(window, kMid - kQuarter, kMid + kQuarter),
                pixel(window, kMid + kQuarter, kMid + kQuarter),
                pixel(window, kMid - kQuarter, kMid - kQuarter),
                pixel(window, kMid + kQuarter, kMid - kQuarter)};
    }
    void SetUp() override {
        TexturedQuad::SetUp();
        ASSERT_TRUE(OVtexture_replace("quadrants", OVIMAGE_RGBA, 2, 2, quadrant_texels));
        texture_quad("quadrants", 0);
        OVgeometry_setrgb(quad, 255, 255, 255);
        p = OVgeometry_getpolys(quad);
    }
    OVpoly *p = nullptr;
};

bool shows(const Corners &c, const int tl[3], const int tr[3], const int bl[3], const int br[3]) {
    return near(c.tl, tl[0], tl[1], tl[2]) && near(c.tr, tr[0], tr[1], tr[2]) &&
           near(c.bl, bl[0], bl[1], bl[2]) && near(c.br, br[0], br[1], br[2]);
}

const int kRed[3] = {255, 0, 0}, kGreen[3] = {0, 255, 0}, kBlue[3] = {0, 0, 255},
          kWhite[3] = {255, 255, 255};

TEST_F(MovedQuad, EveryMoveShowsOnTheNextFrame) {
    ASSERT_TRUE(shows(frame(), kRed, kGreen, kBlue, kWhite));
    ASSERT_TRUE(OVpoly_mirrortexture(p));
    EXPECT_TRUE(shows(frame(), kGreen, kRed, kWhite, kBlue));
    ASSERT_TRUE(OVpoly_mirrortexture(p));
    EXPECT_TRUE(shows(frame(), kRed, kGreen, kBlue, kWhite));
    // Half a turn about the middle of the picture.
    ASSERT_TRUE(OVpoly_rotatetexture(p, static_cast<float>(M_PI)));
    EXPECT_TRUE(shows(frame(), kWhite, kBlue, kGreen, kRed));
    ASSERT_TRUE(OVpoly_rotatetexture(p, static_cast<float>(M_PI)));
    EXPECT_TRUE(shows(frame(), kRed, kGreen, kBlue, kWhite));
    // A factor of -1 about the mean is the same half turn.
    ASSERT_TRUE(OVpoly_scaletexture(p, -1));
    EXPECT_TRUE(shows(frame(), kWhite, kBlue, kGreen, kRed));
    // Stretching v alone by -1 turns the picture upside down again.
    ASSERT_TRUE(OVpoly_stretchtexture(p, 1, -1));
    EXPECT_TRUE(shows(frame(), kGreen, kRed, kWhite, kBlue));
    // One texel across: the repeated picture is shifted by half its width.
    const float one[2] = {1, 0};
    ASSERT_TRUE(OVpoly_translatetexture(p, one));
    EXPECT_TRUE(shows(frame(), kRed, kGreen, kBlue, kWhite));
}

TEST_F(MovedQuad, NewCoordinatesShowOnTheNextFrame) {
    ASSERT_TRUE(shows(frame(), kRed, kGreen, kBlue, kWhite));
    float u[4], v[4];
    ASSERT_TRUE(OVpoly_getuv(p, u, v));
    ASSERT_TRUE(OVpoly_setuv(p, v, u)); // u and v swapped: the picture turns over its diagonal
    EXPECT_TRUE(shows(frame(), kRed, kBlue, kGreen, kWhite));
}

} // namespace
