// Counting the polygons of a subtree: every appearance of an enabled
// geometry (or polygonal object) counts.
#include "geometry/geometry_access.h"
#include "orv/node.h"
#include "scene/node_record.h"
#include "scene/scene_hooks.h"
#include "scene/scene_walk.h"

namespace {

int own_polys(OVnode *node) {
    if (node->header.type == OVNODE_GEOMETRY) {
        const OVgeometry *g = orv::scene::node_geometry(node);
        return g ? orv::geom::geometry_poly_count(g) : 0;
    }
    if (node->header.type == OVNODE_OBJECT)
        if (OVgeometry *g = orv::scene::object_node_geometry(node))
            return orv::geom::geometry_poly_count(g);
    return 0;
}

} // namespace

extern "C" ORV_API int OVnode_numpolys(OVnode *node) {
    using namespace orv::scene;
    if (!node) return 0;
    int total = 0;
    WalkStack &stack = shared_walk_stack();
    const int base = stack.count;
    stack.push(node, STEP_NODE);
    run_walk(stack, base, [&](OVnode *n, OVlink *) {
        if (!(n->flags & NODE_ENABLED)) return true;
        total += own_polys(n);
        push_children(stack, n);
        return true;
    });
    return total;
}
