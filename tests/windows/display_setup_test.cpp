// Display set-up by display mode: which base windows the universe opens.
#include "orv/orv.h"

#include "support/universe_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using orv_test::messages;

struct DisplaySetup : orv_test::UniverseTest {
    // The base window at the screen's corner, or null.
    static OVwindow *base_window() {
        OVp2 corner = {1, 1};
        return OVwindow_findat(corner);
    }
};

TEST_F(DisplaySetup, AnnouncesItselfAndOpensNoWindowFor512) {
    OVuniverse_new(512, 0);
    EXPECT_FALSE(messages.empty());
    EXPECT_NE(std::find(messages.begin(), messages.end(), "OGL version\n"), messages.end());
    EXPECT_EQ(base_window(), nullptr);
}

TEST_F(DisplaySetup, AboveBelowStereoCoversTheWholeScreen) {
    OVuniverse_new(4, 0);
    OVwindow *w = base_window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(OVwindow_next(w), nullptr);
    EXPECT_EQ(OVwindow_getprojection(w), 2);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    // Already the display's maximum: one pixel more is refused.
    EXPECT_FALSE(OVwindow_setgeometry(w, 0, 0, width + 1, height));
    EXPECT_FALSE(OVwindow_setgeometry(w, 0, 0, width, height + 1));
    EXPECT_TRUE(OVwindow_setgeometry(w, 0, 0, width, height));
}

TEST_F(DisplaySetup, OneWindowAtTheSettingsRectangleForTheOtherModes) {
    // Stereo buffers and colour separation; the interlace bit only marks the display.
    for (int display : {32, 8, 0x1001, 1}) {
        OVuniverse_new(display, 0);
        OVwindow *w = base_window();
        ASSERT_NE(w, nullptr) << display;
        EXPECT_EQ(OVwindow_next(w), nullptr) << display;
        EXPECT_EQ(OVwindow_getprojection(w), display == 32 ? 2 : 1) << display;
        EXPECT_EQ(OVwindow_getviewpoint(w), OVuniverse_getviewpoint()) << display;
        int width = 0, height = 0;
        ASSERT_TRUE(OVwindow_getgeometry(w, nullptr, nullptr, &width, &height));
        EXPECT_EQ(width, 640) << display;
        EXPECT_EQ(height, 480) << display;
        OVuniverse_delete();
    }
}

TEST_F(DisplaySetup, TheInterlaceBitIsTakenOffBeforeTheModeIsChosen) {
    OVuniverse_new(0x1000 | 512, 0);
    EXPECT_EQ(base_window(), nullptr);
    OVuniverse_delete();
    OVuniverse_new(4, 0);
    ASSERT_NE(base_window(), nullptr);
    int full_width = 0, full_height = 0;
    OVwindow_getgeometry(base_window(), nullptr, nullptr, &full_width, &full_height);
    OVuniverse_delete();
    OVuniverse_new(0x1000 | 4, 0);
    OVwindow *w = base_window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(OVwindow_next(w), nullptr);
    EXPECT_EQ(OVwindow_getprojection(w), 2);
    int width = 0, height = 0;
    ASSERT_TRUE(OVwindow_getgeometry(w, nullptr, nullptr, &width, &height));
    EXPECT_EQ(width, full_width);
    EXPECT_EQ(height, full_height);
}

// Command-line options for the next universe; each call replaces the last.
// The universe reads the texts later, so they are kept until then.
void options(std::vector<std::string> texts) {
    static std::vector<std::string> kept;
    static std::vector<char *> argv;
    kept = std::move(texts);
    argv.clear();
    for (std::string &t : kept)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(kept.size());
    OVuniverse_setargs(&argc, argv.data());
}

// Where the base window of a new universe with these window options lies.
std::pair<int, int> base_position(int window_options) {
    OVuniverse_new(1, window_options);
    OVwindow *w = nullptr;
    constexpr int step = 32, reach = 8192;
    for (int x = 0; x < reach && !w; x += step)
        for (int y = 0; y < reach && !w; y += step) {
            OVp2 at = {static_cast<float>(x), static_cast<float>(y)};
            w = OVwindow_findat(at);
        }
    int x = -1, y = -1;
    if (w) OVwindow_getgeometry(w, &x, &y, nullptr, nullptr);
    OVuniverse_delete();
    return {x, y};
}

TEST_F(DisplaySetup, FromTheFarEdgesOnlyABorderedWindowKeepsRoomForItsFrame) {
    const std::string geometry = "320x200-5-7";
    options({"demo", "-name", "no_such_program", "-geometry", geometry});
    const std::pair<int, int> bordered = base_position(0);
    const std::pair<int, int> by_flags = base_position(0x0001);
    options({"demo", "-name", "no_such_program", "-geometry", geometry, "-border", "False"});
    const std::pair<int, int> by_option = base_position(0);
    options({"demo", "-name", "no_such_program"});
    ASSERT_GE(bordered.first, 0);
    // 10 more to the left and 30 more up for the frame and caption.
    EXPECT_EQ(by_flags.first - bordered.first, 10);
    EXPECT_EQ(by_flags.second - bordered.second, 30);
    EXPECT_EQ(by_option, by_flags);
}

} // namespace
