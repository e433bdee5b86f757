// The traversal module's side of a traversal state: the per-level stacks, the
// walk's own stack and the temporary records, plus the list and matrix helpers
// the collection and intersection walks share.
#pragma once

#include "scene/node_record.h"
#include "scene/scene_walk.h"
#include "scene/traversal_state.h"

#include <cstdint>

namespace orv::scene {

struct TempRecord {
    TempRecord *next;
    union {
        BoxRecord box;
        MaterialRecord material;
        FogRecord fog;
        AmbientRecord ambient;
    };
};

constexpr int light_slots_per_level = 8;

// One open separator.
struct RenderLevel {
    FogRecord *fog;                          // null: no fog
    AmbientRecord *ambient;                  // null: the global ambient
    std::uint8_t own_lights;                 // slots switched on at this level
    std::uint8_t lights;                     // slots on here, enclosing levels included
    std::uint8_t test;                       // the visibility test is still needed
    int material_changed;                    // material bits set by material nodes here
    int light_matrix[light_slots_per_level]; // matrix index each on-light was placed with
};

struct Stacks {
    int capacity; // of the five per-level stacks
    OVm4 *matrices;
    int *copies; // saved-matrix index of each matrix level, -1 while unsaved
    int matrix_depth;
    int *scopes; // matrix depth to return to
    int scope_depth;
    RenderLevel *levels;
    MaterialRecord *materials;
    int level_depth;
    WalkStack walk;
    int pending[2]; // material bits waiting per list (0 opaque, 1 transparent)
    TraversalState *next_free;
};

inline Stacks &stacks_of(TraversalState *state) {
    return *static_cast<Stacks *>(state->stacks);
}

enum ListChoice { LIST_OPAQUE = 1, LIST_TRANSPARENT = 2, LIST_BOTH = 3 };

// A matrix index below 0 repeats the list's previous one, for entries that
// need no matrix of their own.
void add_entry(TraversalState *state, int lists, void *item, int kind, int matrix);
// The entry index of the current matrix, saving it on first use.
int current_matrix_index(TraversalState *state);
// A temporary record owned by the state until release_temporaries.
TempRecord *take_temp(TraversalState *state);
// Starts a walk in the view frame: a root's children, or the node itself.
Stacks &start_walk(TraversalState *state, OVnode *root);
// The accumulated matrix of the current level.
inline const OVm4 &current_matrix(TraversalState *state) {
    Stacks &s = stacks_of(state);
    return s.matrices[s.matrix_depth - 1];
}
// An Xform node's transform as the next matrix level, when it has one.
void push_xform(TraversalState *state, const OVnode *xform);
// Opens a matrix level: next = m . current (m in row-vector order).
void push_matrix(TraversalState *state, const OVm4 m, bool translation_only);

// Separators and transform separators. open_separator is false when the
// separator is culled; otherwise its end marker is pushed.
bool open_separator(TraversalState *state, OVnode *separator);
void close_separator(TraversalState *state);
void open_scope(TraversalState *state);
void close_scope(TraversalState *state);

// Entries of the leaf nodes.
void collect_light(TraversalState *state, OVnode *node);
void collect_ambient(TraversalState *state, OVnode *node);
void collect_fog(TraversalState *state, OVnode *node);
void collect_material(TraversalState *state, OVnode *node);
void collect_callback(TraversalState *state, OVnode *node);
// A bounding-box entry in the current matrix frame.
void add_box(TraversalState *state, const OVp3 midpoint, const OVp3 extents);

// Sphere against the view volume: -1 culled, 0 straddling, 1 wholly inside.
int sphere_visibility(const TraversalState *state, const OVm4 current, const OVp3 midpoint,
                      float radius);

} // namespace orv::scene
