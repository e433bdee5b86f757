// Display set-up by display mode: which base windows the universe opens.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> messages;
int hook(const char *text) {
    messages.push_back(text);
    return 0;
}

struct DisplaySetup : ::testing::Test {
    void SetUp() override {
        messages.clear();
        OVmessage_sethook(hook);
    }
    void TearDown() override {
        OVuniverse_delete();
        OVmessage_sethook(nullptr);
    }
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

} // namespace
