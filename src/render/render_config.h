// The renderer's configuration: one record from display set-up to the
// universe's deletion.
#pragma once

#include <cstdint>

namespace orv {

struct RenderConfig {
    bool ambient_valid = false;
    unsigned light_lists = 0; // 8 light lists (slot i at + i), then the ambient list
    float ambient[4] = {0, 0, 0, 1};
    int max_texture_size = 1024;
    int stereo_gap = 18;
    float alpha_reference = 0.0f;
    int vendor_flag = 1;
    int square_textures = 0;
    int max_primitives = 5000;
    int force_color = 0;
    int dither = -1;         // ORVDITHER: -1 when not set
    int last_rendering = -1; // rendering flags of the previous frame
    bool started = false;    // the initial OpenGL state is set
};

RenderConfig &render_config();
// Reads ORVMAXTEXSIZE, ORVALPHATEST, ORVSQRTEX, ORVMAXPRIM, ORVFORCECOLOR, ORVDITHER.
void render_read_environment();
// Ambient colour from the universe's ambient colour and intensity.
void render_update_ambient();
// The renderer's start on the current context: entry points and initial state.
void render_start();
// Frees the renderer's lists; the context is about to go.
void render_stop();
// Ambient, diffuse, specular, emission (0, 0, 0, 1) and shininess 0 on both sides.
void set_default_material();
// The 2D fonts belong to a module above the renderer, which loads them when
// the renderer starts and frees them before the context goes.
struct FontHooks {
    void (*load)() = nullptr;
    void (*release)() = nullptr;
};
void set_font_hooks(const FontHooks &hooks);
// Whether the ORVDITHER setting enables dithering on the current format.
void apply_dither(bool palette_format);

} // namespace orv
