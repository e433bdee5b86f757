// Node constructors, including movable nodes and nodes with a module's payload.
#include "geometry/geometry_record.h"
#include "orv/message.h"
#include "orv/node.h"
#include "scene/event_switch.h"
#include "scene/node_internal.h"
#include "scene/node_xform_walk.h"

#include <cstring>

namespace orv::scene {

namespace {
OVnode *first_root = nullptr;
} // namespace

OVnode *make_node(OVnode *parent, int type) {
    if (parent) {
        OVnode *p = resolve(parent);
        if (!p || !node_is_grouping(p->header.type)) return nullptr;
    }
    auto *n = static_cast<OVnode *>(OVmalloc(sizeof(OVnode)));
    std::memset(n, 0, sizeof *n);
    n->header.type = static_cast<std::uint8_t>(type);
    n->flags = NODE_ENABLED;
    n->which_child = -1;
    n->cull_mode = 3;
    set_identity(n->transform);
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

void forget_root(OVnode *root) {
    for (OVnode **at = &first_root; *at; at = &(*at)->next_root)
        if (*at == root) {
            *at = root->next_root;
            return;
        }
}

OVnode *roots() {
    return first_root;
}

OVnode *new_root() {
    auto *n = static_cast<OVnode *>(OVmalloc(sizeof(OVnode)));
    std::memset(n, 0, sizeof *n);
    n->header.type = NT_ROOT;
    n->flags = NODE_ENABLED | NODE_CHANGED;
    n->cull_mode = 3;
    set_identity(n->transform);
    OVnode **at = &first_root;
    while (*at)
        at = &(*at)->next_root;
    *at = n;
    return n;
}

// Separator (or transform separator), Xform child 0, content child 1.
OVnode *make_movable(OVnode *parent, int outer_type, OVnode *content) {
    if (!content) return nullptr;
    OVnode *m = make_node(parent, outer_type);
    if (!m) {
        // The caller's geometry outlives the failed attempt.
        if (content->header.type == NT_GEOMETRY)
            _OVnode_delete(content);
        else
            OVnode_delete(content);
        return nullptr;
    }
    EventsOff quiet;
    make_node(m, NT_XFORM);
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
    return root && root->header.type == NT_ROOT && !(root->flags & NODE_HOLDING) ? root->next_root
                                                                                 : nullptr;
}

ORV_API OVnode *OVgroupnode_new(OVnode *parent) {
    return make_node(parent, NT_GROUP);
}
ORV_API OVnode *OVsepnode_new(OVnode *parent) {
    return make_node(parent, NT_SEPARATOR);
}
ORV_API OVnode *OVxformsepnode_new(OVnode *parent) {
    return make_node(parent, NT_XFORMSEP);
}
ORV_API OVnode *OVswitchnode_new(OVnode *parent) {
    return make_node(parent, NT_SWITCH);
}
ORV_API OVnode *OVanchornode_new(OVnode *parent) {
    return make_node(parent, NT_ANCHOR);
}
ORV_API OVnode *OVinlinenode_new(OVnode *parent) {
    return make_node(parent, NT_INLINE);
}
ORV_API OVnode *OVxformnode_new(OVnode *parent) {
    return make_node(parent, NT_XFORM);
}

ORV_API OVnode *OVgeometrynode_new(OVnode *parent, OVgeometry *geometry) {
    if (!geometry || geometry->node) return nullptr;
    OVnode *n = make_node(parent, NT_GEOMETRY);
    if (!n) return nullptr;
    n->geometry = geometry;
    geometry->node = n;
    return n;
}

ORV_API OVnode *OVmovsepnode_new(OVnode *parent) {
    return make_movable(parent, NT_SEPARATOR, make_node(nullptr, NT_SEPARATOR));
}

ORV_API OVnode *OVmovswitchnode_new(OVnode *parent) {
    return make_movable(parent, NT_SEPARATOR, make_node(nullptr, NT_SWITCH));
}

ORV_API OVnode *OVmovgeometrynode_new(OVnode *parent, OVgeometry *geometry) {
    return make_movable(parent, NT_SEPARATOR, OVgeometrynode_new(nullptr, geometry));
}

// Nodes of the light, fog and object modules, with their own payload.
ORV_API OVnode *_OVnode_newwithpayload(OVnode *parent, int type, size_t payload_size) {
    OVnode *n = make_node(parent, type);
    if (n && payload_size) {
        n->payload = OVmalloc(payload_size);
        std::memset(n->payload, 0, payload_size);
    }
    return n;
}

ORV_API void *_OVnode_payload(OVnode *node) {
    return node ? node->payload : nullptr;
}
ORV_API OVnode *_OVnode_content(OVnode *node) {
    return resolve(node);
}
ORV_API void _OVnode_makemovable(OVnode *node) {
    if (node) node->flags |= NODE_MOVABLE;
}

} // extern "C"
