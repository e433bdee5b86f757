// The collection walk: what a root's enabled scene puts into the opaque and
// transparent lists of a traversal state, with an explicit stack.
#include "orv/message.h"
#include "scene/traversal_stacks.h"
#include "orv/orv_internal.h"
#include "scene/scene_hooks.h"

namespace orv::scene {

namespace {

const OVm4 &current(TraversalState *state) {
    Stacks &s = stacks_of(state);
    return s.matrices[s.matrix_depth - 1];
}

// The outline of a grouping node's bounds, when it asks for one.
void group_box(TraversalState *state, OVnode *node) {
    if ((node->flags & NODE_BOUNDINGBOX) && fresh_bounds(node))
        add_box(state, node->midpoint, node->extents);
}

// One node; false when the walk must stop.
bool visit(TraversalState *state, OVnode *node) {
    if (!(node->flags & NODE_ENABLED)) return true;
    switch (node->header.type) {
    case NT_XFORM:
        if (node->transform_kind) push_matrix(state, node->transform, node->transform_kind == 0x02);
        return true;
    case NT_LOD:
        group_box(state, node);
        push_child(state, node, lod_choice(node, current(state)));
        return true;
    case NT_SWITCH:
        group_box(state, node);
        if (node->which_child == -3)
            push_children(state, node);
        else
            push_child(state, node, node->which_child);
        return true;
    case NT_GROUP:
    case NT_ANCHOR:
    case NT_INLINE:
    case NT_ROOT:
        group_box(state, node);
        push_children(state, node);
        return true;
    case NT_SEPARATOR:
        if (open_separator(state, node)) push_children(state, node);
        return true;
    case NT_XFORMSEP:
        group_box(state, node);
        open_scope(state);
        push_step(state, node, STEP_ENDSCOPE);
        push_children(state, node);
        return true;
    case NT_GEOMETRY:
        collect_geometry(state, node);
        return true;
    case NT_LIGHT:
        collect_light(state, node);
        return true;
    case NT_AMBIENT:
        collect_ambient(state, node);
        return true;
    case NT_FOG:
        collect_fog(state, node);
        return true;
    case NT_MATERIAL:
        collect_material(state, node);
        return true;
    case NT_GL:
        collect_callback(state, node);
        return true;
    case NT_OBJECT:
        if (OVnode *next = object_node_collect(node, state)) push_step(state, next, STEP_NODE);
        return true;
    case NT_RENDERING:
    case NT_MTABLE:
        return true; // nothing to draw
    default:
        OVfatal("Unknown node type %d\n", node->header.type);
        return false;
    }
}

} // namespace

void collect(OVnode *root, TraversalState *state) {
    if (!root || !state) return;
    Stacks &s = start_walk(state, root);
    while (s.step_count > 0) {
        const Step step = s.steps[--s.step_count];
        switch (step.kind) {
        case STEP_LINK: {
            auto *link = static_cast<OVlink *>(step.item);
            if (link->next_sibling) push_step(state, link->next_sibling, STEP_LINK);
            push_step(state, link->child, STEP_NODE);
            break;
        }
        case STEP_ENDSEPARATOR:
            close_separator(state);
            break;
        case STEP_ENDSCOPE:
            close_scope(state);
            break;
        case STEP_NODE:
            if (!visit(state, static_cast<OVnode *>(step.item))) s.step_count = 0;
            break;
        }
    }
}

} // namespace orv::scene
