// The explorer as a user sees it: its window, its keys, its output.
#include "explorer_fixture.h"

namespace {

using namespace explorer_e2e;

TEST_F(Explorer, IPrintsTheStartPose) {
    Pose start = print_pose();
    EXPECT_FLOAT_EQ(start.p[0], 75);
    EXPECT_FLOAT_EQ(start.p[1], -55);
    EXPECT_FLOAT_EQ(start.p[2], -200);
    EXPECT_FLOAT_EQ(start.q[0], 0);
    EXPECT_FLOAT_EQ(start.q[1], 0);
    EXPECT_FLOAT_EQ(start.q[2], 0);
    EXPECT_FLOAT_EQ(start.q[3], 1);
    quit();
}

// The lights, the three labels in the light separator, the cube and the
// three planes, from the root at depth 0.
TEST_F(Explorer, PPrintsTheSceneGraphFromTheRoot) {
    std::string expected = "Depth 0 Root       \"None\"\n"
                           "  Depth 1 Separator  \"None\"\n"
                           "    Depth 2 Light      \"None\"\n"
                           "    Depth 2 Light      \"None\"\n";
    for (int i = 0; i < 3; ++i)
        expected += "    Depth 2 MSeparator \"None\"\n"
                    "      Depth 3 Geometry   \"None\"\n";
    for (int i = 0; i < 6; ++i)
        expected += "  Depth 1 Light      \"None\"\n";
    expected += "  Depth 1 Geometry   \"None\"\n";
    for (int i = 0; i < 3; ++i)
        expected += "  Depth 1 MGeometry  \"None\"\n";
    EXPECT_EQ(output_of("P", "MGeometry  \"None\"\n"), expected);
    quit();
}

TEST_F(Explorer, AnUnknownKeyPrintsTheHelpWithQZeroAndPOnly) {
    EXPECT_EQ(output_of("x", "P or p: Print scene graph.\n"), "\nThe following keys are active:\n\n"
                                                              "Q or q: Quit.\n"
                                                              "0 ( zero ): Reset\n"
                                                              "P or p: Print scene graph.\n");
    quit();
}

// Keys typed while the program is held all reach the same pass: only the
// newest acts, the older ones are dropped.
TEST_F(Explorer, KeysOfOnePassActOnce) {
    size_t before = x.output().size();
    x.hold();
    x.xdotool("key x I I I");
    x.xdotool("sleep 0.3");
    x.release();
    ASSERT_TRUE(x.wait_output("Current Orientation: ", 5));
    x.xdotool("sleep 0.5");
    std::string out = x.output().substr(before);
    EXPECT_EQ(count(out, "Current Position: "), 1) << out;
    EXPECT_EQ(count(out, "The following keys are active"), 0) << out;
    quit();
}

// Above the centre the mouse flies forward along the view direction (+z);
// "0" puts the viewpoint back.
TEST_F(Explorer, MouseFlightForwardThenZeroResets) {
    x.xdotool("mousemove " + std::to_string(wx + ww / 2) + " " + std::to_string(wy + wh / 5));
    x.xdotool("mousedown 1");
    x.xdotool("sleep 1");
    x.xdotool("mouseup 1");
    Pose flown = print_pose();
    EXPECT_GT(flown.p[2], -200.0f + 1.0f);
    EXPECT_FLOAT_EQ(flown.p[0], 75);
    x.key("0", 0.3);
    Pose reset = print_pose();
    EXPECT_FLOAT_EQ(reset.p[0], 75);
    EXPECT_FLOAT_EQ(reset.p[1], -55);
    EXPECT_FLOAT_EQ(reset.p[2], -200);
    EXPECT_FLOAT_EQ(reset.q[3], 1);
    quit();
}

TEST_F(Explorer, ScreenShowsBackgroundCubeEdgesAndPlanes) {
    Image s = still_shot("start");
    EXPECT_TRUE(white(s.at(wx + 3, wy + 3)));
    EXPECT_TRUE(white(s.at(wx + ww - 4, wy + 3)));
    expect_front_edges(s);
    // Each plane where the other two do not hide it.
    auto coloured = [](const unsigned char *p) { return !white(p); };
    EXPECT_TRUE(find_near(s, project(0, -12.5f, -12.5f), 1, coloured)) << "red plane";
    EXPECT_TRUE(find_near(s, project(-12.5f, 0, -12.5f), 1, coloured)) << "green plane";
    EXPECT_TRUE(find_near(s, project(-12.5f, -12.5f, 0), 1, coloured)) << "blue plane";
    // Between the cube and the labels nothing is drawn.
    EXPECT_TRUE(white(s.at(project(0, -40, 0).x, project(0, -40, 0).y)));
    quit();
}

// Rows of the three labels, right of the cube: the bands of drawn pixels.
std::vector<std::pair<int, int>> label_bands(const Image &s, int x0, int x1, int y0, int y1) {
    std::vector<std::pair<int, int>> bands;
    bool in = false;
    for (int y = y0; y < y1; ++y) {
        bool drawn = false;
        for (int x = x0; x < x1 && !drawn; ++x)
            drawn = !white(s.at(x, y));
        if (drawn && !in) bands.push_back({y, y});
        if (drawn) bands.back().second = y;
        in = drawn;
    }
    return bands;
}

// How much the right part of two label bands (from the value on: "128 (
// 0.501961 )" at start) differ: the share of drawn pixels of either band
// with no drawn pixel next to the same place in the other, the bands lined
// up at their first rows. The neighbourhood absorbs their different
// sub-pixel rows.
double label_difference(const Image &s, int x0, int x1, std::pair<int, int> a,
                        std::pair<int, int> b) {
    int height = std::max(a.second - a.first, b.second - b.first) + 1;
    auto drawn = [&](std::pair<int, int> band, int x, int y) {
        return y >= 0 && y <= band.second - band.first && !white(s.at(x, band.first + y));
    };
    auto drawn_near = [&](std::pair<int, int> band, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (drawn(band, x + dx, y + dy)) return true;
        return false;
    };
    int differ = 0, total = 0;
    for (int y = 0; y < height; ++y)
        for (int x = x1 - (x1 - x0) * 64 / 100; x < x1 - 1; ++x) {
            bool pa = drawn(a, x, y), pb = drawn(b, x, y);
            total += pa + pb;
            differ += (pa && !drawn_near(b, x, y)) + (pb && !drawn_near(a, x, y));
        }
    return total ? static_cast<double>(differ) / total : 1.0;
}

// All three labels start with the same value text; after one "R" the red
// label's differs from the others.
TEST_F(Explorer, LabelsStartAtTheSameValueAndRedChangesAfterR) {
    Image s = still_shot("labels");
    // The labels begin at x = 30, where the cube's back edge also shows.
    int x0 = project(30, 0, 0).x + 6, x1 = wx + ww;
    int y0 = project(30, -30, 0).y, y1 = project(30, 45, 0).y;
    auto bands = label_bands(s, x0, x1, y0, y1);
    ASSERT_EQ(bands.size(), 3u);
    // The drawn columns of the bands: from the first glyph to the last.
    int left = x1, right = x0;
    for (int y = bands[0].first; y <= bands[0].second; ++y)
        for (int x = x0; x < x1; ++x)
            if (!white(s.at(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
            }
    // Red, green and blue text colours.
    auto colour_of = [&](std::pair<int, int> band) {
        long sum[3] = {};
        int n = 0;
        for (int y = band.first; y <= band.second; ++y)
            for (int x = left; x < right; ++x)
                if (!white(s.at(x, y))) {
                    for (int c = 0; c < 3; ++c)
                        sum[c] += s.at(x, y)[c];
                    ++n;
                }
        return std::vector<long>{sum[0] / std::max(n, 1), sum[1] / std::max(n, 1),
                                 sum[2] / std::max(n, 1)};
    };
    for (int c = 0; c < 3; ++c) {
        std::vector<long> rgb = colour_of(bands[c]);
        for (int k = 0; k < 3; ++k)
            if (k != c) {
                EXPECT_GT(rgb[c], rgb[k] + 40) << "label " << c;
            }
    }
    EXPECT_LT(label_difference(s, left, right, bands[0], bands[1]), 0.01);
    EXPECT_LT(label_difference(s, left, right, bands[0], bands[2]), 0.01);

    key_until_changed("R", s, "labels-r");
    Image r = still_shot("labels-r");
    auto after = label_bands(r, x0, x1, y0, y1);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_GT(label_difference(r, left, right, after[0], after[1]), 0.02);
    EXPECT_LT(label_difference(r, left, right, after[1], after[2]), 0.01);
    quit();
}

// After "R" the red plane moves towards +x and takes more red: the pixels
// that change are those of the plane's old and new places.
TEST_F(Explorer, RedPlaneMovesAndRecoloursAfterR) {
    Image before = still_shot("red-before");
    const int presses = 20;
    Image after = before;
    for (int i = 0; i < presses; ++i)
        after = key_until_changed("R", after, "red-after");
    after = still_shot("red-after");
    // The plane spans y and z from -25 to 25 at x = 50 (v / 255 - 0.5).
    float x_before = 50 * (128 / 255.0f - 0.5f), x_after = 50 * ((128 + presses) / 255.0f - 0.5f);
    int left = ww, right = 0, top = wh, bottom = 0;
    int cube_right = project(25, 0, 25).x;
    for (int yy = wy; yy < wy + wh; ++yy)
        for (int xx = wx; xx < cube_right; ++xx)
            for (int c = 0; c < 3; ++c)
                if (std::abs(after.at(xx, yy)[c] - before.at(xx, yy)[c]) > 8) {
                    left = std::min(left, xx);
                    right = std::max(right, xx);
                    top = std::min(top, yy);
                    bottom = std::max(bottom, yy);
                }
    // The viewer is right of the plane: its front edge (z = -25) is its left
    // side on the screen, its back edge its right side.
    EXPECT_TRUE(near(left, project(x_before, 0, -25).x, 6)) << left;
    EXPECT_TRUE(near(right, project(x_after, 0, 25).x, 6)) << right;
    EXPECT_TRUE(near(top, project(x_before, -25, 25).y, 6)) << top;
    EXPECT_TRUE(near(bottom, project(x_after, 25, -25).y, 6)) << bottom;
    Point inside = project(x_after, -12.5f, -12.5f);
    EXPECT_GT(after.at(inside.x, inside.y)[0], before.at(inside.x, inside.y)[0] + 8);
    quit();
}

// "r" down to 0 and "R" up to 255 stop there: a whole round of further keys
// changes nothing, and the plane then lies on the cube's side.
TEST_F(Explorer, RedStopsAtZeroAndAt255) {
    EXPECT_GT(press_until_still("r", "red-0"), 0);
    Image low = shot("red-0");
    EXPECT_TRUE(find_near(low, project(-25, -12.5f, -12.5f), 1,
                          [](const unsigned char *p) { return p[0] < 60 && !white(p); }));
    EXPECT_GT(press_until_still("R", "red-255"), 0);
    Image high = shot("red-255");
    EXPECT_TRUE(find_near(high, project(25, -12.5f, -12.5f), 1,
                          [](const unsigned char *p) { return p[0] > 200 && !white(p); }));
    quit();
}

const char *const kHelp = "\nThe following keys are active:\n\n"
                          "Q or q: Quit.\n"
                          "0 ( zero ): Reset\n"
                          "P or p: Print scene graph.\n";

// Keys without a character of their own, and control characters, reach the
// explorer as key codes it has no action for: each prints the help once.
TEST_F(Explorer, FunctionAndEditingKeysPrintTheHelpOnce) {
    for (const char *key : {"F1", "F12", "Up", "Left", "Home", "Next", "Return", "Tab", "BackSpace",
                            "space", "Escape", "ctrl+r"}) {
        std::string out = output_of(key, "P or p: Print scene graph.\n");
        x.xdotool("sleep 0.3");
        out += output_of("i", "Current Orientation: ");
        EXPECT_EQ(out.substr(0, out.find("Current Position: ")), kHelp) << key;
    }
    quit();
}

// A modifier pressed alone queues no key: nothing is printed before the pose.
TEST_F(Explorer, ModifiersAloneDoNothing) {
    size_t before = x.output().size();
    for (const char *key : {"shift", "ctrl", "alt", "Shift_R"})
        x.key(key, 0.3);
    x.key("i", 0.1);
    ASSERT_TRUE(x.wait_output("Current Orientation: ", 5));
    std::string out = x.output().substr(before);
    EXPECT_EQ(out.rfind("Current Position: ", 0), 0u) << out;
    quit();
}

// The rows and columns of the window where two shots differ.
struct Changed {
    int left, right, top, bottom;
};

// "G" up to 255 lifts the green plane to the cube's top face (green grows
// towards negative y, up on the screen); "B" up to 255 pushes the blue plane
// back to the cube's far face. Both keep within the cube, left of the labels.
TEST_F(Explorer, GreenRisesToTheTopAndBlueRecedesToTheBack) {
    auto changed_box = [&](const Image &a, const Image &b) {
        Changed box{wx + ww, wx, wy + wh, wy};
        const int columns_end = project(20, 0, -25).x;
        for (int yy = wy; yy < wy + wh; ++yy)
            for (int xx = wx; xx < columns_end; ++xx)
                for (int c = 0; c < 3; ++c)
                    if (std::abs(a.at(xx, yy)[c] - b.at(xx, yy)[c]) > 8) {
                        box.left = std::min(box.left, xx);
                        box.right = std::max(box.right, xx);
                        box.top = std::min(box.top, yy);
                        box.bottom = std::max(box.bottom, yy);
                    }
        return box;
    };
    Image start = still_shot("green-before");
    ASSERT_GT(press_until_still("G", "green-255"), 0);
    // Keys a slow pass held back may still act: go on until a round is still.
    EXPECT_GE(press_until_still("G", "green-255"), 0);
    Changed green = changed_box(start, shot("green-255"));
    // The lowest change is the plane's old front edge (y = 0); the highest
    // its new back edge on the top face.
    EXPECT_TRUE(near(green.bottom, project(0, 0, -25).y, 3)) << green.bottom;
    EXPECT_TRUE(near(green.top, project(0, -25, 25).y, 4)) << green.top;

    Image blue_before = still_shot("blue-before");
    ASSERT_GT(press_until_still("B", "blue-255"), 0);
    EXPECT_GE(press_until_still("B", "blue-255"), 0);
    Changed blue = changed_box(blue_before, shot("blue-255"));
    // The plane shrinks away from the viewer: its old left and bottom edges
    // (z = 0) bound the change.
    EXPECT_TRUE(near(blue.left, project(-25, 0, 0).x, 3)) << blue.left;
    EXPECT_TRUE(near(blue.bottom, project(0, 25, 0).y, 3)) << blue.bottom;
    quit();
}

// The mouse flies the viewpoint only while a button is held outside the
// centre's dead zone: right pans, left turns without moving.
TEST_F(Explorer, MouseMovesTheViewpointOnlyWithAButtonOutsideTheCentre) {
    auto at = [&](double fx, double fy) {
        x.xdotool("mousemove " + std::to_string(wx + int(ww * fx)) + " " +
                  std::to_string(wy + int(wh * fy)));
    };
    auto hold = [&](int button) {
        x.xdotool("mousedown " + std::to_string(button));
        x.xdotool("sleep 1");
        x.xdotool("mouseup " + std::to_string(button));
    };
    at(0.9, 0.1);
    x.xdotool("sleep 0.8");
    Pose still = print_pose();
    EXPECT_FLOAT_EQ(still.p[0], 75);
    EXPECT_FLOAT_EQ(still.p[1], -55);
    EXPECT_FLOAT_EQ(still.p[2], -200);
    at(0.5, 0.5);
    hold(1);
    hold(3);
    Pose centre = print_pose();
    EXPECT_FLOAT_EQ(centre.p[0], 75);
    EXPECT_FLOAT_EQ(centre.p[1], -55);
    EXPECT_FLOAT_EQ(centre.p[2], -200);
    EXPECT_FLOAT_EQ(centre.q[3], 1);
    at(0.9, 0.5);
    hold(3);
    Pose panned = print_pose();
    EXPECT_GT(panned.p[0], 75 + 1.0f);
    EXPECT_FLOAT_EQ(panned.p[1], -55);
    EXPECT_FLOAT_EQ(panned.p[2], -200);
    EXPECT_FLOAT_EQ(panned.q[3], 1);
    hold(1);
    Pose turned = print_pose();
    EXPECT_FLOAT_EQ(turned.p[0], panned.p[0]);
    EXPECT_FLOAT_EQ(turned.p[2], -200);
    EXPECT_GT(std::fabs(turned.q[1]), 0.01f);
    EXPECT_NEAR(turned.q[0], 0, 1e-4f);
    EXPECT_NEAR(turned.q[2], 0, 1e-4f);
    x.key("0", 0.3);
    Pose reset = print_pose();
    EXPECT_FLOAT_EQ(reset.p[0], 75);
    EXPECT_FLOAT_EQ(reset.q[1], 0);
    EXPECT_FLOAT_EQ(reset.q[3], 1);
    quit();
}

} // namespace
