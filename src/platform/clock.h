// The process clock and the high-resolution counter. Tests replace the clock
// with their own so that frame timing and elapsed time are deterministic.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

namespace orv::platform {

// Milliseconds since the process started (or the test clock's reading).
std::uint32_t clock_ms();
// High-resolution counter and its ticks per second.
std::uint64_t counter();
std::uint64_t counter_frequency();
// Gives up the rest of the time slice for 0, otherwise sleeps.
void sleep_ms(int milliseconds);

} // namespace orv::platform

extern "C" {
// Replaces the process clock with a test clock (null restores the real one).
// The high-resolution counter then follows it in microseconds.
ORV_API void _OVclock_settest(std::uint32_t (*clock_ms)(void));
}
