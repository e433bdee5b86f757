// Separators and transform separators during the collection: the visibility
// test, render-state levels and what their ends restore.
#include "scene/traversal_stacks.h"

#include <cstdint>

namespace orv::scene {

void open_scope(TraversalState *state) {
    _OVnode_checkstatedepth(state);
    Stacks &s = stacks_of(state);
    s.scopes[s.scope_depth++] = s.matrix_depth;
}

void close_scope(TraversalState *state) {
    Stacks &s = stacks_of(state);
    if (s.scope_depth > 0) s.matrix_depth = s.scopes[--s.scope_depth];
}

bool open_separator(TraversalState *state, OVnode *separator) {
    Stacks &s = stacks_of(state);
    std::uint8_t test = s.levels[s.level_depth].test;
    const bool tested = test && separator_record(separator).cull_mode != 1;
    const bool bounds =
        (tested || (separator->flags & NODE_BOUNDINGBOX)) && fresh_bounds(separator);
    if (tested && bounds) {
        const int seen =
            sphere_visibility(state, s.matrices[s.matrix_depth - 1],
                              group_record(separator)->midpoint, group_record(separator)->radius);
        if (seen < 0) return false;
        if (seen > 0) test = 0;
    }
    if (bounds && (separator->flags & NODE_BOUNDINGBOX))
        add_box(state, group_record(separator)->midpoint, group_record(separator)->extents);
    open_scope(state);
    const int depth = ++s.level_depth;
    RenderLevel &level = s.levels[depth];
    level = s.levels[depth - 1];
    level.own_lights = 0;
    level.material_changed = 0;
    level.test = test;
    s.materials[depth] = s.materials[depth - 1];
    s.walk.push(separator, STEP_ENDSEPARATOR);
    return true;
}

void close_separator(TraversalState *state) {
    Stacks &s = stacks_of(state);
    close_scope(state);
    if (s.level_depth == 0) return;
    const RenderLevel &inner = s.levels[s.level_depth];
    const RenderLevel &outer = s.levels[s.level_depth - 1];
    if (inner.ambient != outer.ambient)
        add_entry(state, LIST_BOTH, outer.ambient, ENTRY_AMBIENT, -1);
    if (inner.fog != outer.fog) add_entry(state, LIST_BOTH, outer.fog, ENTRY_FOG, -1);
    // The next geometry gets the outer material back.
    s.pending[0] |= inner.material_changed;
    s.pending[1] |= inner.material_changed;
    --s.level_depth;
    for (int slot = 0; slot < light_slots_per_level; ++slot) {
        const unsigned bit = 1u << slot;
        if (!(inner.own_lights & bit)) continue;
        void *item = reinterpret_cast<void *>(static_cast<std::intptr_t>(slot));
        // A light the outer levels have on too goes back to where they placed it.
        if (outer.lights & bit)
            add_entry(state, LIST_BOTH, item, ENTRY_LIGHTON, outer.light_matrix[slot]);
        else
            add_entry(state, LIST_BOTH, item, ENTRY_LIGHTOFF, -1);
    }
}

} // namespace orv::scene
