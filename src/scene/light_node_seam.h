// What light and fog nodes need from the node module: a node record of a
// given type with room for a payload, the payload's address, the content a
// movable node stands for, and the hierarchy calls the constructors use.
// Weak until the node module is part of every build: without it no light
// node can be made and every setter fails.
#pragma once

#include "orv/orv_base.h"

#include <cstddef>

extern "C" {
// A node of the internal type with payload_size bytes of zeroed payload,
// placed under the parent (null: the holding root); null when the parent
// cannot take children.
__attribute__((weak)) OVnode *_OVnode_newwithpayload(OVnode *parent, int type, size_t payload_size);
__attribute__((weak)) void *_OVnode_payload(OVnode *node);
// The content of a movable node, or the node itself.
__attribute__((weak)) OVnode *_OVnode_content(OVnode *node);
// Flags a transform separator holding an Xform node and its content as movable.
__attribute__((weak)) void _OVnode_makemovable(OVnode *node);
// Deletes a light node while its record lives on.
__attribute__((weak)) void _OVnode_delete(OVnode *node);
__attribute__((weak)) void OVnode_delete(OVnode *node);
__attribute__((weak)) OVnode *OVxformsepnode_new(OVnode *parent);
__attribute__((weak)) OVnode *OVxformnode_new(OVnode *parent);
}

namespace orv {

// Internal node type codes of the light module's nodes.
constexpr int node_type_light = 12, node_type_fog = 18, node_type_ambient = 19;

} // namespace orv
