// Windows on the headless backend: records with a rectangle and no pixels,
// created, moved, limited and deleted as on a display, and no drawing at all.
#include "headless_fixture.h"

#include <vector>

namespace {

using headlesstest::Headless;
using headlesstest::messages;

TEST_F(Headless, DisplaySetUpMakesTheBaseWindowAsARecord) {
    OVuniverse_new(0, 0);
    const OVp2 inside = {10, 10};
    OVwindow *base = OVwindow_findat(inside);
    ASSERT_NE(base, nullptr) << messages;
    EXPECT_EQ(messages.find("Could not create base window"), std::string::npos);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(base, &x, &y, &width, &height));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_NE(OVwindow_getidx(base), 0u);
}

TEST_F(Headless, WindowsMoveAndTheLimitHoldsWithoutADisplay) {
    OVuniverse_new(512, 0);
    std::vector<OVwindow *> windows;
    for (int i = 0; i < 8; ++i) {
        windows.push_back(OVwindow_new(10 * i, 0, 64, 48, 0));
        ASSERT_NE(windows.back(), nullptr);
    }
    for (int i = 1; i < 8; ++i)
        EXPECT_NE(OVwindow_getidx(windows[i]), OVwindow_getidx(windows[i - 1]));
    messages.clear();
    EXPECT_EQ(OVwindow_new(0, 0, 64, 48, 0), nullptr);
    EXPECT_NE(messages.find("Can not create more than 8 windows.\n"), std::string::npos);

    ASSERT_TRUE(OVwindow_setgeometry(windows[3], 100, 50, 320, 200));
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(windows[3], &x, &y, &width, &height));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(width, 320);
    EXPECT_TRUE(OVwindow_isinside(windows[3], 419, 249));
    EXPECT_FALSE(OVwindow_isinside(windows[3], 420, 249));

    OVwindow_delete(windows[0]);
    EXPECT_NE(OVwindow_new(0, 0, 64, 48, 0), nullptr) << "deleting one window frees a place";
}

TEST_F(Headless, ApplicationWindowsAreAdoptedByTheirHandle) {
    OVuniverse_new(512, 0);
    OVwindow *adopted = OVwindow_newuser(0xABC0, 0);
    ASSERT_NE(adopted, nullptr);
    EXPECT_EQ(OVwindow_getidx(adopted), 0xABC0u);
    int width = 0, height = 0;
    ASSERT_TRUE(OVwindow_getgeometry(adopted, nullptr, nullptr, &width, &height));
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 64);
}

int draws = 0;
void count_draw(OVwindow *, int) {
    ++draws;
}

TEST_F(Headless, NothingIsDrawnAndNoPixelsCanBeRead) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 32, 32, 0);
    ASSERT_NE(w, nullptr);
    OVwindow *viewport = OVwindow_newviewport(w, 0, 0, 16, 16);
    ASSERT_NE(viewport, nullptr);
    OVwindow_setdraw2dfn(w, count_draw);
    OVwindow_setdrawfn(w, count_draw);
    draws = 0;
    OVuniverse_go1();
    OVrender_frame();
    EXPECT_EQ(draws, 0);
    std::vector<unsigned char> rgba(16 * 16 * 4, 7);
    EXPECT_FALSE(OVwindow_snapshot(w, 0, 0, 16, 16, rgba.data()));
    EXPECT_EQ(rgba[0], 7);
    std::uint64_t times[2] = {1, 1};
    ASSERT_TRUE(OVwindow_getframetimes(w, times));
    EXPECT_EQ(times[0], 0u) << "no buffer was swapped";
}

} // namespace
