// The mouse pointer as the operating system sees it.
#pragma once

#include <cstdint>

namespace orv::platform {

// The cursor position on the screen; false without a video system.
bool screen_cursor(int &x, int &y);
// The platform id of the window under the cursor (0 for none).
std::uint32_t window_under_cursor();

} // namespace orv::platform
