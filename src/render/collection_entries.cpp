// Bounding boxes, materials, fog and ambient overrides of a collection.
#include "render/collection_entries.h"

#include "orv/mtable.h"
#include "orv/geometry.h"
#include "render/draw_state.h"
#include "render/light_lists.h"
#include "state/universe_state.h"

#include <GL/gl.h>

#include <initializer_list>

namespace orv {

void drawing_without(int bits) {
    const DrawCache &c = draw_cache();
    int flags = c.flags >= 0 ? c.flags : c.transparent_pass ? DRAW_TRANSPARENT : 0;
    apply_flags(flags & ~bits);
}

void draw_box(const OVp3 mid, const OVp3 ext, const scene::TraversalState *state) {
    drawing_without(DRAW_LIGHTING | DRAW_TEXTURE);
    const bool blend =
        (state->rendering_flags & OVSTYLE_ANTIALIAS) && !draw_cache().transparent_pass;
    if (blend) glEnable(GL_BLEND);
    float rgb[3] = {1, 1, 1};
    universe_overlay(rgb);
    glColor3fv(rgb);
    forget_colours();
    auto corner = [&](int i, int side) {
        const float x = (i == 1 || i == 2) ? 1.0f : -1.0f, y = i >= 2 ? 1.0f : -1.0f;
        glVertex3f(mid[0] + x * ext[0], mid[1] + y * ext[1], mid[2] + side * ext[2]);
    };
    for (int side : {-1, 1}) {
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < 4; ++i)
            corner(i, side);
        glEnd();
    }
    glBegin(GL_LINES);
    for (int i = 0; i < 4; ++i) {
        corner(i, -1);
        corner(i, 1);
    }
    glEnd();
    if (blend) glDisable(GL_BLEND);
}

void apply_material(const scene::MaterialRecord *m, scene::TraversalState *state) {
    drawing_without(DRAW_COLORMATERIAL);
    if (m->mask & OVAMBIENT) glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m->ambient);
    if (m->mask & OVSPECULAR) glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m->specular);
    if (m->mask & OVEMISSION) glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, m->emission);
    if (m->mask & OVSHININESS) glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m->shininess);
    if (m->mask & (OVDIFFUSE | OVOPACITY)) {
        float diffuse[4] = {m->diffuse[0], m->diffuse[1], m->diffuse[2], m->diffuse[3]};
        if ((m->mask & OVOPACITY) && draw_cache().transparent_pass) {
            state->alpha = m->alpha;
            diffuse[3] = m->alpha;
        }
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    }
    forget_colours();
}

void apply_fog(const scene::FogRecord *fog) {
    if (!fog) {
        glDisable(GL_FOG);
        return;
    }
    if (fog->mode == 0) {
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glFogf(GL_FOG_START, fog->start);
        glFogf(GL_FOG_END, fog->end);
    } else {
        glFogi(GL_FOG_MODE, fog->mode == 1 ? GL_EXP : GL_EXP2);
        glFogf(GL_FOG_DENSITY, fog->end > 0 ? 1 / fog->end : 1);
    }
    glFogfv(GL_FOG_COLOR, fog->color);
    glEnable(GL_FOG);
}

void apply_ambient(const scene::AmbientRecord *ambient) {
    if (ambient)
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient->rgba);
    else
        global_ambient();
}

} // namespace orv
