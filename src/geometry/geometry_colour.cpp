// Polygon and whole-geometry colours and material ids, and rendering styles.
#include "geometry/geometry_internal.h"
#include "geometry/mtable_record.h"
#include "orv/universe.h"

using namespace orv::geom;

namespace {

enum class Match { rgb, color24, color12 };

int match(OVmtable *table, Match kind, unsigned a, int g = 0, int b = 0) {
    if (!table) return -1;
    switch (kind) {
    case Match::rgb:
        return OVmtable_matchrgb(table, static_cast<int>(a), g, b);
    case Match::color24:
        return OVmtable_matchcolor24(table, a);
    case Match::color12:
        return OVmtable_matchcolor12(table, a);
    }
    return -1;
}

int colour_poly(OVpoly *p, bool check, Match kind, unsigned a, int g = 0, int b = 0) {
    if (!p || !p->geometry || !p->geometry->mtable) return 0;
    if (check && !_OVgeometry_modifiable(p->geometry)) return 0;
    int id = match(p->geometry->mtable, kind, a, g, b);
    if (id < 0) return 0;
    p->matid = id;
    drawing_changed(p->geometry);
    return 1;
}

} // namespace

extern "C" {

int OVpoly_setrgb(OVpoly *p, int r, int g, int b) {
    return colour_poly(p, true, Match::rgb, r, g, b);
}
int _OVpoly_setcolor24(OVpoly *p, unsigned rgb) {
    return colour_poly(p, true, Match::color24, rgb);
}
int OVpoly_setcolor(OVpoly *p, unsigned rgb12) {
    return colour_poly(p, true, Match::color12, rgb12);
}
int _OVpoly_setcolor_nofrags(OVpoly *p, unsigned rgb12) {
    return colour_poly(p, false, Match::color12, rgb12);
}

unsigned _OVpoly_getcolor24(OVpoly *p) {
    if (!p || !p->geometry || !p->geometry->mtable) return 0;
    return OVmtable_getcolor24(p->geometry->mtable, p->matid);
}

int OVpoly_getrgb(OVpoly *p, int *r, int *g, int *b) {
    if (!p || !p->geometry || !p->geometry->mtable) return 0;
    unsigned rgb = _OVpoly_getcolor24(p);
    if (r) *r = (rgb >> 16) & 0xFF;
    if (g) *g = (rgb >> 8) & 0xFF;
    if (b) *b = rgb & 0xFF;
    return 1;
}

int OVpoly_getcolor(OVpoly *p) {
    if (!p || !p->geometry || !p->geometry->mtable) return -1;
    const float *rgb = orv::mtable_colour(p->geometry->mtable, p->matid);
    if (!rgb) return 0;
    // Straight from the floats: every 12-bit colour comes back exactly.
    auto nibble = [&](int k) { return static_cast<int>(std::clamp(rgb[k], 0.0f, 1.0f) * 15.0f); };
    return nibble(0) << 8 | nibble(1) << 4 | nibble(2);
}

int OVgeometry_setrgb(OVgeometry *g, int r, int gg, int b) {
    if (!g || !g->mtable || !_OVgeometry_modifiable(g)) return 0;
    int id = match(g->mtable, Match::rgb, r, gg, b);
    if (id < 0) return 0;
    for (OVpoly *p = g->polys; p; p = p->next)
        p->matid = id;
    drawing_changed(g);
    return 1;
}

int OVgeometry_setmatid(OVgeometry *g, int id) {
    if (id < 0 || !_OVgeometry_modifiable(g)) return 0;
    for (OVpoly *p = g->polys; p; p = p->next)
        p->matid = id;
    return 1;
}

int OVgeometry_setrenderingstyle(OVgeometry *g, int style, int mode) {
    if (!_OVgeometry_modifiable(g) || (mode != 0 && mode != 1 && mode != 64)) return 0;
    auto bits = static_cast<std::uint8_t>(style);
    if (style == 255) {
        if (mode != 64) return 0;
        g->style_mask = g->style_values = 0;
    } else if (style == 0) {
        if (mode == 64) return 1;
        g->style_mask |= 0x0D;
        if (mode == 1)
            g->style_values &= ~0x0D;
        else
            g->style_values |= 0x0D;
    } else if (mode == 1) {
        g->style_mask |= bits;
        g->style_values |= bits;
    } else if (mode == 0) {
        g->style_mask |= bits;
        g->style_values &= ~bits;
    } else {
        g->style_mask &= ~bits;
        g->style_values &= ~bits;
    }
    tell_node(g);
    return 1;
}

int OVgeometry_getrenderingstyle(OVgeometry *g) {
    if (!g) return -1;
    int style =
        (OVuniverse_getrendering() & ~g->style_mask & 0xFF) | (g->style_mask & g->style_values);
    return style & OVSTYLE_WIREFRAME ? OVSTYLE_WIREFRAME : style;
}

} // extern "C"
