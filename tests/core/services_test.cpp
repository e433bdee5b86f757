#include "orv/orv.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::uint32_t now = 5000;
std::uint32_t fixed_clock() {
    return now;
}

// OVelapsed keeps its reference for the life of the process, so the whole
// sequence is one test.
TEST(Services, ElapsedFirstCallSameTickAndAdvance) {
    _OVclock_settest(fixed_clock);
    EXPECT_EQ(OVelapsed(), -1.0);
    EXPECT_EQ(OVelapsed(), 0.004);
    EXPECT_EQ(OVelapsed(), 0.004);
    now += 250;
    EXPECT_DOUBLE_EQ(OVelapsed(), 0.25);
    now += 1;
    EXPECT_DOUBLE_EQ(OVelapsed(), 0.001);
    EXPECT_DOUBLE_EQ(OVclock(), 5.251);
    _OVclock_settest(nullptr);
}

TEST(Services, RandomStaysInRange) {
    for (int i = 0; i < 200; ++i) {
        int r = OVrandom(7);
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 7);
    }
    EXPECT_EQ(OVrandom(0), 0);
}

TEST(Services, RealClockMovesAndSleepWaits) {
    double before = OVclock();
    OVsleep(20);
    EXPECT_GE(OVclock() - before, 0.015);
    OVsleep(0);
    OVsleep(-1);
}

TEST(Services, WaitCursorWithoutVideoIsHarmless) {
    OVwaitcursor(0);
    OVwaitcursor(1);
    OVwaitcursor(1);
}

} // namespace
