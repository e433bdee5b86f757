// Finding a face through fontconfig and compiling its glyphs with FreeType.
#pragma once

#include "draw2d/font_table.h"

namespace orv::draw2d {

// Default height in pixels of a font asked for without one.
inline constexpr int default_font_height = 16;
// Tallest font accepted, in pixels.
inline constexpr int max_font_height = 512;
// The face used when there is no font list file.
inline constexpr const char *system_face = "DejaVu Sans";

// Compiles the glyph lists of the face matching the name at that height into
// font->list_base (already allocated) and fills its metrics; false when no
// face can be had or the height is not drawable.
bool compile_font(const char *face_name, int height, Font *font);

} // namespace orv::draw2d
