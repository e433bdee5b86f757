// Nodes whose content a module above the scene owns (object nodes): what
// that module may ask of the scene graph to make, read and draw them. The
// node records stay inside the scene module.
#pragma once

#include "orv/orv_base.h"

#include <cstddef>

namespace orv::scene {

struct TraversalState;

// A zeroed node of the type under the parent (null: the holding root),
// followed by a zeroed payload of the given size.
OVnode *make_node(OVnode *parent, int type, std::size_t payload_size = 0);
// The node's own type (a movable node not resolved to its content).
int record_type(const OVnode *node);
// The payload of a light, fog, ambient, material, callback or object node.
ORV_API void *node_payload(OVnode *node);
ORV_API const void *node_payload(const OVnode *node);
// The geometry a geometry or object node shows, null for others.
ORV_API OVgeometry *node_geometry(const OVnode *node);
void set_node_geometry(OVnode *node, OVgeometry *geometry);
// The collection walk's entry for a node showing a geometry.
void collect_geometry(TraversalState *state, OVnode *node);

} // namespace orv::scene
