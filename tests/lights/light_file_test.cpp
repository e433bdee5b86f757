// Light files: reading, writing, round trips and the reports of bad lines.
#include "light_fixture.h"

TEST_F(LightTest, SpotLineReadsWithDegreeAngle) {
    const std::string path = write_file("spot.lit", "spot pos 0 0 0 dir 0 0 -1 int 0.5 angle 30\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 1);
    OVnode *spot = child(0);
    EXPECT_EQ(OVlightnode_gettype(spot), OVLIGHT_SPOT);
    EXPECT_NEAR(OVlightnode_getangle(spot), 0.5235988f, 1e-6);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(spot), 0.5f);
    OVp3 d;
    OVlightnode_getdirection(spot, d);
    EXPECT_P3_NEAR(d, 0, 0, -1);
}

TEST_F(LightTest, OutOfRangeAngleIsReportedAndTheDefaultKept) {
    const std::string path = write_file("angle.lit", "spot angle 95 exp 0.5\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 1);
    EXPECT_NEAR(OVlightnode_getangle(child(0)), 0.3926991f, 1e-7);
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(child(0)), 0);
    EXPECT_NE(g_messages.find("Spot light angle must be between 0 and 90.\n"), std::string::npos);
    EXPECT_NE(
        g_messages.find("Spot light exponent must be equal to 0.0 or between 1.0 and 128.0.\n"),
        std::string::npos);
}

TEST_F(LightTest, RgbGivesTheDiffuseColourOnly) {
    const std::string path = write_file("rgb.lit", "point rgb ff0000 diff 0 1 0 amb 0.5 0.5 0.5\n"
                                                   "ambient rgb 0x0F0 int 0.25\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 2);
    float c[3];
    OVlightnode_getdiffuse2(child(0), c);
    EXPECT_P3_NEAR(c, 1, 0, 0);
    OVlightnode_getambient2(child(0), c);
    EXPECT_P3_NEAR(c, 0, 0, 0);
    EXPECT_EQ(OVlightnode_gettype(child(1)), OVLIGHT_AMBIENT);
    OVlightnode_getambient2(child(1), c);
    EXPECT_P3_NEAR(c, 0, 1, 0); // 0x0F0 widened to 0x00FF00
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(1)), 0.25f);
}

TEST_F(LightTest, OnlyTheFirstTokenOfALineStartsALight) {
    const std::string path = write_file("two.lit", "point int 1 point int 0.5\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 1);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.5f);
    EXPECT_NE(g_messages.find("unknown light attribute.\n"), std::string::npos);
    EXPECT_NE(g_messages.find("            ^\n"), std::string::npos);
}

TEST_F(LightTest, UnknownTypeIsReportedWithItsLine) {
    const std::string path = write_file("unknown.lit", "// lights\nxenon int 1\ndirected\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    EXPECT_NE(g_messages.find("Line 2 in '" + path + "'.\n"), std::string::npos);
    EXPECT_NE(g_messages.find("xenon int 1"), std::string::npos);
    EXPECT_NE(g_messages.find("Unknown light type.\n"), std::string::npos);
    // "int" and "1" are not light types either; the directed light is read.
    ASSERT_EQ(OVnode_numchildren(parent), 1);
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_DIRECTED);
}

TEST_F(LightTest, BadNumberAbandonsTheLightWithACaretUnderIt) {
    const std::string path = write_file("bad.lit", "point pos 1 2,5 3\n"
                                                   "\tint 0.5\n"
                                                   "spot int\n"
                                                   "directed int 0.25\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    EXPECT_NE(g_messages.find("Line 1 in '" + path + "'.\n"), std::string::npos);
    EXPECT_NE(g_messages.find("point pos 1 2,5 3"), std::string::npos);
    EXPECT_NE(g_messages.find("\n            ^\n"), std::string::npos);
    EXPECT_NE(g_messages.find("light position invalid.  Remember not to use punctuation.\n"),
              std::string::npos);
    EXPECT_NE(g_messages.find("light intensity missing.\n"), std::string::npos);
    // The point and the spot light are abandoned, the directed one is made.
    ASSERT_EQ(OVnode_numchildren(parent), 1);
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_DIRECTED);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.25f);
}

TEST_F(LightTest, UnreadableFileFails) {
    EXPECT_FALSE(OVlightnode_load(parent, "/nonexistent/dir/lights.lit"));
    EXPECT_FALSE(OVlightnode_load(parent, nullptr));
}

TEST_F(LightTest, SavedLightsReadBackTheSame) {
    OVnode *spot = OVlightnode_newspot(parent);
    const OVp3 p = {1, -2, 3};
    OVp3 d = {0, 1, 1};
    OVlightnode_setposition(spot, p);
    OVlightnode_setdirection(spot, d);
    OVlightnode_setintensity(spot, 0.75f);
    OVlightnode_setangle(spot, 0.6f);
    OVlightnode_setexponent(spot, 16);
    OVlightnode_setattenuation(spot, 1, 0.1f, 0.01f);
    OVlightnode_setambient(spot, 0.1f, 0.2f, 0.3f);
    OVlightnode_setdiffuse(spot, 0.4f, 0.5f, 0.6f);
    OVlightnode_setspecular(spot, 0.7f, 0.8f, 0.9f);
    const std::string path = write_file("saved.lit", "");
    ASSERT_TRUE(OVlightnode_save(spot, path.c_str()));
    OVnode *into = OVsepnode_new(parent);
    ASSERT_TRUE(OVlightnode_load(into, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(into), 1);
    OVnode *back = OVnode_getchild(into, 0);
    EXPECT_EQ(OVlightnode_gettype(back), OVLIGHT_SPOT);
    OVp3 v;
    OVlightnode_getposition(back, v);
    EXPECT_P3_NEAR(v, 1, -2, 3);
    OVlightnode_getdirection(back, v);
    EXPECT_P3_NEAR(v, 0, 0.7071068f, 0.7071068f);
    EXPECT_NEAR(OVlightnode_getintensity(back), 0.75f, 1e-6);
    EXPECT_NEAR(OVlightnode_getangle(back), 0.6f, 1e-5);
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(back), 16);
    OVlightnode_getattenuation2(back, v);
    EXPECT_P3_NEAR(v, 1, 0.1f, 0.01f);
    OVlightnode_getambient2(back, v);
    EXPECT_P3_NEAR(v, 0.1f, 0.2f, 0.3f);
    OVlightnode_getdiffuse2(back, v);
    EXPECT_P3_NEAR(v, 0.4f, 0.5f, 0.6f);
    OVlightnode_getspecular2(back, v);
    EXPECT_P3_NEAR(v, 0.7f, 0.8f, 0.9f);
    EXPECT_TRUE(g_messages.empty()) << g_messages;
}

TEST_F(LightTest, SavedAmbientAndPointReadBack) {
    OVnode *ambient = OVlightnode_newambient(parent);
    OVlightnode_setintensity(ambient, 0.3f);
    OVlightnode_setambient(ambient, 0.2f, 0.4f, 0.6f);
    OVnode *point = OVlightnode_newpoint(parent);
    const OVp3 p = {-100, -100, 0};
    OVlightnode_setposition(point, p);
    const std::string a = write_file("ambient.lit", ""), b = write_file("point.lit", "");
    ASSERT_TRUE(OVlightnode_save(ambient, a.c_str()));
    ASSERT_TRUE(OVlightnode_save(point, b.c_str()));
    OVnode *into = OVsepnode_new(parent);
    ASSERT_TRUE(OVlightnode_load(into, a.c_str()));
    ASSERT_TRUE(OVlightnode_load(into, b.c_str()));
    ASSERT_EQ(OVnode_numchildren(into), 2);
    EXPECT_EQ(OVlightnode_gettype(OVnode_getchild(into, 0)), OVLIGHT_AMBIENT);
    EXPECT_NEAR(OVlightnode_getintensity(OVnode_getchild(into, 0)), 0.3f, 1e-6);
    float c[3];
    OVlightnode_getambient2(OVnode_getchild(into, 0), c);
    EXPECT_P3_NEAR(c, 0.2f, 0.4f, 0.6f);
    OVp3 v;
    OVlightnode_getposition(OVnode_getchild(into, 1), v);
    EXPECT_P3_NEAR(v, -100, -100, 0);
}

TEST_F(LightTest, SavingAnotherNodeIsRefused) {
    const std::string path = write_file("none.lit", "");
    EXPECT_FALSE(OVlightnode_save(parent, path.c_str()));
    EXPECT_NE(g_messages.find("Node type should be light or ambient\n"), std::string::npos);
    OVnode *light = OVlightnode_newdirected(parent);
    EXPECT_FALSE(OVlightnode_save(light, "/nonexistent/dir/x.lit"));
}
