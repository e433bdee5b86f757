// The palette of indexed-colour pixel formats: every entry's channels
// expanded from their bits, and the system colours in the 8-bit layout.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The 8-bit layout: red 3 bits at shift 0, green 3 at 3, blue 2 at 6.
int eight_bit(uint32_t *entries) {
    return _OVwindow_buildpalette(8, 3, 0, 3, 3, 2, 6, entries);
}

TEST(Palette, EachChannelIsExpandedFromItsBits) {
    uint32_t entries[256];
    ASSERT_EQ(eight_bit(entries), 256);
    EXPECT_EQ(entries[0], 0x000000u);
    // Red 3, green 5, blue 1: 109, 182, 85.
    EXPECT_EQ(entries[3 | 5 << 3 | 1 << 6], 0x6DB655u);
    // Red 1, green 2, blue 2: 36, 73, 170.
    EXPECT_EQ(entries[1 | 2 << 3 | 2 << 6], 0x2449AAu);
    EXPECT_EQ(entries[6 | 4 << 3 | 3 << 6], 0xDB92FFu);
}

TEST(Palette, TwelveEntriesOfTheEightBitLayoutAreSystemColours) {
    uint32_t entries[256];
    ASSERT_EQ(eight_bit(entries), 256);
    const std::vector<std::pair<int, uint32_t>> system = {
        {3, 0x800000},   {24, 0x008000},  {27, 0x808000},  {64, 0x000080},
        {67, 0x800080},  {88, 0x008080},  {173, 0xC0C0C0}, {181, 0xC0DCC0},
        {236, 0xA6CAF0}, {247, 0xFFFBF0}, {164, 0xA0A0A4}, {91, 0x808080},
    };
    for (const auto &[index, colour] : system)
        EXPECT_EQ(entries[index], colour) << index;
}

TEST(Palette, OtherLayoutsKeepEveryExpandedEntry) {
    uint32_t entries[256];
    // Blue in the low bits: entry 3 is the brightest blue, not a system colour.
    ASSERT_EQ(_OVwindow_buildpalette(8, 3, 5, 3, 2, 2, 0, entries), 256);
    EXPECT_EQ(entries[3], 0x0000FFu);
    EXPECT_EQ(entries[91], 0x49DBFFu);
    // Four bits: red 1 at 0, green 2 at 1, blue 1 at 3.
    ASSERT_EQ(_OVwindow_buildpalette(4, 1, 0, 2, 1, 1, 3, entries), 16);
    EXPECT_EQ(entries[15], 0xFFFFFFu);
    EXPECT_EQ(entries[1 | 2 << 1], 0xFFAA00u);
    EXPECT_EQ(entries[1 << 1 | 1 << 3], 0x0055FFu);
}

} // namespace
