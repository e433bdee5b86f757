// The geometry record: creation, reference-counted deletion, names, material
// table, the modifiable gate and the simple queries.
#include "geometry/geometry_hooks.h"
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"
#include "orv/orv_internal.h"
#include "orv/universe.h"

#include <cstring>

namespace orv::geom {

bool verbose_geometry() {
    return OVuniverse_getoption(OVOPTION_VERBOSEGEOMETRY) > 0;
}

void tell_node(OVgeometry *g) {
    node_changed(g->node);
}

void drawing_changed(OVgeometry *g) {
    if (!g) return;
    render_stale(g);
    g->passes = 0;
}

} // namespace orv::geom

using namespace orv::geom;

extern "C" {

OVgeometry *_OVgeometry_new(void *owner) {
    auto *g = static_cast<OVgeometry *>(geometry_take());
    std::memset(g, 0, sizeof *g);
    g->owner = owner;
    g->refcount = 1;
    g->owns_polys = 1;
    return g;
}

int OVgeometry_delete(OVgeometry *g) {
    if (!g) return 0;
    if (g->refcount > 1) return --g->refcount;
    // The node drawing g goes first, while g is whole: it would be left
    // pointing at a freed record.
    if (OVnode *node = g->node) {
        g->node = nullptr;
        node_geometry_deleted(node);
    }
    _OVgeometry_checkifopen(g);
    if (g->mtable) _OVmtable_detach(g->mtable, g);
    g->mtable = nullptr;
    if (g->owns_polys) free_poly_list(g->polys);
    g->polys = nullptr;
    free_vertex_list(g->vertices);
    reference_free(&g->reference);
    render_release(g);
    if (g->draw) g->draw(g, g);
    OVfree(g->name);
    geometry_give(g);
    return 0;
}

int OVgeometry_setname(OVgeometry *g, const char *s) {
    if (!g) return 0;
    char *copy = s ? OVstrdup(s) : nullptr;
    OVfree(g->name);
    g->name = copy;
    return 1;
}

const char *OVgeometry_getname(OVgeometry *g) {
    if (!g) return nullptr;
    return g->name ? g->name : "untitled";
}

OVmtable *OVgeometry_getmtable(OVgeometry *g) {
    return g ? g->mtable : nullptr;
}

int OVgeometry_setmtable(OVgeometry *g, OVmtable *m) {
    if (!_OVgeometry_modifiable(g)) return 0;
    if (g->mtable == m) return 1;
    OVmtable *old = g->mtable;
    g->mtable = m;
    // The old table goes when no other geometry uses it.
    if (old) _OVmtable_detach(old, g);
    if (m) _OVmtable_attach(m, g);
    return 1;
}

int _OVgeometry_modifiable(OVgeometry *g) {
    if (!g || g->locked) return 0;
    render_stale(g);
    g->passes = 0;
    return 1;
}

int OVgeometry_numpolys(OVgeometry *g) {
    return g ? g->npolys : 0;
}
OVpoly *OVgeometry_getpolys(OVgeometry *g) {
    return g ? g->polys : nullptr;
}
OVvertex *OVgeometry_getvertices(OVgeometry *g) {
    return g ? g->vertices : nullptr;
}

OVpoly *OVgeometry_id2poly(OVgeometry *g, int id) {
    if (!g) return nullptr;
    for (OVpoly *p = g->polys; p; p = p->next)
        if (p->id == static_cast<std::int16_t>(id)) return p;
    return nullptr;
}

OVpolylist *OVgeometry_getpolylist(OVgeometry *g) {
    if (!g) return nullptr;
    OVpolylist *list = OVpolylist_new();
    for (OVpoly *p = g->polys; p; p = p->next)
        list = OVpolylist_addpoly(list, p);
    return list;
}

void _OVgeometry_findextents(OVgeometry *g) {
    if (!g) return;
    float lo[3] = {1e38f, 1e38f, 1e38f}, hi[3] = {-1e38f, -1e38f, -1e38f};
    // Comparisons rather than fmin and fmax, which are library calls: a
    // NaN coordinate fails both and leaves the bounds as they were, as there.
    for (OVvertex *v = g->vertices; v; v = v->next)
        for (int a = 0; a < 3; ++a) {
            const float c = v->position[a];
            lo[a] = c < lo[a] ? c : lo[a];
            hi[a] = c > hi[a] ? c : hi[a];
        }
    if (!g->vertices) lo[0] = lo[1] = lo[2] = hi[0] = hi[1] = hi[2] = 0;
    for (int a = 0; a < 3; ++a) {
        g->half_extents[a] = (hi[a] - lo[a]) / 2;
        g->midpoint[a] = (hi[a] + lo[a]) / 2;
    }
    g->radius = length(g->half_extents);
}

void OVgeometry_getextents(OVgeometry *g, OVp3 e) {
    if (!e) return;
    for (int a = 0; a < 3; ++a)
        e[a] = g ? 2 * g->half_extents[a] : 0;
}

void OVgeometry_getmidpoint(OVgeometry *g, OVp3 m) {
    if (!m) return;
    for (int a = 0; a < 3; ++a)
        m[a] = g ? g->midpoint[a] : 0;
}

float OVgeometry_getradius(OVgeometry *g) {
    return g ? g->radius : 0;
}

} // extern "C"
