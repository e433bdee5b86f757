// The parts of the universe record that other modules read. The universe
// module owns the record; everyone else goes through these functions.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

struct OVconfig {
    std::uint32_t background = 0x0000FF;
    std::uint32_t window_flags = 0; // 1 height, 2 x, 4 geometry, 8 width, 0x10 x from right,
                                    // 0x20 y from bottom, 0x40 no border
    int window_x = 0, window_y = 0;
    int window_width = 640, window_height = 480;
    float ambient_intensity = 0.4f;
    std::uint32_t ambient_color = 0xFFFFFF;
    float view_angle = 0.698131f; // half the field of view, radians
    float hither = 1.0f;
    float yon = 65536.0f;
    std::uint8_t options[17] = {0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0};
};

struct OVaxismap {
    int count = 0;
    OVq rotation = {0, 0, 0, 1};
    const int *from = nullptr;
    const int *to = nullptr;
    const unsigned char *negate = nullptr;
};

namespace orv {

bool universe_exists();
// Null while no universe exists.
OVconfig *universe_config();
const OVaxismap *universe_axismap();
// Ambient light copied from the configuration at creation.
void universe_ambient(float *intensity, std::uint8_t rgb[3]);
void universe_overlay(float rgb[3]);

} // namespace orv
