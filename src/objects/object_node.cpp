// Object nodes (type 11): how the scene graph shows a stationary object.
#include "objects/stationary_object.h"

#include "geometry/geometry_access.h"
#include "orv/message.h"
#include "orv/node.h"
#include "scene/payload_nodes.h"

namespace orv::objects {

namespace {
struct ObjectCell {
    StationaryObject *object;
};

StationaryObject *object_of(const OVnode *node) {
    if (!node || scene::record_type(node) != OVNODE_OBJECT) return nullptr;
    return static_cast<const ObjectCell *>(scene::node_payload(node))->object;
}
} // namespace

OVnode *object_node_new(OVnode *parent, StationaryObject *object) {
    if (!object || object->node) return nullptr;
    OVnode *n = scene::make_node(parent, OVNODE_OBJECT, sizeof(ObjectCell));
    if (!n) return nullptr;
    static_cast<ObjectCell *>(scene::node_payload(n))->object = object;
    // The node shows the object's geometry, which the object keeps owning:
    // geometry edits mark the node changed, and no geometry node can take it.
    scene::set_node_geometry(n, object->geometry);
    if (object->geometry) geom::geometry_set_node(object->geometry, n);
    object->node = n;
    _OVnode_changed(n); // its bounds are computed when first asked for
    return n;
}

void object_node_release(OVnode *node) {
    if (!node || scene::record_type(node) != OVNODE_OBJECT) return;
    auto *cell = static_cast<ObjectCell *>(scene::node_payload(node));
    if (cell->object && cell->object->geometry)
        geom::geometry_set_node(cell->object->geometry, nullptr);
    cell->object = nullptr;
    scene::set_node_geometry(node, nullptr);
}

} // namespace orv::objects

using namespace orv::objects;

extern "C" {

ORV_API void *OVnode_getobject(OVnode *node) {
    return object_of(node);
}

ORV_API int _OVobjectnode_bounds(OVnode *node, OVp3 midpoint, OVp3 extents) {
    return stationary_bounds(object_of(node), midpoint, extents) ? 1 : 0;
}

ORV_API OVgeometry *_OVobjectnode_geometry(OVnode *node) {
    StationaryObject *object = object_of(node);
    return object ? object->geometry : nullptr;
}

// The collection walk draws the object's geometry where the node stands.
ORV_API OVnode *_OVobjectnode_collect(OVnode *node, void *state) {
    if (object_of(node) && orv::scene::node_geometry(node))
        orv::scene::collect_geometry(static_cast<orv::scene::TraversalState *>(state), node);
    return nullptr;
}

// The node is being freed: the object goes with it unless it is kept.
ORV_API void _OVobjectnode_deleted(OVnode *node, int keep_object) {
    StationaryObject *object = object_of(node);
    if (!object) return;
    object_node_release(node);
    object->node = nullptr;
    if (!keep_object) stationary_delete(object);
}

} // extern "C"
