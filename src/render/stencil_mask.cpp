// Stencil mask for the interlaced stereo modes.
#include "render/stencil_mask.h"

#include <GL/gl.h>

#include <cstring>

namespace orv {

void stencil_stipple(const OVwindow *w, const PixelRect &vp, unsigned char out[128]) {
    int mode = w->display_mode & 0x7000;
    if (mode == 0x1000 || mode == 0x3000) {
        bool even = ((vp.y ^ w->height ^ w->y) & 1) == 0;
        if (mode == 0x3000) even = !even;
        // Rows of ones alternating with rows of zeros; even starts with ones.
        for (int row = 0; row < 32; ++row)
            std::memset(out + row * 4, (row % 2 == 0) == even ? 0xFF : 0x00, 4);
        return;
    }
    bool same = ((w->x ^ vp.x) & 1) == 0;
    if (mode == 0x7000) same = !same;
    std::memset(out, same ? 0xAA : 0x55, 128);
}

void build_stencil_mask(const OVwindow *w, const PixelRect &vp) {
    glClearStencil(0);
    glClear(GL_STENCIL_BUFFER_BIT);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glEnable(GL_STENCIL_TEST);
    glDisable(GL_DEPTH_TEST);
    glViewport(vp.x, vp.y, vp.width, vp.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, 0.5, 16);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    unsigned char stipple[128];
    stencil_stipple(w, vp, stipple);
    glPolygonStipple(stipple);
    GLboolean smooth = glIsEnabled(GL_POLYGON_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glDisable(GL_LIGHTING);
    glEnable(GL_POLYGON_STIPPLE);
    // Only the stencil is wanted: the eyes draw the colours.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glVertex3f(0, 0, -1);
    glVertex3f(1, 0, -1);
    glVertex3f(1, 1, -1);
    glVertex3f(0, 1, -1);
    glEnd();
    glDisable(GL_POLYGON_STIPPLE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    if (smooth) glEnable(GL_POLYGON_SMOOTH);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

} // namespace orv
