// Light and fog nodes: defaults, the light limit, clamps and refusals.
#include "light_fixture.h"

TEST_F(LightTest, NinthLightIsRefused) {
    for (int i = 0; i < 8; ++i)
        ASSERT_NE(OVlightnode_newdirected(parent), nullptr) << i;
    EXPECT_EQ(OVlightnode_newdirected(parent), nullptr);
    EXPECT_EQ(OVlightnode_newpoint(parent), nullptr);
    EXPECT_EQ(OVmovlightnode_newspot(parent), nullptr);
    EXPECT_EQ(OVnode_numchildren(parent), 8);
    // Ambient nodes have no light record and no limit.
    EXPECT_NE(OVlightnode_newambient(parent), nullptr);
}

TEST_F(LightTest, NewLightsCarryTheirDefaults) {
    OVnode *directed = OVlightnode_newdirected(parent);
    OVnode *point = OVlightnode_newpoint(parent);
    OVnode *spot = OVlightnode_newspot(parent);
    OVnode *ambient = OVlightnode_newambient(parent);
    EXPECT_EQ(OVlightnode_gettype(directed), OVLIGHT_DIRECTED);
    EXPECT_EQ(OVlightnode_gettype(point), OVLIGHT_POINT);
    EXPECT_EQ(OVlightnode_gettype(spot), OVLIGHT_SPOT);
    EXPECT_EQ(OVlightnode_gettype(ambient), OVLIGHT_AMBIENT);
    EXPECT_EQ(OVlightnode_gettype(parent), 0);
    EXPECT_EQ(OVnode_gettype(ambient), 12);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(directed), 1);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(ambient), 0.4f);
    EXPECT_NEAR(OVlightnode_getangle(spot), 0.3926991f, 1e-7);
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(spot), 0);
    OVp3 d;
    ASSERT_TRUE(OVlightnode_getdirection(directed, d));
    EXPECT_P3_NEAR(d, 0, 0, 1);
    float c[3];
    ASSERT_TRUE(OVlightnode_getdiffuse2(point, c));
    EXPECT_P3_NEAR(c, 1, 1, 1);
    ASSERT_TRUE(OVlightnode_getambient2(point, c));
    EXPECT_P3_NEAR(c, 0, 0, 0);
    ASSERT_TRUE(OVlightnode_getambient2(ambient, c));
    EXPECT_P3_NEAR(c, 1, 1, 1);
    EXPECT_FALSE(OVlightnode_getdiffuse2(ambient, c));
}

TEST_F(LightTest, IntensityIsClampedOnLightsButNotOnAmbient) {
    OVnode *point = OVlightnode_newpoint(parent);
    OVnode *ambient = OVlightnode_newambient(parent);
    EXPECT_TRUE(OVlightnode_setintensity(point, 2.5f));
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(point), 1.0f);
    EXPECT_TRUE(OVlightnode_setintensity(ambient, 2.5f));
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(ambient), 2.5f);
    EXPECT_FALSE(OVlightnode_setintensity(parent, 0.5f));
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(parent), -1);
}

TEST_F(LightTest, SpotExponentAndAngleLimits) {
    OVnode *spot = OVlightnode_newspot(parent);
    EXPECT_FALSE(OVlightnode_setexponent(spot, 0.5f));
    EXPECT_TRUE(OVlightnode_setexponent(spot, 128));
    EXPECT_FALSE(OVlightnode_setexponent(spot, 128.5f));
    EXPECT_TRUE(OVlightnode_setexponent(spot, 0));
    EXPECT_TRUE(OVlightnode_setexponent(spot, 1));
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(spot), 1);
    EXPECT_FALSE(OVlightnode_setangle(spot, 1.6f));
    EXPECT_FALSE(OVlightnode_setangle(spot, -0.1f));
    EXPECT_TRUE(OVlightnode_setangle(spot, 1.5707964f));
    EXPECT_FLOAT_EQ(OVlightnode_getangle(spot), 1.5707964f);
    OVnode *point = OVlightnode_newpoint(parent);
    EXPECT_FALSE(OVlightnode_setangle(point, 0.5f));
    EXPECT_FLOAT_EQ(OVlightnode_getangle(point), -1);
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(point), -1);
}

TEST_F(LightTest, DirectionRulesByKind) {
    OVnode *point = OVlightnode_newpoint(parent);
    OVp3 d = {5, 5, 5};
    EXPECT_FALSE(OVlightnode_getdirection(point, d));
    EXPECT_P3_NEAR(d, 0, 0, 0);
    OVnode *directed = OVlightnode_newdirected(parent);
    OVp3 v = {0, 3, 4};
    EXPECT_TRUE(OVlightnode_setdirection(directed, v));
    EXPECT_P3_NEAR(v, 0, 0.6f, 0.8f); // normalised in place
    OVlightnode_getdirection(directed, d);
    EXPECT_P3_NEAR(d, 0, 0.6f, 0.8f);
    OVp3 tiny = {0.001f, 0, 0};
    EXPECT_FALSE(OVlightnode_setdirection(directed, tiny));
    OVlightnode_getdirection(directed, d);
    EXPECT_P3_NEAR(d, 0, 0.6f, 0.8f);
}

TEST_F(LightTest, AttenuationRules) {
    OVnode *directed = OVlightnode_newdirected(parent);
    float c = 0, l = 9, q = 9;
    EXPECT_TRUE(OVlightnode_getattenuation(directed, &c, &l, &q));
    EXPECT_FLOAT_EQ(c, 1);
    EXPECT_FLOAT_EQ(l, 0);
    EXPECT_FLOAT_EQ(q, 0);
    EXPECT_FALSE(OVlightnode_setattenuation(directed, 2, 0, 0));
    OVnode *point = OVlightnode_newpoint(parent);
    EXPECT_FALSE(OVlightnode_setattenuation(point, 0.001f, 0, 0));
    EXPECT_FALSE(OVlightnode_setattenuation(point, 1, -1, 0));
    EXPECT_TRUE(OVlightnode_setattenuation(point, 1, 0.5f, 0.25f));
    float a[3];
    OVlightnode_getattenuation2(point, a);
    EXPECT_P3_NEAR(a, 1, 0.5f, 0.25f);
}

TEST_F(LightTest, MovableLightStandsForItsLight) {
    OVnode *movable = OVmovlightnode_newpoint(parent);
    ASSERT_NE(movable, nullptr);
    EXPECT_TRUE(OVnode_ismovable(movable));
    EXPECT_EQ(OVnode_gettype(movable), 13);
    EXPECT_EQ(OVlightnode_gettype(movable), OVLIGHT_POINT);
    const OVp3 p = {1, 2, 3};
    EXPECT_TRUE(OVlightnode_setposition(movable, p));
    OVp3 got;
    EXPECT_TRUE(OVlightnode_getposition(movable, got));
    EXPECT_P3_NEAR(got, 1, 2, 3);
}

TEST_F(LightTest, FogModesAndLimits) {
    OVnode *fog = OVfognode_new(parent);
    ASSERT_NE(fog, nullptr);
    EXPECT_EQ(OVnode_gettype(fog), 18);
    EXPECT_EQ(OVfognode_getmode(fog), 0);
    EXPECT_FLOAT_EQ(OVfognode_getrange(fog), 0);
    EXPECT_FALSE(OVfognode_setmode(fog, 3));
    EXPECT_FALSE(OVfognode_setmode(fog, -2));
    EXPECT_TRUE(OVfognode_setmode(fog, -1));
    EXPECT_EQ(OVfognode_getmode(fog), -1);
    EXPECT_FALSE(OVfognode_setlinearstart(fog, -1));
    EXPECT_TRUE(OVfognode_setlinearstart(fog, 5));
    EXPECT_FLOAT_EQ(OVfognode_getlinearstart(fog), 5);
    EXPECT_TRUE(OVfognode_setrange(fog, 100));
    EXPECT_FLOAT_EQ(OVfognode_getrange(fog), 100);
    EXPECT_TRUE(OVfognode_setcolor(fog, 0.1f, 0.2f, 0.3f, 0.4f));
    float rgba[4];
    OVfognode_getcolor2(fog, rgba);
    EXPECT_FLOAT_EQ(rgba[3], 0.4f);
    EXPECT_EQ(OVfognode_getmode(parent), -1);
    EXPECT_FLOAT_EQ(OVfognode_getrange(parent), -1);
    EXPECT_FALSE(OVfognode_setrange(parent, 1));
}
