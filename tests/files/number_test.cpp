#include "core/tokenizer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The value the standard conversion gives, or nothing for an invalid token.
bool reference(const std::string &s, float *out) {
    const char *p = s.c_str(), *end = p + s.size();
    if (*p == '+') ++p;
    auto [ptr, ec] = std::from_chars(p, end, *out);
    return !s.empty() && ec == std::errc() && ptr == end;
}

TEST(Numbers, FloatsAgreeBitForBitWithTheStandardConversion) {
    unsigned seed = 7;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        unsigned m = (seed >> 4) % 100000000u; // up to eight digits, some beyond 2^24
        seed = seed * 1103515245u + 12345u;
        int point = static_cast<int>((seed >> 8) % 12);
        std::string digits = std::to_string(m);
        std::string s =
            (seed & 1 ? "-" : "") + (point < static_cast<int>(digits.size())
                                         ? digits.substr(0, digits.size() - point) + "." +
                                               digits.substr(digits.size() - point)
                                         : "0." + std::string(point - digits.size(), '0') + digits);
        float want = 0, got = 0;
        ASSERT_TRUE(reference(s, &want)) << s;
        ASSERT_TRUE(orv::parse_float(s.c_str(), &got)) << s;
        ASSERT_EQ(std::memcmp(&want, &got, sizeof want), 0) << s << " " << want << " " << got;
    }
}

TEST(Numbers, WholeTokensOnly) {
    for (const char *s : {"1.", ".5", "-.5", "+2.25", "16777215", "16777216", "0.0000000001",
                          "123456.7", "1e5", "-0", "2.5E-3", "0012.50"}) {
        float want = 0, got = 0;
        ASSERT_TRUE(reference(s, &want)) << s;
        ASSERT_TRUE(orv::parse_float(s, &got)) << s;
        EXPECT_EQ(std::memcmp(&want, &got, sizeof want), 0) << s;
    }
    float f;
    for (const char *s : {"", "-", ".", "+", "1.2.3", "1,5", "+-1", "-+1", "1x", "0x10", "1 "})
        EXPECT_FALSE(orv::parse_float(s, &f)) << s;
    // Numbers that are not finite are malformed numbers too.
    for (const char *s : {"nan", "NAN", "-nan", "inf", "-inf", "+inf", "infinity", "1e39", "-4e38"})
        EXPECT_FALSE(orv::parse_float(s, &f)) << s;
    int n;
    for (const char *s : {"", "-", "+", "1.0", "12x", "+-3", "2147483648", "99999999999"})
        EXPECT_FALSE(orv::parse_int(s, &n)) << s;
    ASSERT_TRUE(orv::parse_int("-2147483648", &n));
    EXPECT_EQ(n, -2147483647 - 1);
    ASSERT_TRUE(orv::parse_int("+000123456789", &n));
    EXPECT_EQ(n, 123456789);
    ASSERT_TRUE(orv::parse_int("-987654321", &n));
    EXPECT_EQ(n, -987654321);
}

} // namespace
