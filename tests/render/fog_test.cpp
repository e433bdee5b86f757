// Fog as the renderer sets it from fog nodes, read back from a plane 10
// units ahead lit head-on to full white: linear and exponential fog,
// the far distance for a range of 0, and fog switched off for the rest of
// a separator, and fog and ambient overrides ending with their window's scene.
#include "render/render_pixels.h"

namespace {

using namespace render_test;

constexpr float depth = 10;

struct Fog : LitWindowScene {
    OVnode *fog = nullptr;

    void SetUp() override {
        LitWindowScene::SetUp();
        fog = OVfognode_new(root);
        ASSERT_NE(fog, nullptr);
        ASSERT_TRUE(OVfognode_setcolor(fog, 0, 0, 0, 1));
        ASSERT_TRUE(OVfognode_setlinearstart(fog, 0));
        ASSERT_TRUE(OVfognode_setrange(fog, 20));
    }
    // The part of a white plane between x0 and x1, 6 units high.
    static void plane(OVnode *parent, float x0, float x1) {
        grid_plane(parent, x0, x1, -3, 3, depth, 16, 255);
    }
    Pixel at(float x) { return seen(window, x, 0, depth); }
    int grey_at(float x) {
        const Pixel p = at(x);
        EXPECT_TRUE(std::abs(p.r - p.g) <= 2 && std::abs(p.g - p.b) <= 2)
            << p.r << " " << p.g << " " << p.b;
        return p.g;
    }
};

TEST_F(Fog, LinearFogFromItsStartToItsRange) {
    ASSERT_TRUE(OVfognode_setmode(fog, 0));
    plane(root, -3, 3);
    OVrender_frame();
    EXPECT_NEAR(grey_at(0), 128, 12); // half way from 0 to 20
    ASSERT_TRUE(OVfognode_setlinearstart(fog, 10));
    OVrender_frame();
    EXPECT_NEAR(grey_at(0), 255, 12); // not yet begun at 10
}

TEST_F(Fog, ExponentialFogsTakeOneOverTheRangeAsTheirDensity) {
    plane(root, -3, 3);
    ASSERT_TRUE(OVfognode_setmode(fog, 1));
    OVrender_frame();
    EXPECT_NEAR(grey_at(0), 155, 12); // e^-(10/20) of white
    ASSERT_TRUE(OVfognode_setmode(fog, 2));
    OVrender_frame();
    EXPECT_NEAR(grey_at(0), 199, 12); // e^-(10/20)^2 of white
}

TEST_F(Fog, ARangeOfZeroStandsForTheFarDistance) {
    ASSERT_TRUE(OVfognode_setmode(fog, 0));
    ASSERT_TRUE(OVfognode_setrange(fog, 0));
    plane(root, -3, 3);
    ASSERT_TRUE(OVwindow_setyon(window, 40));
    OVrender_frame();
    EXPECT_NEAR(grey_at(0), 191, 12); // a quarter of the way to 40
}

TEST_F(Fog, FogTakesItsColour) {
    ASSERT_TRUE(OVfognode_setmode(fog, 0));
    ASSERT_TRUE(OVfognode_setcolor(fog, 1, 0, 0, 1));
    plane(root, -3, 3);
    OVrender_frame();
    EXPECT_TRUE(near(at(0), 255, 128, 128)) << at(0).r << " " << at(0).g << " " << at(0).b;
}

TEST_F(Fog, ModeMinusOneClearsTheAirForTheRestOfItsSeparator) {
    ASSERT_TRUE(OVfognode_setmode(fog, 0));
    OVnode *clear = OVsepnode_new(root);
    ASSERT_TRUE(OVfognode_setmode(OVfognode_new(clear), -1));
    plane(clear, -6, -1);
    plane(root, 1, 6);
    OVrender_frame();
    EXPECT_NEAR(grey_at(-3), 255, 12);
    EXPECT_NEAR(grey_at(3), 128, 12);
}

TEST_F(Fog, FogOfOneWindowsSceneDoesNotReachTheNextWindow) {
    ASSERT_TRUE(OVfognode_setmode(fog, 0));
    plane(root, -3, 3);
    OVnode *other = OVrootnode_new();
    OVp3 forward = {0, 0, 1};
    OVlightnode_setdirection(OVlightnode_newdirected(other), forward);
    plane(other, -3, 3);
    OVwindow *second = OVwindow_new(0, 0, 80, 80, 0);
    ASSERT_NE(second, nullptr);
    OVwindow_setviewpoint(second, OVuniverse_getviewpoint());
    ASSERT_TRUE(OVwindow_setrootnode(second, other));
    OVrender_frame();
    EXPECT_NEAR(grey_at(0), 128, 12);
    EXPECT_TRUE(near(pixel(second, 40, 40), 255, 255, 255));
}

struct Ambient : WindowScene {};

TEST_F(Ambient, AnOverrideOfOneWindowsSceneDoesNotReachTheNextWindow) {
    // No light: the ambient alone colours the planes.
    OVnode *glow = OVlightnode_newambient(root);
    ASSERT_NE(glow, nullptr);
    ASSERT_TRUE(OVlightnode_setambient(glow, 1, 0, 0));
    ASSERT_TRUE(OVlightnode_setintensity(glow, 1));
    Fog::plane(root, -3, 3);
    OVnode *other = OVrootnode_new();
    Fog::plane(other, -3, 3);
    OVwindow *second = OVwindow_new(0, 0, 80, 80, 0);
    ASSERT_NE(second, nullptr);
    OVwindow_setviewpoint(second, OVuniverse_getviewpoint());
    ASSERT_TRUE(OVwindow_setrootnode(second, other));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 0, 0));
    EXPECT_TRUE(near(pixel(second, 40, 40), 102, 102, 102)); // the global 0.4 of white
    // And the next frame of the first window starts from the global one too.
    OVnode_delete(glow);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 102, 102, 102));
}

} // namespace
