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
    OVwindow *open(int pattern, int x = 0, int y = 0, int height = 32) {
        OVuniverse_new(0x1000 | 512, 0);
        OVwindow *w = OVwindow_new(x, y, 32, height, pattern | OVWINDOW_BORDERLESS);
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

// Which eye the bottom row or the left column shows follows the parity of
// the window's height and screen position: the stencil marks eye 1.
struct Parity {
    int pattern, x, y, height;
    bool eye1_first;
};

TEST_F(Interlaced, TheFirstRowOrColumnFollowsTheWindowsParity) {
    const Parity cases[] = {
        {0x1000, 0, 0, 32, true}, {0x1000, 0, 0, 33, false}, {0x1000, 0, 1, 32, false},
        {0x1000, 0, 1, 33, true}, {0x3000, 0, 0, 32, false}, {0x3000, 0, 0, 33, true},
        {0x5000, 0, 0, 32, true}, {0x5000, 1, 0, 32, false}, {0x7000, 0, 0, 32, false},
        {0x7000, 1, 0, 32, true},
    };
    for (const Parity &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.pattern << std::dec << " at " << c.x << ","
                                        << c.y << " height " << c.height);
        OVwindow *w = open(c.pattern, c.x, c.y, c.height);
        ASSERT_NE(w, nullptr);
        int x = -1, y = -1;
        ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, nullptr, nullptr));
        ASSERT_EQ(x, c.x);
        ASSERT_EQ(y, c.y);
        const Pixel first = pixel(w, 0, 0);
        EXPECT_TRUE(c.eye1_first ? is_green(first) : is_red(first));
        OVuniverse_delete();
    }
}

TEST_F(Interlaced, AResizedWindowGetsTheMaskOfItsNewHeight) {
    OVwindow *w = open(0x1000);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(is_green(pixel(w, 5, 0)));
    ASSERT_TRUE(OVwindow_setgeometry(w, 0, 0, 32, 33));
    OVrender_frame();
    EXPECT_TRUE(is_red(pixel(w, 5, 0)));
    EXPECT_TRUE(is_green(pixel(w, 5, 1)));
}

} // namespace
