#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string captured;
int capture(const char *text) {
    captured += text;
    return 7;
}
} // namespace

TEST(Messages, WarningHasPrefixAndHookSeesText) {
    captured.clear();
    OVmessage_sethook(capture);
    EXPECT_EQ(OVwarning("value %d\n", 3), 7);
    OVmessage_sethook(nullptr);
    EXPECT_EQ(captured, "ORV Warning: value 3\n");
}

TEST(Names, NormaliseKeepsBaseName) {
    char *n = OVname_normalise("C:\\models\\dir/cube.nff");
    ASSERT_NE(n, nullptr);
    EXPECT_STREQ(n, "cube");
    OVfree(n);
    EXPECT_EQ(OVname_normalise("two words"), nullptr);
    EXPECT_EQ(OVname_normalise(""), nullptr);
}
