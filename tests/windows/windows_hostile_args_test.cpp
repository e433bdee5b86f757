// Window calls on windows already deleted, and deletions repeated: the
// operations that look the window up give their neutral results.
#include "orv/orv.h"

#include <gtest/gtest.h>

namespace {

struct DeletedWindow : ::testing::Test {
    OVwindow *gone = nullptr;
    OVwindow *kept = nullptr;
    void SetUp() override {
        OVuniverse_new(OVDISPLAY_NONE, 0);
        gone = OVwindow_new(0, 0, 64, 48, 0);
        kept = OVwindow_new(0, 0, 64, 48, 0);
        ASSERT_NE(gone, nullptr);
        ASSERT_NE(kept, nullptr);
        OVwindow_delete(gone);
    }
    void TearDown() override { OVuniverse_delete(); }
};

TEST_F(DeletedWindow, LookupsGiveTheUnknownWindowResults) {
    int x = -1;
    EXPECT_FALSE(OVwindow_getgeometry(gone, &x, nullptr, nullptr, nullptr));
    EXPECT_EQ(x, -1);
    EXPECT_EQ(OVwindow_geteye(gone), 0xFFFF);
    EXPECT_EQ(OVwindow_getbgcolor(gone), 0xFFFF);
    EXPECT_EQ(OVwindow_getviewpoint(gone), nullptr);
    EXPECT_EQ(OVwindow_newviewport(gone, 0, 0, 10, 10), nullptr);
    unsigned char pixel[4];
    EXPECT_FALSE(OVwindow_snapshot(gone, 0, 0, 1, 1, pixel));
}

TEST_F(DeletedWindow, DeletingAgainLeavesTheOthersAlone) {
    OVwindow_delete(gone);
    OVwindow_delete(nullptr);
    int width = 0;
    EXPECT_TRUE(OVwindow_getgeometry(kept, nullptr, nullptr, &width, nullptr));
    EXPECT_EQ(width, 64);
    OVwindow_setbgcolor(kept, 0x0F0);
    EXPECT_EQ(OVwindow_getbgcolor(kept), 0x0F0);
    OVuniverse_go1();
    EXPECT_EQ(OVuniverse_framecount(), 1u);
}

TEST_F(DeletedWindow, AViewportGoesWithItsWindow) {
    OVwindow *viewport = OVwindow_newviewport(kept, 0, 0, 32, 24);
    ASSERT_NE(viewport, nullptr);
    OVwindow_delete(kept);
    int x = -1;
    EXPECT_FALSE(OVwindow_getviewport(viewport, &x, nullptr, nullptr, nullptr));
    EXPECT_EQ(x, -1);
    OVuniverse_go1();
}

} // namespace
