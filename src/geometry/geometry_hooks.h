// What the geometry module tells or asks the modules above it. The module
// that cares registers its hooks once at start-up; until then geometry goes
// on without them.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

namespace orv::geom {

// render/: a geometry's compiled display lists must go (names may be 0).
struct RenderHooks {
    void (*release_lists)(std::uint32_t list1, std::uint32_t list2);
};

// objects/: portals refer to polygons.
struct PortalHooks {
    void (*restat_all)();      // polygons changed: planes again
    void *(*find)(OVpoly *p);  // the portal on a polygon, or null
    void (*forget)(OVpoly *p); // p is being freed
};

void set_render_hooks(const RenderHooks &hooks);
void set_portal_hooks(const PortalHooks &hooks);
// scene/: a node's drawing data changed.
void set_node_changed_hook(void (*fn)(OVnode *node));

void release_lists(std::uint32_t list1, std::uint32_t list2);
void portals_restat();
void *portal_of(OVpoly *p);
void portal_forget(OVpoly *p);
void node_changed(OVnode *node);

} // namespace orv::geom
