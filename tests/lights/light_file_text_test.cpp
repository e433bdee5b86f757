// The exact text a saved light file holds, the letters that start a light,
// keywords applied to the light they belong to, and the colour setters by
// node kind.
#include "light_fixture.h"

#include <fstream>
#include <sstream>

namespace {

std::string contents(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(LightTest, SavedFilesHoldTheDocumentedLines) {
    OVnode *directed = OVlightnode_newdirected(parent);
    OVp3 d = {0, -2, 0};
    ASSERT_TRUE(OVlightnode_setdirection(directed, d));
    ASSERT_TRUE(OVlightnode_setintensity(directed, 0.5f));
    const std::string a = write_file("directed.lit", "");
    ASSERT_TRUE(OVlightnode_save(directed, a.c_str()));
    EXPECT_EQ(contents(a), "//lights -- Orvane light file\n"
                           "directed dir 0.000000 -1.000000 0.000000 int 0.500000 \n"
                           "\tamb 0.000000 0.000000 0.000000 diff 1.000000 1.000000 1.000000 "
                           "spec 1.000000 1.000000 1.000000\n");

    OVnode *point = OVlightnode_newpoint(parent);
    const OVp3 p = {1, 2, 3};
    ASSERT_TRUE(OVlightnode_setposition(point, p));
    ASSERT_TRUE(OVlightnode_setattenuation(point, 2, 0.5f, 0.25f));
    ASSERT_TRUE(OVlightnode_setdiffuse(point, 0.5f, 0, 0));
    const std::string b = write_file("point.lit", "");
    ASSERT_TRUE(OVlightnode_save(point, b.c_str()));
    EXPECT_EQ(contents(b), "//lights -- Orvane light file\n"
                           "point pos 1.000000 2.000000 3.000000 int 1.000000 "
                           "att 2.000000 0.500000 0.250000\n"
                           "\tamb 0.000000 0.000000 0.000000 diff 0.500000 0.000000 0.000000 "
                           "spec 1.000000 1.000000 1.000000\n");

    OVnode *spot = OVlightnode_newspot(parent);
    ASSERT_TRUE(OVlightnode_setexponent(spot, 4));
    const std::string c = write_file("spot.lit", "");
    ASSERT_TRUE(OVlightnode_save(spot, c.c_str()));
    EXPECT_EQ(contents(c), "//lights -- Orvane light file\n"
                           "spot pos 0.000000 0.000000 0.000000 dir 0.000000 0.000000 1.000000\n"
                           "\tint 1.000000 angle 22.500000 exp 4.000000 "
                           "att 1.000000 0.000000 0.000000\n"
                           "\tamb 0.000000 0.000000 0.000000 diff 1.000000 1.000000 1.000000 "
                           "spec 1.000000 1.000000 1.000000\n");

    OVnode *ambient = OVlightnode_newambient(parent);
    const std::string e = write_file("ambient.lit", "");
    ASSERT_TRUE(OVlightnode_save(ambient, e.c_str()));
    EXPECT_EQ(contents(e), "//lights -- Orvane light file\n"
                           "ambient int 0.400000 amb 1.000000 1.000000 1.000000 \n");
    EXPECT_TRUE(g_messages.empty()) << g_messages;
}

TEST_F(LightTest, AMovableLightIsSavedAsItsLight) {
    OVnode *movable = OVmovlightnode_newpoint(parent);
    const OVp3 p = {4, 5, 6};
    ASSERT_TRUE(OVlightnode_setposition(movable, p));
    const std::string path = write_file("movable.lit", "");
    ASSERT_TRUE(OVlightnode_save(movable, path.c_str()));
    EXPECT_NE(contents(path).find("point pos 4.000000 5.000000 6.000000 int 1.000000"),
              std::string::npos);
    EXPECT_FALSE(OVlightnode_save(OVmovsepnode_new(parent), path.c_str()));
    EXPECT_NE(g_messages.find("Node type should be light or ambient\n"), std::string::npos);
}

TEST_F(LightTest, TheFirstLetterInAnyCaseStartsALight) {
    const std::string path = write_file("letters.lit", "Point int 0.5\n"
                                                       "SPOTLIGHT angle 45\n"
                                                       "dirlight dir 1 0 0\n"
                                                       "Ambience int 0.75\n"
                                                       "pretty int 0.25\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 5) << g_messages;
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_POINT);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.5f);
    EXPECT_EQ(OVlightnode_gettype(child(1)), OVLIGHT_SPOT);
    EXPECT_NEAR(OVlightnode_getangle(child(1)), 0.7853982f, 1e-6);
    EXPECT_EQ(OVlightnode_gettype(child(2)), OVLIGHT_DIRECTED);
    OVp3 d;
    ASSERT_TRUE(OVlightnode_getdirection(child(2), d));
    EXPECT_P3_NEAR(d, 1, 0, 0);
    EXPECT_EQ(OVlightnode_gettype(child(3)), OVLIGHT_AMBIENT);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(3)), 0.75f);
    EXPECT_EQ(OVlightnode_gettype(child(4)), OVLIGHT_POINT);
    EXPECT_TRUE(g_messages.empty()) << g_messages;
}

TEST_F(LightTest, KeywordsReachTheirSetters) {
    const std::string path = write_file("keys.lit", "spot anglerad 0.25 exp 64 // radians\n"
                                                    "  att 2 0.5 0.125 amb 0.1 0.2 0.3\n"
                                                    "  diff 0.4 0.5 0.6 spec 0.7 0.8 0.9\n"
                                                    "point att 1 1 0 int 3\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 2) << g_messages;
    OVnode *spot = child(0);
    EXPECT_FLOAT_EQ(OVlightnode_getangle(spot), 0.25f);
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(spot), 64);
    float v[3];
    ASSERT_TRUE(OVlightnode_getattenuation2(spot, v));
    EXPECT_P3_NEAR(v, 2, 0.5f, 0.125f);
    ASSERT_TRUE(OVlightnode_getambient2(spot, v));
    EXPECT_P3_NEAR(v, 0.1f, 0.2f, 0.3f);
    ASSERT_TRUE(OVlightnode_getdiffuse2(spot, v));
    EXPECT_P3_NEAR(v, 0.4f, 0.5f, 0.6f);
    ASSERT_TRUE(OVlightnode_getspecular2(spot, v));
    EXPECT_P3_NEAR(v, 0.7f, 0.8f, 0.9f);
    OVnode *point = child(1);
    ASSERT_TRUE(OVlightnode_getattenuation2(point, v));
    EXPECT_P3_NEAR(v, 1, 1, 0);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(point), 1); // clamped by its setter
    EXPECT_TRUE(g_messages.empty()) << g_messages;
}

TEST_F(LightTest, KeywordsOfOtherKindsAreUnknownAttributes) {
    const std::string path = write_file("kinds.lit", "directed pos 1 2 3\n"
                                                     "point dir 0 0 1\n"
                                                     "ambient diff 1 1 1\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    // Each keyword and then its numbers are reported; the lights are made.
    ASSERT_EQ(OVnode_numchildren(parent), 3);
    OVp3 d;
    ASSERT_TRUE(OVlightnode_getdirection(child(0), d));
    EXPECT_P3_NEAR(d, 0, 0, 1);
    EXPECT_NE(g_messages.find("directed pos 1 2 3\n         ^\nunknown light attribute.\n"),
              std::string::npos)
        << g_messages;
    EXPECT_NE(g_messages.find("point dir 0 0 1\n      ^\nunknown light attribute.\n"),
              std::string::npos);
    EXPECT_NE(g_messages.find("ambient diff 1 1 1\n        ^\nunknown light attribute.\n"),
              std::string::npos);
}

TEST_F(LightTest, AForeignKeywordStartingALineStartsALight) {
    // "angle" is no keyword of a directed light and begins with A.
    const std::string path = write_file("angle.lit", "directed int 0.5\n"
                                                     "angle 30\n"
                                                     "spot\n"
                                                     "angle 30\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 3) << g_messages;
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_DIRECTED);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.5f);
    EXPECT_EQ(OVlightnode_gettype(child(1)), OVLIGHT_AMBIENT);
    EXPECT_NE(g_messages.find("angle 30\n      ^\nunknown light attribute.\n"), std::string::npos)
        << g_messages;
    // For the spot light "angle" is its own keyword.
    EXPECT_EQ(OVlightnode_gettype(child(2)), OVLIGHT_SPOT);
    EXPECT_NEAR(OVlightnode_getangle(child(2)), 0.5235988f, 1e-6);
}

TEST_F(LightTest, AnRgbColourWinsOverTheOthers) {
    const std::string path = write_file("rgb.lit", "ambient amb 0.5 0.5 0.5 rgb 0000ff\n"
                                                   "spot spec 0 0 0 rgb 0xF80 diff 0 0 1\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 2) << g_messages;
    float c[3];
    ASSERT_TRUE(OVlightnode_getambient2(child(0), c));
    EXPECT_P3_NEAR(c, 0, 0, 1);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.4f);
    ASSERT_TRUE(OVlightnode_getdiffuse2(child(1), c));
    EXPECT_P3_NEAR(c, 1, 0x88 / 255.0f, 0);
    ASSERT_TRUE(OVlightnode_getspecular2(child(1), c));
    EXPECT_P3_NEAR(c, 1, 1, 1); // with "rgb" nothing but the diffuse colour is set
    EXPECT_TRUE(g_messages.empty()) << g_messages;
}

TEST_F(LightTest, CarriageReturnsAndTabsSeparateTokens) {
    const std::string path = write_file("crlf.lit", "point\tint 0.5\r\n"
                                                    "\tpos 1\t2 3\r\n"
                                                    "spot angle 30\r\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 2) << g_messages;
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.5f);
    OVp3 p;
    ASSERT_TRUE(OVlightnode_getposition(child(0), p));
    EXPECT_P3_NEAR(p, 1, 2, 3);
    EXPECT_NEAR(OVlightnode_getangle(child(1)), 0.5235988f, 1e-6);
    EXPECT_TRUE(g_messages.empty()) << g_messages;
}

TEST_F(LightTest, ColourSettersByNodeKind) {
    OVnode *ambient = OVlightnode_newambient(parent);
    OVnode *directed = OVlightnode_newdirected(parent);
    EXPECT_FALSE(OVlightnode_setdiffuse(ambient, 1, 0, 0));
    EXPECT_FALSE(OVlightnode_setspecular(ambient, 1, 0, 0));
    float r = 9, g = 9, b = 9;
    EXPECT_FALSE(OVlightnode_getspecular(ambient, &r, &g, &b));
    ASSERT_TRUE(OVlightnode_setambient(ambient, 0.25f, 0.5f, 0.75f));
    ASSERT_TRUE(OVlightnode_getambient(ambient, &r, &g, &b));
    EXPECT_FLOAT_EQ(r, 0.25f);
    EXPECT_FLOAT_EQ(b, 0.75f);
    ASSERT_TRUE(OVlightnode_setambient(directed, 0.1f, 0.2f, 0.3f));
    ASSERT_TRUE(OVlightnode_getambient(directed, &r, &g, &b));
    EXPECT_FLOAT_EQ(g, 0.2f);
    ASSERT_TRUE(OVlightnode_getspecular(directed, &r, &g, &b));
    EXPECT_FLOAT_EQ(r, 1);
    // A position may be given to any light kind.
    const OVp3 p = {1, 2, 3};
    EXPECT_TRUE(OVlightnode_setposition(directed, p));
    OVp3 got;
    ASSERT_TRUE(OVlightnode_getposition(directed, got));
    EXPECT_P3_NEAR(got, 1, 2, 3);
    EXPECT_FALSE(OVlightnode_setposition(ambient, p));
    EXPECT_FALSE(OVlightnode_setambient(parent, 1, 1, 1));
    // Fog starts all zero.
    OVnode *fog = OVfognode_new(parent);
    float rgba[4] = {9, 9, 9, 9};
    ASSERT_TRUE(OVfognode_getcolor(fog, &rgba[0], &rgba[1], &rgba[2], &rgba[3]));
    EXPECT_EQ(rgba[0] + rgba[1] + rgba[2] + rgba[3], 0);
    EXPECT_FLOAT_EQ(OVfognode_getlinearstart(fog), 0);
    EXPECT_EQ(OVnode_isenabled(fog), 1);
    EXPECT_FALSE(OVfognode_setcolor(parent, 1, 1, 1, 1));
}

TEST_F(LightTest, DirectionOfEveryKindWithARecord) {
    OVnode *spot = OVlightnode_newspot(parent);
    OVp3 d = {3, 0, 4};
    ASSERT_TRUE(OVlightnode_setdirection(spot, d));
    EXPECT_P3_NEAR(d, 0.6f, 0, 0.8f);
    OVp3 zero = {0, 0, 0};
    EXPECT_FALSE(OVlightnode_setdirection(spot, zero));
    EXPECT_FALSE(OVlightnode_setdirection(OVlightnode_newambient(parent), d));
    OVp3 got;
    ASSERT_TRUE(OVlightnode_getdirection(spot, got));
    EXPECT_P3_NEAR(got, 0.6f, 0, 0.8f);
}

} // namespace
