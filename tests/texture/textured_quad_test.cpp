// A textured quad drawn and read back: the picture's colours where they
// belong and the alpha test cutting keyed texels.
#include "texture_fixtures.h"
#include "textured_quad.h"

#include <cstdlib>

namespace {

using render_test::near;
using render_test::pixel;
using namespace textured_quad;

TEST_F(TexturedQuad, QuadrantsShowWhereThePictureHasThem) {
    ASSERT_TRUE(OVtexture_replace("quadrants", OVIMAGE_RGBA, 2, 2, quadrant_texels));
    texture_quad("quadrants", 0);
    OVgeometry_setrgb(quad, 255, 255, 255);
    OVrender_frame();
    // Snapshot rows count from the bottom.
    EXPECT_TRUE(near(pixel(window, kMid - kQuarter, kMid + kQuarter), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, kMid + kQuarter, kMid + kQuarter), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, kMid - kQuarter, kMid - kQuarter), 0, 0, 255));
    EXPECT_TRUE(near(pixel(window, kMid + kQuarter, kMid - kQuarter), 255, 255, 255));
    EXPECT_TRUE(near(pixel(window, 2, 2), 0, 0, 255)); // background
}

// 8 × 8 texels in four 4 × 4 quadrants of the colours above.
unsigned char *eight_by_eight() {
    static unsigned char texels[8 * 8 * 4];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int q = (y / 4) * 2 + x / 4;
            for (int c = 0; c < 4; ++c)
                texels[(y * 8 + x) * 4 + c] = quadrant_texels[q * 4 + c];
        }
    return texels;
}

TEST_F(TexturedQuad, DefaultMappingShowsThePictureUprightFromTheFront) {
    ASSERT_TRUE(OVtexture_replace("eight", OVIMAGE_RGBA, 8, 8, eight_by_eight()));
    ASSERT_TRUE(OVtexture_setfilter("eight", 0, 0));
    OVgeometry_setrgb(quad, 255, 255, 255);
    OVpoly *p = OVgeometry_getpolys(quad);
    OVp3 n;
    OVpoly_getnormal(p, n);
    // Seen from the front the picture is upright; from the back, mirrored.
    const bool front = n[2] < 0;
    ASSERT_TRUE(OVpoly_settexture(p, "eight", 1, 0));
    OVrender_frame();
    const int left = front ? kMid - kQuarter : kMid + kQuarter;
    const int right = front ? kMid + kQuarter : kMid - kQuarter;
    EXPECT_TRUE(near(pixel(window, left, kMid + kQuarter), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, right, kMid + kQuarter), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, left, kMid - kQuarter), 0, 0, 255));
    EXPECT_TRUE(near(pixel(window, right, kMid - kQuarter), 255, 255, 255));
}

struct AlphaTestedQuad : TexturedQuad {
    void SetUp() override {
        setenv("ORVALPHATEST", "128", 1);
        TexturedQuad::SetUp();
        unsetenv("ORVALPHATEST");
    }
};

TEST_F(AlphaTestedQuad, KeyedTexelsAreCutNotBlended) {
    // The right column keyed with an alpha below the reference: not drawn at
    // all, where blending alone would have mixed in some of its red.
    unsigned char keyed[16] = {0, 255, 0, 255, 255, 0, 0, 100, 0, 255, 0, 255, 255, 0, 0, 100};
    ASSERT_TRUE(OVtexture_replace("keyed", OVIMAGE_RGBA, 2, 2, keyed));
    // Modulated: decal would keep the polygon's own alpha.
    OVgeometry_setrgb(quad, 255, 255, 255);
    texture_quad("keyed", 1);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, kMid - kQuarter, kMid), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, kMid + kQuarter, kMid), 0, 0, 255)); // the background
}

} // namespace
