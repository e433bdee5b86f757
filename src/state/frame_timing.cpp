// Frame timing: a ring of the clock readings of the last 30 passes.
#include "state/universe_record.h"

#include "platform/platform.h"

#include <algorithm>

namespace orv {

namespace {
std::uint32_t newest_tick() {
    return universe->ticks[(universe->tick_position + kTickRing - 1) % kTickRing];
}
} // namespace

void frame_clock_start() {
    const std::uint32_t now = platform::current().process.clock_ms();
    universe->start_tick = now;
    std::fill(universe->ticks, universe->ticks + kTickRing, now);
    universe->tick_position = 0;
}

void frame_tick() {
    std::uint32_t now = platform::current().process.clock_ms();
    std::uint32_t &oldest = universe->ticks[universe->tick_position];
    if (now != oldest) {
        universe->frame_rate = 30000.0f / static_cast<float>(now - oldest);
        oldest = now;
        universe->tick_position = (universe->tick_position + 1) % kTickRing;
    }
    ++universe->frame_count;
}

} // namespace orv

using namespace orv;

extern "C" {

ORV_API float OVuniverse_framerate(void) {
    return universe ? universe->frame_rate : 0.0f;
}

ORV_API float OVuniverse_recentframerate(int n) {
    if (n < 1 || n > kTickRing) return -1.0f;
    if (n == kTickRing) return OVuniverse_framerate();
    if (!universe) return -1.0f;
    int newest = (universe->tick_position + kTickRing - 1) % kTickRing;
    std::uint32_t older = universe->ticks[(newest + kTickRing - n) % kTickRing];
    std::uint32_t ms = universe->ticks[newest] - older;
    if (ms == 0) return -1.0f;
    return static_cast<float>(n) / (static_cast<float>(ms) / 1000.0f);
}

ORV_API float OVuniverse_time(void) {
    if (!universe) return 0.0f;
    return static_cast<float>(newest_tick() - universe->start_tick) / 1000.0f;
}

ORV_API void OVuniverse_resettime(void) {
    if (!universe) return;
    std::uint32_t newest = newest_tick();
    universe->start_tick = newest;
    // Every slot gets the new start: a zero reading would make the time since
    // the start and the rates of the next 30 passes meaningless.
    for (std::uint32_t &tick : universe->ticks)
        tick = newest;
    universe->tick_position = 0;
    universe->frame_rate = 0.0f;
}

ORV_API unsigned OVuniverse_framecount(void) {
    return universe ? universe->frame_count : 0;
}

ORV_API void OVuniverse_resetframecount(void) {
    if (universe) universe->frame_count = 0;
}

} // extern "C"
