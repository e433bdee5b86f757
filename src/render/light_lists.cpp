// Light and ambient display lists.
#include "render/light_lists.h"

#include "render/render_config.h"
#include "render/window_internal.h"
#include "scene/light_state.h"

#include <GL/gl.h>

#include <algorithm>

namespace orv {

namespace {

void colour(GLenum light, GLenum parameter, const float rgb[3], float intensity) {
    const float v[4] = {rgb[0] * intensity, rgb[1] * intensity, rgb[2] * intensity, 1};
    glLightfv(light, parameter, v);
}

void attenuation(GLenum light, const OVlight *l) {
    glLightf(light, GL_CONSTANT_ATTENUATION, l->attenuation[0]);
    glLightf(light, GL_LINEAR_ATTENUATION, l->attenuation[1]);
    glLightf(light, GL_QUADRATIC_ATTENUATION, l->attenuation[2]);
}

void compile_light(int slot, const OVlight *l) {
    const GLenum light = GL_LIGHT0 + static_cast<GLenum>(slot);
    glNewList(render_config().light_lists + static_cast<unsigned>(slot), GL_COMPILE);
    colour(light, GL_AMBIENT, l->ambient, l->intensity);
    colour(light, GL_DIFFUSE, l->diffuse, l->intensity);
    colour(light, GL_SPECULAR, l->specular, l->intensity);
    if (l->kind == 0) {
        const float position[4] = {-l->direction[0], -l->direction[1], -l->direction[2], 0};
        glLightfv(light, GL_POSITION, position);
        glLightf(light, GL_SPOT_CUTOFF, 180);
    } else {
        const float position[4] = {l->position[0], l->position[1], l->position[2], 1};
        glLightfv(light, GL_POSITION, position);
        attenuation(light, l);
        if (l->kind == 2) {
            glLightfv(light, GL_SPOT_DIRECTION, l->direction);
            // OpenGL accepts cones up to a right angle.
            glLightf(light, GL_SPOT_CUTOFF, std::min(l->angle * 180 / 3.1415927f, 90.0f));
            glLightf(light, GL_SPOT_EXPONENT, std::clamp(l->exponent, 0.0f, 128.0f));
        } else {
            glLightf(light, GL_SPOT_CUTOFF, 180);
        }
    }
    glEndList();
}

} // namespace

void compile_light_lists() {
    RenderConfig &c = render_config();
    if (!c.light_lists) return;
    LightSlot *slots = light_slots();
    for (int i = 0; i < light_slot_count; ++i)
        if (slots[i].light && !slots[i].compiled) compile_light(i, slots[i].light);
    if (!c.ambient_valid) {
        glNewList(c.light_lists + light_slot_count, GL_COMPILE);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, c.ambient);
        glEndList();
        c.ambient_valid = true;
    }
}

void mark_lights_compiled() {
    LightSlot *slots = light_slots();
    for (int i = 0; i < light_slot_count; ++i)
        if (slots[i].light) slots[i].compiled = true;
}

void global_ambient() {
    const RenderConfig &c = render_config();
    if (display(0)->texture_objects || !c.ambient_valid)
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, c.ambient);
    else
        glCallList(c.light_lists + light_slot_count);
}

void light_on(int slot) {
    if (slot < 0 || slot >= light_slot_count || !render_config().light_lists) return;
    glCallList(render_config().light_lists + static_cast<unsigned>(slot));
    glEnable(GL_LIGHT0 + static_cast<GLenum>(slot));
}

void light_off(int slot) {
    if (slot < 0 || slot >= light_slot_count) return;
    glDisable(GL_LIGHT0 + static_cast<GLenum>(slot));
}

} // namespace orv
