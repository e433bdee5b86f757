// Lights as the renderer compiles them, read back from a lit plane: the
// kinds of light, their colours times their intensity, attenuation and the
// spot cone. A light reaches what follows it in the scene.
#include "render/render_pixels.h"

namespace {

using namespace render_test;

constexpr float depth = 10;

struct Lights : WindowScene {
    // A plane facing the viewer, 12 units across at the depth.
    void plane(int grey = 255) { grid_plane(root, -6, 6, -6, 6, depth, 48, grey); }
    // The pixel a point of the plane is drawn at.
    Pixel at(float x, float y) { return seen(window, x, y, depth); }
};

TEST_F(Lights, ASpotLightsItsConeAndLeavesTheRestToTheAmbient) {
    OVnode *spot = OVlightnode_newspot(root);
    ASSERT_NE(spot, nullptr);
    OVp3 forward = {0, 0, 1};
    ASSERT_TRUE(OVlightnode_setdirection(spot, forward));
    ASSERT_TRUE(OVlightnode_setangle(spot, 0.15f)); // 1.5 units wide at the plane
    plane(160);
    OVrender_frame();
    Pixel inside = at(0, 0), outside = at(4, 0);
    EXPECT_TRUE(near(inside, 224, 224, 224)) << inside.r; // 0.4 + 1 of 160, up to 255
    EXPECT_TRUE(near(outside, 64, 64, 64)) << outside.r;  // the global ambient: 0.4 of 160
    // Wider: the same point is inside the cone now.
    ASSERT_TRUE(OVlightnode_setangle(spot, 0.6f));
    OVrender_frame();
    // 0.4 of 160, and 160 times the cosine of the light's slant there.
    EXPECT_TRUE(near(at(4, 0), 212, 212, 212)) << at(4, 0).r;
}

TEST_F(Lights, APointLightFadesWithItsAttenuation) {
    OVnode *bulb = OVlightnode_newpoint(root);
    ASSERT_NE(bulb, nullptr);
    plane(160);
    OVrender_frame();
    EXPECT_TRUE(near(at(0, 0), 224, 224, 224)) << at(0, 0).r;
    // 1 / (1 + 0.1 × 10²) = 1/11 of the light reaches the plane's centre.
    ASSERT_TRUE(OVlightnode_setattenuation(bulb, 1, 0, 0.1f));
    OVrender_frame();
    EXPECT_TRUE(near(at(0, 0), 64 + 160 / 11, 64 + 160 / 11, 64 + 160 / 11)) << at(0, 0).r;
    // Moved right up to the plane, it lights the point in front of it fully.
    const OVp3 close = {3, 0, depth - 1};
    ASSERT_TRUE(OVlightnode_setposition(bulb, close));
    OVrender_frame();
    Pixel lit = at(3, 0), far = at(-5, 0);
    EXPECT_GT(lit.r, 200);
    EXPECT_LT(far.r, 80);
}

TEST_F(Lights, ColoursAreScaledByTheIntensity) {
    OVnode *sun = OVlightnode_newdirected(root);
    OVp3 forward = {0, 0, 1};
    ASSERT_TRUE(OVlightnode_setdirection(sun, forward));
    ASSERT_TRUE(OVlightnode_setdiffuse(sun, 1, 0, 0));
    plane(120);
    OVrender_frame();
    // 0.4 of 120 everywhere, plus all of 120 in red.
    EXPECT_TRUE(near(at(0, 0), 168, 48, 48)) << at(0, 0).r << " " << at(0, 0).g;
    ASSERT_TRUE(OVlightnode_setintensity(sun, 0.5f));
    OVrender_frame();
    EXPECT_TRUE(near(at(0, 0), 108, 48, 48)) << at(0, 0).r << " " << at(0, 0).g;
}

TEST_F(Lights, ALightsAmbientColourReachesWhatItDoesNotShineOn) {
    OVnode *sun = OVlightnode_newdirected(root);
    OVp3 toward_viewer = {0, 0, -1}; // from behind the plane
    ASSERT_TRUE(OVlightnode_setdirection(sun, toward_viewer));
    plane(200);
    OVrender_frame();
    EXPECT_TRUE(near(at(0, 0), 80, 80, 80)) << at(0, 0).r;
    ASSERT_TRUE(OVlightnode_setambient(sun, 0.5f, 0.5f, 0.5f));
    ASSERT_TRUE(OVlightnode_setintensity(sun, 0.5f));
    OVrender_frame();
    // 0.4 global and 0.5 × 0.5 from the light.
    EXPECT_TRUE(near(at(0, 0), 130, 130, 130)) << at(0, 0).r;
}

} // namespace
