// The renderer's questions to the scene graph.
#include "scene/scene_queries.h"

#include "scene/node_record.h"
#include "scene/node_xform_walk.h"
#include "scene/scene_walk.h"

#include <cstring>
#include <unordered_set>
#include <vector>

namespace orv::scene {

bool is_root(const OVnode *node) {
    return node && node->header.type == OVNODE_ROOT;
}

OVgeometry *shown_geometry(const OVnode *node) {
    return node_geometry(node);
}

bool outlines_bounds(const OVnode *node) {
    return node && (node->flags & NODE_BOUNDINGBOX);
}

bool callback_of(const OVnode *node, OVglnodefunc *callback, OVp3 cull_min, OVp3 cull_max) {
    if (!node || node->header.type != OVNODE_GL) return false;
    const auto *gl = static_cast<const OVglnodedata *>(node_payload(node));
    *callback = gl->callback;
    std::memcpy(cull_min, gl->cull_min, sizeof(OVp3));
    std::memcpy(cull_max, gl->cull_max, sizeof(OVp3));
    return true;
}

void refresh_bounds(OVnode *root) {
    if (root && (root->flags & NODE_CHANGED)) fresh_bounds(root);
}

bool instance_transform(OVnode *root, OVnode *node, int instance, OVm4 out) {
    if (!root || !node || instance < 0) return false;
    Accumulated current;
    set_identity(current.m);
    current.kind = 0;
    // The transforms to go back to at the end of each scope.
    std::vector<Accumulated> saved;
    int met = 0;
    bool found = false;
    WalkStack &stack = shared_walk_stack();
    const int base = stack.count;
    stack.push(root, STEP_NODE);
    auto visit = [&](OVnode *n, OVlink *) {
        if (n == node && met++ == instance) {
            std::memcpy(out, current.m, sizeof(OVm4));
            found = true;
            return false;
        }
        if (has_trait(n, TRAIT_TRANSFORM)) compose_xform(current, n);
        if (!has_trait(n, TRAIT_GROUPING)) return true;
        if (has_trait(n, TRAIT_SCOPE)) {
            saved.push_back(current);
            stack.push(n, STEP_ENDSCOPE);
        }
        push_shown(stack, n, nullptr);
        return true;
    };
    run_walk(stack, base, visit, [&](const Step &) {
        current = saved.back();
        saved.pop_back();
    });
    return found;
}

void for_each_geometry(OVnode *root, const std::function<void(OVgeometry *)> &visit) {
    if (!root) return;
    std::unordered_set<const OVnode *> seen;
    std::unordered_set<OVgeometry *> done;
    WalkStack &stack = shared_walk_stack();
    const int base = stack.count;
    stack.push(root, STEP_NODE);
    run_walk(stack, base, [&](OVnode *n, OVlink *) {
        if (!seen.insert(n).second) return true;
        OVgeometry *g = n->header.type == OVNODE_GEOMETRY ? node_geometry(n) : nullptr;
        if (g && done.insert(g).second) visit(g);
        push_children(stack, n);
        return true;
    });
}

} // namespace orv::scene
