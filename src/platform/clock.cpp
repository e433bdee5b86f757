#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace {
using Steady = std::chrono::steady_clock;
const Steady::time_point process_start = Steady::now();
std::uint32_t (*test_clock)() = nullptr;
} // namespace

namespace orv::platform {

std::uint32_t clock_ms() {
    if (test_clock) return test_clock();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - process_start);
    return static_cast<std::uint32_t>(ms.count());
}

std::uint64_t counter() {
    if (test_clock) return static_cast<std::uint64_t>(test_clock()) * 1000u;
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(Steady::now() - process_start)
            .count());
}

std::uint64_t counter_frequency() {
    return 1000000u;
}

void sleep_ms(int milliseconds) {
    if (milliseconds <= 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace orv::platform

extern "C" ORV_API void _OVclock_settest(std::uint32_t (*clock_ms)(void)) {
    test_clock = clock_ms;
}
