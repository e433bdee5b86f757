// The hooks through which geometry reaches the modules above it.
#include "geometry/geometry_hooks.h"
#include "geometry/geometry_record.h"

namespace orv::geom {
namespace {
RenderHooks render_hooks = {};
PortalHooks portal_hooks = {};
NodeHooks node_hooks = {};
} // namespace

RenderHooks set_render_hooks(const RenderHooks &hooks) {
    const RenderHooks previous = render_hooks;
    render_hooks = hooks;
    return previous;
}

void set_portal_hooks(const PortalHooks &hooks) {
    portal_hooks = hooks;
}

void set_node_hooks(const NodeHooks &hooks) {
    node_hooks = hooks;
}

void render_stale(OVgeometry *g) {
    if (g->render_data && render_hooks.stale) render_hooks.stale(g->render_data);
}

void render_release(OVgeometry *g) {
    if (g->render_data && render_hooks.release) render_hooks.release(g->render_data);
    g->render_data = nullptr;
}

void portals_restat() {
    if (portal_hooks.restat_all) portal_hooks.restat_all();
}

void *portal_of(OVpoly *p) {
    return portal_hooks.find ? portal_hooks.find(p) : nullptr;
}

void portal_forget(OVpoly *p) {
    if (portal_hooks.forget) portal_hooks.forget(p);
}

void node_changed(OVnode *node) {
    if (node && node_hooks.changed) node_hooks.changed(node);
}

void node_geometry_deleted(OVnode *node) {
    if (node && node_hooks.geometry_deleted) node_hooks.geometry_deleted(node);
}

} // namespace orv::geom
