// Interlaced stereo: a stencil stipple gives each eye alternate rows or columns.
#include "render/render_pixels.h"

#include <GL/gl.h>

namespace {

using namespace render_test;

// Eye 0 paints red, eye 1 green, over the whole viewport.
void paint_eye(OVwindow *, int eye) {
    glColor3f(eye == 0 ? 1.0f : 0.0f, eye == 1 ? 1.0f : 0.0f, 0);
    glRectf(0, 0, 1, 1);
}

struct Interlaced : ::testing::Test {
    // The display asks for the stencil bit; the window picks the pattern.
    OVwindow *open(int pattern) {
        OVuniverse_new(0x1000 | 512, 0);
        OVwindow *w = OVwindow_new(0, 0, 32, 32, pattern);
        if (!w) return nullptr;
        OVwindow_setviewpoint(w, nullptr);
        OVwindow_setdraw2dfn(w, paint_eye);
        OVrender_frame();
        return w;
    }
    void TearDown() override { OVuniverse_delete(); }
};

bool is_red(Pixel p) {
    return near(p, 255, 0, 0);
}
bool is_green(Pixel p) {
    return near(p, 0, 255, 0);
}

TEST_F(Interlaced, RowPatternsAlternateTheEyesRowByRow) {
    OVwindow *w = open(0x1000);
    ASSERT_NE(w, nullptr);
    for (int y = 0; y < 31; ++y) {
        SCOPED_TRACE(y);
        Pixel here = pixel(w, 5, y), above = pixel(w, 5, y + 1);
        ASSERT_TRUE(is_red(here) || is_green(here));
        EXPECT_NE(is_red(here), is_red(above));
        EXPECT_EQ(is_red(here), is_red(pixel(w, 20, y))); // whole rows
    }
}

TEST_F(Interlaced, TheOppositeRowPatternSwapsTheEyes) {
    OVwindow *w = open(0x1000);
    ASSERT_NE(w, nullptr);
    bool first_red = is_red(pixel(w, 5, 0));
    OVuniverse_delete();
    w = open(0x3000);
    ASSERT_NE(w, nullptr);
    EXPECT_NE(is_red(pixel(w, 5, 0)), first_red);
    EXPECT_TRUE(is_green(pixel(w, 5, 0)) || is_red(pixel(w, 5, 0)));
}

TEST_F(Interlaced, ColumnPatternsAlternateTheEyesColumnByColumn) {
    OVwindow *w = open(0x5000);
    ASSERT_NE(w, nullptr);
    for (int x = 0; x < 31; ++x) {
        SCOPED_TRACE(x);
        Pixel here = pixel(w, x, 5), right = pixel(w, x + 1, 5);
        ASSERT_TRUE(is_red(here) || is_green(here));
        EXPECT_NE(is_red(here), is_red(right));
        EXPECT_EQ(is_red(here), is_red(pixel(w, x, 20))); // whole columns
    }
    bool first_red = is_red(pixel(w, 0, 0));
    OVuniverse_delete();
    w = open(0x7000);
    ASSERT_NE(w, nullptr);
    EXPECT_NE(is_red(pixel(w, 0, 0)), first_red);
}

} // namespace
