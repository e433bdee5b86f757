// Message and name services given texts longer than their buffers, null
// texts and indexes outside a material table.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string heard;
int hear(const char *text) {
    heard += text;
    return 0;
}

class LongTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        heard.clear();
        OVmessage_sethook(hear);
    }
    void TearDown() override { OVmessage_sethook(nullptr); }
};

// One message holds at most 511 characters, the warning prefix included.
constexpr std::size_t message_limit = 511;

TEST_F(LongTexts, MessagesAreCutAtTheirBuffer) {
    const std::string text(3000, 'w');
    OVmessage("%s", text.c_str());
    EXPECT_EQ(heard, text.substr(0, message_limit));
    heard.clear();
    OVwarning("%s", text.c_str());
    const std::string prefix = "ORV Warning: ";
    EXPECT_EQ(heard, prefix + text.substr(0, message_limit - prefix.size()));
}

TEST_F(LongTexts, NamesLongerThanAnyPathAreNormalisedWhole) {
    const std::string base(5000, 'b');
    char *name = OVname_normalise(("C:\\models/" + base + ".nff").c_str());
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name, base);
    OVfree(name);
    EXPECT_EQ(OVname_normalise(nullptr), nullptr);
    EXPECT_EQ(OVstrdup(nullptr), nullptr);
    EXPECT_EQ(heard, "");
}

TEST_F(LongTexts, TableColoursWrapTheirIndexAndRefuseNegativeOnes) {
    OVuniverse_new(OVDISPLAY_NONE, 0);
    OVmtable *table = OVmtable_new(OVAMBIENTDIFFUSE, 1, nullptr);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(OVmtable_matchcolor24(table, 0xFF0000), 0);
    ASSERT_EQ(OVmtable_matchcolor24(table, 0x0000FF), 1);
    EXPECT_EQ(OVmtable_getcolor24(table, INT_MAX), 0x0000FF); // INT_MAX is odd
    EXPECT_EQ(OVmtable_getcolor24(table, 2), 0xFF0000);
    EXPECT_EQ(OVmtable_getcolor24(table, -1), 0);
    EXPECT_EQ(OVmtable_getcolor24(table, INT_MIN), 0);
    EXPECT_EQ(OVmtable_getcolor24(nullptr, 0), 0);
    EXPECT_FALSE(OVmtable_setname(table, ""));
    EXPECT_FALSE(OVmtable_setname(table, std::string(300, 'm').c_str()));
    EXPECT_STREQ(OVmtable_getname(table), "mt1");
    OVuniverse_delete();
}

} // namespace
