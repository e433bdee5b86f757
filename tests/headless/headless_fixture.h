// A universe on the headless backend with the test clock and the message
// recorder of the universe tests; each test makes its own universe.
#pragma once

#include "platform/headless/headless_backend.h"
#include "universe/universe_fixture.h"

#include <cstdlib>
#include <cstring>

namespace headlesstest {

using orvtest::clock_now;
using orvtest::messages;

class Headless : public ::testing::Test {
  protected:
    void SetUp() override {
        // These tests mean nothing on a display: refuse to run on one.
        const char *platform = std::getenv("ORV_PLATFORM");
        ASSERT_TRUE(platform && std::strcmp(platform, "headless") == 0);
        ASSERT_EQ(std::getenv("DISPLAY"), nullptr);
        clock_now = 1000;
        _OVclock_settest(orvtest::test_clock);
        messages.clear();
        OVmessage_sethook(orvtest::record);
    }
    void TearDown() override {
        OVuniverse_delete();
        OVmessage_sethook(nullptr);
        _OVclock_settest(nullptr);
    }
    // The id the backend's event pump names the window by.
    static std::uint32_t id(const OVwindow *window) {
        return static_cast<std::uint32_t>(OVwindow_getidx(window));
    }
    // Queues a message as a user's action would.
    static void post(const OVwinmsg &message) { orv::platform::headless::post_message(message); }
};

} // namespace headlesstest
