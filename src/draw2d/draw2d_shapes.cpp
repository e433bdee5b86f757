// Colour, sizes, stipple, points, lines, rectangles and circles.
#include "core/finite.h"
#include "draw2d/circle_points.h"
#include "draw2d/draw2d_window.h"
#include "orv/draw2d.h"

#include <GL/gl.h>

using orv::draw2d::drawing_2d;

namespace {

// The pattern that switches stippling off.
constexpr int stipple_off = -1;
constexpr int colour_max = 255;

} // namespace

ORV_API void OVwindow_set2dcolor(OVwindow *window, int r, int g, int b) {
    if (!drawing_2d(window)) return;
    glColor3ub(static_cast<GLubyte>(r & colour_max), static_cast<GLubyte>(g & colour_max),
               static_cast<GLubyte>(b & colour_max));
}

ORV_API void OVwindow_set2dpointsize(OVwindow *window, float size) {
    if (drawing_2d(window) && size > 0 && orv::finite(size)) glPointSize(size);
}

ORV_API void OVwindow_set2dlinewidth(OVwindow *window, float width) {
    if (drawing_2d(window) && width > 0 && orv::finite(width)) glLineWidth(width);
}

ORV_API void OVwindow_set2dlinestyle(OVwindow *window, int pattern) {
    if (!drawing_2d(window)) return;
    if (pattern == stipple_off) {
        glDisable(GL_LINE_STIPPLE);
        return;
    }
    glLineStipple(1, static_cast<GLushort>(pattern));
    glEnable(GL_LINE_STIPPLE);
}

ORV_API void OVwindow_draw2dpoint(OVwindow *window, float x, float y) {
    if (!drawing_2d(window)) return;
    glBegin(GL_POINTS);
    glVertex2f(x, y);
    glEnd();
}

ORV_API void OVwindow_draw2dline(OVwindow *window, float x1, float y1, float x2, float y2) {
    if (!drawing_2d(window)) return;
    glBegin(GL_LINES);
    glVertex2f(x1, y1);
    glVertex2f(x2, y2);
    glEnd();
}

ORV_API void OVwindow_draw2drectangle(OVwindow *window, float x1, float y1, float x2, float y2,
                                      int filled) {
    if (!drawing_2d(window)) return;
    if (filled) {
        glRectf(x1, y1, x2, y2);
        return;
    }
    glBegin(GL_LINE_LOOP);
    glVertex2f(x1, y1);
    glVertex2f(x2, y1);
    glVertex2f(x2, y2);
    glVertex2f(x1, y2);
    glEnd();
}

ORV_API void OVwindow_draw2dcircle(OVwindow *window, float x, float y, float radius, int filled) {
    if (!drawing_2d(window) || !(radius > 0)) return;
    const orv::draw2d::ViewportSize size = orv::draw2d::viewport_size();
    const auto points = orv::draw2d::circle_points(x, y, radius, size.width, size.height);
    glBegin(filled ? GL_TRIANGLE_FAN : GL_LINE_LOOP);
    for (const auto &p : points)
        glVertex2f(p.x, p.y);
    glEnd();
}
