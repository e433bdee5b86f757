// The explorer as a user sees it: its window, its keys, its output.
#include "x_session.h"

#include <gtest/gtest.h>

#include <algorithm>
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

int count(const std::string &text, const std::string &what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

bool near(int a, int b, int tolerance = 40) {
    return std::abs(a - b) <= tolerance;
}

bool white(const unsigned char *p) {
    return p[0] > 215 && p[1] > 215 && p[2] > 215;
}

struct Point {
    int x, y;
};

class Explorer : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!x.available()) GTEST_SKIP() << "Xvfb or xdotool not installed";
        setenv("OVMODELS", DATA_DIR, 0);
        ASSERT_TRUE(x.start(RGBSLICE_PATH));
        ASSERT_TRUE(x.wait_window(90)) << x.output() << x.errors();
        ASSERT_TRUE(x.window_geometry(wx, wy, ww, wh));
    }

    // The output a key adds, once the key had a few passes to act.
    std::string output_of(const std::string &key, const std::string &until = "") {
        size_t before = x.output().size();
        x.key(key, 0.3);
        if (!until.empty()) x.wait_output(until, 5);
        std::string out = x.output();
        return out.size() > before ? out.substr(before) : "";
    }

    Pose print_pose() {
        Pose pose;
        EXPECT_TRUE(last_pose(output_of("I", "Current Orientation: "), pose)) << x.output();
        return pose;
    }

    void quit() {
        x.key("q", 0.2);
        EXPECT_EQ(x.wait_exit(30), 0) << x.output() << x.errors();
    }

    Image shot(const std::string &name) {
        Image image = x.screenshot(x.path("rgbslice-" + name + ".png"));
        EXPECT_GE(image.width, wx + ww);
        EXPECT_GE(image.height, wy + wh);
        return image;
    }

    // Where a world point of the start pose lands in the window: the
    // viewpoint at (75, -55, -200) looks along +z, x to the right and y
    // down, with 40 degrees from the centre to the left and right edges.
    Point project(float px, float py, float pz) const {
        const float f = (ww / 2.0f) / std::tan(0.698131f);
        float dz = pz + 200;
        return {wx + static_cast<int>(std::lround(ww / 2.0f + f * (px - 75) / dz)),
                wy + static_cast<int>(std::lround(wh / 2.0f + f * (py + 55) / dz))};
    }

    // A pixel near p (within r) that satisfies the test, or nullptr.
    template <class Test>
    const unsigned char *find_near(const Image &image, Point p, int r, Test test) const {
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                int px = p.x + dx, py = p.y + dy;
                if (px < wx || py < wy || px >= wx + ww || py >= wy + wh) continue;
                if (test(image.at(px, py))) return image.at(px, py);
            }
        return nullptr;
    }

    int pixels_changed(const Image &a, const Image &b) const {
        int changed = 0;
        for (int yy = wy; yy < wy + wh; ++yy)
            for (int xx = wx; xx < wx + ww; ++xx)
                for (int c = 0; c < 3; ++c)
                    if (std::abs(a.at(xx, yy)[c] - b.at(xx, yy)[c]) > 8) {
                        ++changed;
                        break;
                    }
        return changed;
    }

    // The window once two shots in a row are the same: the scene is static
    // without input, so that is the whole of the last frame. A loaded
    // machine may take seconds for the first frames.
    Image still_shot(const std::string &name) {
        Image last = shot(name);
        for (int tries = 0; tries < kStillTries; ++tries) {
            x.xdotool("sleep 0.3");
            Image now = shot(name);
            if (pixels_changed(last, now) == 0) return now;
            last = now;
        }
        return last;
    }

    // Types the key once and waits until the window shows its effect: keys
    // typed faster than the passes run are merged.
    Image key_until_changed(const std::string &key, const Image &before, const std::string &name) {
        x.key(key, 0.1);
        for (int tries = 0; tries < kStillTries; ++tries) {
            Image now = shot(name);
            if (pixels_changed(before, now) > 0) return now;
            x.xdotool("sleep 0.2");
        }
        return shot(name);
    }

    static constexpr int kStillTries = 50;

    // Types the key in rounds of 40 until a whole round changes nothing on
    // the screen; returns the number of rounds that changed something. Keys
    // that a slow pass merges only take more rounds.
    int press_until_still(const std::string &key, const std::string &name) {
        std::string round = "key --delay 40";
        for (int i = 0; i < 40; ++i)
            round += " " + key;
        Image last = shot(name);
        for (int rounds = 0; rounds < 40; ++rounds) {
            x.xdotool(round);
            x.xdotool("sleep 0.3");
            Image now = shot(name);
            if (pixels_changed(last, now) == 0) return rounds;
            last = now;
        }
        return -1;
    }

    XSession x;
    int wx = 0, wy = 0, ww = 0, wh = 0;
};

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
    // Front edges of the cube, in their corners' colours (shaded along the
    // edge or not): the top one green to yellow, the bottom one black to red.
    EXPECT_TRUE(find_near(s, project(-12.5f, -25, -25), 3, [](const unsigned char *p) {
        return p[1] > 150 && p[2] < 100;
    })) << "top front edge";
    EXPECT_TRUE(find_near(s, project(12.5f, 25, -25), 3, [](const unsigned char *p) {
        return p[1] < 60 && p[2] < 60;
    })) << "bottom front edge";
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

} // namespace
