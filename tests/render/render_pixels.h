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

// The pixel a world point is drawn at.
inline Pixel seen(OVwindow *w, float x, float y, float z) {
    const OVp3 p = {x, y, z};
    OVp2 at = {0, 0};
    EXPECT_TRUE(OVwindow_projectpoint(w, 0, p, at));
    return pixel(w, static_cast<int>(at[0]), static_cast<int>(at[1]));
}

// A grey plane at depth z facing the viewer, from (x0, y0) to (x1, y1),
// divided into cells x cells quadrilaterals so that what is computed at the
// corners (lighting, fog) shows its shape; drawn under parent.
inline void grid_plane(OVnode *parent, float x0, float x1, float y0, float y1, float z, int cells,
                       int grey) {
    OVgeometry *g = OVgeometry_begin();
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            const OVp3 p = {x0 + (x1 - x0) * i / cells, y0 + (y1 - y0) * j / cells, z};
            OVgeometry_newvertex(g, p);
        }
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i) {
            const int a = j * (cells + 1) + i;
            OVpoly *p = OVgeometry_beginpoly(g);
            for (int k : {a, a + cells + 1, a + cells + 2, a + 1})
                OVpoly_addvertex(p, k);
            OVpoly_close(p);
        }
    OVgeometry_close(g);
    OVgeometry_setrgb(g, grey, grey, grey);
    OVgeometrynode_new(parent, g);
}

} // namespace render_test
