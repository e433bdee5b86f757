#include "draw2d/draw2d_window.h"

#include "render/window_access.h"

#include <GL/gl.h>

namespace orv::draw2d {

bool drawing_2d(const OVwindow *window) {
    return window_drawing_2d(window);
}

ViewportSize viewport_size() {
    // The renderer has set the eye's viewport before calling the 2D function.
    GLint box[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, box);
    return {box[2] > 0 ? box[2] : 1, box[3] > 0 ? box[3] : 1};
}

} // namespace orv::draw2d
