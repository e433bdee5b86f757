// The scene-graph calls the windows and the renderer make: root nodes and the
// traversal states, one per window.
#pragma once

#include "orv/orv_base.h"

extern "C" {
__attribute__((weak)) OVnode *OVuniverse_getrootnodes(void);
__attribute__((weak)) OVnode *OVuniverse_findnode(const char *name, int length);
__attribute__((weak)) const char *OVnode_getname(const OVnode *node);
__attribute__((weak)) void *_OVnode_newstate(void);
__attribute__((weak)) void _OVnode_deletestate(void *state);
}

namespace orv {

constexpr int node_type_root = 21;

inline void *new_traversal_state() {
    return _OVnode_newstate ? _OVnode_newstate() : nullptr;
}

inline void delete_traversal_state(void *state) {
    if (state && _OVnode_deletestate) _OVnode_deletestate(state);
}

inline OVnode *first_root_node() {
    return OVuniverse_getrootnodes ? OVuniverse_getrootnodes() : nullptr;
}

} // namespace orv
