// Setting the universe's background colour gives it to every window too.
#include "orv/orv_internal.h"
#include "orv/universe.h"
#include "state/universe_state.h"

namespace {
// A 12-bit 0xRGB colour widened by repeating each hex digit.
std::uint32_t widen12(int rgb12) {
    std::uint32_t r = (rgb12 >> 8) & 0xF, g = (rgb12 >> 4) & 0xF, b = rgb12 & 0xF;
    return (r * 17) << 16 | (g * 17) << 8 | b * 17;
}

void store_background(std::uint32_t rgb) {
    _OVwindow_setbgall(rgb);
    orv::universe_set_background(rgb);
}
} // namespace

using orv::universe_exists;

extern "C" {

ORV_API void OVuniverse_setbgrgb(int r, int g, int b) {
    if (!universe_exists()) return;
    store_background(static_cast<std::uint32_t>((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF)));
}

ORV_API void OVuniverse_setbgcolor(int rgb12) {
    if (universe_exists()) store_background(widen12(rgb12));
}

} // extern "C"
