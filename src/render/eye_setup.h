// Setting up and finishing one eye of a window: projection, view matrix,
// OpenGL state, and the application's draw functions.
#pragma once

#include "render/window_internal.h"

namespace orv {

// The eye's viewport in its surface, bottom-left origin.
PixelRect eye_viewport(const OVwindow *window, int eye);
// Projection (column-major) and view matrices of an eye; false without a viewpoint.
bool eye_matrices(OVwindow *window, int eye, const PixelRect &viewport, float projection[16],
                  float view[16]);
void eye_begin(OVwindow *window, int eye, const PixelRect &viewport);
// The 3D and 2D draw functions; false when one of them deleted the window.
bool eye_finish(OVwindow *window, int eye, const PixelRect &viewport);
// Only the 2D draw function, for windows without a viewpoint; false when it
// deleted the window.
bool eye_draw2d(OVwindow *window, int eye);

} // namespace orv
