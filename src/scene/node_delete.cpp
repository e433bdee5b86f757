// Deleting nodes and whole scenes.
#include "geometry/geometry_record.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/property.h"
#include "orv/task.h"
#include "scene/event_switch.h"
#include "scene/event_system.h"
#include "scene/light_state.h"
#include "scene/node_internal.h"
#include "scene/traversal_state.h"
#include "orv/orv_internal.h"
#include "scene/scene_hooks.h"

#include <vector>

namespace orv::scene {

namespace {

// Frees one node that has no parents left; its children are released first,
// each deleted when this was its last parent. Explicit stack for deep graphs.
void delete_orphans(OVnode *start, bool keep_record) {
    std::vector<OVnode *> pending{start};
    while (!pending.empty()) {
        OVnode *n = pending.back();
        pending.pop_back();
        OVtask_deleteall(n);
        while (OVlink *l = n->first_child) {
            OVnode *child = l->child;
            if (child->parent_count > 1) {
                unlink_edge(l);
                continue;
            }
            orv::base_object_deleted(child);
            unlink_sibling(l);
            l->parent = nullptr; // the parent is going away with this link's edge
            child->parent_count = 0;
            pending.push_back(child);
        }
        orv::scene::tell_target_deleted(n);
        if (keep_record && n == start) {
            if (OVlight *light = orv::light_of(n)) light->node = nullptr; // the record lives on
        } else if (n->header.type == NT_LIGHT || n->header.type == NT_AMBIENT) {
            _OVlight_nodedeleted(n);
        }
        if (n->header.type == NT_OBJECT)
            orv::scene::object_node_deleted(n, keep_record && n == start);
        forget_name(n);
        if (n->header.type == NT_GEOMETRY && n->geometry) {
            n->geometry->node = nullptr;
            if (!keep_record || n != start) OVgeometry_delete(n->geometry);
        }
        free_node(n);
    }
}

} // namespace

void free_node(OVnode *n) {
    if (OVlink *l = n->first_parent) {
        if (l->parent) unlink_sibling(l);
        OVfree(l);
    }
    OVfree(n->name);
    OVfree(n->attachment_names);
    OVfree(n->child_names);
    OVfree(n->location);
    OVfree(n->ranges);
    OVfree(n->range_text);
    OVfree(n->payload);
    OVfree(n);
}

void delete_node(OVnode *n, bool keep_record) {
    orv::base_object_deleted(n);
    {
        EventsOff quiet;
        OVnode_remove(n);
    }
    delete_orphans(n, keep_record);
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API void OVnode_delete(OVnode *node) {
    if (!node || node->header.type == NT_ROOT) return;
    delete_node(node, false);
}

ORV_API int OVnode_deletechild(OVnode *parent, int index) {
    OVlink *l = child_link(resolve(parent), index);
    if (!l) return false;
    OVnode *child = l->child;
    // A child kept by another parent keeps its handlers and its data.
    if (child->parent_count > 1) {
        unlink_edge(l);
        return true;
    }
    delete_node(child, false);
    return true;
}

// Deletes a geometry, object or light node while its record lives on.
ORV_API void _OVnode_delete(OVnode *node) {
    if (!node) return;
    int t = node->header.type;
    if (t != NT_GEOMETRY && t != NT_OBJECT && t != NT_LIGHT && t != NT_AMBIENT) return;
    delete_node(node, true);
}

ORV_API void _OVnode_deleteall(int all) {
    for (OVnode *r = OVuniverse_getrootnodes(); r; r = r->next_root)
        while (r->first_child)
            OVnode_deletechild(r, 0);
    while (holding_root().first_child)
        delete_node(holding_root().first_child->child, false);
    if (!all) return;
    while (OVnode *r = OVuniverse_getrootnodes()) {
        forget_root(r);
        orv::base_object_deleted(r);
        OVtask_deleteall(r);
        forget_name(r);
        free_node(r);
    }
    _OVnode_freepools();
}

ORV_API void OVnode_vacuum(void) {
    _OVnode_deleteall(0);
}

} // extern "C"
