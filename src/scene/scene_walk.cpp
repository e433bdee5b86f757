// The walk stack and the choice of children a walk goes on with.
#include "scene/scene_walk.h"

#include "orv/message.h"

namespace orv::scene {

namespace {
constexpr int stack_step = 64;
} // namespace

void WalkStack::grow() {
    capacity += stack_step;
    steps =
        static_cast<Step *>(OVrealloc(steps, sizeof(Step) * static_cast<std::size_t>(capacity)));
}

WalkStack &shared_walk_stack() {
    static WalkStack stack{};
    return stack;
}

void push_children(WalkStack &stack, const OVnode *node) {
    if (OVlink *l = first_child(node)) stack.push(l, STEP_LINK);
}

void push_child(WalkStack &stack, const OVnode *node, int index) {
    OVlink *l = index >= 0 ? first_child(node) : nullptr;
    for (; l && index > 0; --index)
        l = l->next_sibling;
    if (l) stack.push(l, STEP_CHILD);
}

void push_shown(WalkStack &stack, const OVnode *node, const OVm4 *current) {
    switch (node->header.type) {
    case OVNODE_SWITCH: {
        const int which = which_child(node);
        if (which == -3)
            push_children(stack, node);
        else
            push_child(stack, node, which);
        return;
    }
    case OVNODE_LOD:
        if (current) {
            push_child(stack, node, lod_choice(node, *current));
            return;
        }
        push_children(stack, node);
        return;
    default:
        push_children(stack, node);
        return;
    }
}

} // namespace orv::scene
