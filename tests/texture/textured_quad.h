// A window looking at one lit quad 10 units ahead, for the pixel tests of
// textured polygons.
#pragma once

#include "render/render_pixels.h"

namespace textured_quad {

constexpr int kSide = 80, kMid = 40, kQuarter = 12;

// 2 × 2 texels, top row first: red, green / blue, white.
inline unsigned char quadrant_texels[16] = {255, 0, 0,   255, 0,   255, 0,   255,
                                            0,   0, 255, 255, 255, 255, 255, 255};

struct TexturedQuad : ::testing::Test {
    OVwindow *window = nullptr;
    OVgeometry *quad = nullptr;
    OVnode *light = nullptr;

    void SetUp() override {
        OVuniverse_new(512, 0);
        window = OVwindow_new(0, 0, kSide, kSide, 0);
        ASSERT_NE(window, nullptr);
        OVwindow_setviewpoint(window, OVuniverse_getviewpoint());
        OVnode *root = OVuniverse_getrootnodes();
        OVp3 forward = {0, 0, 1};
        light = OVlightnode_newdirected(root);
        OVlightnode_setdirection(light, forward);
        quad = OVgeometry_newrectangle(8, 8, 1);
        const OVp3 ahead = {0, 0, 10};
        OVgeometry_translate(quad, ahead);
        OVgeometrynode_new(root, quad);
    }
    void TearDown() override { OVuniverse_delete(); }

    // The picture over the whole quad, unmirrored, its top row at the top
    // (the view looks along +z with +x right and +y down); nearest texels.
    void texture_quad(const char *name, int transparent, int shaded = 1) {
        ASSERT_TRUE(OVtexture_setfilter(name, 0, 0));
        OVpoly *p = OVgeometry_getpolys(quad);
        float u[4], v[4];
        for (int i = 0; i < 4; ++i) {
            OVp3 pos;
            OVvertex_getposition(OVpoly_getvertex(p, i), pos);
            u[i] = pos[0] > 0 ? 1.0f : 0.0f;
            v[i] = pos[1] > 0 ? 1.0f : 0.0f;
        }
        ASSERT_TRUE(OVpoly_settextureuv(p, name, u, v, shaded, transparent));
    }
};

} // namespace textured_quad
