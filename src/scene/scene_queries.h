// What the renderer asks of the scene graph, so that node records stay
// inside the scene module.
#pragma once

#include "orv/node.h"

#include <functional>

namespace orv::scene {

// Whether the node is a root node (the renderer draws only roots).
bool is_root(const OVnode *node);
// The geometry a collected geometry or object node shows; null for others.
OVgeometry *shown_geometry(const OVnode *node);
// Whether the node asks for its bounding box to be outlined.
bool outlines_bounds(const OVnode *node);
// An OpenGL callback node's function and culling box; false for other nodes.
bool callback_of(const OVnode *node, OVglnodefunc *callback, OVp3 cull_min, OVp3 cull_max);
// Brings a changed root's cached bounds up to date.
void refresh_bounds(OVnode *root);
// The transform accumulated from the root down to the given instance (0 the
// first met, depth first) of the node; false when there are not that many.
bool instance_transform(OVnode *root, OVnode *node, int instance, OVm4 out);
// Every geometry of a geometry node below the root, each once.
void for_each_geometry(OVnode *root, const std::function<void(OVgeometry *)> &visit);

} // namespace orv::scene
