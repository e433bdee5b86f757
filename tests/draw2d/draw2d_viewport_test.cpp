// 2D overlays follow the rectangle they are drawn for: a viewport window's
// own rectangle, and each eye's half of an above/below stereo window.
#include "orv/orv.h"
#include "render/render_pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using render_test::brightness;
using render_test::pixel;

std::vector<int> eyes;
float text_width = -1, text_height = -1;

// White over the whole unit square, and the extents of a short text.
void cover(OVwindow *w, int eye) {
    eyes.push_back(eye);
    OVwindow_set2dcolor(w, 255, 255, 255);
    OVwindow_draw2drectangle(w, 0, 0, 1, 1, 1);
    OVwindow_get2dtextextents(w, "Wide", &text_width, &text_height);
}

struct Overlay : ::testing::Test {
    void SetUp() override {
        eyes.clear();
        OVuniverse_new(512, 0);
    }
    void TearDown() override { OVuniverse_delete(); }
    static OVwindow *dark(OVwindow *w) {
        OVwindow_setbgrgb(w, 0, 0, 0);
        OVwindow_setviewpoint(w, nullptr);
        return w;
    }
    static bool lit(OVwindow *w, int x, int y) { return brightness(pixel(w, x, y)) > 3 * 200; }
};

TEST_F(Overlay, AViewportsUnitSquareIsItsOwnRectangle) {
    OVwindow *surface = dark(OVwindow_new(0, 0, 100, 80, 0));
    ASSERT_NE(surface, nullptr);
    OVrender_frame();
    float full_width = 0, full_height = 0;
    OVwindow_setdraw2dfn(surface, cover);
    OVrender_frame();
    full_width = text_width;
    full_height = text_height;
    ASSERT_GT(full_width, 0);
    OVwindow_setdraw2dfn(surface, nullptr);
    // The right half, from the top to 20 rows above the bottom.
    OVwindow *half = dark(OVwindow_newviewport(surface, 50, 0, 50, 60));
    ASSERT_NE(half, nullptr);
    OVwindow_setdraw2dfn(half, cover);
    OVrender_frame();
    EXPECT_TRUE(lit(surface, 51, 21));
    EXPECT_TRUE(lit(surface, 98, 78));
    EXPECT_FALSE(lit(surface, 48, 40));
    EXPECT_FALSE(lit(surface, 75, 18));
    // Extents are fractions of the viewport: twice the width of the surface's.
    EXPECT_NEAR(text_width, 2 * full_width, 1e-4f);
    EXPECT_NEAR(text_height, full_height * 80 / 60, 1e-4f);
}

TEST_F(Overlay, AboveBelowStereoCallsTheFunctionForEachHalf) {
    OVwindow *stereo = dark(OVwindow_new(0, 0, 60, 100, 0x0204));
    ASSERT_NE(stereo, nullptr);
    OVwindow_setdraw2dfn(stereo, cover);
    OVrender_frame();
    EXPECT_EQ(eyes, (std::vector<int>{0, 1}));
    // Eye 1 rows 0..40, the gap 41..58, eye 0 rows 59..99.
    EXPECT_TRUE(lit(stereo, 30, 0));
    EXPECT_TRUE(lit(stereo, 30, 40));
    EXPECT_FALSE(lit(stereo, 30, 45));
    EXPECT_FALSE(lit(stereo, 30, 54));
    EXPECT_TRUE(lit(stereo, 30, 59));
    EXPECT_TRUE(lit(stereo, 30, 99));
}

void orange(OVwindow *w, int) {
    OVwindow_set2dcolor(w, 200, 100, 50);
    OVwindow_draw2drectangle(w, 0, 0, 1, 1, 1);
}

TEST_F(Overlay, TheOverlayCoversTheSceneUnlitUnfoggedWhateverItsDepth) {
    OVwindow *w = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    OVnode *root = OVuniverse_getrootnodes();
    OVp3 forward = {0, 0, 1};
    const OVp3 ahead = {0, 0, 10};
    OVlightnode_setdirection(OVlightnode_newdirected(root), forward);
    OVnode *fog = OVfognode_new(root);
    ASSERT_NE(fog, nullptr);
    OVgeometry *block = OVgeometry_newblock(4, 4, 4, 0);
    OVgeometry_translate(block, ahead);
    OVgeometrynode_new(root, block);
    OVwindow_setdraw2dfn(w, orange);
    OVrender_frame();
    for (int x : {0, 32, 63}) {
        render_test::Pixel p = pixel(w, x, 32);
        EXPECT_TRUE(render_test::near(p, 200, 100, 50))
            << x << ": " << p.r << " " << p.g << " " << p.b;
    }
}

} // namespace
