// The explorer as a user sees it: its window, its keys, its output.
#include "x_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

using e2e::Image;
using e2e::XSession;

struct Pose {
    float p[3] = {}, q[4] = {};
};

// Parses the last "Current Position:" / "Current Orientation:" pair printed.
bool last_pose(const std::string &out, Pose &pose) {
    auto at = out.rfind("Current Position: ");
    if (at == std::string::npos) return false;
    auto orient = out.find("Current Orientation: ", at);
    if (orient == std::string::npos) return false;
    std::istringstream ps(out.substr(at + 18)), qs(out.substr(orient + 21));
    return bool(ps >> pose.p[0] >> pose.p[1] >> pose.p[2]) &&
           bool(qs >> pose.q[0] >> pose.q[1] >> pose.q[2] >> pose.q[3]);
}

Pose print_pose(XSession &x) {
    size_t before = x.output().size();
    x.key("I", 0.5);
    Pose pose;
    std::string out = x.output();
    EXPECT_GT(out.size(), before);
    EXPECT_TRUE(last_pose(out, pose));
    return pose;
}

bool near(int a, int b) {
    return std::abs(a - b) <= 40;
}

class Explorer : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!x.available()) GTEST_SKIP() << "Xvfb or xdotool not installed";
        setenv("OVMODELS", DATA_DIR, 0);
        ASSERT_TRUE(x.start(RGBSLICE_PATH));
        ASSERT_TRUE(x.wait_window(90)) << x.output();
    }
    void quit() {
        x.key("q", 0.2);
        EXPECT_EQ(x.wait_exit(30), 0) << x.output();
    }
    XSession x;
};

// One explorer run walks through the whole session: a fresh start per case
// would multiply the start-up cost of the software renderer.
TEST_F(Explorer, SessionKeysMouseScreenAndQuit) {
    Pose start = print_pose(x);
    EXPECT_FLOAT_EQ(start.p[0], 75);
    EXPECT_FLOAT_EQ(start.p[1], -55);
    EXPECT_FLOAT_EQ(start.p[2], -200);
    EXPECT_FLOAT_EQ(start.q[3], 1);

    x.key("P", 0.5);
    EXPECT_TRUE(x.wait_output("Depth 0 Root", 5)) << x.output();

    size_t before_help = x.output().size();
    x.key("x", 0.5);
    std::string help = x.output().substr(before_help);
    EXPECT_NE(help.find("\nThe following keys are active:\n\n"), std::string::npos) << help;
    EXPECT_NE(help.find("Q or q: Quit.\n"), std::string::npos);
    EXPECT_NE(help.find("0 ( zero ): Reset\n"), std::string::npos);
    EXPECT_NE(help.find("P or p: Print scene graph.\n"), std::string::npos);

    int wx, wy, ww, wh;
    ASSERT_TRUE(x.window_geometry(wx, wy, ww, wh));
    Image before = x.screenshot(std::string(::testing::TempDir()) + "/rgbslice-start.png");
    ASSERT_GT(before.width, wx + ww - 1);
    const unsigned char *corner = before.at(wx + 3, wy + 3);
    EXPECT_TRUE(near(corner[0], 255) && near(corner[1], 255) && near(corner[2], 255));
    int coloured = 0;
    for (int yy = wy; yy < wy + wh; yy += 4)
        for (int xx = wx; xx < wx + ww; xx += 4) {
            const unsigned char *p = before.at(xx, yy);
            if (p[0] < 200 || p[1] < 200 || p[2] < 200) ++coloured;
        }
    EXPECT_GT(coloured, 100);
    for (int i = 0; i < 12; ++i)
        x.key("B", 0.15);
    Image after = x.screenshot(std::string(::testing::TempDir()) + "/rgbslice-blue.png");
    ASSERT_EQ(after.width, before.width);
    int changed = 0;
    for (int yy = wy; yy < wy + wh; yy += 2)
        for (int xx = wx; xx < wx + ww; xx += 2)
            if (std::abs(after.at(xx, yy)[2] - before.at(xx, yy)[2]) > 8) ++changed;
    EXPECT_GT(changed, 20);

    // Above the centre: forward flight along the view direction (+z).
    x.xdotool("mousemove " + std::to_string(wx + ww / 2) + " " + std::to_string(wy + wh / 5));
    x.xdotool("mousedown 1");
    x.xdotool("sleep 1");
    x.xdotool("mouseup 1");
    Pose flown = print_pose(x);
    EXPECT_GT(flown.p[2], -200.0f + 1.0f);
    x.key("0", 0.3);
    Pose reset = print_pose(x);
    EXPECT_FLOAT_EQ(reset.p[2], -200);
    quit();
}

} // namespace
