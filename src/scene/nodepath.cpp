// Node paths: building, reading and finding them.
#include "orv/message.h"
#include "orv/nodepath.h"
#include "scene/nodepath_record.h"
#include "orv/orv_internal.h"
#include "scene/scene_hooks.h"
#include "scene/scene_walk.h"

#include <cstring>
#include <vector>

namespace {

void append(OVnodepath *path, OVnode *node) {
    if (path->count == path->capacity) {
        path->capacity = path->capacity ? path->capacity * 2 : 8;
        path->nodes = static_cast<OVnode **>(
            OVrealloc(path->nodes, sizeof(OVnode *) * static_cast<size_t>(path->capacity)));
    }
    path->nodes[path->count++] = node;
}

} // namespace

extern "C" {

ORV_API OVnodepath *OVnodepath_new(OVnode *first) {
    if (!first) return nullptr;
    auto *path = static_cast<OVnodepath *>(OVmalloc(sizeof(OVnodepath)));
    std::memset(path, 0, sizeof *path);
    append(path, first);
    return path;
}

ORV_API void OVnodepath_delete(OVnodepath *path) {
    if (!path) return;
    orv::scene::tell_target_deleted(path);
    OVfree(path->nodes);
    OVfree(path);
}

ORV_API int OVnodepath_push(OVnodepath *path, OVnode *child) {
    if (!path || !child || !orv::scene::path_step(path->nodes[path->count - 1], child, nullptr))
        return 0;
    append(path, child);
    return 1;
}

ORV_API int OVnodepath_pop(OVnodepath *path) {
    if (!path || path->count < 2) return 0;
    --path->count;
    return 1;
}

ORV_API int OVnodepath_getlength(const OVnodepath *path) {
    return path ? path->count : 0;
}

ORV_API OVnode *OVnodepath_getnode(const OVnodepath *path, int index) {
    if (!path) return nullptr;
    if (index < 0) index += path->count;
    return index >= 0 && index < path->count ? path->nodes[index] : nullptr;
}

ORV_API OVnodepath *OVnodepath_find(OVnode *start, OVnode *node) {
    if (!start || !node) return nullptr;
    // Depth first in child order; the trail holds the grouping nodes open
    // above the node being visited.
    using namespace orv::scene;
    std::vector<OVnode *> trail;
    OVnodepath *path = nullptr;
    WalkStack &stack = shared_walk_stack();
    const int base = stack.count;
    stack.push(start, STEP_NODE);
    auto visit = [&](OVnode *n, OVlink *) {
        if (n == node) {
            path = OVnodepath_new(start);
            for (std::size_t i = 1; i < trail.size(); ++i)
                append(path, trail[i]);
            if (n != start) append(path, n);
            return false;
        }
        if (!has_trait(n, TRAIT_GROUPING)) return true;
        trail.push_back(n);
        stack.push(n, STEP_ENDSCOPE);
        push_children(stack, n);
        return true;
    };
    run_walk(stack, base, visit, [&trail](const Step &) { trail.pop_back(); });
    return path;
}

} // extern "C"
