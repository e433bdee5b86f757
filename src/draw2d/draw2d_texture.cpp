// Textured quadrilaterals over the scene.
#include "draw2d/draw2d_window.h"
#include "orv/draw2d.h"
#include "texture/texture_access.h"

#include <GL/gl.h>

namespace {

constexpr int corner_count = 4;

} // namespace

ORV_API void OVwindow_draw2dtexture(OVwindow *window, const char *name, int alphatest,
                                    const float *corners, const float *texcoords) {
    if (!orv::draw2d::drawing_2d(window) || !name || !corners || !texcoords) return;
    const OVtexture *texture = orv::tex::find(name);
    // Not yet uploaded: the texture shows from the next frame on.
    const unsigned list = texture ? orv::tex::texture_list(texture) : 0;
    if (!list) return;
    // White lets the texels through unchanged, and stays the colour after.
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    if (alphatest) glEnable(GL_ALPHA_TEST);
    glCallList(list);
    glBegin(GL_QUADS);
    for (int i = 0; i < corner_count; ++i) {
        glTexCoord2f(texcoords[2 * i], texcoords[2 * i + 1]);
        glVertex2f(corners[2 * i], corners[2 * i + 1]);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
}
