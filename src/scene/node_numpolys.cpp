// Counting the polygons of a subtree: every appearance of an enabled
// geometry (or polygonal object) counts.
#include "geometry/geometry_record.h"
#include "orv/node.h"
#include "scene/node_record.h"
#include "scene/scene_hooks.h"

#include <vector>

namespace {

int own_polys(OVnode *node) {
    if (node->header.type == NT_GEOMETRY) return node->geometry ? node->geometry->npolys : 0;
    if (node->header.type == NT_OBJECT)
        if (OVgeometry *g = orv::scene::object_node_geometry(node)) return g->npolys;
    return 0;
}

} // namespace

extern "C" ORV_API int OVnode_numpolys(OVnode *node) {
    int total = 0;
    std::vector<OVnode *> stack;
    if (node) stack.push_back(node);
    while (!stack.empty()) {
        OVnode *n = stack.back();
        stack.pop_back();
        if (!(n->flags & NODE_ENABLED)) continue;
        total += own_polys(n);
        if (node_is_grouping(n->header.type))
            for (OVlink *l = n->first_child; l; l = l->next_sibling)
                stack.push_back(l->child);
    }
    return total;
}
