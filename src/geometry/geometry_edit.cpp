// Editing sessions: begin and end with repair of moved polygons, and the
// recomputation of bounds and used vertices.
#include "geometry/geometry_internal.h"

using namespace orv::geom;

extern "C" {

int OVgeometry_beginedit(OVgeometry *g) {
    if (!g || g->editing || !_OVgeometry_modifiable(g)) return 0;
    OVvertex *last = g->vertices;
    while (last && last->next)
        last = last->next;
    g->last_vertex = last;
    g->editing = 1;
    return 1;
}

int OVgeometry_endedit(OVgeometry *g) {
    if (!g || !g->editing) return 0;
    g->editing = 0;
    bool any_moved = g->changed;
    for (OVpoly *p = g->polys; p;) {
        update_corner_rflags(p);
        bool moved = false;
        for (const OVvertex *v : corners_of(p))
            moved = moved || (v->flags & OVVERTEX_MOVED);
        if (!moved) {
            p = p->next;
            continue;
        }
        any_moved = true;
        if (_OVpoly_removeduplicates(p) < 3) p->flags |= OVPOLY_DEGENERATE;
        bool planar = _OVpoly_stats(p);
        p = p->ncorners > 3 ? repair(p, planar) : p->next;
    }
    for (OVvertex *v = g->vertices; v; v = v->next) {
        any_moved = any_moved || (v->flags & OVVERTEX_MOVED);
        v->flags &= ~OVVERTEX_MOVED;
    }
    if (any_moved) {
        _OVgeometry_findextents(g);
        tell_node(g);
    }
    g->changed = 0;
    return 1;
}

OVgeometry *OVgeometry_recomputestats(OVgeometry *g, int cleanup) {
    if (!g) return nullptr;
    if (cleanup) {
        mark_used_vertices(g);
        int removed = remove_unused_vertices(g);
        if (removed && verbose_geometry()) OVwarning("%d unused vertices were removed\n", removed);
    }
    _OVgeometry_findextents(g);
    tell_node(g);
    g->changed = 0;
    return g;
}

int OVgeometry_deleteunusedvertices(OVgeometry *g) {
    if (!g) return 0;
    mark_used_vertices(g);
    remove_unused_vertices(g);
    _OVgeometry_findextents(g);
    tell_node(g);
    return 1;
}

} // extern "C"
