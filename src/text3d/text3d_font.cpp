// 3D fonts: glyph geometries read from a font model, kept in the universe's list.
#include "core/finite.h"
#include "files/nff_reader.h"
#include "geometry/geometry_access.h"
#include "text3d/text3d_font.h"
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

OVfont3d *g_fonts = nullptr; // newest first

constexpr long kFirstCode = 1, kLastCode = 255;

// The character code of a glyph name "char<code>", 0 for anything else. The
// digits are read in full, so that a long number cannot wrap into range.
int glyph_code(const char *name) {
    if (!name || std::strncmp(name, "char", 4) != 0 || name[4] < '0' || name[4] > '9') return 0;
    const long code = std::strtol(name + 4, nullptr, 10);
    return code >= kFirstCode && code <= kLastCode ? static_cast<int>(code) : 0;
}

void widen(OVfont3d *font, OVgeometry *g) {
    const float *mid = orv::geom::geometry_midpoint(g), *half = orv::geom::geometry_half_extents(g);
    for (int k = 0; k < 3; ++k) {
        font->minimum[k] = std::min(font->minimum[k], mid[k] - half[k]);
        font->maximum[k] = std::max(font->maximum[k], mid[k] + half[k]);
    }
}

void delete_geometries(OVgeomlist *list) {
    for (OVgeomlist *e = list; e; e = _OVgeomlist_next(e))
        OVgeometry_delete(_OVgeomlist_geometry(e));
    _OVgeomlist_delete(list);
}

// Sorts the geometries into glyph slots; false when none is a glyph.
bool fill_glyphs(OVfont3d *font, const char *name) {
    int others = 0, glyphs = 0;
    for (OVgeomlist *e = font->geometries; e; e = _OVgeomlist_next(e)) {
        OVgeometry *g = _OVgeomlist_geometry(e);
        int code = glyph_code(OVgeometry_getname(g));
        if (!code) {
            ++others;
        } else if (font->glyphs[code]) {
            OVwarning("Font file %s contains more than one object for character %d\n", name, code);
        } else {
            font->glyphs[code] = g;
            widen(font, g);
            ++glyphs;
        }
    }
    if (!glyphs) {
        OVwarning("File %s doesn't contain any usable 3D letters\n", name);
        return false;
    }
    if (others) OVwarning("Font file %s contains %d non-character objects\n", name, others);
    return true;
}

} // namespace

extern "C" {

ORV_API OVfont3d *OVfont3d_load(const char *filename) {
    if (!filename) return nullptr;
    const char *path = _OVfile_findmodel(filename);
    if (!path) {
        OVwarning("Couldn't find 3D font file %s\n", filename);
        return nullptr;
    }
    std::FILE *f = std::fopen(path, "rb");
    if (!f) return nullptr;
    OVpq view = {{0, 0, 0}, {0, 0, 0, 1}};
    OVgeomlist *list = orv::nff_read(f, filename, &view, 1.0f, false, nullptr);
    std::fclose(f);
    if (!list) {
        OVwarning("File %s doesn't contain usable 3D letters\n", filename);
        return nullptr;
    }
    auto *font = new OVfont3d{};
    font->geometries = list;
    for (int k = 0; k < 3; ++k) {
        font->minimum[k] = 1e38f;
        font->maximum[k] = -1e38f;
    }
    if (!fill_glyphs(font, filename)) {
        delete_geometries(list);
        delete font;
        return nullptr;
    }
    font->cell_width = font->maximum[0] - font->minimum[0];
    font->advance = 1.1f * font->cell_width;
    std::snprintf(font->file_name, sizeof font->file_name, "%s", filename);
    font->next = g_fonts;
    g_fonts = font;
    return font;
}

ORV_API void OVfont3d_delete(OVfont3d *font) {
    if (!font) return;
    for (OVfont3d **p = &g_fonts; *p; p = &(*p)->next)
        if (*p == font) {
            *p = font->next;
            break;
        }
    delete_geometries(font->geometries);
    delete font;
}

ORV_API OVfont3d *OVfont3d_find(const char *filename) {
    for (OVfont3d *f = g_fonts; f && filename; f = f->next)
        if (std::strcmp(f->file_name, filename) == 0) return f;
    return nullptr;
}

ORV_API void _OVfont3d_deleteall(void) {
    while (g_fonts)
        OVfont3d_delete(g_fonts);
}

ORV_API void OVfont3d_setspacing(OVfont3d *font, float advance) {
    if (font && orv::finite(advance)) font->advance = advance;
}

ORV_API void OVfont3d_setspacingfactor(OVfont3d *font, float f) {
    if (font && orv::finite(f * font->cell_width)) font->advance = f * font->cell_width;
}

ORV_API float OVfont3d_getspacing(OVfont3d *font) {
    return font ? font->advance : 0.0f;
}

ORV_API void OVfont3d_getextents(OVfont3d *font, float out[6]) {
    if (!font || !out) return;
    for (int k = 0; k < 3; ++k) {
        out[k] = font->minimum[k];
        out[3 + k] = font->maximum[k];
    }
}

ORV_API int OVfont3d_haschar(OVfont3d *font, int c) {
    return font && font->glyphs[c & 0xFF] ? 1 : 0;
}

} // extern "C"
