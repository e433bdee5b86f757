// Light file reports and the refusals that need no light node.
#include "orv/light.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string messages;
int capture(const char *text) {
    messages += text;
    return 0;
}

class LightReports : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        OVmessage_sethook(capture);
        messages.clear();
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
    }
    std::string load(const char *name, const char *text) {
        path = std::string(::testing::TempDir()) + "/" + std::to_string(::getpid()) + "_" + name;
        FILE *file = std::fopen(path.c_str(), "w");
        std::fputs(text, file);
        std::fclose(file);
        EXPECT_TRUE(OVlightnode_load(nullptr, path.c_str()));
        std::remove(path.c_str());
        return messages;
    }
    bool has(const std::string &text) const { return messages.find(text) != std::string::npos; }
    std::string path;
};

} // namespace

TEST_F(LightReports, UnknownTypeNamesItsLine) {
    load("unknown.lit", "// lights\nxenon\n");
    EXPECT_TRUE(has("Line 2 in '" + path + "'.\n"));
    EXPECT_TRUE(has("xenon"));
    EXPECT_TRUE(has("\n^\nUnknown light type.\n"));
}

TEST_F(LightReports, BadNumberGetsTheCaretUnderIt) {
    load("bad.lit", "point pos 1 2,5 3\n");
    EXPECT_TRUE(has("Line 1 in '" + path + "'.\n"));
    EXPECT_TRUE(has("point pos 1 2,5 3\n            ^\n"
                    "light position invalid.  Remember not to use punctuation.\n"));
}

TEST_F(LightReports, TabsCountToTheNextMultipleOfEight) {
    load("tab.lit", "spot\tint x\n");
    EXPECT_TRUE(has("\n            ^\nlight intensity invalid."));
}

TEST_F(LightReports, MissingNumberIsReported) {
    load("missing.lit", "spot int\n");
    EXPECT_TRUE(has("light intensity missing.\n"));
    load("missing2.lit", "ambient rgb\n");
    EXPECT_TRUE(has("light color missing.\n"));
}

TEST_F(LightReports, AmbientColourIsTheLightColour) {
    load("ambient.lit", "ambient amb 1 x 1\n");
    EXPECT_TRUE(has("\nlight color invalid.  Remember not to use punctuation.\n")) << messages;
    messages.clear();
    load("point.lit", "point amb 1 x 1\n");
    EXPECT_TRUE(has("\nlight color - ambient invalid.")) << messages;
}

TEST_F(LightReports, SecondLightOnALineIsAnUnknownAttribute) {
    load("two.lit", "point int 1 point int 0.5\n");
    EXPECT_TRUE(has("point int 1 point int 0.5\n            ^\nunknown light attribute.\n"));
    EXPECT_FALSE(has("Unknown light type."));
}

TEST_F(LightReports, KeywordOfAnotherKindIsUnknown) {
    load("kind.lit", "point angle 30\n");
    EXPECT_TRUE(has("unknown light attribute.\n"));
}

TEST_F(LightReports, SpotLimitsAreReportedAndIgnored) {
    load("limits.lit", "spot angle 95 anglerad 2 exp 0.5\nspot angle 90 anglerad 0 exp 128\n");
    EXPECT_TRUE(has("Spot light angle must be between 0 and 90.\n"));
    EXPECT_TRUE(has("Spot light angle (anglerad) must be between 0 and 1.57.\n"));
    EXPECT_TRUE(has("Spot light exponent must be equal to 0.0 or between 1.0 and 128.0.\n"));
    EXPECT_FALSE(has("Line 2 in"));
}

TEST_F(LightReports, WrittenFileIsQuietWhenRead) {
    load("quiet.lit",
         "//lights -- Orvane light file\n"
         "spot pos 1.000000 2.000000 3.000000 dir 0.000000 0.000000 1.000000\n"
         "\tint 0.500000 angle 30.000000 exp 2.000000 att 1.000000 0.000000 0.000000\n"
         "\tamb 0.000000 0.000000 0.000000 diff 1.000000 1.000000 1.000000 spec 1 1 1\n"
         "ambient int 0.400000 amb 1.000000 1.000000 1.000000 \n"
         "point rgb 0xF80 // twelve-bit colour\n");
    EXPECT_FALSE(has("Line ")) << messages;
}

TEST_F(LightReports, UnreadableFileAndWrongNodesFail) {
    EXPECT_FALSE(OVlightnode_load(nullptr, "/nonexistent/dir/lights.lit"));
    EXPECT_FALSE(OVlightnode_load(nullptr, nullptr));
    EXPECT_FALSE(OVlightnode_save(nullptr, "/tmp/never_written.lit"));
    EXPECT_TRUE(has("Node type should be light or ambient\n"));
    EXPECT_EQ(OVlightnode_gettype(nullptr), 0);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(nullptr), -1);
    EXPECT_FLOAT_EQ(OVlightnode_getangle(nullptr), -1);
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(nullptr), -1);
    EXPECT_EQ(OVfognode_getmode(nullptr), -1);
    EXPECT_FLOAT_EQ(OVfognode_getrange(nullptr), -1);
    EXPECT_FLOAT_EQ(OVfognode_getlinearstart(nullptr), -1);
    OVp3 d = {5, 5, 5};
    EXPECT_FALSE(OVlightnode_getdirection(nullptr, d));
    EXPECT_FLOAT_EQ(d[0], 0);
}
