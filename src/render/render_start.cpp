// The renderer's start on the shared context and its initial OpenGL state.
#include "render/list_names.h"
#include "render/render_config.h"
#include "render/window_internal.h"
#include "texture/texture_access.h"

#include <GL/gl.h>

#include <cstring>

namespace orv {

namespace {
FontHooks font_hooks;

void initial_state(const RenderConfig &c) {
    glDisable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glBlendFunc(GL_ONE, GL_ZERO);
    glDisable(GL_BLEND);
    glAlphaFunc(GL_GREATER, c.alpha_reference);
    glDisable(GL_ALPHA_TEST);
    glDrawBuffer(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    glDepthFunc(GL_LESS);
    glEnable(GL_LIGHTING);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glHint(GL_FOG_HINT, GL_FASTEST);
    glDisable(GL_CULL_FACE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glDisable(GL_COLOR_MATERIAL);
    set_default_material();
    glDisable(GL_LIGHT0);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, c.ambient);
    glFlush();
}
} // namespace

void apply_dither(bool palette_format) {
    int d = render_config().dither;
    if (palette_format || d >= 1)
        glEnable(GL_DITHER);
    else
        glDisable(GL_DITHER);
}

void set_default_material() {
    const GLfloat black[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0);
}

void set_font_hooks(const FontHooks &hooks) {
    font_hooks = hooks;
}

void render_start() {
    RenderConfig &c = render_config();
    apply_dither(false);
    if (font_hooks.load) font_hooks.load();
    const char *vendor = reinterpret_cast<const char *>(glGetString(GL_VENDOR));
    if (!vendor || std::strncmp(vendor, "Intergraph", 10) != 0) c.vendor_flag = 0;
    // OpenGL 1.1 has texture objects; check that naming one works.
    GLuint name = 0;
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenTextures(1, &name);
    display(0)->texture_objects = glGetError() == GL_NO_ERROR;
    if (name) glDeleteTextures(1, &name);
    const int filter = display(0)->texture_objects ? 1 : 0;
    tex::set_default_filters(filter, filter);
    c.light_lists = list_names_take(9);
    initial_state(c);
    c.started = true;
}

void render_stop() {
    RenderConfig &c = render_config();
    if (font_hooks.release) font_hooks.release();
    if (c.light_lists) {
        glDeleteLists(c.light_lists, 9);
        list_names_free(c.light_lists, 9);
    }
    c.light_lists = 0;
    c.started = false;
}

} // namespace orv
