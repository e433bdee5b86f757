// Laying out a string as copies of glyph geometries along +x.
#include "text3d/glyph_tables.h"
#include "text3d/text3d_font.h"
#include "orv/geometry.h"

extern "C" ORV_API OVgeometry *OVgeometry_newtext3d(OVfont3d *font, const char *string) {
    if (!font || !string) return nullptr;
    OVgeomlist *copies = nullptr;
    int column = 0;
    for (const unsigned char *s = reinterpret_cast<const unsigned char *>(string); *s; ++s) {
        if (*s < 32) continue;
        OVgeometry *glyph = font->glyphs[*s];
        if (*s != ' ' && glyph) {
            OVgeometry *copy = OVgeometry_copy(glyph);
            if (copy && column) {
                const OVp3 d = {column * font->advance, 0, 0};
                OVgeometry_translate(copy, d);
            }
            // Merging puts each later geometry in front of the first, so the
            // list runs from the last character to the first.
            if (copy) copies = _OVgeomlist_add(copies, copy);
        }
        ++column;
    }
    if (!copies) return nullptr;
    orv::share_glyph_tables(copies);
    OVgeometry *text = _OVgeomlist_glom(copies);
    _OVgeomlist_delete(copies);
    OVgeometry_setname(text, "text");
    return text;
}
