// OpenGL callback nodes: an application function drawn in the scene.
#include "core/finite.h"
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"

#include <cstring>

namespace {

OVglnodedata *callback_of(OVnode *node) {
    return node && node->header.type == OVNODE_GL
               ? static_cast<OVglnodedata *>(orv::scene::node_payload(node))
               : nullptr;
}

} // namespace

extern "C" {

ORV_API OVnode *OVglnode_new(OVnode *parent, OVglnodefunc callback, int flags) {
    if (!callback) return nullptr;
    OVnode *n = orv::scene::make_node(parent, OVNODE_GL, sizeof(OVglnodedata));
    if (!n) return nullptr;
    auto *gl = callback_of(n);
    gl->callback = callback;
    gl->flags = flags | 0x01;
    return n;
}

ORV_API int OVglnode_setflags(OVnode *node, int flags) {
    OVglnodedata *gl = callback_of(node);
    if (!gl) return false;
    gl->flags = flags;
    return true;
}

ORV_API int OVglnode_getflags(OVnode *node) {
    OVglnodedata *gl = callback_of(node);
    return gl ? gl->flags : 0;
}

// The box counts in the bounds of the groups above the node.
ORV_API int OVglnode_setcullingbox(OVnode *node, const OVp3 min, const OVp3 max) {
    OVglnodedata *gl = callback_of(node);
    if (!gl || !orv::finite(min, 3) || !orv::finite(max, 3)) return false;
    for (int j = 0; j < 3; ++j) {
        gl->cull_min[j] = min[j];
        gl->cull_max[j] = max[j];
    }
    node->flags |= NODE_CHANGED;
    orv::scene::mark_links(node);
    return true;
}

ORV_API int OVglnode_replacecallback(OVnode *node, OVglnodefunc callback) {
    OVglnodedata *gl = callback_of(node);
    if (!gl || !callback) return false;
    gl->callback = callback;
    return true;
}

} // extern "C"
