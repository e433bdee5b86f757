// The accumulated transform along a node path.
#include "orv/math.h"
#include "orv/node.h"
#include "orv/nodepath.h"
#include "scene/nodepath_record.h"
#include "orv/orv_internal.h"
#include "scene/scene_hooks.h"

#include <cstring>

namespace orv::scene {

namespace {

// What an earlier sibling passes on to the nodes after it; level-of-detail
// choices need an eye, so they pass nothing on.
void compose_sibling(Accumulated &t, const OVnode *s) {
    if (s->flags & NODE_ENABLED) accumulate_passed(t, s);
}

// The real edge from parent to child; the siblings before it compose into t.
bool direct_step(const OVnode *parent, const OVnode *child, Accumulated *t) {
    if (!has_trait(parent, TRAIT_GROUPING)) return false;
    const OVlink *l = first_child(parent);
    while (l && l->child != child)
        l = l->next_sibling;
    if (!l) return false;
    if (t)
        for (const OVlink *s = first_child(parent); s != l; s = s->next_sibling)
            compose_sibling(*t, s->child);
    return true;
}

// Inside a movable node: its content or attachment group, then the content.
OVnode *inner_node(const OVnode *n) {
    const OVlink *first = first_child(n);
    if ((n->flags & NODE_MOVABLE) && first && first->next_sibling)
        return first->next_sibling->child;
    if ((n->flags & NODE_ATTACHGROUP) && first) return first->child;
    return nullptr;
}

// The last node's own transform and the node that shows its content.
OVnode *finish(OVnode *last, Accumulated &t) {
    if (last->header.type == OVNODE_XFORM) compose_xform(t, last);
    while (OVnode *inner = inner_node(last)) {
        direct_step(last, inner, &t);
        last = inner;
    }
    return last;
}

bool accumulate(const OVnodepath *path, OVm4 out, OVnode **last) {
    if (!path || path->count < 1) return false;
    Accumulated t;
    set_identity(t.m);
    t.kind = 0;
    for (int i = 1; i < path->count; ++i)
        if (!path_step(path->nodes[i - 1], path->nodes[i], &t)) return false;
    OVnode *shown = finish(path->nodes[path->count - 1], t);
    std::memcpy(out, t.m, sizeof(OVm4));
    if (last) *last = shown;
    return true;
}

bool shown_root(const OVnode *node) {
    constexpr int most = 8;
    OVnode *roots[most];
    int bits[most];
    const int count = shown_roots(roots, bits, most);
    for (int i = 0; i < count; ++i)
        if (roots[i] == node) return true;
    return false;
}

} // namespace

bool path_step(OVnode *parent, const OVnode *child, Accumulated *t) {
    const OVnode *at = parent;
    // A check without composing first, so that a failed step changes nothing.
    while (!direct_step(at, child, nullptr)) {
        at = inner_node(at);
        if (!at) return false;
    }
    if (!t) return true;
    for (at = parent; !direct_step(at, child, t);) {
        OVnode *inner = inner_node(at);
        direct_step(at, inner, t);
        at = inner;
    }
    return true;
}

} // namespace orv::scene

extern "C" {

ORV_API int OVnodepath_getmatrix(const OVnodepath *path, OVm4 out) {
    return out && orv::scene::accumulate(path, out, nullptr);
}

ORV_API int OVnodepath_setmatrix(OVnodepath *path, const OVm4 world) {
    OVnode *last = OVnodepath_getnode(path, -1);
    if (!last || !world || (!(last->flags & NODE_MOVABLE) && last->header.type != OVNODE_XFORM))
        return 0;
    OVm4 accumulated, local, local_inverse, above, above_inverse, wanted;
    if (!OVnodepath_getmatrix(path, accumulated)) return 0;
    // accumulated = local . above, and what lies above stays as it is.
    OVnode_gettransform(last, local);
    if (!OVm4_invert(local, local_inverse)) return 0;
    OVm4_mult(local_inverse, accumulated, above);
    if (!OVm4_invert(above, above_inverse)) return 0;
    OVm4_mult(world, above_inverse, wanted);
    return OVnode_settransform(last, wanted);
}

ORV_API int _OVnodepath_getmatrix(OVnodepath *path, OVm4 out, OVnode **last) {
    if (!path || !out || path->count < 1 || !orv::scene::shown_root(path->nodes[0])) return 0;
    return orv::scene::accumulate(path, out, last);
}

} // extern "C"
