// Finding one instance of a node below a root, with its accumulated transform.
#include "render/node_instance.h"

#include "scene/node_xform_walk.h"

#include <cstring>
#include <vector>

namespace orv {

namespace {

using scene::Accumulated;

// A walk item: a node to visit, or the end of a scope that restores a transform.
struct Item {
    OVnode *node;
    int scope; // >= 0: index of the transform to restore
};

bool scoped(int type) {
    return type == NT_SEPARATOR || type == NT_XFORMSEP || type == NT_ROOT;
}

} // namespace

bool instance_transform(OVnode *root, OVnode *node, int instance, OVm4 out) {
    if (!root || !node || instance < 0) return false;
    Accumulated current;
    scene::set_identity(current.m);
    current.kind = 0;
    std::vector<Accumulated> saved;
    std::vector<Item> stack{{root, -1}};
    int met = 0;
    while (!stack.empty()) {
        Item item = stack.back();
        stack.pop_back();
        if (item.scope >= 0) {
            current = saved[static_cast<std::size_t>(item.scope)];
            saved.resize(static_cast<std::size_t>(item.scope));
            continue;
        }
        OVnode *n = item.node;
        if (n == node && met++ == instance) {
            std::memcpy(out, current.m, sizeof(OVm4));
            return true;
        }
        const int type = n->header.type;
        if (type == NT_XFORM) scene::compose_into(current, n->transform, n->transform_kind);
        if (!node_is_grouping(type)) continue;
        if (scoped(type)) {
            stack.push_back({nullptr, static_cast<int>(saved.size())});
            saved.push_back(current);
        }
        std::vector<OVnode *> children;
        int index = 0;
        for (OVlink *l = n->first_child; l; l = l->next_sibling, ++index)
            if (l->child && scene::switch_shows(n, index)) children.push_back(l->child);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back({*it, -1});
    }
    return false;
}

} // namespace orv
