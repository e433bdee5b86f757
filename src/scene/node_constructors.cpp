// Node constructors, including movable nodes and nodes with a module's payload.
#include "geometry/geometry_access.h"
#include "orv/message.h"
#include "orv/node.h"
#include "scene/event_switch.h"
#include "scene/node_internal.h"
#include "scene/node_pool.h"
#include "scene/node_xform_walk.h"

#include <cstring>

namespace orv::scene {

namespace {
OVnode *first_root = nullptr;
} // namespace

namespace {

// A zeroed record of the type's size with its defaults.
OVnode *new_record(int type, std::size_t payload_size) {
    const std::size_t size =
        carries_payload(type) ? payload_offset(type) + payload_size : node_traits(type).record_size;
    auto *n = static_cast<OVnode *>(carries_payload(type) ? OVmalloc(size) : take_record(size));
    std::memset(n, 0, size);
    n->header.type = static_cast<std::uint8_t>(type);
    n->flags = NODE_ENABLED;
    if (type == OVNODE_SWITCH) passing_record(n).which_child = -1;
    if (type == OVNODE_SEPARATOR || type == OVNODE_ROOT) separator_record(n).cull_mode = 3;
    if (type == OVNODE_XFORM) set_identity(xform_record(n).transform);
    return n;
}

} // namespace

OVnode *make_node(OVnode *parent, int type, std::size_t payload_size) {
    if (parent) {
        OVnode *p = resolve(parent);
        if (!p || !node_is_grouping(p->header.type)) return nullptr;
    }
    OVnode *n = new_record(type, payload_size);
    adopt_holding(n);
    if (parent) {
        EventsOff quiet;
        if (!link_child(parent, n, -1)) {
            free_node(n);
            return nullptr;
        }
    }
    return n;
}

void free_record(OVnode *node) {
    if (carries_payload(node->header.type))
        OVfree(node);
    else
        give_record(node, node_traits(node->header.type).record_size);
}

void forget_root(OVnode *root) {
    for (OVnode **at = &first_root; *at; at = &separator_record(*at).next_root)
        if (*at == root) {
            *at = separator_record(root).next_root;
            return;
        }
}

OVnode *roots() {
    return first_root;
}

OVnode *new_root() {
    OVnode *n = new_record(OVNODE_ROOT, 0);
    n->flags = NODE_ENABLED | NODE_CHANGED;
    OVnode **at = &first_root;
    while (*at)
        at = &separator_record(*at).next_root;
    *at = n;
    return n;
}

// Separator (or transform separator), Xform child 0, content child 1.
OVnode *make_movable(OVnode *parent, int outer_type, OVnode *content) {
    if (!content) return nullptr;
    OVnode *m = make_node(parent, outer_type);
    if (!m) {
        // The caller's geometry outlives the failed attempt.
        if (content->header.type == OVNODE_GEOMETRY)
            _OVnode_delete(content);
        else
            OVnode_delete(content);
        return nullptr;
    }
    EventsOff quiet;
    make_node(m, OVNODE_XFORM);
    link_child(m, content, -1);
    m->flags |= NODE_MOVABLE;
    return m;
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API OVnode *OVrootnode_new(void) {
    return new_root();
}
ORV_API OVnode *OVuniverse_getrootnodes(void) {
    return roots();
}
ORV_API OVnode *OVrootnode_next(OVnode *root) {
    return root && root->header.type == OVNODE_ROOT && !(root->flags & NODE_HOLDING)
               ? separator_record(root).next_root
               : nullptr;
}

ORV_API OVnode *OVgroupnode_new(OVnode *parent) {
    return make_node(parent, OVNODE_GROUP);
}
ORV_API OVnode *OVsepnode_new(OVnode *parent) {
    return make_node(parent, OVNODE_SEPARATOR);
}
ORV_API OVnode *OVxformsepnode_new(OVnode *parent) {
    return make_node(parent, OVNODE_XFORMSEP);
}
ORV_API OVnode *OVswitchnode_new(OVnode *parent) {
    return make_node(parent, OVNODE_SWITCH);
}
ORV_API OVnode *OVanchornode_new(OVnode *parent) {
    return make_node(parent, OVNODE_ANCHOR);
}
ORV_API OVnode *OVinlinenode_new(OVnode *parent) {
    return make_node(parent, OVNODE_INLINE);
}
ORV_API OVnode *OVxformnode_new(OVnode *parent) {
    return make_node(parent, OVNODE_XFORM);
}

ORV_API OVnode *OVgeometrynode_new(OVnode *parent, OVgeometry *geometry) {
    if (!geometry || orv::geom::geometry_node(geometry)) return nullptr;
    OVnode *n = make_node(parent, OVNODE_GEOMETRY);
    if (!n) return nullptr;
    set_node_geometry(n, geometry);
    orv::geom::geometry_set_node(geometry, n);
    return n;
}

ORV_API OVnode *OVmovsepnode_new(OVnode *parent) {
    return make_movable(parent, OVNODE_SEPARATOR, make_node(nullptr, OVNODE_SEPARATOR));
}

ORV_API OVnode *OVmovswitchnode_new(OVnode *parent) {
    return make_movable(parent, OVNODE_SEPARATOR, make_node(nullptr, OVNODE_SWITCH));
}

ORV_API OVnode *OVmovgeometrynode_new(OVnode *parent, OVgeometry *geometry) {
    return make_movable(parent, OVNODE_SEPARATOR, OVgeometrynode_new(nullptr, geometry));
}

// Nodes of the light, fog and object modules, with their own payload.
ORV_API OVnode *_OVnode_newwithpayload(OVnode *parent, int type, size_t payload_size) {
    return make_node(parent, type, payload_size);
}

ORV_API void *_OVnode_payload(OVnode *node) {
    return node_payload(node);
}
ORV_API OVnode *_OVnode_content(OVnode *node) {
    return resolve(node);
}
ORV_API void _OVnode_makemovable(OVnode *node) {
    if (node) node->flags |= NODE_MOVABLE;
}

} // extern "C"
