#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string captured;
int capture(const char *text) {
    captured += text;
    return 1;
}

std::string file_text(FILE *f) {
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;)
        s += static_cast<char>(c);
    return s;
}

class Channels : public ::testing::Test {
  protected:
    void SetUp() override {
        captured.clear();
        OVmessage_sethook(capture);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        for (int c = 1; c <= 3; ++c)
            OVmessage_setoutput(c, 1, nullptr);
        OVmessage_setoutput(4, 0, nullptr);
    }
};

TEST_F(Channels, WarningFileOnlyStillCallsTheHook) {
    FILE *f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    OVmessage_setoutput(2, 2, f);
    testing::internal::CaptureStdout();
    EXPECT_EQ(OVwarning("to the file %s\n", "only"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(file_text(f), "ORV Warning: to the file only\n");
    EXPECT_EQ(captured, "ORV Warning: to the file only\n");
    std::fclose(f);
}

TEST_F(Channels, ConsoleOutputIsPlainText) {
    testing::internal::CaptureStdout();
    OVmessage("a %d", 1);
    OVwarning("b\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "a 1ORV Warning: b\n");
}

TEST_F(Channels, ConsoleAndFileTogetherWithOneHookCall) {
    FILE *f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    OVmessage_setoutput(3, 3, f);
    testing::internal::CaptureStdout();
    EXPECT_EQ(OVmessage("both %s\n", "ways"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "both ways\n");
    EXPECT_EQ(file_text(f), "both ways\n");
    EXPECT_EQ(captured, "both ways\n");
    // Back to the console alone: the file is no longer written.
    OVmessage_setoutput(3, 1, nullptr);
    testing::internal::CaptureStdout();
    OVmessage("console\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "console\n");
    EXPECT_EQ(file_text(f), "both ways\n");
    std::fclose(f);
}

TEST_F(Channels, WithoutAHookTheResultIsZero) {
    OVmessage_sethook(nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(OVwarning("unheard\n"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ORV Warning: unheard\n");
}

TEST_F(Channels, FileWithoutStreamAndBadChannelsChangeNothing) {
    OVmessage_setoutput(2, 2, nullptr);
    OVmessage_setoutput(0, 0, nullptr);
    OVmessage_setoutput(5, 0, nullptr);
    testing::internal::CaptureStdout();
    OVwarning("still here\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ORV Warning: still here\n");
}

TEST_F(Channels, SilentChannelSkipsTheHook) {
    OVmessage_setoutput(3, 0, nullptr);
    EXPECT_EQ(OVmessage("nobody hears this\n"), 0);
    EXPECT_EQ(captured, "");
}

TEST_F(Channels, DebugPrintsNothingEvenWhenRouted) {
    OVmessage_setoutput(4, 1, nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(OVdebug("debug %d\n", 4), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(captured, "");
}

TEST_F(Channels, LongMessagesAreTruncatedToTheBuffer) {
    std::string big(2000, 'x');
    OVmessage_setoutput(2, 0, nullptr);
    OVmessage_setoutput(2, 2, std::tmpfile());
    OVwarning("%s", big.c_str());
    ASSERT_EQ(captured.size(), 511u);
    EXPECT_EQ(captured.substr(0, 14), "ORV Warning: x");
}

TEST(Strings, DuplicateAndCompare) {
    EXPECT_EQ(OVstrdup(nullptr), nullptr);
    char *copy = OVstrdup("abc");
    EXPECT_STREQ(copy, "abc");
    OVfree(copy);
    EXPECT_EQ(OVstrcasecmp("Hello", "hELLO"), 0);
    EXPECT_LT(OVstrcasecmp("abc", "ABD"), 0);
    EXPECT_GT(OVstrcasecmp("abcd", "ABC"), 0);
}

TEST(Names, CutsAtTheLastDotFirst) {
    char *n = OVname_normalise("dir.v2/model");
    ASSERT_NE(n, nullptr);
    EXPECT_STREQ(n, "dir");
    OVfree(n);
    n = OVname_normalise("host:share");
    EXPECT_STREQ(n, "share");
    OVfree(n);
    EXPECT_EQ(OVname_normalise("dir/.hidden"), nullptr);
    EXPECT_EQ(OVname_normalise(nullptr), nullptr);
}

TEST(Memory, ReallocKeepsContents) {
    char *p = static_cast<char *>(OVmalloc(4));
    ASSERT_NE(p, nullptr);
    p[0] = 'q';
    p = static_cast<char *>(OVrealloc(p, 4096));
    EXPECT_EQ(p[0], 'q');
    OVfree(p);
}

} // namespace
