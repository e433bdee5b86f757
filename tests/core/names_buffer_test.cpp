// Name normalisation over the separators in their order, and the edge of
// the message buffer.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// The normalised name as a string, "(null)" when refused.
std::string normalised(const char *text) {
    char *n = OVname_normalise(text);
    if (!n) return "(null)";
    std::string out = n;
    OVfree(n);
    return out;
}

TEST(NameNormalise, EachSeparatorAndTheDotInTheirOrder) {
    EXPECT_EQ(normalised("C:file.txt"), "file");
    EXPECT_EQ(normalised("name."), "name");
    EXPECT_EQ(normalised("a/b\\c.d"), "c");
    EXPECT_EQ(normalised("a\\b/c"), "c");
    EXPECT_EQ(normalised("x:y/z"), "z");
    EXPECT_EQ(normalised("plain"), "plain");
    // The dot is cut first, so a dot in a directory cuts there.
    EXPECT_EQ(normalised("c:\\dir.v2\\name"), "dir");
    EXPECT_EQ(normalised("archive.tar.gz"), "archive.tar");
}

TEST(NameNormalise, NothingLeftOrABlankIsRefused) {
    EXPECT_EQ(normalised("models/"), "(null)");
    EXPECT_EQ(normalised(".ext"), "(null)");
    EXPECT_EQ(normalised("C:"), "(null)");
    EXPECT_EQ(normalised("dir\\my model.nff"), "(null)");
    // A blank only in the part that is cut away does not matter.
    EXPECT_EQ(normalised("my dir/model.nff"), "model");
    EXPECT_EQ(normalised("model.old copy"), "model");
}

TEST(NameNormalise, TheResultIsANewCopy) {
    const char text[] = "cube";
    char *n = OVname_normalise(text);
    ASSERT_NE(n, nullptr);
    EXPECT_NE(n, text);
    EXPECT_STREQ(n, "cube");
    OVfree(n);
}

TEST(Memory, ReallocOfNothingAllocatesAndFreeOfNothingIsHarmless) {
    char *p = static_cast<char *>(OVrealloc(nullptr, 8));
    ASSERT_NE(p, nullptr);
    p[7] = 'z';
    OVfree(p);
    OVfree(nullptr);
    char *empty = OVstrdup("");
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty, "");
    OVfree(empty);
}

std::string heard;
int hear(const char *text) {
    heard = text;
    return 1;
}

class MessageBuffer : public ::testing::Test {
  protected:
    void SetUp() override {
        sink_.reset(std::tmpfile());
        ASSERT_NE(sink_, nullptr);
        OVmessage_setoutput(2, 2, sink_.get());
        OVmessage_setoutput(3, 2, sink_.get());
        OVmessage_sethook(hear);
        heard.clear();
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVmessage_setoutput(2, 1, nullptr);
        OVmessage_setoutput(3, 1, nullptr);
    }
    struct Closer {
        void operator()(FILE *f) const { std::fclose(f); }
    };
    std::unique_ptr<FILE, Closer> sink_;
};

TEST_F(MessageBuffer, FiveHundredElevenCharactersFitExactly) {
    const std::string fits(511, 'm');
    OVmessage("%s", fits.c_str());
    EXPECT_EQ(heard, fits);
    OVmessage("%s", (fits + "z").c_str());
    EXPECT_EQ(heard, fits);
}

TEST_F(MessageBuffer, TheWarningPrefixCountsAgainstTheBuffer) {
    const std::string text(511 - 13, 'w');
    OVwarning("%s", text.c_str());
    EXPECT_EQ(heard, "ORV Warning: " + text);
    OVwarning("%s!", text.c_str());
    EXPECT_EQ(heard, "ORV Warning: " + text);
}

TEST_F(MessageBuffer, MessageChannelToAFileOnly) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(OVmessage("to %s\n", "file"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(heard, "to file\n");
    std::rewind(sink_.get());
    char line[32] = {};
    ASSERT_NE(std::fgets(line, sizeof line, sink_.get()), nullptr);
    EXPECT_STREQ(line, "to file\n");
}

} // namespace
