// The pixel format request shared by all windows.
#include "render/pixel_format.h"

#include "state/universe_state.h"

#include <cstdlib>

namespace orv {

platform::PixelRequest pixel_request(bool interlace) {
    platform::PixelRequest r;
    if (const char *z = std::getenv("ORVZBUFFERSIZE")) {
        int bits = std::atoi(z);
        if (bits >= 2 && bits <= 32) {
            r.depth_bits = bits;
            if (bits < 24 && universe_config()) universe_config()->yon = 8192.0f;
        }
    }
    if (const char *a = std::getenv("ORVALPHAENABLE")) {
        if (int bits = std::atoi(a)) {
            r.alpha_bits = bits;
            r.color_bits = 32;
        }
    }
    // Interlaced stereo needs its stencil bit whatever ORVNOSTEREO says.
    const char *no_stereo = std::getenv("ORVNOSTEREO");
    if (interlace)
        r.stencil_bits = 1;
    else if (!no_stereo || std::atoi(no_stereo) == 0)
        r.stereo = true;
    return r;
}

} // namespace orv
