// Opaque and transparent polygons of a geometry, and the material values its
// table sets, for the scene collection.
#include "geometry/geometry_passes.h"

#include "geometry/geometry_record.h"
#include "geometry/mtable_record.h"

namespace orv {

namespace {

bool translucent(const OVmtable *t, int matid) {
    if (!t || t->opacity_offset < 0 || matid < 0 || matid >= t->count) return false;
    return orv::mtable_at(t, matid)[t->opacity_offset] < 1.0f;
}

} // namespace

bool poly_transparent(const OVpoly *p) {
    const OVmtable *t = p->geometry ? p->geometry->mtable : nullptr;
    if (p->texture && p->texture->transparent) return true;
    if (translucent(t, p->matid)) return true;
    for (const OVvertex *v : geom::corners_of(p))
        if ((v->flags & OVVERTEX_OWNMATID) && translucent(t, v->matid)) return true;
    return false;
}

namespace {

constexpr std::uint16_t cache_known = 0x80;

int table_mask(const OVmtable *t) {
    if (!t) return 0;
    const int p = t->properties;
    int mask = p & (OVAMBIENT | OVDIFFUSE | OVSPECULAR | OVSHININESS | OVEMISSION | OVOPACITY);
    if (p & OVAMBIENTDIFFUSE) mask |= OVAMBIENT | OVDIFFUSE | OVOPACITY;
    if (p & OVDIFFUSE) mask |= OVOPACITY; // the diffuse alpha is the opacity
    return mask;
}

// Low byte: the passes and the known bit; high byte: the material bits.
std::uint16_t cached(OVgeometry *g) {
    if (g->passes & cache_known) return g->passes;
    int passes = 0;
    for (const OVpoly *p = g->polys; p && passes != (PASS_OPAQUE | PASS_TRANSPARENT); p = p->next)
        if (!(p->rflags & OVPOLYR_INVISIBLE))
            passes |= poly_transparent(p) ? PASS_TRANSPARENT : PASS_OPAQUE;
    g->passes = static_cast<std::uint16_t>(passes | cache_known | table_mask(g->mtable) << 8);
    return g->passes;
}

} // namespace

int geometry_passes(OVgeometry *g) {
    return cached(g) & (PASS_OPAQUE | PASS_TRANSPARENT);
}

int geometry_material_mask(OVgeometry *g) {
    return cached(g) >> 8;
}

} // namespace orv
