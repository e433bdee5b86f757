// Whether a 2D call may draw into a window.
#pragma once

#include "orv/orv_base.h"

namespace orv::draw2d {

// The window is listed and inside its 2D draw function.
bool drawing_2d(const OVwindow *window);

// The current eye's viewport size in pixels.
struct ViewportSize {
    int width, height;
};
ViewportSize viewport_size();

} // namespace orv::draw2d
