// The line tokenizer shared by the text readers: separators, comments,
// continuation lines, the four token operations and the location report.
#include "core/tokenizer.h"
#include "orv/message.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_texts;
int capture(const char *text) {
    g_texts.emplace_back(text);
    return 1;
}

class Tokenizer : public ::testing::Test {
  protected:
    void SetUp() override {
        g_texts.clear();
        OVmessage_sethook(capture);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        if (file_) std::fclose(file_);
    }
    orv::LineTokenizer &open(const std::string &text) {
        const std::string path = orv_test::scratch_file("tokens.txt");
        std::ofstream(path, std::ios::binary) << text;
        file_ = std::fopen(path.c_str(), "rb");
        tokens_.emplace_back(file_, "tokens.txt");
        return tokens_.back();
    }
    // Every token of the current line, then whether the line really ended.
    static std::string rest_of_line(orv::LineTokenizer &t) {
        std::string out;
        while (const char *tok = t.next_on_line())
            out += std::string(out.empty() ? "" : "|") + tok;
        return out;
    }

    std::FILE *file_ = nullptr;
    std::vector<orv::LineTokenizer> tokens_;
};

TEST_F(Tokenizer, BlanksTabsCarriageReturnsAndNewlinesSeparate) {
    orv::LineTokenizer &t = open("a\tb  \r c\r\nd\n");
    ASSERT_TRUE(t.skip_line());
    EXPECT_EQ(rest_of_line(t), "a|b|c");
    EXPECT_EQ(t.next_on_line(), nullptr); // stays at the end of the line
    EXPECT_STREQ(t.next(), "d");
    EXPECT_EQ(t.line_number(), 2);
    EXPECT_EQ(t.next(), nullptr);
}

TEST_F(Tokenizer, NextSkipsBlankAndCommentOnlyLines) {
    orv::LineTokenizer &t = open("one\n\n   \t\n// nothing here\n  //x y z\ntwo three\n");
    EXPECT_STREQ(t.next(), "one");
    EXPECT_EQ(t.line_number(), 1);
    EXPECT_STREQ(t.next(), "two");
    EXPECT_EQ(t.line_number(), 6); // lines are counted from 1, skipped ones too
    EXPECT_STREQ(t.next(), "three");
    EXPECT_EQ(t.next(), nullptr);
}

TEST_F(Tokenizer, CommentCutsItsTokenAndTheRestOfTheLine) {
    orv::LineTokenizer &t = open("a b//c d\ne //f\ng\n");
    ASSERT_TRUE(t.skip_line());
    EXPECT_EQ(rest_of_line(t), "a|b"); // what precedes the marker is kept
    ASSERT_TRUE(t.skip_line());
    EXPECT_EQ(rest_of_line(t), "e");
    ASSERT_TRUE(t.skip_line());
    EXPECT_EQ(rest_of_line(t), "g");
    EXPECT_FALSE(t.skip_line());
}

TEST_F(Tokenizer, BackslashContinuesTheLine) {
    orv::LineTokenizer &t = open("a b\\\nc \\\n\\\n d\ne\n");
    ASSERT_TRUE(t.skip_line());
    // The backslash is cut from "b"; alone it is no token at all.
    EXPECT_EQ(rest_of_line(t), "a|b|c|d");
    ASSERT_TRUE(t.skip_line());
    EXPECT_EQ(rest_of_line(t), "e");
}

TEST_F(Tokenizer, BackslashInsideACommentDoesNotContinue) {
    orv::LineTokenizer &t = open("a // note \\\nb\n");
    ASSERT_TRUE(t.skip_line());
    EXPECT_EQ(rest_of_line(t), "a");
    ASSERT_TRUE(t.skip_line());
    EXPECT_EQ(rest_of_line(t), "b");
}

TEST_F(Tokenizer, SkipLineFindsTheNextLineWithTokens) {
    orv::LineTokenizer &t = open("a b\n\n// c\nd\n");
    ASSERT_TRUE(t.skip_line());
    EXPECT_STREQ(t.next_on_line(), "a");
    ASSERT_TRUE(t.skip_line()); // "b" is left behind
    EXPECT_STREQ(t.next_on_line(), "d");
    EXPECT_EQ(t.line_number(), 4);
    EXPECT_FALSE(t.skip_line());
}

TEST_F(Tokenizer, PushBackGivesTheLastTokenAgain) {
    orv::LineTokenizer &t = open("a b c\n");
    ASSERT_TRUE(t.skip_line());
    EXPECT_STREQ(t.next_on_line(), "a");
    EXPECT_STREQ(t.next_on_line(), "b");
    t.push_back();
    EXPECT_STREQ(t.next_on_line(), "b");
    EXPECT_STREQ(t.next_on_line(), "c");
}

TEST_F(Tokenizer, NumbersAreWholeTokens) {
    orv::LineTokenizer &t = open("12 12a 1.5 1.5.2 0xf0 f0 0xg\n");
    ASSERT_TRUE(t.skip_line());
    int i = 0;
    float f = 0;
    unsigned c = 0;
    EXPECT_TRUE(t.read_int("Int", &i));
    EXPECT_EQ(i, 12);
    EXPECT_FALSE(t.read_int("Int", &i));
    EXPECT_TRUE(t.read_float("Float", &f));
    EXPECT_FLOAT_EQ(f, 1.5f);
    EXPECT_FALSE(t.read_float("Float", &f));
    EXPECT_TRUE(t.read_color("Colour", &c));
    EXPECT_EQ(c, 0xF0u);
    EXPECT_TRUE(t.read_color("Colour", &c)); // the prefix is optional
    EXPECT_EQ(c, 0xF0u);
    EXPECT_FALSE(t.read_color("Colour", &c));
    EXPECT_FALSE(t.read_int("Int", &i));
    const std::string all = [] {
        std::string s;
        for (const std::string &m : g_texts)
            s += m;
        return s;
    }();
    EXPECT_NE(all.find("Int invalid.\n"), std::string::npos);
    EXPECT_NE(all.find("Float invalid.  Remember not to use punctuation.\n"), std::string::npos);
    EXPECT_NE(all.find("Colour invalid.\n"), std::string::npos);
    EXPECT_NE(all.find("Int missing.\n"), std::string::npos);
}

TEST_F(Tokenizer, ReportIsAWarningFollowedByLineCaretAndMessage) {
    orv::LineTokenizer &t = open("first\n\tab\tcd ef\n");
    ASSERT_TRUE(t.skip_line());
    ASSERT_TRUE(t.skip_line());
    t.next_on_line();
    t.next_on_line(); // "cd": after a tab to column 8, "ab" and a tab to column 16
    t.report("Thing unknown.\n");
    ASSERT_EQ(g_texts.size(), 4u);
    EXPECT_EQ(g_texts[0], "ORV Warning: Line 2 in 'tokens.txt'.\n");
    EXPECT_EQ(g_texts[1], "\tab\tcd ef\n");
    EXPECT_EQ(g_texts[2], std::string(16, ' ') + "^\n");
    EXPECT_EQ(g_texts[3], "Thing unknown.\n");
}

} // namespace
