// The one walk every scene traversal is made of: steps on an explicit stack,
// a link giving its next sibling and then its child, each node handed to the
// walk's visit, and the markers a visit pushed below the children handed to
// its close once those children are done.
#pragma once

#include "scene/node_record.h"

#include <cstdint>

namespace orv::scene {

enum StepKind : std::uint8_t {
    STEP_NODE,         // item: a node
    STEP_LINK,         // item: a link; its siblings follow it
    STEP_CHILD,        // item: the link through which its child is visited
    STEP_ENDSEPARATOR, // markers, item: the node that opened them
    STEP_ENDSCOPE,
    STEP_ENDCACHE
};

struct Step {
    void *item;
    StepKind kind;
};

// Grows by 64 and never shrinks, so a walk that has run once allocates no more.
struct WalkStack {
    Step *steps;
    int count, capacity;
    void push(void *item, StepKind kind) {
        if (count == capacity) grow();
        steps[count++] = Step{item, kind};
    }
    void grow();
};

// The stack the walks outside a traversal state share. A walk started inside
// another (bounds recomputed during a collection) works above the outer
// walk's steps and leaves them as they were.
WalkStack &shared_walk_stack();

// A grouping node's children in order; nothing for other nodes.
void push_children(WalkStack &stack, const OVnode *node);
// The child at index (none below 0 or past the end).
void push_child(WalkStack &stack, const OVnode *node, int index);
// The children a walk goes on with: a switch's selection (all for -3), a
// level of detail's choice for the accumulated matrix (all without one), all
// children of the other grouping nodes.
void push_shown(WalkStack &stack, const OVnode *node, const OVm4 *current);

// Runs the steps above `base` until none is left. visit(node, link) gets
// each node, with the link it was reached through (null for a node pushed
// directly) and returns false to end the walk; close(step) gets the markers.
template <typename Visit, typename Close>
void run_walk(WalkStack &stack, int base, Visit &&visit, Close &&close) {
    while (stack.count > base) {
        const Step step = stack.steps[--stack.count];
        switch (step.kind) {
        case STEP_LINK: {
            auto *link = static_cast<OVlink *>(step.item);
            if (link->next_sibling) stack.push(link->next_sibling, STEP_LINK);
            stack.push(link, STEP_CHILD);
            break;
        }
        case STEP_CHILD: {
            auto *link = static_cast<OVlink *>(step.item);
            if (!visit(link->child, link)) stack.count = base;
            break;
        }
        case STEP_NODE:
            if (!visit(static_cast<OVnode *>(step.item), nullptr)) stack.count = base;
            break;
        default:
            close(step);
            break;
        }
    }
}

// A walk without markers.
template <typename Visit> void run_walk(WalkStack &stack, int base, Visit &&visit) {
    run_walk(stack, base, visit, [](const Step &) {});
}

} // namespace orv::scene
