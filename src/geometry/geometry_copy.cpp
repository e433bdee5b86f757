// Copying geometries, merging one into another and copying a polygon subset.
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"
#include "orv/math.h"

#include <unordered_map>

using namespace orv::geom;

namespace {

struct CopyRule {
    const OVm4 *placement = nullptr; // null: positions unchanged
    bool flag_moved = false;
    bool fixed = false;
    int fixed_id = 0;
    int id_offset = 0;
    OVpolylist *only = nullptr; // null: every polygon
};

OVvertex **list_tail(OVvertex **head) {
    while (*head)
        head = &(*head)->next;
    return head;
}

// Appends copies of src's vertices and (selected) polygons to dst; returns
// the first copied polygon.
OVpoly *copy_into(OVgeometry *dst, OVgeometry *src, const CopyRule &rule) {
    std::unordered_map<const OVvertex *, OVvertex *> map;
    OVvertex *copies = copy_vertex_list(src->vertices);
    OVvertex *c = copies;
    for (OVvertex *v = src->vertices; v; v = v->next, c = c->next) {
        map[v] = c;
        if (rule.placement) {
            OVp3 out;
            OVp3_xformm4(c->position, *rule.placement, out);
            copy3(out, c->position);
        }
        if (rule.flag_moved) c->flags |= OVVERTEX_MOVED;
        // Flags start clear, but a vertex colour would be lost without its flag.
        if (v->flags & OVVERTEX_OWNMATID) {
            c->flags |= OVVERTEX_OWNMATID;
            c->matid = rule.fixed ? rule.fixed_id : v->matid + rule.id_offset;
        }
    }
    OVvertex **tail = list_tail(&dst->vertices);
    *tail = copies;
    reference_append(&dst->reference, copies);
    dst->last_vertex = nullptr;
    for (OVvertex *v = dst->vertices; v; v = v->next)
        dst->last_vertex = v;
    OVpoly *first = nullptr, **ptail = &dst->polys;
    while (*ptail)
        ptail = &(*ptail)->next;
    for (OVpoly *p = src->polys; p; p = p->next) {
        if (rule.only && !OVpolylist_containspoly(rule.only, p)) continue;
        auto *q = static_cast<OVpoly *>(poly_take());
        *q = *p;
        q->geometry = dst;
        q->next = nullptr;
        q->ncorners = 0; // the ring is p's until set_corners gives q its own
        q->texture = p->texture ? texture_copy(p->texture) : nullptr;
        q->matid = rule.fixed ? rule.fixed_id : p->matid + rule.id_offset;
        std::vector<OVvertex *> vs;
        corner_vertices(p, vs);
        for (OVvertex *&v : vs)
            v = map[v];
        set_corners(q, vs, nullptr);
        if (rule.placement) _OVpoly_stats(q);
        *ptail = q;
        ptail = &q->next;
        dst->npolys++;
        if (!first) first = q;
    }
    return first;
}

void placement_matrix(const OVpq *origin, const OVpq *placement, OVm4 out) {
    OVm4 o, inv, p;
    OVpq_2m4(origin, o);
    OVm4_invert(o, inv);
    OVpq_2m4(placement, p);
    OVm4_mult(inv, p, out);
}

} // namespace

extern "C" {

OVgeometry *OVgeometry_copy(OVgeometry *g) {
    if (!g) return nullptr;
    OVgeometry *c = _OVgeometry_new(nullptr);
    copy_into(c, g, CopyRule{});
    reference_copy(&c->reference, &g->reference);
    c->npolys = g->npolys;
    copy3(g->half_extents, c->half_extents);
    copy3(g->midpoint, c->midpoint);
    c->radius = g->radius;
    c->style_mask = g->style_mask;
    c->style_values = g->style_values;
    OVgeometry_setname(c, g->name);
    c->mtable = g->mtable;
    if (c->mtable) _OVmtable_attach(c->mtable, c);
    return c;
}

OVpoly *_OVgeometry_mergepq(OVgeometry *g1, OVgeometry *g2, const OVpq *origin,
                            const OVpq *placement, int fixed, int id) {
    if (!g1 || !g2 || g1->locked) return nullptr;
    if (g1 == g2) return g1->polys; // before the gate: compiled lists stay valid
    if (!_OVgeometry_modifiable(g1)) return nullptr;
    CopyRule rule;
    OVm4 m;
    if (origin && placement) {
        placement_matrix(origin, placement, m);
        rule.placement = &m;
    }
    rule.flag_moved = true;
    rule.fixed = fixed != 0;
    rule.fixed_id = id;
    OVmtable *merged = g1->mtable;
    if (!fixed && g2->mtable && g2->mtable != g1->mtable) {
        merged = OVmtable_merge(g1->mtable, g2->mtable);
        if (merged != g2->mtable && g1->mtable) rule.id_offset = OVmtable_getnumentries(g1->mtable);
    }
    OVpoly *first = copy_into(g1, g2, rule);
    if (merged != g1->mtable) OVgeometry_setmtable(g1, merged);
    g1->editing = 1;
    OVgeometry_endedit(g1);
    OVgeometry_recomputestats(g1, 0);
    return first;
}

OVpoly *OVgeometry_merge(OVgeometry *g1, OVgeometry *g2) {
    return _OVgeometry_mergepq(g1, g2, nullptr, nullptr, 0, 0);
}

OVgeometry *_OVgeometry_copyplist(OVgeometry *g, OVpolylist *list) {
    if (!g) return nullptr;
    OVgeometry *c = _OVgeometry_new(nullptr);
    CopyRule rule;
    rule.only = list ? list : OVpolylist_new();
    copy_into(c, g, rule);
    if (!list) OVpolylist_delete(rule.only);
    c->mtable = g->mtable;
    if (c->mtable) _OVmtable_attach(c->mtable, c);
    OVgeometry_setname(c, g->name);
    OVgeometry_recomputestats(c, 1);
    return c;
}

} // extern "C"
