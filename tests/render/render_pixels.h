// Reading rendered pixels back for the rendering tests.
#pragma once

#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace render_test {

struct Render : ::testing::Test {
    void SetUp() override { OVuniverse_new(512, 0); }
    void TearDown() override { OVuniverse_delete(); }
};

// A universe with one 80 x 80 window looking through the universe's viewpoint.
struct WindowScene : Render {
    OVnode *root = nullptr;
    OVwindow *window = nullptr;

    void SetUp() override {
        Render::SetUp();
        root = OVuniverse_getrootnodes();
        window = OVwindow_new(0, 0, 80, 80, 0);
        ASSERT_NE(window, nullptr);
        OVwindow_setviewpoint(window, OVuniverse_getviewpoint());
    }
};

// The same, lit by one light shining away from the viewer.
struct LitWindowScene : WindowScene {
    void SetUp() override {
        WindowScene::SetUp();
        OVp3 forward = {0, 0, 1};
        OVlightnode_setdirection(OVlightnode_newdirected(root), forward);
    }
};

struct Pixel {
    int r, g, b;
};

inline Pixel pixel(OVwindow *w, int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    EXPECT_TRUE(OVwindow_snapshot(w, x, y, 1, 1, p));
    return {p[0], p[1], p[2]};
}

// Software rasterisers differ in their last bits.
inline bool near(Pixel p, int r, int g, int b) {
    return std::abs(p.r - r) <= 16 && std::abs(p.g - g) <= 16 && std::abs(p.b - b) <= 16;
}

inline int brightness(Pixel p) {
    return p.r + p.g + p.b;
}

} // namespace render_test
