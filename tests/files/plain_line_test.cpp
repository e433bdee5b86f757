// Lines scanned in place in the reader's buffer: what makes a line plain,
// numbers at the edges of the buffer and of the line limit.
#include "files/plain_line.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using orv::PlainLine;

// The literal's own bytes, which outlive the scan.
PlainLine over(std::string_view s) {
    return PlainLine(s.data(), s.data() + s.size());
}

TEST(PlainLine, NumbersBetweenBlanksTabsAndCarriageReturns) {
    const std::string s = " \t3\t-12  0.5 1e3\r\n7";
    PlainLine line = over(s);
    int n = 0, m = 0;
    float f = 0, g = 0;
    EXPECT_TRUE(line.integer(&n));
    EXPECT_TRUE(line.integer(&m));
    EXPECT_TRUE(line.number(&f));
    EXPECT_TRUE(line.number(&g));
    EXPECT_TRUE(line.at_end());
    EXPECT_EQ(n, 3);
    EXPECT_EQ(m, -12);
    EXPECT_EQ(f, 0.5f);
    EXPECT_EQ(g, 1000.0f);
    EXPECT_EQ(*line.end(), '7'); // the next line starts after the feed
}

TEST(PlainLine, CommentsContinuationsAndZeroBytesAreNotPlain) {
    const std::string lines[] = {"1 2//c\n", "1 2 \\\n", std::string("1 2\0 3\n", 7), "1/2\n"};
    for (const std::string &s : lines) {
        PlainLine line = over(s);
        int a = 0, b = 0;
        EXPECT_FALSE(line.integer(&a) && line.integer(&b) && line.at_end()) << s;
    }
}

TEST(PlainLine, NumbersAtTheBufferEndWithoutLineFeedAreNotPlain) {
    int n = 0;
    float f = 0;
    EXPECT_FALSE(over("42").integer(&n));
    EXPECT_FALSE(over("4.25").number(&f));
    PlainLine line = over("42 ");
    EXPECT_TRUE(line.integer(&n));
    EXPECT_FALSE(line.at_end());
}

TEST(PlainLine, LinesPastTheLengthLimitAreNotPlain) {
    std::string s(1030, ' ');
    s += "5\n";
    int n = 0;
    EXPECT_FALSE(over(s).integer(&n));
    std::string fits(1020, ' ');
    fits += "5\n";
    PlainLine line = over(fits);
    EXPECT_TRUE(line.integer(&n));
    EXPECT_TRUE(line.at_end());
}

TEST(PlainLine, LongAndMalformedNumbers) {
    int n = 0;
    PlainLine big = over("1234567890 99999999999\n");
    EXPECT_TRUE(big.integer(&n));
    EXPECT_EQ(n, 1234567890);
    EXPECT_FALSE(big.integer(&n)); // does not fit
    EXPECT_FALSE(over("12x\n").integer(&n));
    EXPECT_FALSE(over("\n").integer(&n));
    float f = 0;
    EXPECT_FALSE(over("1.2.3\n").number(&f));
    EXPECT_FALSE(over("nan\n").number(&f));
    unsigned c = 0;
    std::size_t length = 0;
    PlainLine colours = over("0xF80 ff8800 0x\n");
    EXPECT_TRUE(colours.colour(&c, &length));
    EXPECT_EQ(c, 0xF80u);
    EXPECT_EQ(length, 5u);
    EXPECT_TRUE(colours.colour(&c, &length));
    EXPECT_EQ(c, 0xFF8800u);
    EXPECT_FALSE(colours.colour(&c, &length));
}

} // namespace
