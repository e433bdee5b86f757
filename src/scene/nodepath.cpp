// Node paths: building, reading and finding them.
#include "orv/message.h"
#include "orv/nodepath.h"
#include "scene/nodepath_record.h"
#include "orv/orv_internal.h"
#include "scene/scene_hooks.h"

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
    // Depth-first in child order; the stack keeps each node with its depth.
    struct Item {
        OVnode *node;
        int depth;
    };
    std::vector<Item> stack{{start, 0}};
    std::vector<OVnode *> trail;
    while (!stack.empty()) {
        Item it = stack.back();
        stack.pop_back();
        trail.resize(static_cast<size_t>(it.depth));
        trail.push_back(it.node);
        if (it.node == node) {
            OVnodepath *path = OVnodepath_new(start);
            for (size_t i = 1; i < trail.size(); ++i)
                append(path, trail[i]);
            return path;
        }
        if (!node_is_grouping(it.node->header.type)) continue;
        std::vector<OVnode *> children;
        for (OVlink *l = it.node->first_child; l; l = l->next_sibling)
            children.push_back(l->child);
        for (auto c = children.rbegin(); c != children.rend(); ++c)
            stack.push_back({*c, it.depth + 1});
    }
    return nullptr;
}

} // extern "C"
