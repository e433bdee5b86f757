// The process clock and the high-resolution counter on the steady clock.
#include "platform/posix/posix_services.h"

#include <chrono>
#include <thread>

namespace orv::platform::posix {

namespace {
using Steady = std::chrono::steady_clock;
const Steady::time_point process_start = Steady::now();

template <class Unit> std::uint64_t since_start() {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<Unit>(Steady::now() - process_start).count());
}
} // namespace

std::uint32_t clock_ms() {
    return static_cast<std::uint32_t>(since_start<std::chrono::milliseconds>());
}

std::uint64_t counter() {
    return since_start<std::chrono::microseconds>();
}

void sleep_ms(int milliseconds) {
    if (milliseconds <= 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace orv::platform::posix
