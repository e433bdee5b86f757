// The pixel format every window asks for, from the environment.
#pragma once

#include "platform/platform.h"

namespace orv {

// The request built from ORVZBUFFERSIZE, ORVALPHAENABLE and ORVNOSTEREO; a
// depth below 24 bits also shortens the universe's default yon.
platform::PixelRequest pixel_request(bool interlace);

} // namespace orv
