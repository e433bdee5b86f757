#include "geometry/texture_vertices.h"

#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"

namespace orv::geom {

namespace {

OVvertex *last_vertex(OVgeometry *g) {
    OVvertex *v = g->last_vertex;
    if (!v || v->next)
        for (v = g->vertices; v && v->next; v = v->next) {
        }
    return v;
}

// A copy of v appended to g's vertex list.
OVvertex *split_vertex(OVgeometry *g, const OVvertex *v) {
    OVvertex *copy = _OVvertex_new(v->position);
    if (v->normal) {
        copy->normal = normal_take();
        copy3(v->normal, copy->normal);
    }
    copy->matid = v->matid;
    copy->flags = static_cast<std::uint8_t>(v->flags & OVVERTEX_OWNMATID);
    copy->next = nullptr;
    if (OVvertex *last = last_vertex(g))
        last->next = copy;
    else
        g->vertices = copy;
    g->last_vertex = copy;
    return copy;
}

} // namespace

VertexUVs give_vertices_texture_coordinates(OVgeometry *g) {
    VertexUVs pairs;
    if (!g) return pairs;
    for (OVvertex *v = g->vertices; v; v = v->next)
        v->flags &= static_cast<std::uint8_t>(~OVVERTEX_HASUV);
    bool split = false;
    for (OVpoly *p = g->polys; p; p = p->next) {
        const OVtexbinding *t = p->texture;
        if (!t) continue;
        std::span<OVvertex *> ring = corners_of(p);
        for (std::size_t i = 0; i < ring.size() && i < static_cast<std::size_t>(t->count); ++i) {
            VertexUV pair{t->u[i], t->v[i]};
            OVvertex *v = ring[i];
            if (!(v->flags & OVVERTEX_HASUV)) {
                v->flags |= OVVERTEX_HASUV;
                pairs[v] = pair;
                continue;
            }
            const VertexUV &have = pairs[v];
            if (have.u == pair.u && have.v == pair.v) continue;
            OVvertex *copy = split_vertex(g, v);
            copy->flags |= OVVERTEX_HASUV;
            pairs[copy] = pair;
            ring[i] = copy;
            split = true;
        }
    }
    // The drawing data named the old corners' vertices.
    if (split) _OVgeometry_modifiable(g);
    return pairs;
}

void rebuild_reference_vertices(OVgeometry *g) {
    if (!g) return;
    reference_take(&g->reference);
}

} // namespace orv::geom
