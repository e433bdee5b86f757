// Routing of the channels between console and files, texts passed through
// unformatted, and the small string and number services.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string heard;
int hook_calls = 0;
int hear(const char *text) {
    heard += text;
    ++hook_calls;
    return 5;
}

std::string file_text(FILE *f) {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;)
        s += static_cast<char>(c);
    return s;
}

class Routing : public ::testing::Test {
  protected:
    void SetUp() override {
        heard.clear();
        hook_calls = 0;
        OVmessage_sethook(hear);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        for (int c = 1; c <= 3; ++c)
            OVmessage_setoutput(c, 1, nullptr);
        OVmessage_setoutput(4, 0, nullptr);
    }
};

// The finished text is printed as it is: a "%" coming from an argument is
// not formatted a second time.
TEST_F(Routing, FinishedTextIsPrintedAsItIs) {
    FILE *f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    OVmessage_setoutput(3, 3, f);
    testing::internal::CaptureStdout();
    EXPECT_EQ(OVmessage("%s", "100%d %s\n"), 5);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "100%d %s\n");
    EXPECT_EQ(file_text(f), "100%d %s\n");
    EXPECT_EQ(heard, "100%d %s\n");
    EXPECT_EQ(hook_calls, 1);
    std::fclose(f);
}

// Bits with the file bit but no file are refused whole: the console bit
// they carry is not taken either.
TEST_F(Routing, ARefusedSettingKeepsTheWholeOldOne) {
    OVmessage_setoutput(2, 0, nullptr);
    OVmessage_setoutput(2, 3, nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(OVwarning("silent\n"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(hook_calls, 0);
}

// A new file replaces the old one; the console alone keeps no file.
TEST_F(Routing, ANewFileReplacesTheOld) {
    FILE *first = std::tmpfile(), *second = std::tmpfile();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    OVmessage_setoutput(2, 2, first);
    OVwarning("one\n");
    OVmessage_setoutput(2, 2, second);
    OVwarning("two\n");
    EXPECT_EQ(file_text(first), "ORV Warning: one\n");
    EXPECT_EQ(file_text(second), "ORV Warning: two\n");
    EXPECT_EQ(heard, "ORV Warning: one\nORV Warning: two\n");
    std::fclose(first);
    std::fclose(second);
}

// Each channel has its own setting: silencing messages leaves warnings.
TEST_F(Routing, ChannelsAreSetOneByOne) {
    OVmessage_setoutput(3, 0, nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(OVmessage("quiet\n"), 0);
    EXPECT_EQ(OVwarning("loud\n"), 5);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ORV Warning: loud\n");
    EXPECT_EQ(heard, "ORV Warning: loud\n");
}

// The warning prefix is followed directly by the text, even an empty one.
TEST_F(Routing, AnEmptyWarningIsThePrefixAlone) {
    testing::internal::CaptureStdout();
    OVwarning("%s", "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ORV Warning: ");
    EXPECT_EQ(heard, "ORV Warning: ");
}

TEST(CaseCompare, EmptyAndPrefixTexts) {
    EXPECT_EQ(OVstrcasecmp("", ""), 0);
    EXPECT_GT(OVstrcasecmp("a", ""), 0);
    EXPECT_LT(OVstrcasecmp("", "A"), 0);
    EXPECT_EQ(OVstrcasecmp("MiXeD 1.nff", "mixed 1.NFF"), 0);
    // Upper-case copies are compared: '_' lies between 'Z' and 'a'.
    EXPECT_GT(OVstrcasecmp("_", "a"), 0);
}

// The standard generator modulo n: a negative n gives the remainders of a
// division by its size.
TEST(RandomNumbers, NegativeModulusGivesRemaindersOfItsSize) {
    bool nonzero = false;
    for (int i = 0; i < 200; ++i) {
        const int r = OVrandom(-5);
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 5);
        nonzero = nonzero || r != 0;
    }
    EXPECT_TRUE(nonzero);
    EXPECT_EQ(OVrandom(1), 0);
}

TEST(Duplicates, ACopyIsNewAndEqual) {
    const char text[] = "orvane";
    char *copy = OVstrdup(text);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, text);
    EXPECT_STREQ(copy, text);
    OVfree(copy);
}

} // namespace
