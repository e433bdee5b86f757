// Vertex records and vertex lists: creation, copying, unused-vertex removal
// and per-vertex material ids.
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"

#include <cstring>

namespace orv::geom {

namespace {
// Which vertices a removal keeps; reused, as geometries are closed often.
std::vector<bool> scratch_kept;
} // namespace

void free_vertex(OVvertex *v) {
    normal_give(v->normal);
    vertex_give(v);
}

void free_vertex_list(OVvertex *v) {
    while (v) {
        OVvertex *next = v->next;
        free_vertex(v);
        v = next;
    }
}

OVvertex *copy_vertex_list(const OVvertex *v) {
    OVvertex *head = nullptr, **tail = &head;
    for (; v; v = v->next) {
        OVvertex *c = _OVvertex_new(v->position);
        if (v->normal) {
            c->normal = normal_take();
            copy3(v->normal, c->normal);
        }
        c->matid = v->matid;
        c->user = v->user;
        *tail = c;
        tail = &c->next;
    }
    return head;
}

void mark_used_vertices(OVgeometry *g) {
    for (OVvertex *v = g->vertices; v; v = v->next)
        v->flags &= ~OVVERTEX_USED;
    for (OVpoly *p = g->polys; p; p = p->next)
        for (OVvertex *v : corners_of(p))
            v->flags |= OVVERTEX_USED;
}

int remove_unused_vertices(OVgeometry *g, KeptVertices *summary) {
    int removed = 0, seen = 0;
    OVvertex **link = &g->vertices, *last = nullptr;
    // The reference positions run in step with the vertex list; which
    // vertices stay is written down from the first removal on.
    std::vector<bool> &kept = scratch_kept;
    kept.clear();
    KeptVertices found;
    for (; *link; ++seen) {
        OVvertex *v = *link;
        const bool used = v->flags & OVVERTEX_USED;
        if (!used && !removed) kept.assign(static_cast<std::size_t>(seen), true);
        if (!used || removed) kept.push_back(used);
        if (used) {
            found.shading = found.shading || v->normal || (v->flags & OVVERTEX_SMOOTH);
            found.smooth = found.smooth || (v->flags & OVVERTEX_SMOOTH);
            last = v;
            link = &v->next;
            continue;
        }
        *link = v->next;
        free_vertex(v);
        ++removed;
    }
    g->last_vertex = last;
    if (removed && g->reference.count)
        reference_keep(&g->reference, [&](std::int32_t i) {
            return static_cast<std::size_t>(i) >= kept.size() || kept[static_cast<std::size_t>(i)];
        });
    found.count = seen - removed;
    if (summary) *summary = found;
    return removed;
}

} // namespace orv::geom

using namespace orv::geom;

extern "C" {

OVvertex *_OVvertex_new(const OVp3 pos) {
    if (!pos) return nullptr;
    auto *v = static_cast<OVvertex *>(vertex_take());
    std::memset(v, 0, sizeof *v);
    copy3(pos, v->position);
    return v;
}

OVvertex *OVvertex_next(OVvertex *v) {
    return v ? v->next : nullptr;
}

void OVvertex_getposition(OVvertex *v, OVp3 p) {
    if (!p) return;
    for (int a = 0; a < 3; ++a)
        p[a] = v ? v->position[a] : 0;
}

int OVgeometry_setvertexmatid(OVgeometry *g, OVvertex *v, int id) {
    if (!v || id < 0 || !_OVgeometry_modifiable(g)) return 0;
    v->matid = id;
    v->flags |= OVVERTEX_OWNMATID;
    return 1;
}

int OVgeometry_getvertexmatid(OVgeometry *g, OVvertex *v) {
    if (!g || !v || !(v->flags & OVVERTEX_OWNMATID)) return -1;
    return v->matid;
}

} // extern "C"
