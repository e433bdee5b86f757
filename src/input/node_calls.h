// The node operations motion links use. Weak until the node module is part
// of every build: a missing function means the node cannot be a target.
#pragma once

#include "orv/orv_base.h"

extern "C" {
__attribute__((weak)) int OVnode_ismovable(const OVnode *node);
__attribute__((weak)) int OVnode_gettype(const OVnode *node);
__attribute__((weak)) int OVnode_gettransform(const OVnode *node, OVm4 transform);
}

namespace orv::input {

inline constexpr int node_type_xform = 1;

inline bool node_is_movable(const OVnode *node) {
    return OVnode_ismovable && OVnode_ismovable(node);
}

inline bool node_is_xform(const OVnode *node) {
    return OVnode_gettype && OVnode_gettype(node) == node_type_xform;
}

} // namespace orv::input

extern "C" {
__attribute__((weak)) int OVnode_settransform(OVnode *node, const OVm4 transform);
__attribute__((weak)) int OVnode_getorientation(const OVnode *node, OVq orientation);
__attribute__((weak)) OVnode *OVnodepath_getnode(const OVnodepath *path, int index);
__attribute__((weak)) int OVnodepath_getmatrix(const OVnodepath *path, OVm4 out);
__attribute__((weak)) int OVnodepath_setmatrix(OVnodepath *path, const OVm4 world);
}

namespace orv::input {

// The last node of a path a link may move: only a movable node.
inline OVnode *nodepath_target(const OVnodepath *path) {
    OVnode *last =
        OVnodepath_getnode && OVnodepath_getmatrix ? OVnodepath_getnode(path, -1) : nullptr;
    return last && node_is_movable(last) ? last : nullptr;
}

} // namespace orv::input
