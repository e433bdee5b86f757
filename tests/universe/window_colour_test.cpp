// The universe's background colour reaches every window.
#include "universe_fixture.h"

using orvtest::UniverseTest;

namespace {

using WindowColour = UniverseTest;

TEST_F(WindowColour, BothSettersReachEveryWindow) {
    OVwindow *first = OVwindow_new(0, 0, 64, 48, 0);
    OVwindow *second = OVwindow_new(100, 0, 64, 48, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    OVuniverse_setbgrgb(10, 20, 30);
    for (OVwindow *w : {first, second}) {
        int r = -1, g = -1, b = -1;
        ASSERT_TRUE(OVwindow_getbgrgb(w, &r, &g, &b));
        EXPECT_EQ(r, 10);
        EXPECT_EQ(g, 20);
        EXPECT_EQ(b, 30);
    }
    OVuniverse_setbgcolor(0xF80);
    for (OVwindow *w : {first, second}) {
        EXPECT_EQ(OVwindow_getbgcolor(w), 0xF80);
        int r = -1, g = -1, b = -1;
        ASSERT_TRUE(OVwindow_getbgrgb(w, &r, &g, &b));
        EXPECT_EQ(r, 0xFF);
        EXPECT_EQ(g, 0x88);
        EXPECT_EQ(b, 0x00);
    }
}

} // namespace
