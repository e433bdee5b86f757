// The hooks through which the scene reaches the modules above it.
#include "scene/scene_hooks.h"

namespace orv::scene {
namespace {
TargetDeletedFn target_deleted_hook = nullptr;
ShownRootsFn shown_roots_hook = nullptr;
PrepareRootFn prepare_root_hook = nullptr;
ObjectNodeHooks object_hooks = {};
} // namespace

void set_target_deleted_hook(TargetDeletedFn fn) {
    target_deleted_hook = fn;
}

void set_render_hooks(ShownRootsFn shown_roots, PrepareRootFn prepare_root) {
    shown_roots_hook = shown_roots;
    prepare_root_hook = prepare_root;
}

void set_object_node_hooks(const ObjectNodeHooks &hooks) {
    object_hooks = hooks;
}

void tell_target_deleted(void *target) {
    if (target_deleted_hook) target_deleted_hook(target);
}

int shown_roots(OVnode **roots, int *display_bits, int capacity) {
    return shown_roots_hook ? shown_roots_hook(roots, display_bits, capacity) : 0;
}

void prepare_root(OVnode *root, void *state) {
    if (prepare_root_hook) prepare_root_hook(root, state);
}

OVnode *object_node_collect(OVnode *node, void *state) {
    return object_hooks.collect ? object_hooks.collect(node, state) : nullptr;
}

bool object_node_bounds(OVnode *node, OVp3 midpoint, OVp3 extents) {
    return object_hooks.bounds && object_hooks.bounds(node, midpoint, extents);
}

OVgeometry *object_node_geometry(OVnode *node) {
    return object_hooks.geometry ? object_hooks.geometry(node) : nullptr;
}

void object_node_deleted(OVnode *node, bool keep_object) {
    if (object_hooks.deleted) object_hooks.deleted(node, keep_object ? 1 : 0);
}

} // namespace orv::scene
