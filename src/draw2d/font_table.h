// The 2D font table: fonts found by face name, each rendered into 255 glyph
// display lists (list base + code draws that character).
#pragma once

#include <string>

namespace orv::draw2d {

// Up to this many fonts are kept.
inline constexpr int max_fonts = 255;
// Character codes 0 to 254 each have a list.
inline constexpr int glyph_count = 255;

struct Font {
    unsigned list_base = 0;
    int advance[glyph_count] = {}; // pixels the raster position moves
    int ascent = 0;                // pixels above the baseline
    int descent = 0;               // pixels below it
    std::string face;              // the face the font system chose
};

// Loads "font.orv" from the current directory, or the system font without
// it; runs on the current rendering context when the renderer starts.
void fonts_load();
// Frees every font's lists; the rendering context is about to go.
void fonts_release();
// The number of fonts loaded.
int font_count();
// The current font, or null when none is loaded.
const Font *current_font();
// Makes font index current; false, with nothing changed, when out of range.
bool select_font(int index);

} // namespace orv::draw2d
