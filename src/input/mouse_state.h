// The process-wide mouse state the window procedure writes and mouse sensors read.
#pragma once

#include <cstdint>

namespace orv::input {

struct ButtonState {
    std::uint8_t held, pressed, released, doubled;
};

struct MouseState {
    std::int16_t x, y;    // client coordinates of the last mouse move
    std::uint32_t window; // platform id of the window of the last mouse message
    ButtonState left, right, middle;
};

MouseState &mouse_state();

} // namespace orv::input
