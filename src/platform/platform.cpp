// Choosing the backend and the test clock that stands in for its clock.
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orv::platform {

namespace {

constexpr std::uint64_t microseconds_per_millisecond = 1000;

std::uint32_t (*test_clock)() = nullptr;

std::uint64_t test_counter() {
    return static_cast<std::uint64_t>(test_clock()) * microseconds_per_millisecond;
}

const Platform &chosen_backend() {
    const char *wanted = std::getenv("ORV_PLATFORM");
    if (!wanted || !*wanted || std::strcmp(wanted, "sdl") == 0) return sdl_platform();
    if (std::strcmp(wanted, "headless") == 0) return headless_platform();
    if (std::strcmp(wanted, "template") == 0) return template_platform();
    std::fprintf(stderr, "ORV_PLATFORM: no platform \"%s\"; using sdl\n", wanted);
    return sdl_platform();
}

const Platform &backend() {
    static const Platform &chosen = chosen_backend();
    return chosen;
}

// A copy of the backend's table, so that the test clock can replace entries.
Platform &table() {
    static Platform active = backend();
    return active;
}

} // namespace

const Platform &current() {
    return table();
}

} // namespace orv::platform

extern "C" ORV_API void _OVclock_settest(std::uint32_t (*clock_ms)(void)) {
    using namespace orv::platform;
    test_clock = clock_ms;
    Platform &active = table();
    active.process.clock_ms = clock_ms ? clock_ms : backend().process.clock_ms;
    active.process.counter = clock_ms ? test_counter : backend().process.counter;
}
