// Polygon lists and geometry lists.
#include "geometry/geometry_internal.h"

using namespace orv::geom;

extern "C" {

OVpolylist *OVpolylist_new(void) {
    auto *l = static_cast<OVpolylist *>(OVmalloc(sizeof(OVpolylist)));
    l->poly = nullptr;
    l->next = nullptr;
    return l;
}

void OVpolylist_delete(OVpolylist *l) {
    while (l) {
        OVpolylist *next = l->next;
        OVfree(l);
        l = next;
    }
}

OVpolylist *OVpolylist_addpoly(OVpolylist *l, OVpoly *p) {
    if (!p) return nullptr;
    if (!l) l = OVpolylist_new();
    if (!l->poly && !l->next) {
        l->poly = p;
        return l;
    }
    OVpolylist *head = OVpolylist_new();
    head->poly = p;
    head->next = l;
    return head;
}

int OVpolylist_containspoly(OVpolylist *l, OVpoly *p) {
    for (; l; l = l->next)
        if (p && l->poly == p) return 1;
    return 0;
}

int OVpolylist_npolys(OVpolylist *l) {
    int n = 0;
    for (; l; l = l->next)
        if (l->poly) ++n;
    return n;
}

OVpolylist *OVpolylist_copy(OVpolylist *l) {
    if (!l) return nullptr;
    OVpolylist *head = nullptr, **tail = &head;
    for (; l; l = l->next) {
        OVpolylist *e = OVpolylist_new();
        e->poly = l->poly;
        *tail = e;
        tail = &e->next;
    }
    return head;
}

OVpoly *OVpolylist_getpoly(OVpolylist *l) {
    return l ? l->poly : nullptr;
}
OVpolylist *OVpolylist_next(OVpolylist *l) {
    return l ? l->next : nullptr;
}

OVgeomlist *_OVgeomlist_add(OVgeomlist *list, OVgeometry *g) {
    auto *e = static_cast<OVgeomlist *>(OVmalloc(sizeof(OVgeomlist)));
    e->geometry = g;
    e->next = list;
    return e;
}

OVgeomlist *_OVgeomlist_append(OVgeomlist *a, OVgeomlist *b) {
    if (!a) return b;
    OVgeomlist *last = a;
    while (last->next)
        last = last->next;
    last->next = b;
    return a;
}

void _OVgeomlist_delete(OVgeomlist *list) {
    while (list) {
        OVgeomlist *next = list->next;
        OVfree(list);
        list = next;
    }
}

OVgeometry *_OVgeomlist_geometry(OVgeomlist *list) {
    return list ? list->geometry : nullptr;
}
OVgeomlist *_OVgeomlist_next(OVgeomlist *list) {
    return list ? list->next : nullptr;
}

// Links list b in front of *head.
static void prepend_vertices(OVvertex **head, OVvertex *b) {
    if (!b) return;
    OVvertex *last = b;
    while (last->next)
        last = last->next;
    last->next = *head;
    *head = b;
}

OVgeometry *_OVgeomlist_glom(OVgeomlist *list) {
    if (!list) return nullptr;
    OVgeometry *first = list->geometry;
    for (OVgeomlist *e = list->next, *next; e; e = next) {
        next = e->next;
        OVgeometry *g = e->geometry;
        if (g && g->polys && first) {
            reference_prepend(&first->reference, first->vertices, &g->reference, g->vertices);
            prepend_vertices(&first->vertices, g->vertices);
            if (!first->last_vertex) first->last_vertex = g->last_vertex;
            OVpoly *last = g->polys;
            for (OVpoly *p = g->polys; p; p = p->next) {
                p->geometry = first;
                last = p;
            }
            last->next = first->polys;
            first->polys = g->polys;
            first->npolys += g->npolys;
            first->polys_settled &= g->polys_settled;
            g->polys = nullptr;
            g->npolys = 0;
            g->vertices = g->last_vertex = nullptr;
        }
        OVgeometry_delete(g);
        OVfree(e);
    }
    list->next = nullptr;
    if (first) OVgeometry_recomputestats(first, 0);
    return first;
}

} // extern "C"
