// What motion links ask of their node and node-path targets.
#pragma once

#include "orv/node.h"
#include "orv/nodepath.h"

namespace orv::input {

inline bool node_is_movable(const OVnode *node) {
    return OVnode_ismovable(node) != 0;
}

inline bool node_is_xform(const OVnode *node) {
    return OVnode_gettype(node) == OVNODE_XFORM;
}

// The last node of a path a link may move: only a movable node.
inline OVnode *nodepath_target(const OVnodepath *path) {
    OVnode *last = OVnodepath_getnode(path, -1);
    return last && node_is_movable(last) ? last : nullptr;
}

} // namespace orv::input
