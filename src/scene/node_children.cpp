// Replacing and reordering whole child lists; each fires "Children" once.
#include "orv/node.h"
#include "scene/event_switch.h"
#include "scene/node_internal.h"
#include "scene/property_protocol.h"

#include <string>

namespace orv::scene {

void for_each_named_node(const char *names, void (*each)(OVnode *target, OVnode *found),
                         OVnode *target) {
    for_each_name(names, [&](const char *token, int length) {
        // The index finds by the bucket of the whole name: look it up alone.
        std::string name(token, static_cast<size_t>(length));
        if (OVnode *n = OVuniverse_findnode(name.c_str(), length)) each(target, n);
    });
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

// Unknown names are skipped.
ORV_API int OVnode_setchildren(OVnode *parent, const char *names) {
    OVnode *p = resolve(parent);
    if (!p || !node_is_grouping(p->header.type) || !orv::change_allowed(parent, "Children"))
        return false;
    {
        orv::EventsOff quiet;
        for (int n = count_children(p); n > 0; --n)
            OVnode_removechild(parent, 0);
        for_each_named_node(
            names, [](OVnode *target, OVnode *found) { OVnode_addchild(target, found); }, parent);
    }
    fire_children(parent);
    return true;
}

// New position j holds the child that was at order[j]; the order must be a
// permutation of the positions.
ORV_API int OVsepnode_reorder(OVnode *node, const int *order, int count) {
    if (!node || !order || node->header.type != OVNODE_SEPARATOR) return false;
    if (node->flags & (NODE_MOVABLE | NODE_ATTACHGROUP)) return false; // fixed layouts
    OVlink *links[64];
    int n = 0;
    for (OVlink *l = first_child(node); l; l = l->next_sibling) {
        if (n == 64) return false;
        links[n++] = l;
    }
    if (count != n) return false;
    bool used[64] = {};
    for (int j = 0; j < n; ++j) {
        if (order[j] < 0 || order[j] >= n || used[order[j]]) return false;
        used[order[j]] = true;
    }
    if (!orv::change_allowed(node, "Children")) return false;
    for (int j = 0; j < n; ++j)
        unlink_sibling(links[j]);
    for (int j = 0; j < n; ++j)
        insert_sibling(node, links[order[j]], nullptr);
    node->flags |= NODE_CHANGED;
    mark_links(node);
    fire_children(node);
    return true;
}

} // extern "C"
