// The explorer's start-up output and its one window: title, size, closing,
// resizing.
#include "explorer_fixture.h"

namespace {

using namespace explorer_e2e;

// The banner, then the display set-up; nothing else until a key is typed.
TEST_F(Explorer, StartsWithTheBannerAndOneTitledWindowOfTheDefaultSize) {
    const std::string expected = "\n\nOrvane Release 9 (Aug 18 1999)\n\nOGL version\n";
    ASSERT_TRUE(x.wait_output(expected, 10)) << x.output();
    x.xdotool("sleep 0.5");
    EXPECT_EQ(x.output(), expected);
    EXPECT_EQ(x.window_name(), "Orvane");
    EXPECT_EQ(ww, 640);
    EXPECT_EQ(wh, 480);
    quit();
}

TEST_F(Explorer, CapitalQQuitsToo) {
    x.key("Q", 0.2);
    EXPECT_EQ(x.wait_exit(30), 0) << x.output() << x.errors();
}

// Closing the only window stops the loop; the program tears down and
// returns 0 as after "q".
TEST_F(Explorer, ClosingTheWindowEndsTheProgram) {
    x.close_window();
    EXPECT_EQ(x.wait_exit(30), 0) << x.output() << x.errors();
}

// After a resize the whole client area is drawn again, and the scene keeps
// its proportions: the view angle spans the new width.
TEST_F(Explorer, AResizedWindowShowsTheSceneAtItsNewSize) {
    still_shot("before-resize");
    x.xdotool("windowsize " + x.window() + " 400 400");
    for (int tries = 0; tries < kStillTries && (ww != 400 || wh != 400); ++tries) {
        x.xdotool("sleep 0.2");
        ASSERT_TRUE(x.window_geometry(wx, wy, ww, wh));
    }
    ASSERT_EQ(ww, 400);
    ASSERT_EQ(wh, 400);
    Image s = still_shot("after-resize");
    EXPECT_TRUE(white(s.at(wx + 3, wy + wh - 4)));
    EXPECT_TRUE(white(s.at(wx + ww - 4, wy + wh - 4)));
    expect_front_edges(s);
    quit();
}

// Hidden and shown again, the window is drawn afresh and the loop went on
// meanwhile: the keys still act.
TEST_F(Explorer, AWindowHiddenAndShownAgainIsDrawnAfresh) {
    Image before = still_shot("before-hide");
    x.xdotool("windowunmap --sync " + x.window());
    x.xdotool("sleep 0.5");
    x.xdotool("windowmap --sync " + x.window());
    ASSERT_TRUE(x.wait_window(30));
    Image after = still_shot("after-show");
    EXPECT_EQ(pixels_changed(before, after), 0);
    Pose pose = print_pose();
    EXPECT_FLOAT_EQ(pose.p[2], -200);
    quit();
}

} // namespace
