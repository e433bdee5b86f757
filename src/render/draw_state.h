// The OpenGL drawing state as the renderer last set it. All windows share one
// context, so one cache serves every window; it is compared before every
// change so that OpenGL only hears about differences.
#pragma once

#include <cstdint>

struct OVmtable;

namespace orv {

// Drawing-state flag bits.
enum : int {
    DRAW_LIGHTING = 0x001,
    DRAW_ALPHATEST = 0x002,
    DRAW_TWOSIDED = 0x004,
    DRAW_TEXTURE = 0x008,
    DRAW_TRANSPARENT = 0x010,
    DRAW_COLORMATERIAL = 0x020,
    DRAW_CULL = 0x040,
    DRAW_SMOOTH = 0x080,
    DRAW_SPHEREMAP = 0x200
};

// What a polygon's material was last sent as: the table and entry, or none;
// white_colour when its colours were whitened for an untinted texture.
struct MaterialKey {
    const OVmtable *table = nullptr;
    int index = -1;
    bool white_colour = false;
    bool operator==(const MaterialKey &) const = default;
};

struct DrawCache {
    int flags = -1;         // -1: unknown, every bit is sent again
    int color_material = 0; // GL_COLOR_MATERIAL mode last given, 0: unknown
    MaterialKey material;   // per-polygon material last sent
    float color[4] = {-1, -1, -1, -1};
    float normal[3] = {};
    bool normal_known = false; // normal holds the current OpenGL normal
    unsigned texture_list = 0;
    bool transparent_pass = false;
    bool immediate = false; // drawing without display lists: software back-face test
};

DrawCache &draw_cache();
// Changes only the bits of the drawing state that differ from the cache.
void apply_flags(int flags);
// Colour-material mode (GL_AMBIENT_AND_DIFFUSE, ...) for flag 0x020.
void apply_color_material(int mode);
// Sets the current colour; under colour material the material takes it as
// well, since Mesa leaves a constant colour it already has out of the ambient term.
void send_colour(const float rgba[4]);
// Forgets the colour, the normal, the material and the texture (they are sent again).
void forget_colours();
// Everything is unknown: an application callback may have changed any of it.
void forget_drawing_state();

} // namespace orv
