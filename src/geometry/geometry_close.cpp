// Closing a geometry: clean the polygons, drop unused vertices, finish
// statistics, smoothing and splitting, and compute the bounds.
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"

using namespace orv::geom;

namespace {

// As OVpoly_delete decides: a locked geometry keeps its polygons, and an
// object's geometry keeps its last one.
bool deletable(OVgeometry *g, const OVpoly *p) {
    if (!_OVgeometry_modifiable(g)) return false;
    if (g->owner && g->polys == p && !p->next) {
        OVwarning("Can't delete the last polygon in an object.\n");
        return false;
    }
    return true;
}

// A smooth vertex's normal starts as the zero vector.
void give_normal(OVvertex *v) {
    if (v->normal) return;
    v->normal = normal_take();
    v->normal[0] = v->normal[1] = v->normal[2] = 0;
}

// Adds the polygon's normal to its smooth corners and marks it when every
// corner has a normal.
void shade(OVpoly *p) {
    bool normals = true;
    for (OVvertex *v : corners_of(p)) {
        if (v->flags & OVVERTEX_SMOOTH) {
            give_normal(v);
            for (int a = 0; a < 3; ++a)
                v->normal[a] += p->normal[a];
        }
        normals = normals && v->normal;
    }
    if (normals) p->rflags |= OVPOLYR_VNORMALS;
}

// The polygons are cleaned, shaded, measured and split in one walk. With
// stats_current the caller promises that every polygon was closed and no
// vertex has moved since: a triangle whose corners stay as they were would
// get the very statistics it has, so they are not computed again.
void walk_polygons(OVgeometry *g, bool shading, bool stats_current) {
    // Pieces split off a polygon come between it and the next original one;
    // prev is the polygon before p, for unlinking where a polygon is met
    // (OVpoly_delete would search the list for each).
    OVpoly *next_original = g->polys, *prev = nullptr;
    for (OVpoly *p = g->polys; p;) {
        bool original = p == next_original, fresh = false;
        if (original) {
            next_original = p->next;
            // A polygon built in bulk is measured first, as its own close
            // would have measured it: the statistics are then current.
            const bool built = p->flags & kPolyStatsPending;
            int before = p->ncorners,
                after = built ? measure_built(p) : _OVpoly_removeduplicates(p);
            if (after < 3 && deletable(g, p)) {
                (prev ? prev->next : g->polys) = p->next;
                g->npolys--;
                OVpoly *next = p->next;
                _OVpoly_del(p);
                p = next;
                continue;
            }
            fresh = (stats_current || built) && after == before && after == 3;
        }
        if (shading) shade(p);
        bool planar = fresh || _OVpoly_stats(p); // a triangle is always planar
        OVpoly *next = repair(p, planar);
        for (prev = p; prev->next != next;)
            prev = prev->next;
        p = next;
    }
}

// A smooth vertex's normal becomes the unit mean of its polygons' normals.
void finish_smooth_normals(OVgeometry *g) {
    for (OVvertex *v = g->vertices; v; v = v->next) {
        if (!(v->flags & OVVERTEX_SMOOTH)) continue;
        give_normal(v); // its polygons may all have been removed as degenerate
        float len2 = dot(v->normal, v->normal);
        if (len2 >= 1e-6f) {
            float len = std::sqrt(len2);
            for (int a = 0; a < 3; ++a)
                v->normal[a] /= len;
        } else {
            v->normal[0] = 1;
            v->normal[1] = v->normal[2] = 0;
        }
        v->flags &= ~OVVERTEX_SMOOTH;
    }
}

// The vertex checks come first, as deleting a polygon never clears a
// vertex's used flag. A reader's geometry whose polygons were all settled as
// they were built, with no smooth vertex, needs no polygon walk.
int close_geometry(OVgeometry *g, bool stats_current) {
    if (!g) return 0;
    _OVgeometry_checkifopen(g);
    KeptVertices kept;
    int removed = remove_unused_vertices(g, &kept);
    if (removed && verbose_geometry()) OVwarning("%d unused vertices were removed\n", removed);
    if (kept.count <= 2) {
        OVwarning("Can't make geometry - too few vertices\n");
        OVgeometry_delete(g);
        return 0;
    }
    orv::geom::portals_restat();
    const bool settled = stats_current && g->polys_settled && !kept.smooth;
    g->polys_settled = 0;
    if (!settled) walk_polygons(g, kept.shading, stats_current);
    if (kept.smooth) finish_smooth_normals(g);
    _OVgeometry_findextents(g);
    reference_take(&g->reference);
    if (!g->name) OVgeometry_setname(g, "untitled");
    return 1;
}

} // namespace

extern "C" {

int _OVgeometry_close(OVgeometry *g) {
    return close_geometry(g, false);
}

int _OVgeometry_closeloaded(OVgeometry *g) {
    return close_geometry(g, true);
}

} // extern "C"
