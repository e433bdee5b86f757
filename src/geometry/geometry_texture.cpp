// Texturing every polygon of a geometry.
#include "geometry/geometry_internal.h"
#include "orv/texture.h"
#include "texture/texture_access.h"

namespace orv::geom {

namespace {

// Each corner's coordinates from its position.
void corner_uv(const OVpoly *p, OVuvfn ufn, OVuvfn vfn, std::vector<float> &u,
               std::vector<float> &v) {
    u.clear();
    v.clear();
    for (const OVvertex *corner : corners_of(p)) {
        u.push_back(ufn(corner->position));
        v.push_back(vfn(corner->position));
    }
}

} // namespace

} // namespace orv::geom

using namespace orv;
using namespace orv::geom;

extern "C" {

ORV_API int OVgeometry_settexture(OVgeometry *g, const char *name, int shaded, int transparent) {
    if (!g || !_OVgeometry_modifiable(g)) return 0;
    for (OVpoly *p = g->polys; p; p = p->next)
        if (!OVpoly_settexture(p, name, shaded, transparent)) return 0;
    return 1;
}

ORV_API int OVgeometry_changetexture(OVgeometry *g, const char *name, int shaded, int transparent) {
    OVtexture *t = tex::find(name);
    if (!g || !t || !_OVgeometry_modifiable(g)) return 0;
    for (OVpoly *p = g->polys; p; p = p->next) {
        OVtexbinding *b = p->texture;
        if (!b) continue;
        tex::add_use(t); // before the release: the old texture may be the same
        tex::release_use(b->texture);
        b->texture = t;
        b->shaded = shaded != 0;
        b->transparent = transparent != 0;
    }
    drawing_changed(g);
    return 1;
}

ORV_API int OVgeometry_settextureuv(OVgeometry *g, const char *name, OVuvfn ufn, OVuvfn vfn,
                                    int shaded, int transparent) {
    if (!g || !ufn || !vfn) return 0;
    std::vector<float> u, v;
    for (OVpoly *p = g->polys; p; p = p->next) {
        corner_uv(p, ufn, vfn, u, v);
        if (!OVpoly_settextureuv(p, name, u.data(), v.data(), shaded, transparent)) return 0;
    }
    return 1;
}

ORV_API int OVgeometry_setuv(OVgeometry *g, OVuvfn ufn, OVuvfn vfn) {
    if (!g || !ufn || !vfn) return 0;
    std::vector<float> u, v;
    for (OVpoly *p = g->polys; p; p = p->next) {
        if (!p->texture) continue;
        corner_uv(p, ufn, vfn, u, v);
        // The binding keeps its own count of pairs.
        u.resize(static_cast<std::size_t>(std::max<int>(p->texture->count, 1)));
        v.resize(u.size());
        if (!OVpoly_setuv(p, u.data(), v.data())) return 0;
    }
    return 1;
}

ORV_API int OVgeometry_deletetexture(OVgeometry *g) {
    if (!g) return 0;
    int all_gone = 1; // a locked geometry keeps its bindings: not a success
    for (OVpoly *p = g->polys; p; p = p->next)
        if (p->texture && !OVpoly_deletetexture(p)) all_gone = 0;
    return all_gone;
}

} // extern "C"
