// A polygon's texture binding: making, replacing and reading it.
#include "core/finite.h"
#include "geometry/geometry_internal.h"
#include "orv/texture.h"
#include "texture/texture_access.h"

#include <cstring>

namespace orv::geom {

namespace {

// A binding of t with count coordinate pairs, the placement at rest.
OVtexbinding *binding_new(OVtexture *t, int count, int shaded, int transparent) {
    OVtexbinding start{};
    start.texture = t;
    start.scale = 1;
    start.shaded = shaded != 0;
    start.transparent = transparent != 0;
    std::vector<int> none(static_cast<std::size_t>(count), -1);
    return texture_pick(&start, none);
}

// Replaces p's binding by b (the old one's use of its texture released).
void bind(OVpoly *p, OVtexbinding *b) {
    texture_free(p->texture);
    p->texture = b;
}

} // namespace

} // namespace orv::geom

using namespace orv;
using namespace orv::geom;

extern "C" {

ORV_API int OVpoly_settexture(OVpoly *p, const char *name, int shaded, int transparent) {
    if (!p) return 1;
    if (!name || !_OVgeometry_modifiable(p->geometry)) return 0;
    OVtexture *t = tex::acquire(name);
    if (!t) return 0;
    OVtexbinding *b = binding_new(t, p->ncorners, shaded, transparent);
    default_mapping(p, b);
    bind(p, b);
    drawing_changed(p->geometry);
    return 1;
}

ORV_API int OVpoly_settextureuv(OVpoly *p, const char *name, const float *u, const float *v,
                                int shaded, int transparent) {
    if (!p || !name || !orv::finite(u, p->ncorners) || !orv::finite(v, p->ncorners) ||
        !_OVgeometry_modifiable(p->geometry))
        return 0;
    OVtexture *t = tex::acquire(name);
    if (!t) return 0;
    OVtexbinding *b = binding_new(t, p->ncorners, shaded, transparent);
    std::memcpy(b->u, u, sizeof(float) * static_cast<std::size_t>(b->count));
    std::memcpy(b->v, v, sizeof(float) * static_cast<std::size_t>(b->count));
    bind(p, b);
    return 1;
}

ORV_API int OVpoly_deletetexture(OVpoly *p) {
    if (!p || !p->texture || !_OVgeometry_modifiable(p->geometry)) return 0;
    bind(p, nullptr);
    return 1;
}

ORV_API int OVpoly_setuv(OVpoly *p, const float *u, const float *v) {
    if (!p || !p->texture || !_OVgeometry_modifiable(p->geometry)) return 0;
    OVtexbinding *b = p->texture;
    if (!orv::finite(u, b->count) || !orv::finite(v, b->count)) return 0;
    std::memcpy(b->u, u, sizeof(float) * static_cast<std::size_t>(b->count));
    std::memcpy(b->v, v, sizeof(float) * static_cast<std::size_t>(b->count));
    return 1;
}

ORV_API int OVpoly_getuv(OVpoly *p, float *u, float *v) {
    if (!p || !p->texture || !u || !v) return 0;
    const OVtexbinding *b = p->texture;
    std::memcpy(u, b->u, sizeof(float) * static_cast<std::size_t>(b->count));
    std::memcpy(v, b->v, sizeof(float) * static_cast<std::size_t>(b->count));
    return 1;
}

ORV_API int OVpoly_settexturestyle(OVpoly *p, int shaded, int transparent, int tint) {
    if (!p || !p->texture) return 0;
    OVtexbinding *b = p->texture;
    const bool s = shaded != 0, t = transparent != 0, k = tint != 0;
    if (b->shaded == s && b->transparent == t && b->tint == k) return 1;
    if (!_OVgeometry_modifiable(p->geometry)) return 0;
    b->shaded = s;
    b->transparent = t;
    b->tint = k;
    return 1;
}

ORV_API int OVpoly_gettexturestyle(OVpoly *p, int *shaded, int *transparent, int *tint) {
    if (!p || !p->texture) return 0;
    if (shaded) *shaded = p->texture->shaded;
    if (transparent) *transparent = p->texture->transparent;
    if (tint) *tint = p->texture->tint;
    return 1;
}

ORV_API int _OVpoly_numuv(OVpoly *p) {
    return p && p->texture ? p->texture->count : 0;
}

ORV_API int OVpoly_gettextureinfo(OVpoly *p, OVtexinfo *info) {
    if (!p || !p->texture || !info) return 0;
    const OVtexbinding *b = p->texture;
    info->name = tex::texture_name(b->texture);
    info->rotation = b->rotation;
    info->scale = b->scale;
    info->mirrored = b->mirrored;
    info->translation[0] = b->translation[0];
    info->translation[1] = b->translation[1];
    info->shaded = b->shaded;
    info->transparent = b->transparent;
    info->tint = b->tint;
    return 1;
}

} // extern "C"
