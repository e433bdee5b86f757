// The geometries using a material table, linked through their own records:
// thousands may share a table, and a geometry joins or leaves in one step
// with no allocation.
#include "geometry/geometry_hooks.h"
#include "geometry/geometry_record.h"
#include "geometry/mtable_record.h"
#include "orv/orv_internal.h"

namespace {

void link_user(OVmtable *t, OVgeometry *g) {
    g->user_of = t;
    g->prev_user = nullptr;
    g->next_user = t->first_user;
    if (t->first_user) t->first_user->prev_user = g;
    t->first_user = g;
}

void unlink_user(OVmtable *t, OVgeometry *g) {
    (g->prev_user ? g->prev_user->next_user : t->first_user) = g->next_user;
    if (g->next_user) g->next_user->prev_user = g->prev_user;
    g->user_of = nullptr;
    g->prev_user = g->next_user = nullptr;
}

} // namespace

namespace orv {

void mtable_touch_users(OVmtable *table) {
    for (OVgeometry *g = table->first_user; g; g = g->next_user) {
        orv::geom::render_stale(g);
        g->passes = 0;
        orv::geom::node_changed(g->node);
    }
}

void mtable_drop_users(OVmtable *table) {
    while (OVgeometry *g = table->first_user) {
        unlink_user(table, g);
        if (g->mtable == table) {
            g->mtable = nullptr;
            orv::geom::render_stale(g);
            g->passes = 0;
        }
    }
}

} // namespace orv

extern "C" {

// A geometry uses one table at a time: joining another leaves the first.
ORV_API void _OVmtable_attach(OVmtable *table, OVgeometry *g) {
    if (!table || !g || g->user_of == table) return;
    if (g->user_of) _OVmtable_detach(g->user_of, g);
    link_user(table, g);
}

ORV_API void _OVmtable_detach(OVmtable *table, OVgeometry *g) {
    if (!table || !g || g->user_of != table) return;
    unlink_user(table, g);
    if (!table->first_user) OVmtable_delete(table);
}

} // extern "C"
