// Traversal states: creation, reset, growth, the state pool and the global
// pool of temporary records.
#include "orv/message.h"
#include "scene/traversal_stacks.h"

#include <cstring>

namespace orv::scene {

namespace {

constexpr int initial_depth = 128, depth_step = 64;
constexpr int initial_opaque = 256, initial_transparent = 16, initial_saved = 256;
constexpr int list_step = 64;

TempRecord *free_temps = nullptr;
TraversalState *free_states = nullptr;

template <typename T> T *allocate(int count) {
    return static_cast<T *>(OVmalloc(sizeof(T) * static_cast<size_t>(count)));
}

template <typename T> void grow(T *&array, int &capacity, int step) {
    capacity += step;
    array = static_cast<T *>(OVrealloc(array, sizeof(T) * static_cast<size_t>(capacity)));
}

void set_identity(OVm4 m) {
    std::memset(m, 0, sizeof(OVm4));
    for (int i = 0; i < 4; ++i)
        m[i][i] = 1;
}

TraversalState *make_state() {
    auto *state = static_cast<TraversalState *>(OVmalloc(sizeof(TraversalState)));
    std::memset(state, 0, sizeof *state);
    auto *s = static_cast<Stacks *>(OVmalloc(sizeof(Stacks)));
    std::memset(s, 0, sizeof *s);
    s->capacity = initial_depth;
    s->matrices = allocate<OVm4>(initial_depth);
    s->copies = allocate<int>(initial_depth);
    s->scopes = allocate<int>(initial_depth);
    s->levels = allocate<RenderLevel>(initial_depth);
    s->materials = allocate<MaterialRecord>(initial_depth);
    s->walk.capacity = initial_depth;
    s->walk.steps = allocate<Step>(initial_depth);
    state->stacks = s;
    state->opaque_capacity = initial_opaque;
    state->opaque = allocate<Entry>(initial_opaque);
    state->transparent_capacity = initial_transparent;
    state->transparent = allocate<Entry>(initial_transparent);
    state->saved_capacity = initial_saved;
    state->saved = allocate<OVm4>(initial_saved);
    // Until the renderer says otherwise nothing is culled.
    state->near_distance = -1e30f;
    state->far_distance = 1e30f;
    for (float &offset : state->side_offsets)
        offset = 1e30f;
    set_identity(state->view);
    return state;
}

} // namespace

void release_temporaries(TraversalState *state) {
    while (TempRecord *t = state->temps) {
        state->temps = t->next;
        t->next = free_temps;
        free_temps = t;
    }
}

TempRecord *take_temp(TraversalState *state) {
    TempRecord *t = free_temps;
    if (t)
        free_temps = t->next;
    else
        t = static_cast<TempRecord *>(OVmalloc(sizeof(TempRecord)));
    std::memset(t, 0, sizeof *t);
    t->next = state->temps;
    state->temps = t;
    return t;
}

namespace {

void append(Entry *&list, int &count, int &capacity, void *item, int kind, int matrix) {
    if (matrix < 0) matrix = count ? list[count - 1].matrix() : 0;
    if (count == capacity) grow(list, capacity, list_step);
    list[count++] =
        Entry{item, static_cast<std::uint32_t>(kind) | static_cast<std::uint32_t>(matrix) << 8};
}

} // namespace

void add_entry(TraversalState *state, int lists, void *item, int kind, int matrix) {
    if (lists & LIST_OPAQUE) {
        append(state->opaque, state->opaque_count, state->opaque_capacity, item, kind, matrix);
        ++state->entry_count;
    }
    if (lists & LIST_TRANSPARENT) {
        append(state->transparent, state->transparent_count, state->transparent_capacity, item,
               kind, matrix);
        ++state->entry_count;
    }
}

int current_matrix_index(TraversalState *state) {
    Stacks &s = stacks_of(state);
    int &copy = s.copies[s.matrix_depth - 1];
    if (copy < 0) {
        if (state->saved_count == state->saved_capacity)
            grow(state->saved, state->saved_capacity, list_step);
        std::memcpy(state->saved[state->saved_count++], s.matrices[s.matrix_depth - 1],
                    sizeof(OVm4));
        copy = state->saved_count;
    }
    return copy;
}

Stacks &start_walk(TraversalState *state, OVnode *root) {
    Stacks &s = stacks_of(state);
    std::memcpy(s.matrices[0], state->view, sizeof(OVm4));
    s.walk.count = 0;
    if (root->header.type == OVNODE_ROOT)
        push_children(s.walk, root);
    else
        s.walk.push(root, STEP_NODE);
    return s;
}

void push_xform(TraversalState *state, const OVnode *xform) {
    const XformRecord &x = xform_record(xform);
    if (x.kind) push_matrix(state, x.transform, x.kind == 0x02);
}

void push_matrix(TraversalState *state, const OVm4 m, bool translation_only) {
    _OVnode_checkstatedepth(state);
    Stacks &s = stacks_of(state);
    const OVm4 &cur = s.matrices[s.matrix_depth - 1];
    OVm4 &next = s.matrices[s.matrix_depth];
    if (translation_only) {
        std::memcpy(next, cur, sizeof(OVm4));
        for (int j = 0; j < 3; ++j)
            next[3][j] += m[3][0] * cur[0][j] + m[3][1] * cur[1][j] + m[3][2] * cur[2][j];
    } else {
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                next[i][j] = m[i][0] * cur[0][j] + m[i][1] * cur[1][j] + m[i][2] * cur[2][j] +
                             m[i][3] * cur[3][j];
    }
    s.copies[s.matrix_depth++] = -1;
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API void *_OVnode_newstate(void) {
    TraversalState *state = make_state();
    _OVnode_initstate(state);
    return state;
}

ORV_API void _OVnode_initstate(void *handle) {
    if (!handle) return;
    auto *state = static_cast<TraversalState *>(handle);
    Stacks &s = stacks_of(state);
    release_temporaries(state);
    set_identity(s.matrices[0]);
    s.copies[0] = 0;
    s.matrix_depth = 1;
    s.scope_depth = 0;
    s.level_depth = 0;
    s.walk.count = 0;
    s.pending[0] = s.pending[1] = 0;
    RenderLevel &base = s.levels[0];
    std::memset(&base, 0, sizeof base);
    base.test = 1;
    MaterialRecord &material = s.materials[0];
    std::memset(&material, 0, sizeof material);
    material.diffuse[3] = material.ambient[3] = material.specular[3] = material.emission[3] = 1;
    material.alpha = 1;
    state->opaque_count = state->transparent_count = state->saved_count = 0;
    state->entry_count = state->poly_count = state->drawn_polys = 0;
    state->alpha = 1;
}

ORV_API void _OVnode_checkstatedepth(void *handle) {
    auto *state = static_cast<TraversalState *>(handle);
    Stacks &s = stacks_of(state);
    if (s.matrix_depth < s.capacity && s.scope_depth < s.capacity && s.level_depth + 1 < s.capacity)
        return;
    int capacity = s.capacity;
    grow(s.matrices, capacity, depth_step);
    capacity = s.capacity;
    grow(s.copies, capacity, depth_step);
    capacity = s.capacity;
    grow(s.scopes, capacity, depth_step);
    capacity = s.capacity;
    grow(s.levels, capacity, depth_step);
    capacity = s.capacity;
    grow(s.materials, capacity, depth_step);
    s.capacity = capacity;
}

ORV_API void *_OVnode_getstate(void) {
    TraversalState *state = free_states;
    if (!state) return _OVnode_newstate();
    free_states = stacks_of(state).next_free;
    stacks_of(state).next_free = nullptr;
    _OVnode_initstate(state);
    return state;
}

ORV_API void _OVnode_releasestate(void *handle) {
    if (!handle) return;
    auto *state = static_cast<TraversalState *>(handle);
    release_temporaries(state);
    stacks_of(state).next_free = free_states;
    free_states = state;
}

ORV_API void _OVnode_deletestate(void *handle) {
    if (!handle) return;
    auto *state = static_cast<TraversalState *>(handle);
    release_temporaries(state);
    Stacks *s = &stacks_of(state);
    OVfree(s->matrices);
    OVfree(s->copies);
    OVfree(s->scopes);
    OVfree(s->levels);
    OVfree(s->materials);
    OVfree(s->walk.steps);
    OVfree(s);
    OVfree(state->opaque);
    OVfree(state->transparent);
    OVfree(state->saved);
    OVfree(state);
}

// The pooled states and temporary records, freed when the scene goes.
void _OVnode_freepools(void) {
    while (TraversalState *state = free_states) {
        free_states = stacks_of(state).next_free;
        _OVnode_deletestate(state);
    }
    while (TempRecord *t = free_temps) {
        free_temps = t->next;
        OVfree(t);
    }
}

ORV_API int _OVnode_statepolycount(void *handle) {
    return handle ? static_cast<TraversalState *>(handle)->drawn_polys : 0;
}

} // extern "C"
