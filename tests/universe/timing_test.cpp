#include "universe_fixture.h"

#include <cstdint>

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

// Passes of different lengths after the ring has wrapped: each rate is taken
// over exactly its own number of the newest passes.
TEST_F(Timing, RatesOverTheNewestPassesAfterTheRingWrapped) {
    std::uint32_t lengths[75];
    for (int i = 0; i < 75; ++i) {
        lengths[i] = 1 + static_cast<std::uint32_t>(i % 7) * 3;
        passes(1, lengths[i]);
    }
    auto span = [&](int n) {
        std::uint32_t ms = 0;
        for (int i = 75 - n; i < 75; ++i)
            ms += lengths[i];
        return ms;
    };
    for (int n : {1, 2, 5, 13, 29})
        EXPECT_FLOAT_EQ(OVuniverse_recentframerate(n), n / (span(n) / 1000.0f)) << n;
    EXPECT_FLOAT_EQ(OVuniverse_framerate(), 30000.0f / static_cast<float>(span(30)));
    EXPECT_EQ(OVuniverse_recentframerate(30), OVuniverse_framerate());
    std::uint32_t total = 0;
    for (std::uint32_t l : lengths)
        total += l;
    EXPECT_FLOAT_EQ(OVuniverse_time(), total / 1000.0f);
    EXPECT_EQ(OVuniverse_framecount(), 75u);
}

} // namespace
