// The cached drawing state and the flag-difference logic.
#include "render/draw_state.h"

#include <GL/gl.h>

namespace orv {

namespace {

DrawCache cache;

void toggle(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

bool two_sided(int flags) {
    return flags & DRAW_TWOSIDED;
}

// Culling is only used for one-sided polygons; two-sided ones are lit on both faces.
bool culling(int flags) {
    return (flags & DRAW_CULL) && !(flags & DRAW_TWOSIDED);
}

} // namespace

DrawCache &draw_cache() {
    return cache;
}

void apply_flags(int flags) {
    const int old = cache.flags;
    const bool all = old < 0;
    const int diff = all ? ~0 : old ^ flags;
    if (diff & DRAW_LIGHTING) toggle(GL_LIGHTING, flags & DRAW_LIGHTING);
    if (diff & DRAW_ALPHATEST) toggle(GL_ALPHA_TEST, flags & DRAW_ALPHATEST);
    if (all || two_sided(old) != two_sided(flags))
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, two_sided(flags) ? 1 : 0);
    if (all || culling(old) != culling(flags)) toggle(GL_CULL_FACE, culling(flags));
    if (diff & DRAW_TEXTURE) toggle(GL_TEXTURE_2D, flags & DRAW_TEXTURE);
    if (diff & DRAW_TRANSPARENT) toggle(GL_BLEND, flags & DRAW_TRANSPARENT);
    if (diff & DRAW_COLORMATERIAL) {
        toggle(GL_COLOR_MATERIAL, flags & DRAW_COLORMATERIAL);
        // OpenGL reads the current colour into the material when colour
        // material comes on; the colour must be sent again.
        for (float &c : cache.color)
            c = -1;
    }
    if (diff & DRAW_SMOOTH) glShadeModel(flags & DRAW_SMOOTH ? GL_SMOOTH : GL_FLAT);
    if (diff & DRAW_SPHEREMAP) {
        toggle(GL_TEXTURE_GEN_S, flags & DRAW_SPHEREMAP);
        toggle(GL_TEXTURE_GEN_T, flags & DRAW_SPHEREMAP);
    }
    cache.flags = flags;
}

void apply_color_material(int mode) {
    if (mode == cache.color_material) return;
    glColorMaterial(GL_FRONT_AND_BACK, static_cast<GLenum>(mode));
    cache.color_material = mode;
    for (float &c : cache.color)
        c = -1;
}

void send_colour(const float rgba[4]) {
    const bool tracked = cache.flags & DRAW_COLORMATERIAL;
    if (tracked) glDisable(GL_COLOR_MATERIAL);
    glColor4fv(rgba);
    if (tracked) {
        glMaterialfv(GL_FRONT_AND_BACK, static_cast<GLenum>(cache.color_material), rgba);
        glEnable(GL_COLOR_MATERIAL);
    }
    for (int i = 0; i < 4; ++i)
        cache.color[i] = rgba[i];
}

void forget_colours() {
    cache.material = {};
    cache.normal_known = false;
    for (float &c : cache.color)
        c = -1;
    cache.texture_list = 0;
}

void forget_drawing_state() {
    cache.flags = -1;
    cache.color_material = 0;
    forget_colours();
}

} // namespace orv
