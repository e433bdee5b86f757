// Deleting nodes and whole scenes.
#include "geometry/geometry_access.h"
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

// The next child of n that goes with it, taken from n as by
// OVnode_deletechild(n, 0): children kept by another parent lose only this
// edge. Null when none is left.
OVnode *take_orphan(OVnode *n) {
    while (OVlink *l = first_child(n)) {
        OVnode *child = l->child;
        if (child->parent_count > 1) {
            unlink_edge(l);
            continue;
        }
        orv::base_object_deleted(child);
        unlink_sibling(l);
        l->parent = nullptr; // the parent is going away with this link's edge
        child->parent_count = 0;
        return child;
    }
    return nullptr;
}

// A node's own data and record, once its children are gone.
void free_orphan(OVnode *n, bool keep_record) {
    orv::scene::tell_target_deleted(n);
    if (keep_record) {
        if (OVlight *light = orv::light_of(n)) light->node = nullptr; // the record lives on
    } else if (n->header.type == OVNODE_LIGHT || n->header.type == OVNODE_AMBIENT) {
        _OVlight_nodedeleted(n);
    }
    if (n->header.type == OVNODE_OBJECT) orv::scene::object_node_deleted(n, keep_record);
    OVgeometry *geometry = n->header.type == OVNODE_GEOMETRY ? node_geometry(n) : nullptr;
    if (geometry) {
        geom::geometry_set_node(geometry, nullptr);
        if (!keep_record) OVgeometry_delete(geometry);
    }
    free_node(n);
}

// Frees one node that has no parents left. Its children go first to last,
// each with its whole subtree before the next, then its own data; an
// explicit stack of the nodes whose children are going stands in for the
// recursion, as graphs may be thousands of levels deep. A scene built in
// order is so read in the order its records lie in memory.
void delete_orphans(OVnode *start, bool keep_record) {
    std::vector<OVnode *> emptying{start};
    OVtask_deleteall(start);
    forget_name(start);
    while (!emptying.empty()) {
        OVnode *n = emptying.back();
        if (OVnode *child = take_orphan(n)) {
            OVtask_deleteall(child);
            forget_name(child);
            emptying.push_back(child);
            continue;
        }
        emptying.pop_back();
        free_orphan(n, keep_record && n == start);
    }
}

} // namespace

void free_node(OVnode *n) {
    if (OVlink *l = n->first_parent) {
        if (l->parent) unlink_sibling(l);
        free_link(l);
    }
    OVfree(n->name);
    OVfree(n->attachment_names);
    if (GroupRecord *g = group_record(n)) OVfree(g->child_names);
    if (char **location = location_slot(n)) OVfree(*location);
    if (has_trait(n, TRAIT_PASSES)) OVfree(passing_record(n).passed_on);
    if (n->header.type == OVNODE_LOD) {
        OVfree(lod_record(n).ranges);
        OVfree(lod_record(n).range_text);
    }
    free_record(n);
}

// Deleting a node tells its parents ("Children"), except through
// OVnode_deletechild, which deletes quietly.
void delete_node(OVnode *n, bool keep_record, bool tell_parents) {
    orv::base_object_deleted(n);
    if (tell_parents) {
        remove_from_parents(n, false);
    } else {
        EventsOff quiet;
        remove_from_parents(n, false);
    }
    delete_orphans(n, keep_record);
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API int OVnode_delete(OVnode *node) {
    if (!node || node->header.type == OVNODE_ROOT) return false;
    delete_node(node, false, true);
    return true;
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
    delete_node(child, false, false);
    return true;
}

// Deletes a geometry, object or light node while its record lives on.
ORV_API void _OVnode_delete(OVnode *node) {
    if (!node) return;
    int t = node->header.type;
    if (t != OVNODE_GEOMETRY && t != OVNODE_OBJECT && t != OVNODE_LIGHT && t != OVNODE_AMBIENT)
        return;
    delete_node(node, true, true);
}

ORV_API void _OVnode_deleteall(int all) {
    for (OVnode *r = OVuniverse_getrootnodes(); r; r = separator_record(r).next_root)
        while (first_child(r))
            OVnode_deletechild(r, 0);
    while (OVlink *l = first_child(&holding_root()))
        delete_node(l->child, false, false);
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
