// The font list reader: line rules, heights, refused lines and their messages.
#include "draw2d/font_list.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using orv::draw2d::FontRequest;
using orv::draw2d::parse_font_list;

std::vector<std::string> messages;
int keep(const char *text) {
    messages.emplace_back(text);
    return 0;
}

struct FontList : ::testing::Test {
    void SetUp() override {
        messages.clear();
        OVmessage_sethook(keep);
    }
    void TearDown() override { OVmessage_sethook(nullptr); }
    static std::vector<FontRequest> parse(const std::string &text) {
        return parse_font_list(text.data(), text.size());
    }
};

TEST_F(FontList, FaceWithHeightAndFaceAlone) {
    const auto fonts = parse("Arial 24\nCourier New\n");
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].face, "Arial");
    EXPECT_EQ(fonts[0].height, 24);
    EXPECT_EQ(fonts[1].face, "Courier New");
    EXPECT_EQ(fonts[1].height, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FontList, WhiteSpaceSqueezedAndShortLinesSkipped) {
    const auto fonts = parse("\n\nx\n \t Times \t  New   Roman\t 12 \r\nA\n");
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].face, "Times New Roman");
    EXPECT_EQ(fonts[0].height, 12);
}

TEST_F(FontList, DigitWithoutBlankIsPartOfTheName) {
    const auto fonts = parse("Font3\nSerif 10pt\n");
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].face, "Font3");
    EXPECT_EQ(fonts[0].height, 0);
    EXPECT_EQ(fonts[1].face, "Serif 10pt");
    EXPECT_EQ(fonts[1].height, 0);
}

TEST_F(FontList, LastLineWithoutEndOfLine) {
    const auto fonts = parse("Sans 9");
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].height, 9);
}

TEST_F(FontList, HugeHeightSaturatesInsteadOfOverflowing) {
    const auto fonts = parse("Sans 99999999999999999999\n");
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].height, 2147483647);
}

TEST_F(FontList, OverlongLineReportedAndSkippedWhole) {
    const std::string tail = "Serif 14";
    const std::string text = std::string(300, 'a') + " " + tail + "\nMono\n";
    const auto fonts = parse(text);
    // The rest of the long line is not read as a font of its own.
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].face, "Mono");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("line 1 is longer than 254 characters"), std::string::npos);
}

TEST_F(FontList, LineOfExactly254CharactersIsRead) {
    const auto fonts = parse(std::string(254, 'b') + "\n");
    EXPECT_TRUE(fonts.empty()); // read, then refused for its face name
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Font face name longer than 31 characters"), std::string::npos);
}

TEST_F(FontList, FaceNameOf31KeptAnd32Refused) {
    const std::string ok(31, 'c'), long_name(32, 'd');
    const auto fonts = parse(ok + " 10\n" + long_name + " 10\n");
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].face, ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(long_name), std::string::npos);
}

} // namespace
