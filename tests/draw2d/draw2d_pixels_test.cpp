// 2D overlays read back from the window: shapes where the coordinates say,
// text in its colour and extents, fonts from the list file, calls that must
// draw nothing.
#include "orv/orv.h"
#include "render/render_pixels.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using render_test::near;
using render_test::pixel;
using render_test::Pixel;

std::function<void(OVwindow *)> draw_2d;
void call_draw_2d(OVwindow *w, int) {
    draw_2d(w);
}

std::vector<std::string> messages;
int keep(const char *text) {
    messages.emplace_back(text);
    return 0;
}

// Each test runs in a directory of its own, with or without a font list.
struct Draw2d : ::testing::Test {
    std::filesystem::path old_dir, dir;
    OVwindow *window = nullptr;

    void start(const char *font_list, int width, int height) {
        old_dir = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() /
              ("orv_draw2d_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        if (font_list) {
            std::FILE *f = std::fopen("font.orv", "wb");
            ASSERT_NE(f, nullptr);
            std::fputs(font_list, f);
            std::fclose(f);
        }
        messages.clear();
        OVmessage_sethook(keep);
        OVuniverse_new(512, 0);
        window = OVwindow_new(0, 0, width, height, 0);
        ASSERT_NE(window, nullptr);
        OVwindow_setbgrgb(window, 0, 0, 0);
        OVwindow_setviewpoint(window, nullptr);
        OVwindow_setdraw2dfn(window, call_draw_2d);
    }
    void TearDown() override {
        OVuniverse_delete();
        OVmessage_sethook(nullptr);
        draw_2d = nullptr;
        if (!old_dir.empty()) {
            std::filesystem::current_path(old_dir);
            std::filesystem::remove_all(dir);
        }
    }
    void frame(std::function<void(OVwindow *)> draw) {
        draw_2d = std::move(draw);
        OVrender_frame();
    }
    bool lit(int x, int y) { return render_test::brightness(pixel(window, x, y)) > 3 * 64; }
    bool any_message(const std::string &part) {
        for (const auto &m : messages)
            if (m.find(part) != std::string::npos) return true;
        return false;
    }
};

// The box around every lit pixel; false when none is lit.
struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};
Box lit_box(OVwindow *w, int width, int height) {
    std::vector<unsigned char> rgba(static_cast<std::size_t>(width) * height * 4);
    EXPECT_TRUE(OVwindow_snapshot(w, 0, 0, width, height, rgba.data()));
    Box b;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char *p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            if (p[0] + p[1] + p[2] > 3 * 64) {
                b.x0 = std::min(b.x0, x);
                b.x1 = std::max(b.x1, x);
                b.y0 = std::min(b.y0, y);
                b.y1 = std::max(b.y1, y);
            }
        }
    return b;
}

// The box spans x0..x1 and y0..y1, each within a pixel.
void expect_box(const Box &b, int x0, int x1, int y0, int y1) {
    EXPECT_NEAR(b.x0, x0, 1);
    EXPECT_NEAR(b.x1, x1, 1);
    EXPECT_NEAR(b.y0, y0, 1);
    EXPECT_NEAR(b.y1, y1, 1);
}

TEST_F(Draw2d, FilledRectangleWhereTheCoordinatesSay) {
    start(nullptr, 100, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 0, 0);
        OVwindow_draw2drectangle(w, 0.2f, 0.3f, 0.6f, 0.8f, 1);
    });
    EXPECT_TRUE(near(pixel(window, 40, 50), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, 21, 31), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, 58, 78), 255, 0, 0));
    EXPECT_FALSE(lit(18, 50));
    EXPECT_FALSE(lit(62, 50));
    EXPECT_FALSE(lit(40, 28));
    EXPECT_FALSE(lit(40, 82));
}

TEST_F(Draw2d, RectangleOutlineLeavesTheInsideEmpty) {
    start(nullptr, 100, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 0, 255, 0);
        OVwindow_draw2drectangle(w, 0.2f, 0.2f, 0.8f, 0.8f, 0);
    });
    const Box b = lit_box(window, 100, 100);
    expect_box(b, 20, 80, 20, 80);
    EXPECT_FALSE(lit(50, 50));
}

TEST_F(Draw2d, CircleIsRoundInAWideWindow) {
    start(nullptr, 200, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2dcircle(w, 0.5f, 0.5f, 0.25f, 1);
    });
    // 0.125 of 200 pixels across and 0.25 of 100 up: 25 pixels both ways.
    const Box b = lit_box(window, 200, 100);
    expect_box(b, 75, 125, 25, 75);
    // Round, not square: the box's corner stays dark.
    EXPECT_FALSE(lit(75 + 3, 25 + 3));
    EXPECT_TRUE(lit(100, 50));
}

TEST_F(Draw2d, CircleOutlineAndNoCircleWithoutRadius) {
    start(nullptr, 100, 200);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2dcircle(w, 0.5f, 0.5f, 0.2f, 0);
        OVwindow_draw2dcircle(w, 0.2f, 0.2f, 0.0f, 1);
        OVwindow_draw2dcircle(w, 0.2f, 0.2f, -0.1f, 1);
    });
    // Tall window: 0.2 of 100 across, 0.1 of 200 up.
    const Box b = lit_box(window, 100, 200);
    expect_box(b, 30, 70, 80, 120);
    EXPECT_FALSE(lit(50, 100));
}

TEST_F(Draw2d, CircleInASquareWindowHasTheRadiusBothWays) {
    start(nullptr, 100, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2dcircle(w, 0.4f, 0.6f, 0.3f, 1);
    });
    const Box b = lit_box(window, 100, 100);
    expect_box(b, 10, 70, 30, 90);
    EXPECT_FALSE(lit(12, 32));
}

TEST_F(Draw2d, RectangleCornersInAnyOrderGiveTheSameRectangle) {
    start(nullptr, 100, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2drectangle(w, 0.8f, 0.6f, 0.3f, 0.2f, 1);
    });
    const Box filled = lit_box(window, 100, 100);
    expect_box(filled, 30, 80, 20, 60);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2drectangle(w, 0.8f, 0.6f, 0.3f, 0.2f, 0);
    });
    const Box outline = lit_box(window, 100, 100);
    expect_box(outline, 30, 80, 20, 60);
    EXPECT_FALSE(lit(55, 40));
}

TEST_F(Draw2d, LinesAndPointsLandWhereTheCoordinatesSay) {
    start(nullptr, 200, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 0, 255, 0);
        OVwindow_draw2dline(w, 0.2525f, 0.1f, 0.2525f, 0.9f);
        OVwindow_set2dcolor(w, 255, 255, 0);
        OVwindow_draw2dpoint(w, 0.7525f, 0.255f);
    });
    // A vertical line in column 50 from row 10 to row 90.
    EXPECT_TRUE(near(pixel(window, 50, 50), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, 50, 12), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, 50, 88), 0, 255, 0));
    EXPECT_FALSE(lit(52, 50));
    EXPECT_FALSE(lit(50, 95));
    EXPECT_TRUE(near(pixel(window, 150, 25), 255, 255, 0));
    EXPECT_FALSE(lit(152, 25));
}

TEST_F(Draw2d, TextStartsAtItsRasterPosition) {
    start(nullptr, 200, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2dtext(w, 0.1f, 0.4f, "IIII");
    });
    const Box near_left = lit_box(window, 200, 100);
    ASSERT_GE(near_left.x1, 0) << "no text drawn";
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2dtext(w, 0.5f, 0.6f, "IIII");
    });
    const Box moved = lit_box(window, 200, 100);
    ASSERT_GE(moved.x1, 0) << "no text drawn";
    EXPECT_EQ(moved.x0 - near_left.x0, 80);
    EXPECT_EQ(moved.x1 - near_left.x1, 80);
    EXPECT_EQ(moved.y0 - near_left.y0, 20);
    EXPECT_EQ(moved.y1 - near_left.y1, 20);
}

TEST_F(Draw2d, PointSizeLineWidthAndStipple) {
    start(nullptr, 100, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_set2dpointsize(w, 7);
        OVwindow_draw2dpoint(w, 0.205f, 0.205f);
        OVwindow_set2dlinewidth(w, 5);
        OVwindow_draw2dline(w, 0.1f, 0.505f, 0.9f, 0.505f);
        OVwindow_set2dlinewidth(w, 1);
        OVwindow_set2dlinestyle(w, 0x00FF);
        OVwindow_draw2dline(w, 0.0f, 0.805f, 1.0f, 0.805f);
        OVwindow_set2dlinestyle(w, -1);
        OVwindow_draw2dline(w, 0.0f, 0.905f, 1.0f, 0.905f);
    });
    EXPECT_TRUE(lit(20, 20));
    EXPECT_TRUE(lit(23, 23));
    EXPECT_FALSE(lit(26, 26));
    EXPECT_TRUE(lit(50, 48));
    EXPECT_TRUE(lit(50, 52));
    EXPECT_FALSE(lit(50, 56));
    int stippled = 0, solid = 0;
    for (int x = 0; x < 100; ++x) {
        stippled += lit(x, 80);
        solid += lit(x, 90);
    }
    EXPECT_GT(stippled, 30);
    EXPECT_LT(stippled, 70);
    EXPECT_GE(solid, 98);
}

TEST_F(Draw2d, SizesAndStippleLastOnlyUntilTheFunctionReturns) {
    start(nullptr, 100, 100);
    frame([](OVwindow *w) {
        OVwindow_set2dpointsize(w, 9);
        OVwindow_set2dlinewidth(w, 9);
        OVwindow_set2dlinestyle(w, 0x0F0F);
    });
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2dpoint(w, 0.205f, 0.205f);
        OVwindow_draw2dline(w, 0.0f, 0.505f, 1.0f, 0.505f);
    });
    // One pixel point, one pixel line, no gaps in it.
    EXPECT_TRUE(lit(20, 20));
    EXPECT_FALSE(lit(22, 22));
    EXPECT_FALSE(lit(50, 48));
    EXPECT_FALSE(lit(50, 52));
    int solid = 0;
    for (int x = 0; x < 100; ++x)
        solid += lit(x, 50);
    EXPECT_GE(solid, 98);
}

TEST_F(Draw2d, SystemFontTextInItsColourWithinItsExtents) {
    start(nullptr, 200, 100);
    EXPECT_EQ(OVwindow_get2dfontcount(), 1);
    float width = 0, height = 0;
    frame([&](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 0, 0);
        OVwindow_get2dtextextents(w, "HgHgH", &width, &height);
        OVwindow_draw2dtext(w, 0.1f, 0.4f, "HgHgH");
    });
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    const Box b = lit_box(window, 200, 100);
    ASSERT_GE(b.x1, 0) << "no text drawn";
    // The ink lies in the extents' box from the raster position; the height
    // spans the descender below the baseline and the ascender above it.
    EXPECT_GE(b.x0, 20 - 1);
    EXPECT_LE(b.x1, 20 + width * 200);
    EXPECT_GT(b.x1 - b.x0, width * 200 * 0.7f);
    EXPECT_LT(b.y0, 40);
    EXPECT_GE(b.y1, 40 + 5);
    EXPECT_LE(b.y1 - b.y0 + 1, height * 100);
    EXPECT_GT(b.y1 - b.y0 + 1, height * 100 * 0.5f);
    for (int x = b.x0; x <= b.x1; ++x)
        for (int y = b.y0; y <= b.y1; ++y)
            if (lit(x, y)) {
                EXPECT_TRUE(near(pixel(window, x, y), 255, 0, 0));
            }
}

int drawn_from_3d = 0;
void rectangle_from_3d(OVwindow *w, int) {
    OVwindow_set2dcolor(w, 255, 255, 255);
    OVwindow_draw2drectangle(w, 0, 0, 1, 1, 1);
    OVwindow_draw2dtext(w, 0.5f, 0.5f, "3D");
    ++drawn_from_3d;
}

TEST_F(Draw2d, CallsFromThe3dDrawFunctionDrawNothing) {
    start(nullptr, 64, 64);
    OVwindow_setviewpoint(window, OVuniverse_getviewpoint());
    OVwindow_setdraw2dfn(window, nullptr);
    OVwindow_setdrawfn(window, rectangle_from_3d);
    drawn_from_3d = 0;
    OVrender_frame();
    EXPECT_EQ(drawn_from_3d, 1);
    EXPECT_EQ(lit_box(window, 64, 64).x1, -1);
}

TEST_F(Draw2d, CallsOutsideDrawingOrOnUnknownWindowsDoNothing) {
    start(nullptr, 64, 64);
    int not_a_window = 0;
    OVwindow *stranger = reinterpret_cast<OVwindow *>(&not_a_window);
    messages.clear();
    frame([&](OVwindow *) {
        OVwindow_set2dcolor(stranger, 255, 255, 255);
        OVwindow_draw2drectangle(stranger, 0, 0, 1, 1, 1);
        OVwindow_draw2dcircle(nullptr, 0.5f, 0.5f, 0.5f, 1);
        OVwindow_draw2dtext(stranger, 0.5f, 0.5f, "x");
    });
    OVwindow_draw2drectangle(window, 0, 0, 1, 1, 1);
    float width = -1, height = -1;
    OVwindow_get2dtextextents(window, "abc", &width, &height);
    EXPECT_EQ(width, -1);
    EXPECT_EQ(height, -1);
    EXPECT_EQ(not_a_window, 0);
    EXPECT_EQ(lit_box(window, 64, 64).x1, -1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Draw2d, TwoFontsFromTheListTheSecondCurrent) {
    start("Arial 24\nCourier New\n", 200, 100);
    EXPECT_EQ(OVwindow_get2dfontcount(), 2);
    float w_before = 0, h_before = 0, w_five = 0, h_five = 0, w_first = 0, h_first = 0;
    frame([&](OVwindow *w) {
        OVwindow_get2dtextextents(w, "MMMM", &w_before, &h_before);
        OVwindow_set2dfont(w, 5);
        OVwindow_get2dtextextents(w, "MMMM", &w_five, &h_five);
        OVwindow_set2dfont(w, -1);
        OVwindow_set2dfont(w, 0);
        OVwindow_get2dtextextents(w, "MMMM", &w_first, &h_first);
    });
    // Index 5 of two fonts changes nothing.
    EXPECT_EQ(w_five, w_before);
    EXPECT_EQ(h_five, h_before);
    // The first font is 24 pixels high, the current one the default 16.
    EXPECT_GT(h_first, h_before);
    EXPECT_GT(w_first, w_before);
    EXPECT_FALSE(any_message("font"));
}

TEST_F(Draw2d, FontChosenOutsideTheFunctionChangesNothing) {
    start("Arial 24\nCourier New\n", 200, 100);
    float w_first = 0, h_first = 0, w_after = 0, h_after = 0;
    frame([&](OVwindow *w) {
        OVwindow_set2dfont(w, 0);
        OVwindow_get2dtextextents(w, "MMMM", &w_first, &h_first);
        OVwindow_set2dfont(w, 1);
    });
    OVwindow_set2dfont(window, 0);
    frame([&](OVwindow *w) { OVwindow_get2dtextextents(w, "MMMM", &w_after, &h_after); });
    // Still the second font, which the function chose last.
    EXPECT_LT(h_after, h_first);
    EXPECT_LT(w_after, w_first);
}

TEST_F(Draw2d, JunkListLoadsWhatItCanAndReportsTheRest) {
    const std::string list = "x\n" + std::string(400, 'j') + "\n" + std::string(40, 'n') +
                             " 12\nNo Such Face At All 14\nSans 100000\n\n   \nSerif 20\n";
    start(list.c_str(), 100, 100);
    // Unknown faces are substituted by the font system; the rest are refused.
    EXPECT_EQ(OVwindow_get2dfontcount(), 2);
    EXPECT_TRUE(any_message("line 2 is longer than 254 characters"));
    EXPECT_TRUE(any_message("Font face name longer than 31 characters"));
    EXPECT_TRUE(any_message("Couldn't create font(font:Sans, size100000)\n"));
    frame([](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2dtext(w, 0.1f, 0.5f, "Ok");
    });
    EXPECT_GE(lit_box(window, 100, 100).x1, 0);
}

TEST_F(Draw2d, EmptyListLoadsNoFontAndTextDrawsNothing) {
    start("\n", 100, 100);
    EXPECT_EQ(OVwindow_get2dfontcount(), 0);
    float width = -1, height = -1;
    frame([&](OVwindow *w) {
        OVwindow_set2dcolor(w, 255, 255, 255);
        OVwindow_draw2dtext(w, 0.1f, 0.5f, "none");
        OVwindow_get2dtextextents(w, "none", &width, &height);
    });
    EXPECT_EQ(width, -1);
    EXPECT_EQ(lit_box(window, 100, 100).x1, -1);
}

} // namespace
