// The explorer under a virtual X server: start-up, keys, output, screenshots
// and where world points land in its window.
#pragma once

#include "x_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace explorer_e2e {

using e2e::Image;
using e2e::XSession;

struct Pose {
    float p[3] = {}, q[4] = {};
};

// Parses the last "Current Position:" / "Current Orientation:" pair printed.
inline bool last_pose(const std::string &out, Pose &pose) {
    auto at = out.rfind("Current Position: ");
    if (at == std::string::npos) return false;
    auto orient = out.find("Current Orientation: ", at);
    if (orient == std::string::npos) return false;
    std::istringstream ps(out.substr(at + 18)), qs(out.substr(orient + 21));
    return bool(ps >> pose.p[0] >> pose.p[1] >> pose.p[2]) &&
           bool(qs >> pose.q[0] >> pose.q[1] >> pose.q[2] >> pose.q[3]);
}

inline int count(const std::string &text, const std::string &what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

inline bool near(int a, int b, int tolerance = 40) {
    return std::abs(a - b) <= tolerance;
}

inline bool white(const unsigned char *p) {
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
        if (starts_at_once()) launch(RGBSLICE_PATH);
    }

    // Fixtures that prepare files first start the program themselves.
    virtual bool starts_at_once() const { return true; }

    // Starts the program (from the working directory given, if any) and
    // waits for its window.
    void launch(const std::string &program, const std::string &directory = "") {
        ASSERT_TRUE(x.start(program, {}, directory));
        ASSERT_TRUE(x.wait_window(90)) << x.output() << x.errors();
        ASSERT_TRUE(x.window_geometry(wx, wy, ww, wh));
    }

    // The output a key adds, once the key had a few passes to act.
    std::string output_of(const std::string &key, const std::string &until = "") {
        size_t before = x.output().size();
        x.key(key, 0.3);
        if (!until.empty()) x.wait_output(until, 20);
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
    // down, with the view angle (40 degrees unless configured) from the
    // centre to the left and right edges.
    Point project(float px, float py, float pz) const {
        const float f = (ww / 2.0f) / std::tan(view_angle);
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

    // The cube's front edges in their corners' colours (shaded along the
    // edge or not): the top one green to yellow, the bottom one black to red.
    void expect_front_edges(const Image &s) const {
        EXPECT_TRUE(find_near(s, project(-12.5f, -25, -25), 3, [](const unsigned char *p) {
            return p[1] > 150 && p[2] < 100;
        })) << "top front edge";
        EXPECT_TRUE(find_near(s, project(12.5f, 25, -25), 3, [](const unsigned char *p) {
            return p[1] < 60 && p[2] < 60;
        })) << "bottom front edge";
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
    float view_angle = 0.698131f;
};

} // namespace explorer_e2e
