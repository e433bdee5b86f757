// The 2D font list file: one font a line, a face name and optionally a
// height in pixels as the last word.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orv::draw2d {

// The file the fonts are read from, in the current directory.
inline constexpr const char *font_list_file = "font.orv";
// Longest line the reader takes, without its end of line.
inline constexpr std::size_t max_font_line = 254;
// Longest face name the font system accepts.
inline constexpr std::size_t max_face_name = 31;

struct FontRequest {
    std::string face;
    int height = 0; // 0: the default height
};

// The fonts the text asks for, in order. Lines of one character or less are
// skipped; overlong lines and face names are reported and skipped.
std::vector<FontRequest> parse_font_list(const char *text, std::size_t size);

} // namespace orv::draw2d
