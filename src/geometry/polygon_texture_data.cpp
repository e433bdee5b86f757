// Texture coordinates travelling with corners when polygons are split,
// cleaned or copied.
#include "geometry/geometry_internal.h"
#include "texture/texture_access.h"

#include <cstring>

namespace orv::geom {

static OVtexbinding *texture_alloc(const OVtexbinding *t, int count) {
    auto *c = static_cast<OVtexbinding *>(OVmalloc(sizeof(OVtexbinding)));
    *c = *t;
    c->count = static_cast<std::int16_t>(count);
    c->u = static_cast<float *>(OVmalloc((count ? count : 1) * sizeof(float)));
    c->v = static_cast<float *>(OVmalloc((count ? count : 1) * sizeof(float)));
    return c;
}

OVtexbinding *texture_pick(const OVtexbinding *t, const std::vector<int> &old_index) {
    int n = static_cast<int>(old_index.size());
    OVtexbinding *c = texture_alloc(t, n);
    for (int i = 0; i < n; ++i) {
        int k = old_index[i];
        bool ok = k >= 0 && k < t->count;
        c->u[i] = ok ? t->u[k] : 0;
        c->v[i] = ok ? t->v[k] : 0;
    }
    return c;
}

OVtexbinding *texture_copy(const OVtexbinding *t) {
    OVtexbinding *c = texture_alloc(t, t->count);
    std::memcpy(c->u, t->u, t->count * sizeof(float));
    std::memcpy(c->v, t->v, t->count * sizeof(float));
    tex::add_use(c->texture);
    return c;
}

void texture_free(OVtexbinding *t) {
    if (!t) return;
    tex::release_use(t->texture);
    OVfree(t->u);
    OVfree(t->v);
    OVfree(t);
}

} // namespace orv::geom
