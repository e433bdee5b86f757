// Light slots freed by deletion, attenuation arrays, movable directed lights
// and light files loaded as scene nodes.
#include "light_fixture.h"

#include "orv/file.h"

namespace {

TEST_F(LightTest, ADeletedLightFreesItsSlot) {
    OVnode *lights[8];
    for (OVnode *&light : lights)
        ASSERT_NE(light = OVlightnode_newpoint(parent), nullptr);
    ASSERT_EQ(OVlightnode_newspot(parent), nullptr);
    EXPECT_TRUE(OVnode_delete(lights[3]));
    OVnode *again = OVlightnode_newspot(parent);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(OVlightnode_gettype(again), OVLIGHT_SPOT);
    EXPECT_FLOAT_EQ(OVlightnode_getangle(again), 0.3926991f);
    EXPECT_EQ(OVlightnode_newdirected(parent), nullptr);
}

TEST_F(LightTest, AttenuationArraysFollowTheSameRules) {
    OVnode *point = OVlightnode_newpoint(parent), *directed = OVlightnode_newdirected(parent);
    const float good[3] = {0.004f, 0, 0.5f};
    EXPECT_TRUE(OVlightnode_setattenuation2(point, good));
    float got[3] = {};
    EXPECT_TRUE(OVlightnode_getattenuation2(point, got));
    EXPECT_P3_NEAR(got, 0.004f, 0, 0.5f);
    const float too_small[3] = {0.003f, 0, 0}, negative_linear[3] = {1, -0.5f, 0},
                negative_quadratic[3] = {1, 0, -0.5f};
    EXPECT_FALSE(OVlightnode_setattenuation2(point, too_small));
    EXPECT_FALSE(OVlightnode_setattenuation2(point, negative_linear));
    EXPECT_FALSE(OVlightnode_setattenuation2(point, negative_quadratic));
    EXPECT_TRUE(OVlightnode_getattenuation2(point, got));
    EXPECT_P3_NEAR(got, 0.004f, 0, 0.5f);
    // A directed light has none of its own to set and reads the default.
    EXPECT_FALSE(OVlightnode_setattenuation2(directed, good));
    EXPECT_TRUE(OVlightnode_getattenuation2(directed, got));
    EXPECT_P3_NEAR(got, 1, 0, 0);
    EXPECT_FALSE(OVlightnode_getattenuation2(parent, got));
}

TEST_F(LightTest, MovableDirectedLightIsATransformSeparatorAroundItsLight) {
    OVnode *movable = OVmovlightnode_newdirected(parent);
    ASSERT_NE(movable, nullptr);
    EXPECT_EQ(OVnode_gettype(movable), OVNODE_MLIGHT);
    EXPECT_EQ(OVlightnode_gettype(movable), OVLIGHT_DIRECTED);
    OVp3 d = {0, 0, -2};
    EXPECT_TRUE(OVlightnode_setdirection(movable, d));
    EXPECT_P3_NEAR(d, 0, 0, -1); // normalised in place
    OVp3 got;
    EXPECT_TRUE(OVlightnode_getdirection(movable, got));
    EXPECT_P3_NEAR(got, 0, 0, -1);
    // Its own transform moves it; a light setter on another node fails.
    const OVp3 at = {1, 2, 3};
    EXPECT_TRUE(OVnode_settranslation(movable, at));
    EXPECT_FALSE(OVlightnode_setintensity(parent, 0.5f));
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(parent), -1);
}

TEST_F(LightTest, LoadingALightFileGivesTheLastLightMade) {
    const std::string path = write_file("two.lit", "//lights\n"
                                                   "point pos 1 2 3\n"
                                                   "spot dir 0 0 -1 angle 45\n");
    OVnode *loaded = OVnode_load(parent, path.c_str(), 1.0f);
    ASSERT_EQ(OVnode_numchildren(parent), 2);
    EXPECT_EQ(loaded, child(1));
    EXPECT_EQ(OVlightnode_gettype(loaded), OVLIGHT_SPOT);
    EXPECT_NEAR(OVlightnode_getangle(loaded), 0.7853982f, 1e-6);
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_POINT);
}

} // namespace
