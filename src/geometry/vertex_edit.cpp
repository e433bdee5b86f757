// Per-vertex editing: positions, normals, colours and the polygons around a vertex.
#include "core/finite.h"
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"

using namespace orv::geom;

extern "C" {

int OVgeometry_setvertexposition(OVgeometry *g, OVvertex *v, const OVp3 p) {
    if (!v || !orv::finite(p, 3) || !_OVgeometry_modifiable(g)) return 0;
    reference_detach(&g->reference, g->vertices);
    copy3(p, v->position);
    v->flags |= OVVERTEX_MOVED;
    g->changed = 1;
    return 1;
}

int OVgeometry_getvertexposition(OVgeometry *g, OVvertex *v, OVp3 p) {
    if (!g || !v || !p) return 0;
    copy3(v->position, p);
    return 1;
}

int OVgeometry_setvertexnormal(OVgeometry *g, OVvertex *v, const OVp3 n) {
    if (!v || !orv::finite(n, 3) || (n[0] == 0 && n[1] == 0 && n[2] == 0) ||
        !_OVgeometry_modifiable(g))
        return 0;
    if (!v->normal) v->normal = normal_take();
    copy3(n, v->normal);
    return 1;
}

int OVgeometry_getvertexnormal(OVgeometry *g, OVvertex *v, OVp3 n) {
    bool has = g && v && v->normal;
    if (n) {
        for (int a = 0; a < 3; ++a)
            n[a] = has ? v->normal[a] : 0;
    }
    return has;
}

OVpolylist *_OVgeometry_getvertexstar(OVgeometry *g, OVvertex *v) {
    OVpolylist *list = OVpolylist_new();
    if (!g || !v) return list;
    for (OVpoly *p = g->polys; p; p = p->next)
        if (OVpoly_containsvertex(p, v)) list = OVpolylist_addpoly(list, p);
    return list;
}

OVpolylist *OVgeometry_getvertexpolys(OVgeometry *g, OVvertex *v) {
    OVpolylist *list = _OVgeometry_getvertexstar(g, v);
    if (OVpolylist_npolys(list) == 0) {
        OVpolylist_delete(list);
        return nullptr;
    }
    return list;
}

int OVgeometry_deletevertexnormal(OVgeometry *g, OVvertex *v) {
    if (!v || !v->normal || !_OVgeometry_modifiable(g)) return 0;
    bool used = false;
    for (OVpoly *p = g->polys; p; p = p->next)
        if (OVpoly_containsvertex(p, v)) {
            used = true;
            p->rflags &= ~OVPOLYR_VNORMALS;
        }
    if (!used) return 0;
    normal_give(v->normal);
    v->normal = nullptr;
    return 1;
}

int OVgeometry_computevertexnormal(OVgeometry *g, OVvertex *v) {
    if (!v || !_OVgeometry_modifiable(g)) return 0;
    OVpolylist *star = _OVgeometry_getvertexstar(g, v);
    OVp3 n;
    _OVpolylist_getnormal(star, n);
    OVpolylist_delete(star);
    return OVgeometry_setvertexnormal(g, v, n);
}

int OVgeometry_setvertexrgb(OVgeometry *g, OVvertex *v, int r, int gg, int b) {
    if (!g || !v || !g->mtable) return 0;
    int id = OVmtable_matchrgb(g->mtable, r, gg, b);
    if (id < 0 || !_OVgeometry_modifiable(g)) return 0;
    v->matid = id;
    v->flags |= OVVERTEX_OWNMATID;
    return 1;
}

int OVgeometry_getvertexrgb(OVgeometry *g, OVvertex *v, int *r, int *gg, int *b) {
    if (!g || !v || !(v->flags & OVVERTEX_OWNMATID)) return 0;
    unsigned rgb = g->mtable ? OVmtable_getcolor24(g->mtable, v->matid) : 0;
    if (r) *r = (rgb >> 16) & 0xFF;
    if (gg) *gg = (rgb >> 8) & 0xFF;
    if (b) *b = rgb & 0xFF;
    return 1;
}

} // extern "C"
