// The collection walk: what a root's enabled scene puts into the opaque and
// transparent lists of a traversal state.
#include "orv/message.h"
#include "scene/scene_hooks.h"
#include "scene/traversal_stacks.h"

namespace orv::scene {

namespace {

// The outline of a grouping node's bounds, when it asks for one.
void group_box(TraversalState *state, OVnode *node) {
    if ((node->flags & NODE_BOUNDINGBOX) && fresh_bounds(node))
        add_box(state, group_record(node)->midpoint, group_record(node)->extents);
}

void collect_object(TraversalState *state, OVnode *node) {
    if (OVnode *next = object_node_collect(node, state))
        stacks_of(state).walk.push(next, STEP_NODE);
}

void collect_nothing(TraversalState *, OVnode *) {}

// What each kind of leaf puts into the lists, by its Drawn trait.
void (*const collect_leaf[])(TraversalState *, OVnode *) = {
    collect_nothing, collect_geometry, collect_light,    collect_ambient,
    collect_fog,     collect_material, collect_callback, collect_object};

// A grouping node opens what it keeps inside, then its shown children follow.
void open_group(TraversalState *state, OVnode *node, const NodeTraits &t) {
    Stacks &s = stacks_of(state);
    if (t.traits & TRAIT_SEPARATOR) {
        if (!open_separator(state, node)) return;
    } else {
        group_box(state, node);
        if (t.traits & TRAIT_SCOPE) {
            open_scope(state);
            s.walk.push(node, STEP_ENDSCOPE);
        }
    }
    push_shown(s.walk, node, &current_matrix(state));
}

// One node; false when the walk must stop.
bool visit(TraversalState *state, OVnode *node) {
    if (!(node->flags & NODE_ENABLED)) return true;
    const NodeTraits &t = node_traits(node->header.type);
    if (!(t.traits & TRAIT_KNOWN)) {
        OVfatal("Unknown node type %d\n", node->header.type);
        return false;
    }
    if (t.traits & TRAIT_TRANSFORM)
        push_xform(state, node);
    else if (t.traits & TRAIT_GROUPING)
        open_group(state, node, t);
    else
        collect_leaf[static_cast<int>(t.drawn)](state, node);
    return true;
}

} // namespace

void collect(OVnode *root, TraversalState *state) {
    if (!root || !state) return;
    Stacks &s = start_walk(state, root);
    run_walk(
        s.walk, 0, [state](OVnode *node, OVlink *) { return visit(state, node); },
        [state](const Step &step) {
            if (step.kind == STEP_ENDSEPARATOR)
                close_separator(state);
            else
                close_scope(state);
        });
}

} // namespace orv::scene
