// The transform a subtree passes on: Xform nodes compose, groups, anchors and
// switches pass their children's on, every other node keeps its own inside.
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/node_xform_walk.h"
#include "scene/scene_walk.h"

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
    if (owner->header.type != OVNODE_SWITCH) return true;
    const int which = which_child(owner);
    return which == -3 || which == index;
}

void compose_xform(Accumulated &t, const OVnode *xform) {
    const XformRecord &x = xform_record(xform);
    compose_into(t, x.transform, x.kind);
}

void accumulate_passed(Accumulated &t, const OVnode *node) {
    WalkStack &stack = shared_walk_stack();
    const int base = stack.count;
    stack.push(const_cast<OVnode *>(node), STEP_NODE);
    run_walk(stack, base, [&t, &stack](OVnode *n, OVlink *) {
        if (has_trait(n, TRAIT_TRANSFORM))
            compose_xform(t, n);
        else if (has_trait(n, TRAIT_PASSES))
            push_shown(stack, n, nullptr);
        return true; // separators and the rest keep their transforms inside
    });
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" ORV_API int _OVnode_getxforms(OVnode *node, OVm4 out) {
    if (!node) return 0;
    Accumulated t;
    set_identity(t.m);
    t.kind = 0;
    accumulate_passed(t, node);
    if (t.kind)
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                out[i][j] = t.m[i][j];
    return t.kind;
}
