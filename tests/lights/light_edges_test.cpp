// Light and fog edges: limits at their boundaries, what each kind accepts,
// quiet refusals, and light files whose lights end early or are too many.
#include "light_fixture.h"

#include "orv/orv_internal.h"
#include "orv/property.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> told;

void hear_q(void *, const char *name, void *value, double) {
    const float *q = static_cast<const float *>(value);
    char text[128];
    std::snprintf(text, sizeof text, "%s=%g,%g,%g,%g", name, q[0], q[1], q[2], q[3]);
    told.emplace_back(text);
}

TEST_F(LightTest, TheNinthLightIsRefusedWithoutAWord) {
    for (int i = 0; i < 8; ++i)
        ASSERT_NE(OVlightnode_newspot(parent), nullptr);
    g_messages.clear();
    EXPECT_EQ(OVlightnode_newspot(parent), nullptr);
    EXPECT_EQ(OVmovlightnode_newdirected(parent), nullptr);
    EXPECT_EQ(g_messages, "");
    EXPECT_EQ(OVnode_numchildren(parent), 8);
}

TEST_F(LightTest, AttenuationLimitsAreInclusive) {
    OVnode *spot = OVlightnode_newspot(parent);
    EXPECT_TRUE(OVlightnode_setattenuation(spot, 0.004f, 0, 0));
    float a[3];
    ASSERT_TRUE(OVlightnode_getattenuation2(spot, a));
    EXPECT_P3_NEAR(a, 0.004f, 0, 0);
    EXPECT_FALSE(OVlightnode_setattenuation(spot, 0.0039f, 0, 0));
    EXPECT_FALSE(OVlightnode_setattenuation(spot, 1, 0, -0.001f));
    EXPECT_FALSE(OVlightnode_setattenuation(OVlightnode_newambient(parent), 1, 0, 0));
    ASSERT_TRUE(OVlightnode_getattenuation2(spot, a));
    EXPECT_P3_NEAR(a, 0.004f, 0, 0);
}

TEST_F(LightTest, SpotValuesBelongToSpotsOnly) {
    OVnode *point = OVlightnode_newpoint(parent);
    OVnode *directed = OVlightnode_newdirected(parent);
    OVnode *ambient = OVlightnode_newambient(parent);
    for (OVnode *other : {point, directed, ambient}) {
        EXPECT_FALSE(OVlightnode_setexponent(other, 2));
        EXPECT_FALSE(OVlightnode_setangle(other, 0.2f));
        EXPECT_FLOAT_EQ(OVlightnode_getexponent(other), -1);
        EXPECT_FLOAT_EQ(OVlightnode_getangle(other), -1);
    }
    OVnode *spot = OVlightnode_newspot(parent);
    EXPECT_TRUE(OVlightnode_setangle(spot, 0));
    EXPECT_FLOAT_EQ(OVlightnode_getangle(spot), 0);
    EXPECT_FALSE(OVlightnode_setexponent(spot, -1));
    EXPECT_FALSE(OVlightnode_setexponent(spot, 0.999f));
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(spot), 0);
}

TEST_F(LightTest, IntensitiesBelowOneAreKeptAsGiven) {
    OVnode *directed = OVlightnode_newdirected(parent);
    ASSERT_TRUE(OVlightnode_setintensity(directed, 0.25f));
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(directed), 0.25f);
    ASSERT_TRUE(OVlightnode_setintensity(directed, 1));
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(directed), 1);
    OVnode *fog = OVfognode_new(parent);
    EXPECT_FALSE(OVlightnode_setintensity(fog, 0.5f));
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(fog), -1);
    EXPECT_FLOAT_EQ(OVfognode_getlinearstart(directed), -1);
    EXPECT_FLOAT_EQ(OVfognode_getrange(directed), -1);
    EXPECT_EQ(OVfognode_getmode(directed), -1);
    EXPECT_EQ(OVlightnode_gettype(fog), 0);
}

TEST_F(LightTest, FogColourArraysRoundTripAndAreTold) {
    told.clear();
    OVnode *fog = OVfognode_new(parent);
    ASSERT_TRUE(OVproperty_addhandler(fog, "Color", hear_q));
    const float rgba[4] = {0.5f, 0.25f, 0.125f, 1};
    ASSERT_TRUE(OVfognode_setcolor2(fog, rgba));
    float back[4] = {0, 0, 0, 0};
    ASSERT_TRUE(OVfognode_getcolor2(fog, back));
    for (int i = 0; i < 4; ++i)
        EXPECT_FLOAT_EQ(back[i], rgba[i]);
    EXPECT_TRUE(OVfognode_setlinearstart(fog, 0));
    EXPECT_FALSE(OVfognode_setcolor2(OVlightnode_newambient(parent), rgba));
    EXPECT_FALSE(OVfognode_getcolor2(parent, back));
    _OVevent_pass();
    EXPECT_EQ(told, std::vector<std::string>{"Color=0.5,0.25,0.125,1"});
}

TEST_F(LightTest, EmptyAndCommentOnlyFilesReadAsNoLights) {
    const std::string empty = write_file("empty.lit", "");
    const std::string comments =
        write_file("comments.lit", "// nothing here\n\n   // still nothing\n\t\n");
    EXPECT_TRUE(OVlightnode_load(parent, empty.c_str()));
    EXPECT_TRUE(OVlightnode_load(parent, comments.c_str()));
    EXPECT_EQ(OVnode_numchildren(parent), 0);
    EXPECT_EQ(g_messages, "");
}

TEST_F(LightTest, AnUnknownTypeIsSkippedAndTheNextTokenStartsALight) {
    const std::string path = write_file("skip.lit", "xenon point int 0.5\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 1) << g_messages;
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_POINT);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.5f);
    EXPECT_NE(g_messages.find("Unknown light type.\n"), std::string::npos);
    EXPECT_EQ(g_messages.find("unknown light attribute"), std::string::npos) << g_messages;
}

TEST_F(LightTest, FileValuesPassThroughTheSetters) {
    const std::string path = write_file("setters.lit", "point int 2.5\n"
                                                       "ambient int 2.5 amb 0.2 0.3 0.4\n"
                                                       "directed dir 0 0 0\n"
                                                       "directed dir 0 -2 0\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 4) << g_messages;
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 1); // clamped like the setter
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(1)), 2.5f);
    float c[3];
    ASSERT_TRUE(OVlightnode_getambient2(child(1), c));
    EXPECT_P3_NEAR(c, 0.2f, 0.3f, 0.4f);
    OVp3 d;
    ASSERT_TRUE(OVlightnode_getdirection(child(2), d));
    EXPECT_P3_NEAR(d, 0, 0, 1); // a zero direction is refused, the default stays
    ASSERT_TRUE(OVlightnode_getdirection(child(3), d));
    EXPECT_P3_NEAR(d, 0, -1, 0);
}

TEST_F(LightTest, ANumberMissingAtTheEndOfTheFileMakesNoLight) {
    const std::string path = write_file("short.lit", "directed int 0.5\npoint pos 1 2");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 1);
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_DIRECTED);
    EXPECT_NE(g_messages.find("light position missing.\n"), std::string::npos) << g_messages;
}

TEST_F(LightTest, AnAbortedLightLetsTheNextOneBeRead) {
    const std::string path = write_file("abort.lit", "spot int x exp 20\n"
                                                     "point int 0.75\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    // The spot is dropped; its remaining tokens are read as light types.
    ASSERT_EQ(OVnode_numchildren(parent), 1) << g_messages;
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_POINT);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.75f);
    EXPECT_NE(g_messages.find("light intensity invalid.  Remember not to use punctuation.\n"),
              std::string::npos);
    EXPECT_NE(g_messages.find("Line 1 in '" + path + "'.\n"), std::string::npos) << g_messages;
    EXPECT_NE(g_messages.find("Unknown light type.\n"), std::string::npos) << g_messages;
}

TEST_F(LightTest, ReportsNameTheLineOfTheOffendingToken) {
    const std::string path = write_file("third.lit", "point\n"
                                                     "\tint 0.5\n"
                                                     "\tbogus 1\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    EXPECT_NE(g_messages.find("Line 3 in '" + path + "'.\n"), std::string::npos) << g_messages;
    EXPECT_NE(g_messages.find("\tbogus 1\n        ^\nunknown light attribute.\n"),
              std::string::npos)
        << g_messages;
    ASSERT_EQ(OVnode_numchildren(parent), 1);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.5f);
}

TEST_F(LightTest, AFileWithNineLightsMakesEight) {
    std::string text;
    for (int i = 0; i < 9; ++i)
        text += "point int 0.5\n";
    const std::string path = write_file("nine.lit", text.c_str());
    EXPECT_TRUE(OVlightnode_load(parent, path.c_str()));
    EXPECT_EQ(OVnode_numchildren(parent), 8);
}

TEST_F(LightTest, TwelveBitColoursAreWidened) {
    const std::string path = write_file("twelve.lit", "spot rgb 0xF80\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 1) << g_messages;
    float c[3];
    ASSERT_TRUE(OVlightnode_getdiffuse2(child(0), c));
    EXPECT_P3_NEAR(c, 1, 0x88 / 255.0f, 0);
}

TEST_F(LightTest, SavingWhereNoFileCanBeMadeFails) {
    OVnode *point = OVlightnode_newpoint(parent);
    EXPECT_FALSE(OVlightnode_save(point, "/nonexistent_dir/lights.lit"));
    EXPECT_FALSE(OVlightnode_save(point, nullptr));
    g_messages.clear();
    EXPECT_FALSE(OVlightnode_save(OVfognode_new(parent), "/tmp/never.lit"));
    EXPECT_NE(g_messages.find("Node type should be light or ambient\n"), std::string::npos);
}

} // namespace

namespace {

TEST_F(LightTest, ALineLongerThanTheReaderTakesIsReadOnInPieces) {
    std::string text = "point";
    text.append(1100, ' ');
    text += "int 0.5\n";
    const std::string path = write_file("long.lit", text.c_str());
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 1) << g_messages;
    EXPECT_EQ(OVlightnode_gettype(child(0)), OVLIGHT_POINT);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.5f);
}

} // namespace

namespace {

TEST_F(LightTest, ACommentMayEndAToken) {
    const std::string path = write_file("cut.lit", "point int 0.5// the rest is ignored int 0.1\n"
                                                   "spot //int 0.2\n");
    ASSERT_TRUE(OVlightnode_load(parent, path.c_str()));
    ASSERT_EQ(OVnode_numchildren(parent), 2) << g_messages;
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(0)), 0.5f);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(child(1)), 1);
    EXPECT_EQ(g_messages, "");
}

} // namespace
