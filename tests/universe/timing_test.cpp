#include "universe_fixture.h"

using orvtest::clock_now;
using orvtest::UniverseTest;

namespace {

using Timing = UniverseTest;

TEST_F(Timing, FrozenClockCountsTheFrameButKeepsTheRate) {
    // The rate is measured against the tick of 30 passes ago: every slot of
    // the ring holds the start until the clock moves.
    passes(5, 0);
    EXPECT_EQ(OVuniverse_framerate(), 0.0f);
    EXPECT_EQ(OVuniverse_framecount(), 5u);
    passes(40, 10);
    float rate = OVuniverse_framerate();
    EXPECT_FLOAT_EQ(rate, 100.0f);
    OVuniverse_resettime();
    passes(3, 0);
    EXPECT_EQ(OVuniverse_framerate(), 0.0f);
    EXPECT_EQ(OVuniverse_framecount(), 48u);
    EXPECT_EQ(OVuniverse_time(), 0.0f);
}

TEST_F(Timing, RecentFrameRateAtTheEdges) {
    passes(40, 10);
    passes(1, 20); // the newest frame took twice as long
    EXPECT_EQ(OVuniverse_recentframerate(0), -1.0f);
    EXPECT_FLOAT_EQ(OVuniverse_recentframerate(1), 50.0f);
    EXPECT_FLOAT_EQ(OVuniverse_recentframerate(29), 29.0f / 0.3f);
    EXPECT_EQ(OVuniverse_recentframerate(30), OVuniverse_framerate());
    EXPECT_FLOAT_EQ(OVuniverse_framerate(), 30000.0f / 310.0f);
    EXPECT_EQ(OVuniverse_recentframerate(31), -1.0f);
    EXPECT_EQ(OVuniverse_recentframerate(-3), -1.0f);
}

TEST_F(Timing, RecentFrameRateWithoutElapsedTime) {
    EXPECT_EQ(OVuniverse_recentframerate(1), -1.0f);
    EXPECT_EQ(OVuniverse_framerate(), 0.0f);
}

TEST_F(Timing, FirstPassesMeasureFromTheStart) {
    passes(1, 100);
    EXPECT_FLOAT_EQ(OVuniverse_framerate(), 300.0f); // 30 frames over 100 ms
    EXPECT_FLOAT_EQ(OVuniverse_time(), 0.1f);
}

TEST_F(Timing, ResetMakesTheNewestTickTheStart) {
    passes(10, 50);
    EXPECT_FLOAT_EQ(OVuniverse_time(), 0.5f);
    OVuniverse_resettime();
    EXPECT_EQ(OVuniverse_time(), 0.0f);
    EXPECT_EQ(OVuniverse_framerate(), 0.0f);
    passes(1, 30);
    EXPECT_FLOAT_EQ(OVuniverse_time(), 0.03f);
    EXPECT_FLOAT_EQ(OVuniverse_recentframerate(1), 1.0f / 0.03f);
    EXPECT_EQ(OVuniverse_framecount(), 11u);
    OVuniverse_resetframecount();
    EXPECT_EQ(OVuniverse_framecount(), 0u);
}

} // namespace
