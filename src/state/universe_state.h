// The parts of the universe record that other modules read. The universe
// module owns the record; everyone else goes through these functions.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

// Bits of OVconfig::window_flags: which window values the file gave, and how.
enum ConfigWindowFlag : std::uint32_t {
    CONFIG_WINDOW_HEIGHT = 0x01,
    CONFIG_WINDOW_X = 0x02,
    CONFIG_WINDOW_GEOMETRY = 0x04,
    CONFIG_WINDOW_WIDTH = 0x08,
    CONFIG_WINDOW_X_FROM_RIGHT = 0x10,
    CONFIG_WINDOW_Y_FROM_BOTTOM = 0x20,
    CONFIG_WINDOW_NO_BORDER = 0x40,
};

struct OVconfig {
    std::uint32_t background = 0x0000FF;
    std::uint32_t window_flags = 0; // ConfigWindowFlag bits
    int window_x = 0, window_y = 0;
    int window_width = 640, window_height = 480;
    float ambient_intensity = 0.4f;
    std::uint32_t ambient_color = 0xFFFFFF;
    float view_angle = 0.6981317f; // half the field of view: 40 degrees in radians
    float hither = 1.0f;
    float yon = 65536.0f;
    // Option bytes 1..17 at index option - 1; option 6 is stored inverted.
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

// The universe object (set by universe-file loading): its bounding box feeds
// the scene bounds, and clearing the scene deletes it.
using UniverseObjectBoundsFn = bool (*)(void *object, float min[3], float max[3]);
using UniverseObjectDeleteFn = void (*)(void *object);
void universe_set_object(void *object, UniverseObjectBoundsFn bounds,
                         UniverseObjectDeleteFn destroy);
void *universe_object();
// Placement given by the last universe-file load.
void universe_set_placement(const OVpq *placement);
const OVpq *universe_placement();
// Entry callbacks of the current universe name (the one for every universe
// first); its exit callbacks; every callback forgotten.
void universe_run_entry_callbacks();
void run_exit_callbacks();
void delete_callbacks();

// The record's life, for the universe module's creation and teardown: a new
// record named "untitled" with a default configuration, the frame clock
// started; the configuration's ambient light and background copied into it;
// the record and its configuration deleted.
void universe_create();
void universe_copy_configuration();
void universe_destroy();
// Sets the name as given (null: none), without normalising it.
void universe_rename(const char *name);
// Deletes the universe object and resets the placement and the scene bounds.
void universe_drop_object();
void universe_reset_placement();
// Sets the background colour as the universe keeps it (0xRRGGBB).
void universe_set_background(std::uint32_t rgb);

// The loop: whether it runs, and the application's action of a pass.
bool universe_running();
void universe_set_running(bool running);
void universe_run_action();
// Frame timing step of a pass.
void frame_tick();

} // namespace orv
