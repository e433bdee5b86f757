// The axis map's rotation, rates over fewer passes than the ring holds and
// the background colour at creation.
#include "universe_fixture.h"

#include "state/universe_state.h"

using orvtest::UniverseTest;

namespace {

using AxisMap = UniverseTest;

// The stored rotation turns the unit rows into the expected matrix.
void expect_map_matrix(const float (&rows)[3][3]) {
    const OVaxismap *map = orv::universe_axismap();
    ASSERT_NE(map, nullptr);
    OVm3 m;
    OVq_2m3(map->rotation, m);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(m[i][j], rows[i][j], 1e-5f) << i << j;
}

TEST_F(AxisMap, SwappingTwoAxesWithANegationIsAQuarterTurn) {
    const int from[] = {1, 2}, to[] = {2, 1};
    const unsigned char negate[] = {0, 1};
    OVuniverse_setaxismap(2, from, to, negate);
    const OVaxismap *map = orv::universe_axismap();
    EXPECT_EQ(map->count, 2);
    EXPECT_EQ(map->from, from);
    EXPECT_EQ(map->to, to);
    EXPECT_EQ(map->negate, negate);
    // y goes to z, z goes to -y.
    expect_map_matrix({{1, 0, 0}, {0, 0, 1}, {0, -1, 0}});
}

TEST_F(AxisMap, ACyclicPermutationOfAllThree) {
    const int from[] = {0, 1, 2}, to[] = {1, 2, 0};
    const unsigned char negate[] = {0, 0, 0};
    OVuniverse_setaxismap(3, from, to, negate);
    expect_map_matrix({{0, 1, 0}, {0, 0, 1}, {1, 0, 0}});
    OVuniverse_setaxismap(0, nullptr, nullptr, nullptr);
    EXPECT_EQ(orv::universe_axismap()->count, 0);
    expect_map_matrix({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
}

using RecentRate = UniverseTest;

// Slots the clock has not reached yet still hold the start.
TEST_F(RecentRate, FewerPassesThanAskedMeasureFromTheStart) {
    passes(2, 10);
    EXPECT_FLOAT_EQ(OVuniverse_recentframerate(1), 100.0f);
    EXPECT_FLOAT_EQ(OVuniverse_recentframerate(2), 100.0f);
    EXPECT_FLOAT_EQ(OVuniverse_recentframerate(5), 250.0f);
    EXPECT_FLOAT_EQ(OVuniverse_recentframerate(29), 29.0f / 0.02f);
    EXPECT_FLOAT_EQ(OVuniverse_framerate(), 30000.0f / 20.0f);
    EXPECT_FLOAT_EQ(OVuniverse_time(), 0.02f);
}

// The reading is compared with the slot of 30 passes ago, not with the
// newest one: an unmoved clock is still stored while that slot is older.
TEST_F(RecentRate, AnUnmovedClockIsStoredAgainstAnOlderSlot) {
    passes(3, 20);
    passes(1, 0);
    EXPECT_EQ(OVuniverse_recentframerate(1), -1.0f);
    EXPECT_FLOAT_EQ(OVuniverse_recentframerate(2), 2.0f / 0.02f);
    EXPECT_FLOAT_EQ(OVuniverse_framerate(), 30000.0f / 60.0f);
    EXPECT_EQ(OVuniverse_framecount(), 4u);
}

using Background = UniverseTest;

TEST_F(Background, TheDefaultBlueAsTwelveBits) {
    EXPECT_EQ(OVuniverse_getbgcolor(), 0x00F);
    OVuniverse_setbgcolor(0x1234); // only the low twelve bits are a colour
    int r, g, b;
    OVuniverse_getbgrgb(&r, &g, &b);
    EXPECT_EQ(r, 0x22);
    EXPECT_EQ(g, 0x33);
    EXPECT_EQ(b, 0x44);
    EXPECT_EQ(OVuniverse_getbgcolor(), 0x234);
}

} // namespace
