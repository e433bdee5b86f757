// The stencil mask that splits the rows or columns of an interlaced window
// between the two eyes.
#pragma once

#include "render/window_internal.h"

namespace orv {

void build_stencil_mask(const OVwindow *window, const PixelRect &viewport);
// The 32 x 32 stipple of a display mode (128 bytes).
void stencil_stipple(const OVwindow *window, const PixelRect &viewport, unsigned char out[128]);

} // namespace orv
