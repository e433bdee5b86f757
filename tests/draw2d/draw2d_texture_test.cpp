// Textured quadrilaterals of the 2D overlay read back from the window: the
// texels where the corners put them, the alpha test cutting a keyed colour,
// and the calls that must draw nothing.
#include "orv/orv.h"
#include "render/render_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

using render_test::brightness;
using render_test::near;
using render_test::pixel;

constexpr int kSide = 100;
constexpr unsigned char kKeyAlpha = 0, kOpaque = 255, kHalfAlpha = 100;

// A square from (0.2, 0.2) to (0.8, 0.8), the picture's top row at the top.
const float square[8] = {0.2f, 0.2f, 0.8f, 0.2f, 0.8f, 0.8f, 0.2f, 0.8f};
const float whole_picture[8] = {0, 1, 1, 1, 1, 0, 0, 0};

// Pixels inside the square's left and right halves, upper and lower rows.
constexpr int kLeft = 35, kRight = 65, kUpper = 65, kLower = 35;

std::function<void(OVwindow *)> draw_2d;
void call_draw_2d(OVwindow *w, int) {
    draw_2d(w);
}

// 2 × 2 texels, top row first: red, key / green, key. The key is magenta
// with the given alpha.
unsigned char keyed_texels[16];
unsigned char *keyed(unsigned char key_alpha) {
    const unsigned char texels[16] = {255, 0,   0, kOpaque, 255, 0, 255, key_alpha,
                                      0,   255, 0, kOpaque, 255, 0, 255, key_alpha};
    std::copy(texels, texels + 16, keyed_texels);
    return keyed_texels;
}

struct Draw2dTexture : ::testing::Test {
    OVwindow *window = nullptr;

    void SetUp() override { start(); }
    void TearDown() override {
        OVuniverse_delete();
        draw_2d = nullptr;
    }
    void start() {
        OVuniverse_new(512, 0);
        window = OVwindow_new(0, 0, kSide, kSide, 0);
        ASSERT_NE(window, nullptr);
        OVwindow_setbgrgb(window, 0, 0, 0);
        OVwindow_setviewpoint(window, nullptr);
        OVwindow_setdraw2dfn(window, call_draw_2d);
    }
    void keyed_texture(unsigned char key_alpha) {
        ASSERT_TRUE(OVtexture_replace("keyed", OVIMAGE_RGBA, 2, 2, keyed(key_alpha)));
        ASSERT_TRUE(OVtexture_setfilter("keyed", 0, 0));
    }
    void frame(std::function<void(OVwindow *)> draw) {
        draw_2d = std::move(draw);
        OVrender_frame();
    }
    bool dark_everywhere() {
        for (int y = 0; y < kSide; y += 5)
            for (int x = 0; x < kSide; x += 5)
                if (brightness(pixel(window, x, y)) > 0) return false;
        return true;
    }
};

TEST_F(Draw2dTexture, TexelsWhereTheCornersPutThem) {
    keyed_texture(kOpaque);
    frame([](OVwindow *w) { OVwindow_draw2dtexture(w, "keyed", 0, square, whole_picture); });
    EXPECT_TRUE(near(pixel(window, kLeft, kUpper), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, kLeft, kLower), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, kRight, kUpper), 255, 0, 255));
    EXPECT_TRUE(near(pixel(window, kRight, kLower), 255, 0, 255));
    EXPECT_EQ(brightness(pixel(window, 15, 50)), 0);
    EXPECT_EQ(brightness(pixel(window, 50, 85)), 0);
}

TEST_F(Draw2dTexture, AlphaTestCutsTheKeyedColour) {
    keyed_texture(kKeyAlpha);
    frame([](OVwindow *w) { OVwindow_draw2dtexture(w, "keyed", 1, square, whole_picture); });
    EXPECT_TRUE(near(pixel(window, kLeft, kUpper), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, kLeft, kLower), 0, 255, 0));
    EXPECT_EQ(brightness(pixel(window, kRight, kUpper)), 0);
    EXPECT_EQ(brightness(pixel(window, kRight, kLower)), 0);
    // Without the test the keyed texels are drawn like the others.
    frame([](OVwindow *w) { OVwindow_draw2dtexture(w, "keyed", 0, square, whole_picture); });
    EXPECT_TRUE(near(pixel(window, kRight, kUpper), 255, 0, 255));
}

struct Draw2dTextureReference : Draw2dTexture {
    void SetUp() override {
        setenv("ORVALPHATEST", "128", 1);
        start();
        unsetenv("ORVALPHATEST");
    }
};

TEST_F(Draw2dTextureReference, AlphaBelowTheReferenceIsCut) {
    keyed_texture(kHalfAlpha);
    frame([](OVwindow *w) { OVwindow_draw2dtexture(w, "keyed", 1, square, whole_picture); });
    EXPECT_TRUE(near(pixel(window, kLeft, kUpper), 255, 0, 0));
    EXPECT_EQ(brightness(pixel(window, kRight, kUpper)), 0);
}

TEST_F(Draw2dTexture, TexelsUntintedAndWhiteLeftForWhatFollowsUntextured) {
    keyed_texture(kOpaque);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 0, 0, 255);
        OVwindow_draw2dtexture(w, "keyed", 0, square, whole_picture);
        OVwindow_draw2drectangle(w, 0.0f, 0.0f, 0.1f, 0.1f, 1);
        OVwindow_set2dcolor(w, 0, 255, 0);
        OVwindow_draw2drectangle(w, 0.9f, 0.9f, 1.0f, 1.0f, 1);
    });
    EXPECT_TRUE(near(pixel(window, kLeft, kUpper), 255, 0, 0));
    // Texturing is off again and the colour is the quadrilateral's white.
    EXPECT_TRUE(near(pixel(window, 5, 5), 255, 255, 255));
    EXPECT_TRUE(near(pixel(window, 95, 95), 0, 255, 0));
}

TEST_F(Draw2dTexture, UnknownTextureOrMissingCornersDrawNothing) {
    keyed_texture(kOpaque);
    frame([](OVwindow *w) {
        OVwindow_draw2dtexture(w, "no such texture", 0, square, whole_picture);
        OVwindow_draw2dtexture(w, nullptr, 0, square, whole_picture);
        OVwindow_draw2dtexture(w, "keyed", 0, nullptr, whole_picture);
        OVwindow_draw2dtexture(w, "keyed", 0, square, nullptr);
    });
    EXPECT_TRUE(dark_everywhere());
}

void texture_from_3d(OVwindow *w, int) {
    OVwindow_draw2dtexture(w, "keyed", 0, square, whole_picture);
}

TEST_F(Draw2dTexture, OutsideThe2dFunctionOrOnAStrangerNothing) {
    keyed_texture(kOpaque);
    int not_a_window = 0;
    OVwindow *stranger = reinterpret_cast<OVwindow *>(&not_a_window);
    frame([&](OVwindow *) { OVwindow_draw2dtexture(stranger, "keyed", 0, square, whole_picture); });
    EXPECT_TRUE(dark_everywhere());
    OVwindow_draw2dtexture(window, "keyed", 0, square, whole_picture);
    EXPECT_EQ(not_a_window, 0);
    // From the 3D draw function of a window with a viewpoint.
    OVwindow_setviewpoint(window, OVuniverse_getviewpoint());
    OVwindow_setdraw2dfn(window, nullptr);
    OVwindow_setdrawfn(window, texture_from_3d);
    OVrender_frame();
    EXPECT_TRUE(dark_everywhere());
}

} // namespace
