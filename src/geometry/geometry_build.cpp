// The open building phase: one geometry at a time, vertices numbered in the
// order they are added, polygons assembled from those numbers.
#include "core/finite.h"
#include "geometry/geometry_builder.h"
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"

#include <cstdint>

namespace orv::geom {
namespace {

constexpr std::size_t initial_index_capacity = 1000;

OVgeometry *open_g = nullptr;
std::vector<OVvertex *> index_table;
// Readers append through their own tail.
OVgeometry *simple_owner = nullptr;
OVvertex *simple_tail = nullptr;

void append_vertex(OVgeometry *g, OVvertex *v) {
    v->next = nullptr;
    if (!g->vertices)
        g->vertices = v;
    else {
        OVvertex *last = g->last_vertex;
        if (!last)
            for (last = g->vertices; last->next; last = last->next) {
            }
        last->next = v;
    }
    g->last_vertex = v;
    // A closed geometry's reference positions keep the vertex list's length.
    if (g != open_g && g->editing) reference_append(&g->reference, v);
}

bool may_add_vertex(OVgeometry *g) {
    return g && (g == open_g || g->editing);
}

} // namespace

OVgeometry *open_geometry() {
    return open_g;
}
bool building(const OVgeometry *g) {
    return g && g == open_g;
}
int indexed_count() {
    return static_cast<int>(index_table.size());
}
OVvertex *indexed_vertex(int i) {
    return index_table[i];
}

namespace {

// A polygon handle as the messages print it, in a plain %x.
unsigned handle_hex(const OVpoly *p) {
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p));
}

// The corner count a close accepts, with the close's warning otherwise.
bool corner_count_fits(const OVpoly *p, int n) {
    if (n >= 3 && n <= OVPOLY_MAXCORNERS) return true;
    OVwarning("Polygon %x has %d vertices -- outside [%d,%d]\n", handle_hex(p), n, 3,
              OVPOLY_MAXCORNERS);
    return false;
}

// The rendering flags a closed polygon takes from its corners' vertices.
void set_corner_rflags(OVpoly *p, bool normals, bool colours) {
    if (normals) p->rflags |= OVPOLYR_VNORMALS;
    if (colours) p->rflags |= OVPOLYR_VCOLORS;
}

// Whether a corner's vertex counts as having a normal and its own colour.
bool vertex_normal_or_smooth(const OVvertex *v) {
    return v->normal || (v->flags & OVVERTEX_SMOOTH);
}
bool vertex_coloured(const OVvertex *v) {
    return v->flags & OVVERTEX_OWNMATID;
}

// A closed polygon goes first in its geometry's list; unless settled, the
// geometry's close has to visit its polygons.
void link_closed(OVpoly *p, bool settled) {
    OVgeometry *g = p->geometry;
    if (!settled) g->polys_settled = 0;
    p->flags |= kPolyLinked;
    p->next = g->polys;
    g->polys = p;
    g->npolys++;
}

} // namespace

OVgeometry *builder_new(const char *name) {
    OVgeometry *g = _OVgeometry_new(nullptr);
    if (name) OVgeometry_setname(g, name);
    g->editing = 1; // the reader's polygons take their corners while it reads
    g->polys_settled = 1;
    return g;
}

void builder_done(OVgeometry *g, bool uv_marks) {
    if (uv_marks)
        for (OVvertex *v = g->vertices; v; v = v->next)
            v->flags &= static_cast<std::uint8_t>(~OVVERTEX_HASUV);
    g->editing = 0;
}

OVvertex *builder_vertex(OVgeometry *g, const float pos[3]) {
    OVvertex *v = _OVvertex_new(pos);
    _OVgeometry_addvertexsimple(g, v);
    return v;
}

OVpoly *builder_polygon(OVgeometry *g, OVvertex *const *ring, int n) {
    OVpoly *p = _OVpoly_new(g);
    p->flags |= OVPOLY_BUILT | kPolyStatsPending;
    if (!corner_count_fits(p, n)) {
        _OVpoly_del(p);
        return nullptr;
    }
    corners_assign(p, {ring, static_cast<std::size_t>(n)});
    bool normals = true, colours = true; // each vertex visited once
    for (int i = 0; i < n; ++i) {
        OVvertex *v = ring[i];
        v->flags |= OVVERTEX_USED;
        normals = normals && vertex_normal_or_smooth(v);
        colours = colours && vertex_coloured(v);
    }
    set_corner_rflags(p, normals, colours);
    link_closed(p, n == kInlineCorners && settle_built_triangle(p, ring));
    return p;
}

OVgeomlist **builder_list_append(OVgeomlist **tail, OVgeometry *g) {
    *tail = _OVgeomlist_add(nullptr, g);
    return &(*tail)->next;
}

OVgeomlist *builder_close_list(OVgeomlist *list) {
    // Entries are unlinked where they stand, so that the pass stays linear.
    for (OVgeomlist **link = &list; *link;) {
        OVgeomlist *e = *link;
        if (_OVgeometry_closeloaded(e->geometry)) {
            link = &e->next;
            continue;
        }
        *link = e->next;
        e->next = nullptr;
        _OVgeomlist_delete(e);
    }
    return list;
}

void end_building() {
    open_g = nullptr;
    std::vector<OVvertex *>().swap(index_table);
    index_table.reserve(initial_index_capacity);
}

} // namespace orv::geom

using namespace orv::geom;

extern "C" {

OVgeometry *OVgeometry_begin(void) {
    if (open_g) {
        OVwarning("Can't begin a new geometry until the last is closed.\n");
        return nullptr;
    }
    OVgeometry *g = _OVgeometry_new(nullptr);
    if (OVmtable *table = OVmtable_new(OVAMBIENTDIFFUSE, 1, nullptr)) {
        g->mtable = table;
        _OVmtable_attach(table, g);
        OVmtable_matchcolor12(table, 0xFFF);
    }
    index_table.clear();
    index_table.reserve(initial_index_capacity);
    open_g = g;
    return g;
}

OVvertex *OVgeometry_newvertex(OVgeometry *g, const OVp3 pos) {
    if (!may_add_vertex(g) || !pos) {
        OVwarning("Must call OVgeometry_begin or OVgeometry_beginedit before calling "
                  "OVgeometry_newvertex\n");
        return nullptr;
    }
    if (!orv::finite(pos, 3)) {
        OVwarning("OVgeometry_newvertex: position is not a finite number\n");
        return nullptr;
    }
    OVvertex *v = _OVvertex_new(pos);
    append_vertex(g, v);
    if (g == open_g) index_table.push_back(v);
    return v;
}

OVvertex *_OVgeometry_addvertex(OVgeometry *g, OVvertex *v) {
    if (!may_add_vertex(g) || !v) {
        OVwarning("Must call OVgeometry_begin or OVgeometry_beginedit before calling "
                  "_OVgeometry_addvertex\n");
        return nullptr;
    }
    append_vertex(g, v);
    if (g == open_g) index_table.push_back(v);
    return v;
}

OVvertex *_OVgeometry_addvertexsimple(OVgeometry *g, OVvertex *v) {
    if (!g || !v) return nullptr;
    v->next = nullptr;
    // The tail is trusted only while it is still g's last vertex: other
    // appends, or a new geometry in a deleted one's record, move it.
    if (simple_owner != g || !simple_tail || simple_tail != g->last_vertex) {
        simple_owner = g;
        simple_tail = g->vertices;
        while (simple_tail && simple_tail->next)
            simple_tail = simple_tail->next;
    }
    if (simple_tail)
        simple_tail->next = v;
    else
        g->vertices = v;
    simple_tail = v;
    g->last_vertex = v;
    return v;
}

OVpoly *OVgeometry_beginpoly(OVgeometry *g) {
    if (!g) return nullptr;
    OVpoly *p = _OVpoly_new(g);
    p->flags |= OVPOLY_BUILT;
    return p;
}

int OVpoly_addvertexptr(OVpoly *p, OVvertex *v) {
    if (!p || !v || !may_add_vertex(p->geometry)) return 0;
    if (!corner_push_front(p, v)) return 0; // reversed at close
    v->flags |= OVVERTEX_USED;
    return 1;
}

int OVpoly_addvertex(OVpoly *p, int i) {
    if (!p || i < 0 || !building(p->geometry) || i >= indexed_count()) return 0;
    return OVpoly_addvertexptr(p, indexed_vertex(i));
}

int OVpoly_close(OVpoly *p) {
    if (!p) return 0;
    if (p->flags & kPolyLinked) {
        OVwarning("OVpoly_close: polygon %x is closed already\n", handle_hex(p));
        return 0;
    }
    int n = OVpoly_numvertices(p);
    if (!corner_count_fits(p, n)) return 0;
    corners_fit(p);
    std::span<OVvertex *> ring = corners_of(p);
    std::reverse(ring.begin(), ring.end());
    set_corner_rflags(p, std::all_of(ring.begin(), ring.end(), vertex_normal_or_smooth),
                      std::all_of(ring.begin(), ring.end(), vertex_coloured));
    link_closed(p, false);
    _OVpoly_stats(p);
    return 1;
}

void _OVpoly_cancel(OVpoly *p) {
    _OVpoly_del(p);
}

int OVgeometry_close(OVgeometry *g) {
    if (!g || g != open_g) {
        OVwarning("OVgeometry_close called on non-open geometry.\n");
        return 0;
    }
    return _OVgeometry_close(g);
}

int OVgeometry_closesmooth(OVgeometry *g) {
    if (g && g == open_g)
        for (OVvertex *v = g->vertices; v; v = v->next)
            if (!v->normal) v->flags |= OVVERTEX_SMOOTH;
    return OVgeometry_close(g);
}

void _OVgeometry_checkifopen(OVgeometry *g) {
    if (g && g == open_g) end_building();
}

void _OVgeometry_endbuilding(void) {
    end_building();
}

OVpoly *_OVgeometry_newpolyfrompoints(OVgeometry *g, const OVp3 *points, int n, int bothsides) {
    if (!g || !points || n < 3 || n > OVPOLY_MAXCORNERS) return nullptr;
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < n; ++i) {
        OVvertex *v = OVgeometry_newvertex(g, points[i]);
        if (!v || !OVpoly_addvertexptr(p, v)) {
            _OVpoly_cancel(p);
            return nullptr;
        }
    }
    if (!OVpoly_close(p)) {
        _OVpoly_cancel(p);
        return nullptr;
    }
    if (bothsides) OVpoly_setbothsides(p, 1);
    return p;
}

static OVpoly *poly_from_indices(OVgeometry *g, const int *indices, int n, int bothsides) {
    OVpoly *p = OVgeometry_beginpoly(g);
    if (!p) return nullptr;
    for (int i = 0; i < n; ++i)
        if (!OVpoly_addvertex(p, indices[i])) {
            _OVpoly_cancel(p);
            return nullptr;
        }
    if (!OVpoly_close(p)) {
        _OVpoly_cancel(p);
        return nullptr;
    }
    if (bothsides) OVpoly_setbothsides(p, 1);
    return p;
}

OVpoly *_OVgeometry_addpoly3(OVgeometry *g, int i, int j, int k, int bothsides) {
    const int idx[3] = {i, j, k};
    return poly_from_indices(g, idx, 3, bothsides);
}

OVpoly *_OVgeometry_addpoly4(OVgeometry *g, int i, int j, int k, int l, int bothsides) {
    const int idx[4] = {i, j, k, l};
    return poly_from_indices(g, idx, 4, bothsides);
}

} // extern "C"
