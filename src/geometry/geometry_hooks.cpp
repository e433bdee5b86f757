// The hooks through which geometry reaches the modules above it.
#include "geometry/geometry_hooks.h"

namespace orv::geom {
namespace {
RenderHooks render_hooks = {};
PortalHooks portal_hooks = {};
void (*node_changed_hook)(OVnode *) = nullptr;
} // namespace

void set_render_hooks(const RenderHooks &hooks) {
    render_hooks = hooks;
}

void set_portal_hooks(const PortalHooks &hooks) {
    portal_hooks = hooks;
}

void set_node_changed_hook(void (*fn)(OVnode *node)) {
    node_changed_hook = fn;
}

void release_lists(std::uint32_t list1, std::uint32_t list2) {
    if (render_hooks.release_lists) render_hooks.release_lists(list1, list2);
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
    if (node && node_changed_hook) node_changed_hook(node);
}

} // namespace orv::geom
