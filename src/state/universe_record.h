// The universe record: one per process while a universe exists. Lists that
// belong to other subsystems live in those subsystems; this record keeps what
// the universe itself owns.
#pragma once

#include "orv/universe.h"
#include "state/universe_state.h"

#include <cstdint>

namespace orv {

inline constexpr int kTickRing = 30;

struct SceneBounds {
    OVp3 midpoint;
    float radius;
    OVp3 min, max;
};

// The stationary object loaded from a universe file, kept for the bounds.
struct UniverseObject {
    void *object = nullptr;
    UniverseObjectBoundsFn bounds = nullptr;
    UniverseObjectDeleteFn destroy = nullptr;
};

struct Universe {
    short event_order[5] = {4, 1, 2, 3, 4}; // count, then the four entries
    OVpq placement = {{0, 0, 0}, {0, 0, 0, 1}};
    float ambient_intensity = 0;
    std::uint8_t ambient_rgb[3] = {0, 0, 0};
    float frame_rate = 0;
    std::uint32_t frame_count = 0;
    OVactionfn action = nullptr;
    OVaxismap axis_map;
    bool running = false;
    std::uint8_t rendering = 13;
    OVconfig *config = nullptr;
    float overlay[3] = {1, 1, 1};
    char *name = nullptr;
    SceneBounds bounds = {};
    std::uint32_t background = 0;
    UniverseObject universe_object;
    std::uint8_t portals_enabled = 1;
    // Frame timing: the clock readings of the last 30 passes.
    std::uint32_t start_tick = 0;
    std::uint32_t ticks[kTickRing] = {};
    int tick_position = 0;
};

// Null while no universe exists.
extern Universe *universe;

// Fills the frame timing ring with the clock's reading now.
void frame_clock_start();

} // namespace orv
