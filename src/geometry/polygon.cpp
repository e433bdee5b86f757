// Polygon records: creation, deletion, corners and the simple accessors.
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"
#include "texture/texture_access.h"

#include <cstring>

namespace orv::geom {

void corner_vertices(const OVpoly *p, std::vector<OVvertex *> &out) {
    std::span<OVvertex *const> ring = corners_of(p);
    out.assign(ring.begin(), ring.end());
}

void set_corners(OVpoly *p, const std::vector<OVvertex *> &vertices,
                 const std::vector<int> *old_index) {
    corners_assign(p, vertices);
    if (p->texture && old_index) {
        OVtexbinding *t = texture_pick(p->texture, *old_index);
        t->texture = p->texture->texture;
        p->texture->texture = nullptr; // the use moves to the new binding
        texture_free(p->texture);
        p->texture = t;
    }
}

OVpoly *sibling(OVpoly *p, OVpoly *after, const std::vector<OVvertex *> &vertices,
                const std::vector<int> &old_index) {
    OVpoly *q = _OVpoly_new(p->geometry);
    q->flags = p->flags;
    q->rflags = p->rflags;
    q->matid = p->matid;
    q->id = p->id;
    copy3(p->normal, q->normal);
    set_corners(q, vertices, nullptr);
    if (p->texture) {
        q->texture = texture_pick(p->texture, old_index);
        tex::add_use(q->texture->texture);
    }
    q->next = after->next;
    after->next = q;
    p->geometry->npolys++;
    return q;
}

void unlink_poly(OVpoly *p) {
    OVgeometry *g = p->geometry;
    for (OVpoly **link = &g->polys; *link; link = &(*link)->next)
        if (*link == p) {
            *link = p->next;
            g->npolys--;
            return;
        }
}

void update_corner_rflags(OVpoly *p) {
    bool normals = p->ncorners > 0, colours = p->ncorners > 0;
    for (const OVvertex *v : corners_of(p)) {
        normals = normals && v->normal;
        colours = colours && (v->flags & OVVERTEX_OWNMATID);
    }
    if (normals) p->rflags |= OVPOLYR_VNORMALS;
    if (colours) p->rflags |= OVPOLYR_VCOLORS;
}

// Polygons go in batches: the walk down the list reaches every record of a
// batch, and asks for its corner array, before any is freed, so that the
// memory of a geometry long untouched is waited for once rather than record
// after record.
void free_poly_list(OVpoly *p) {
    constexpr int kBatch = 64;
    OVpoly *batch[kBatch];
    while (p) {
        int n = 0;
        for (; p && n < kBatch; p = p->next) {
            corners_prefetch(p);
            batch[n++] = p;
        }
        for (int i = 0; i < n; ++i)
            _OVpoly_del(batch[i]);
    }
}

} // namespace orv::geom

using namespace orv::geom;

extern "C" {

OVpoly *_OVpoly_new(OVgeometry *g) {
    auto *p = static_cast<OVpoly *>(poly_take());
    std::memset(p, 0, sizeof *p);
    p->geometry = g;
    p->flags = OVPOLY_OBJECTFRAME;
    p->rflags = OVPOLYR_SMOOTH;
    return p;
}

void _OVpoly_del(OVpoly *p) {
    if (!p) return;
    portal_forget(p);
    texture_free(p->texture);
    corners_free(p);
    poly_give(p);
}

int OVpoly_delete(OVpoly *p) {
    if (!p || !_OVgeometry_modifiable(p->geometry)) return 0;
    OVgeometry *g = p->geometry;
    if (g->owner && g->polys == p && !p->next) {
        OVwarning("Can't delete the last polygon in an object.\n");
        return 0;
    }
    unlink_poly(p);
    _OVpoly_del(p);
    return 1;
}

int OVpoly_getid(OVpoly *p) {
    return p ? p->id : -1;
}

int OVpoly_setid(OVpoly *p, int id) {
    if (!p) return 0;
    p->id = static_cast<std::int16_t>(id);
    return 1;
}

OVpoly *OVpoly_next(OVpoly *p) {
    return p ? p->next : nullptr;
}
OVgeometry *OVpoly_getgeometry(OVpoly *p) {
    return p ? p->geometry : nullptr;
}

void *OVpoly_getobject(OVpoly *p) {
    if (!p || !(p->flags & OVPOLY_OBJECTFRAME) || !p->geometry) return nullptr;
    return p->geometry->owner;
}

int OVpoly_numvertices(OVpoly *p) {
    return p ? p->ncorners : -1;
}

OVvertex *OVpoly_getvertex(OVpoly *p, int i) {
    if (!p || i < 0 || i >= p->ncorners) return nullptr;
    return corners_of(p)[static_cast<std::size_t>(i)];
}

void OVpoly_getnormal(OVpoly *p, OVp3 n) {
    if (!n) return;
    for (int a = 0; a < 3; ++a)
        n[a] = p ? p->normal[a] : 0;
}

void OVpoly_getcg(OVpoly *p, OVp3 c) {
    if (!c) return;
    if (p)
        poly_extent(p, c);
    else
        c[0] = c[1] = c[2] = 0;
}

int OVpoly_setmatid(OVpoly *p, int id) {
    if (!p || id < 0 || !_OVgeometry_modifiable(p->geometry)) return 0;
    p->matid = id;
    return 1;
}

int OVpoly_getmatid(OVpoly *p) {
    return p ? p->matid : -1;
}

int OVpoly_setbothsides(OVpoly *p, int on) {
    if (!p) return 0;
    if (on)
        p->flags |= OVPOLY_BOTHSIDES;
    else
        p->flags &= ~(OVPOLY_BOTHSIDES | OVPOLY_FIXEDNORMAL);
    drawing_changed(p->geometry);
    return 1;
}

int OVpoly_getbothsides(OVpoly *p) {
    return p && (p->flags & OVPOLY_BOTHSIDES) ? 1 : 0;
}

int OVpoly_setrendering(OVpoly *p, int on) {
    if (!p) return 0;
    if ((on != 0) != ((p->rflags & OVPOLYR_SMOOTH) != 0)) {
        p->rflags ^= OVPOLYR_SMOOTH;
        drawing_changed(p->geometry); // compiled lists carry the shading
    }
    return 1;
}

int OVpoly_getrendering(OVpoly *p) {
    return !p || (p->rflags & OVPOLYR_SMOOTH) ? 64 : 0;
}

int OVpoly_setvisibility(OVpoly *p, int on) {
    if (!p) return 0;
    const std::uint8_t before = p->rflags;
    if (on)
        p->rflags &= ~OVPOLYR_INVISIBLE;
    else
        p->rflags |= OVPOLYR_INVISIBLE;
    // Compiled lists and the pass record leave hidden polygons out.
    if (p->rflags != before) drawing_changed(p->geometry);
    return 1;
}

int OVpoly_getvisibility(OVpoly *p) {
    return p && !(p->rflags & OVPOLYR_INVISIBLE) ? 1 : 0;
}

int OVpoly_hasvnormals(OVpoly *p) {
    return p && (p->rflags & OVPOLYR_VNORMALS) ? 1 : 0;
}

int OVpoly_computevertexnormals(OVpoly *p) {
    if (!p) return 0;
    bool all = true;
    for (OVvertex *v : corners_of(p))
        all = OVgeometry_computevertexnormal(p->geometry, v) && all;
    if (all) p->rflags |= OVPOLYR_VNORMALS;
    return all;
}

int OVpoly_reversevertices(OVpoly *p) {
    if (!p || !_OVgeometry_modifiable(p->geometry)) return 0;
    std::span<OVvertex *> ring = corners_of(p);
    std::reverse(ring.begin(), ring.end());
    if (p->texture) {
        OVtexbinding *t = p->texture;
        for (int i = 0, j = t->count - 1; i < j; ++i, --j) {
            std::swap(t->u[i], t->u[j]);
            std::swap(t->v[i], t->v[j]);
        }
    }
    if (!ring.empty()) ring[0]->flags |= OVVERTEX_MOVED;
    p->geometry->changed = 1;
    return 1;
}

int OVpoly_containsvertex(OVpoly *p, OVvertex *v) {
    if (!p || !v) return 0;
    std::span<OVvertex *const> ring = corners_of(p);
    return std::find(ring.begin(), ring.end(), v) != ring.end() ? 1 : 0;
}

void *OVpoly_getportal(OVpoly *p) {
    return p ? portal_of(p) : nullptr;
}

void _OVpoly_setsset(OVpoly *p, int value) {
    if (p) p->sset = static_cast<std::uint8_t>(value);
}

int _OVpoly_getsset(OVpoly *p) {
    return p ? p->sset : 0;
}

int _OVpoly_cmp(const void *a, const void *b) {
    if (!a || !b) return 0;
    float fa = static_cast<const float *>(a)[1], fb = static_cast<const float *>(b)[1];
    return fa > fb ? -1 : fa < fb ? 1 : 0;
}

} // extern "C"
