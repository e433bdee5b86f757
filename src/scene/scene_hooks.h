// What the scene tells or asks the modules above it. The module that cares
// registers its hook once at start-up; until then the scene goes on without.
#pragma once

#include "orv/orv_base.h"

namespace orv::scene {

// input/: an object that motion links may target (node, node path,
// viewpoint) is being deleted.
using TargetDeletedFn = void (*)(void *target);
// render/: each window's root node (null when none) and display bit, in
// window order; the number written.
using ShownRootsFn = int (*)(OVnode **roots, int *display_bits, int capacity);
// render/: the renderer's preparation pass over a shown root's scene.
using PrepareRootFn = void (*)(OVnode *root, void *state);

// objects/: object nodes, whose content the objects module owns.
struct ObjectNodeHooks {
    // Met by the collection walk (state is the traversal state); may name a
    // node to visit next.
    OVnode *(*collect)(OVnode *node, void *state);
    // Half extents placed by the object's pose; false when it has none.
    int (*bounds)(OVnode *node, OVp3 midpoint, OVp3 extents);
    OVgeometry *(*geometry)(OVnode *node);
    // The node is freed; keep_object keeps the object record.
    void (*deleted)(OVnode *node, int keep_object);
};

void set_target_deleted_hook(TargetDeletedFn fn);
void set_render_hooks(ShownRootsFn shown_roots, PrepareRootFn prepare_root);
void set_object_node_hooks(const ObjectNodeHooks &hooks);

void tell_target_deleted(void *target);
int shown_roots(OVnode **roots, int *display_bits, int capacity);
void prepare_root(OVnode *root, void *state);
OVnode *object_node_collect(OVnode *node, void *state);
bool object_node_bounds(OVnode *node, OVp3 midpoint, OVp3 extents);
OVgeometry *object_node_geometry(OVnode *node);
void object_node_deleted(OVnode *node, bool keep_object);

} // namespace orv::scene
