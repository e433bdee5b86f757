// What the modules above render may ask of a window. The window record
// stays inside the render module.
#pragma once

#include "orv/window.h"

#include <cstdint>

namespace orv {

// Client rectangle of a window's viewport in its surface, bottom-left origin.
struct PixelRect {
    int x, y, width, height;
};
PixelRect viewport_pixels(const OVwindow *window);
// Whether the screen point lies in the window's viewport on its surface.
bool viewport_contains(const OVwindow *window, int screen_x, int screen_y);
// Whether the window shows two eye images, one above the other.
bool window_stacked_stereo(const OVwindow *window);

// The universe's windows in creation order: the first, then the next one.
OVwindow *window_list();
OVwindow *window_next(const OVwindow *window);
// Whether the window is in the universe's list.
bool window_is_listed(const OVwindow *window);
// The window the platform knows by id, null when none is.
OVwindow *window_by_native_id(std::uint32_t id);
std::uint32_t window_native_id(const OVwindow *window);
// Whether the window's 2D drawing function is running.
bool window_drawing_2d(const OVwindow *window);

} // namespace orv
