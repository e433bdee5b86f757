#include "draw2d/glyph_lists.h"

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <string>
#include <vector>

namespace orv::draw2d {
namespace {

// Codes below this are control characters: their lists draw nothing.
constexpr int first_printable = 32;
// FreeType's 26.6 fixed point.
constexpr int fixed_shift = 6;

// The file and face index of the installed face fontconfig matches to the
// name; false when there is none.
bool find_face_file(const char *face_name, std::string *file, int *index) {
    FcPattern *pattern = FcPatternCreate();
    if (!pattern) return false;
    // The name goes in as a family, never parsed as a pattern.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(face_name));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return false;
    FcChar8 *path = nullptr;
    bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path;
    if (found) {
        *file = reinterpret_cast<const char *>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, index) != FcResultMatch) *index = 0;
    }
    FcPatternDestroy(match);
    return found;
}

// A one-bit FreeType bitmap as OpenGL wants it: bottom row first, rows packed.
std::vector<GLubyte> flip_rows(const FT_Bitmap &bitmap) {
    const int row_bytes = (static_cast<int>(bitmap.width) + 7) / 8;
    const int rows = static_cast<int>(bitmap.rows);
    std::vector<GLubyte> out(static_cast<std::size_t>(row_bytes) * rows);
    for (int y = 0; y < rows; ++y) {
        const unsigned char *src = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        if (bitmap.pitch < 0) src = bitmap.buffer + static_cast<long>(rows - 1 - y) * -bitmap.pitch;
        for (int x = 0; x < row_bytes; ++x)
            out[static_cast<std::size_t>(rows - 1 - y) * row_bytes + x] = src[x];
    }
    return out;
}

// The Windows ANSI code page's codes 0x80 to 0x9F; 0 where it has none.
constexpr unsigned short ansi_high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned long code_point(int code) {
    constexpr int high_start = 0x80, high_end = 0xA0;
    if (code >= high_start && code < high_end) return ansi_high[code - high_start];
    return static_cast<unsigned long>(code);
}

// Compiles one character's list: its bitmap drawn, the raster position moved.
void compile_glyph(FT_Face face, int code, GLuint list, Font *font) {
    glNewList(list, GL_COMPILE);
    const unsigned long cp = code >= first_printable ? code_point(code) : 0;
    if (cp &&
        FT_Load_Char(face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0) {
        const FT_GlyphSlot g = face->glyph;
        const int advance = static_cast<int>(g->advance.x >> fixed_shift);
        const std::vector<GLubyte> bits = flip_rows(g->bitmap);
        const int rows = static_cast<int>(g->bitmap.rows);
        glBitmap(static_cast<GLsizei>(g->bitmap.width), rows, static_cast<GLfloat>(-g->bitmap_left),
                 static_cast<GLfloat>(rows - g->bitmap_top), static_cast<GLfloat>(advance), 0,
                 bits.empty() ? nullptr : bits.data());
        font->advance[code] = advance;
    }
    glEndList();
}

} // namespace

bool compile_font(const char *face_name, int height, Font *font) {
    if (height < 0) height = -height;
    if (height == 0) height = default_font_height;
    if (height > max_font_height) return false;
    if (!FcInit()) return false;
    std::string file;
    int index = 0;
    if (!find_face_file(face_name, &file, &index)) return false;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return false;
    FT_Face face = nullptr;
    bool ok = FT_New_Face(library, file.c_str(), index, &face) == 0 &&
              FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(height)) == 0;
    if (ok) {
        font->ascent = static_cast<int>(face->size->metrics.ascender >> fixed_shift);
        font->descent = static_cast<int>(-(face->size->metrics.descender >> fixed_shift));
        font->face = face->family_name ? face->family_name : face_name;
        GLint alignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        for (int code = 0; code < glyph_count; ++code)
            compile_glyph(face, code, font->list_base + code, font);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    }
    if (face) FT_Done_Face(face);
    FT_Done_FreeType(library);
    return ok;
}

} // namespace orv::draw2d
