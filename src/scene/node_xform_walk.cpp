// The transform a subtree passes on: Xform nodes compose, groups, anchors and
// switches pass their children's on, every other node keeps its own inside.
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/node_xform_walk.h"

#include <vector>

namespace orv::scene {

void set_identity(OVm4 m) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            m[i][j] = i == j ? 1.0f : 0.0f;
}

void compose_into(Accumulated &t, const OVm4 x, int x_kind) {
    if (x_kind == 0) return;
    if (x_kind == 0x02) {
        // X·T with X a translation: T's rows stay, the translation moves by x·T.
        for (int j = 0; j < 3; ++j)
            t.m[3][j] += x[3][0] * t.m[0][j] + x[3][1] * t.m[1][j] + x[3][2] * t.m[2][j];
        t.kind |= 0x02;
        return;
    }
    OVm4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r[i][j] = x[i][0] * t.m[0][j] + x[i][1] * t.m[1][j] + x[i][2] * t.m[2][j] +
                      x[i][3] * t.m[3][j];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            t.m[i][j] = r[i][j];
    t.kind |= x_kind;
}

bool switch_shows(const OVnode *owner, int index) {
    if (owner->header.type != NT_SWITCH) return true;
    return owner->which_child == -3 || owner->which_child == index;
}

namespace {

// A walk item: a link (continue with its sibling, then its child) or a node.
struct Item {
    OVlink *link;
    OVnode *node;
};

void push_children(std::vector<Item> &stack, const OVnode *owner) {
    if (owner->header.type == NT_SWITCH) {
        if (owner->which_child == -3) {
            if (owner->first_child) stack.push_back({owner->first_child, nullptr});
        } else if (OVlink *l = child_link(const_cast<OVnode *>(owner), owner->which_child)) {
            stack.push_back({nullptr, l->child});
        }
        return;
    }
    if (owner->first_child) stack.push_back({owner->first_child, nullptr});
}

void walk(Accumulated &t, std::vector<Item> &stack) {
    while (!stack.empty()) {
        Item item = stack.back();
        stack.pop_back();
        if (item.link) {
            if (item.link->next_sibling) stack.push_back({item.link->next_sibling, nullptr});
            stack.push_back({nullptr, item.link->child});
            continue;
        }
        OVnode *n = item.node;
        switch (n->header.type) {
        case NT_XFORM:
            compose_into(t, n->transform, n->transform_kind);
            break;
        case NT_SWITCH:
        case NT_GROUP:
        case NT_ANCHOR:
            push_children(stack, n);
            break;
        default:
            break; // separators and the rest keep their transforms inside
        }
    }
}

} // namespace

} // namespace orv::scene

using namespace orv::scene;

extern "C" ORV_API int _OVnode_getxforms(OVnode *node, OVm4 out) {
    if (!node) return 0;
    Accumulated t;
    set_identity(t.m);
    t.kind = 0;
    std::vector<Item> stack{{nullptr, node}};
    walk(t, stack);
    if (t.kind)
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                out[i][j] = t.m[i][j];
    return t.kind;
}
