// A universe without windows, a test clock and a message recorder.
#pragma once

#include "orv/orv.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace orvtest {

inline std::uint32_t clock_now = 1000;
inline std::uint32_t test_clock() {
    return clock_now;
}

inline std::string messages;
inline int record(const char *text) {
    messages += text;
    return 0;
}

class UniverseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        clock_now = 1000;
        _OVclock_settest(test_clock);
        OVuniverse_new(512, 0);
        messages.clear();
        OVmessage_sethook(record);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
        _OVclock_settest(nullptr);
    }
    // Runs passes with the clock advancing by step milliseconds before each.
    static void passes(int count, std::uint32_t step) {
        for (int i = 0; i < count; ++i) {
            clock_now += step;
            OVuniverse_go1();
        }
    }
};

} // namespace orvtest
