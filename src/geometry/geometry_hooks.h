// What the geometry module tells or asks the modules above it. The module
// that cares registers its hooks once at start-up; until then geometry goes
// on without them.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

namespace orv::geom {

// render/: what it keeps behind a geometry's render_data pointer.
struct RenderHooks {
    void (*stale)(void *data);   // the drawing changed: rebuild before the next draw
    void (*release)(void *data); // the geometry goes
};

// objects/: portals refer to polygons.
struct PortalHooks {
    void (*restat_all)();      // polygons changed: planes again
    void *(*find)(OVpoly *p);  // the portal on a polygon, or null
    void (*forget)(OVpoly *p); // p is being freed
};

// scene/: the node drawing a geometry.
struct NodeHooks {
    void (*changed)(OVnode *node);          // its drawing data changed
    void (*geometry_deleted)(OVnode *node); // its geometry goes: the node goes with it
};

// Returns the hooks they replace.
RenderHooks set_render_hooks(const RenderHooks &hooks);
void set_portal_hooks(const PortalHooks &hooks);
void set_node_hooks(const NodeHooks &hooks);

// The renderer's record of g is stale, or goes with g.
void render_stale(OVgeometry *g);
void render_release(OVgeometry *g);
void portals_restat();
void *portal_of(OVpoly *p);
void portal_forget(OVpoly *p);
void node_changed(OVnode *node);
void node_geometry_deleted(OVnode *node);

} // namespace orv::geom
