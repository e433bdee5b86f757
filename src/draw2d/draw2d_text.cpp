// Bitmap-font text: choosing the font, measuring and drawing.
#include "draw2d/draw2d_window.h"
#include "draw2d/font_table.h"
#include "orv/draw2d.h"

#include <GL/gl.h>

#include <string>

using orv::draw2d::drawing_2d;

ORV_API void OVwindow_set2dfont(OVwindow *window, int index) {
    if (drawing_2d(window)) orv::draw2d::select_font(index);
}

ORV_API void OVwindow_get2dtextextents(OVwindow *window, const char *text, float *width,
                                       float *height) {
    const orv::draw2d::Font *font = orv::draw2d::current_font();
    if (!drawing_2d(window) || !text || !font || !width || !height) return;
    long pixels = 0;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p)
        if (*p < orv::draw2d::glyph_count) pixels += font->advance[*p];
    const orv::draw2d::ViewportSize size = orv::draw2d::viewport_size();
    *width = static_cast<float>(pixels) / size.width;
    *height = static_cast<float>(font->ascent + font->descent) / size.height;
}

ORV_API void OVwindow_draw2dtext(OVwindow *window, float x, float y, const char *text) {
    const orv::draw2d::Font *font = orv::draw2d::current_font();
    if (!drawing_2d(window) || !text || !font) return;
    // Code 255 has no list of this font: list base + 255 is someone else's.
    std::string codes;
    for (const char *p = text; *p; ++p)
        if (static_cast<unsigned char>(*p) < orv::draw2d::glyph_count) codes += *p;
    glRasterPos2f(x, y);
    glListBase(font->list_base);
    glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
}

ORV_API int OVwindow_get2dfontcount(void) {
    return orv::draw2d::font_count();
}
