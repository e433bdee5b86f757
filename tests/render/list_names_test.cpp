// Display-list names handed out by the toolkit: lowest free name first,
// runs of names from whole free words, new blocks 512 names further on.
#include "render/list_names.h"

#include <gtest/gtest.h>

namespace {

constexpr int block_size = 512;
constexpr int word_bits = 32;

struct ListNames : ::testing::Test {
    unsigned base = 0;
    void SetUp() override {
        orv::list_names_reset();
        base = orv::list_names_take(1);
        ASSERT_NE(base, 0u);
        orv::list_names_free(base, 1);
    }
    void TearDown() override { orv::list_names_reset(); }
};

TEST_F(ListNames, SingleNamesTakeTheLowestFreeOne) {
    EXPECT_EQ(orv::list_names_take(1), base);
    EXPECT_EQ(orv::list_names_take(1), base + 1);
    EXPECT_EQ(orv::list_names_take(1), base + 2);
    orv::list_names_free(base + 1, 1);
    EXPECT_EQ(orv::list_names_take(1), base + 1);
    EXPECT_EQ(orv::list_names_take(1), base + 3);
}

TEST_F(ListNames, RunsStartAtAWholeFreeWordAndEndWithTheRemainder) {
    ASSERT_EQ(orv::list_names_take(1), base);
    // Word 0 is in use: 40 names are word 1 and the first 8 bits of word 2.
    const unsigned run = orv::list_names_take(40);
    EXPECT_EQ(run, base + word_bits);
    // The rest of word 2 is free for single names once word 0 is full.
    for (int i = 1; i < word_bits; ++i)
        ASSERT_EQ(orv::list_names_take(1), base + i);
    EXPECT_EQ(orv::list_names_take(1), base + 2 * word_bits + 8);
}

TEST_F(ListNames, ARunTooLongForTheFirstBlockStartsANewOne) {
    ASSERT_EQ(orv::list_names_take(1), base);
    EXPECT_EQ(orv::list_names_take(block_size), base + block_size);
    // The first block still gives single names.
    EXPECT_EQ(orv::list_names_take(1), base + 1);
    // Another whole block goes 512 above the last one.
    EXPECT_EQ(orv::list_names_take(block_size), base + 2 * block_size);
}

TEST_F(ListNames, FreedRunsAreTakenAgain) {
    const unsigned nine = orv::list_names_take(9);
    ASSERT_EQ(nine, base);
    const unsigned next = orv::list_names_take(255);
    EXPECT_EQ(next, base + word_bits);
    orv::list_names_free(next, 255);
    EXPECT_EQ(orv::list_names_take(255), next);
    orv::list_names_free(nine, 9);
    EXPECT_EQ(orv::list_names_take(1), base);
}

TEST_F(ListNames, CountsOutsideOneToAWholeBlockAreRefused) {
    EXPECT_EQ(orv::list_names_take(0), 0u);
    EXPECT_EQ(orv::list_names_take(-1), 0u);
    EXPECT_EQ(orv::list_names_take(block_size + 1), 0u);
    EXPECT_EQ(orv::list_names_take(1), base);
}

} // namespace
