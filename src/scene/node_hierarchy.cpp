// Links between parents and children, the holding root, changed marking.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/node_pool.h"
#include "scene/property_protocol.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

namespace orv::scene {

OVnode &holding_root() {
    static SeparatorRecord root = [] {
        SeparatorRecord r{};
        r.header.type = OVNODE_ROOT;
        r.flags = NODE_HOLDING | NODE_ENABLED;
        r.cull_mode = 3;
        return r;
    }();
    return root;
}

// A movable node stands for its content, which may sit in an attachment
// group as the group's child 0.
OVnode *resolve(OVnode *node) {
    if (node && (node->flags & NODE_MOVABLE) && first_child(node) &&
        first_child(node)->next_sibling) {
        node = first_child(node)->next_sibling->child;
        if ((node->flags & NODE_ATTACHGROUP) && first_child(node)) node = first_child(node)->child;
    }
    return node;
}

OVlink *child_link(OVnode *parent, int index) {
    if (!parent || index < 0) return nullptr;
    OVlink *l = first_child(parent);
    while (l && index-- > 0)
        l = l->next_sibling;
    return l;
}

int count_children(const OVnode *parent) {
    int n = 0;
    for (OVlink *l = first_child(parent); l; l = l->next_sibling)
        ++n;
    return n;
}

namespace {

// Exit status of a process whose scene graph was found corrupt.
constexpr int corrupt_graph_status = 1;

// A graph whose parent links are broken cannot be walked or torn down
// safely: the process ends at once, outside the message channels.
[[noreturn]] void corrupt_graph(const char *text) {
    std::fputs(text, stdout);
    std::fflush(stdout);
    std::exit(corrupt_graph_status);
}

} // namespace

// Marks every appearance of the node and everything above them changed.
// Explicit stack: graphs may be thousands of levels deep. The stack's storage
// is kept between calls so a setter allocates nothing once it has grown;
// marking calls no handler, so it is never entered twice at once.
void mark_links(OVnode *node) {
    static std::vector<OVlink *> stack;
    stack.clear();
    for (OVlink *l = node->first_parent; l; l = l->next_appearance)
        stack.push_back(l);
    while (!stack.empty()) {
        OVlink *l = stack.back();
        stack.pop_back();
        if (l->type != OVNODE_LINK) corrupt_graph("FATAL ERROR IN PARENT LINKS\n");
        l->child->flags |= NODE_CHANGED;
        if (l->flags & NODE_CHANGED) continue;
        l->flags |= NODE_CHANGED;
        OVnode *p = l->parent;
        if (!p) continue; // an edge whose parent is being deleted
        // Only a root has no parent link of its own.
        if (!p->first_parent && p->header.type != OVNODE_ROOT)
            corrupt_graph("FATAL ERROR: node root is wrong type\n");
        p->flags |= NODE_CHANGED;
        for (OVlink *up = p->first_parent; up; up = up->next_appearance)
            stack.push_back(up);
    }
}

void unlink_sibling(OVlink *l) {
    OVnode *p = l->parent;
    (l->prev_sibling ? l->prev_sibling->next_sibling : group_record(p)->first_child) =
        l->next_sibling;
    (l->next_sibling ? l->next_sibling->prev_sibling : group_record(p)->last_child) =
        l->prev_sibling;
    l->next_sibling = l->prev_sibling = nullptr;
}

void insert_sibling(OVnode *p, OVlink *l, OVlink *before) {
    l->parent = p;
    l->next_sibling = before;
    l->prev_sibling = before ? before->prev_sibling : group_record(p)->last_child;
    (l->prev_sibling ? l->prev_sibling->next_sibling : group_record(p)->first_child) = l;
    (before ? before->prev_sibling : group_record(p)->last_child) = l;
}

void rebuild_child_names(OVnode *p) {
    std::string text;
    for (OVlink *l = group_record(p)->first_child; l; l = l->next_sibling) {
        if (l != group_record(p)->first_child) text += ',';
        if (l->child->name) text += l->child->name;
    }
    OVfree(group_record(p)->child_names);
    group_record(p)->child_names = OVstrdup(text.c_str());
}

// The handlers of a movable node hear its content's children.
void fire_children(OVnode *p) {
    if (!orv::change_listened(p, "Children")) return;
    OVnode *content = resolve(p);
    rebuild_child_names(content);
    orv::change_made(p, "Children", group_record(content)->child_names);
}

// Shared nodes are looked at once: their subtrees would otherwise be walked
// once per path to them.
bool contains(OVnode *child, OVnode *parent) {
    std::vector<OVnode *> stack{child};
    std::unordered_set<OVnode *> seen;
    while (!stack.empty()) {
        OVnode *n = stack.back();
        stack.pop_back();
        if (n == parent) return true;
        if (n->parent_count > 1 && !seen.insert(n).second) continue;
        if (node_is_grouping(n->header.type))
            for (OVlink *l = first_child(n); l; l = l->next_sibling)
                stack.push_back(l->child);
    }
    return false;
}

bool in_holding(const OVnode *n) {
    return n->first_parent && n->first_parent->parent == &holding_root();
}

OVlink *new_link(OVnode *child) {
    auto *l = static_cast<OVlink *>(take_record(sizeof(OVlink)));
    std::memset(l, 0, sizeof *l);
    l->type = OVNODE_LINK;
    l->flags = 0x01;
    l->child = child;
    return l;
}

void free_link(OVlink *link) {
    give_record(link, sizeof(OVlink));
}

// Places a fresh node's first link in the holding root.
void adopt_holding(OVnode *n) {
    OVlink *l = new_link(n);
    n->first_parent = l;
    l->last_appearance = l;
    insert_sibling(&holding_root(), l, nullptr);
}

bool link_child(OVnode *given, OVnode *child, int index) {
    OVnode *parent = resolve(given);
    if (!parent || !child || child->header.type == OVNODE_ROOT) return false;
    if (!node_is_grouping(parent->header.type) || contains(child, parent)) return false;
    if (child->parent_count == 255) return false; // the count is one byte
    // Appending goes to the tail at once; only an insertion walks to its place.
    OVlink *before = nullptr;
    if (index >= 0) {
        before = child_link(parent, index);
        if (!before && index > count_children(parent)) return false;
    }
    if (!orv::change_allowed(given, "Children")) return false;
    mark_links(parent);
    OVlink *l;
    if (in_holding(child)) {
        l = child->first_parent;
        unlink_sibling(l);
    } else {
        l = new_link(child);
        OVlink *first = child->first_parent;
        OVlink *last = first->last_appearance ? first->last_appearance : first;
        last->next_appearance = l;
        l->prev_appearance = last;
        first->last_appearance = l;
    }
    insert_sibling(parent, l, before);
    child->parent_count++;
    parent->flags |= NODE_CHANGED;
    fire_children(given);
    return true;
}

// Removes one edge; a node left without parents goes to the holding root.
void unlink_edge(OVlink *l) {
    OVnode *child = l->child;
    mark_links(l->parent);
    unlink_sibling(l);
    child->parent_count--;
    if (child->parent_count > 0) {
        OVlink *first = child->first_parent;
        if (l == first) {
            OVlink *next = l->next_appearance;
            next->prev_appearance = nullptr;
            next->last_appearance = first->last_appearance == l ? next : first->last_appearance;
            child->first_parent = next;
        } else {
            l->prev_appearance->next_appearance = l->next_appearance;
            if (l->next_appearance) l->next_appearance->prev_appearance = l->prev_appearance;
            if (first->last_appearance == l) first->last_appearance = l->prev_appearance;
        }
        free_link(l);
    } else {
        l->flags = 0x01;
        l->next_appearance = l->prev_appearance = nullptr;
        l->last_appearance = l;
        insert_sibling(&holding_root(), l, nullptr);
    }
}

bool remove_from_parents(OVnode *node, bool refusable) {
    if (in_holding(node)) return true;
    // The parents as applications see them: a movable node, not its content.
    std::vector<OVnode *> parents;
    for (int i = 0; i < node->parent_count; ++i)
        parents.push_back(OVnode_getparent(node, i));
    if (refusable)
        for (OVnode *p : parents)
            if (!orv::change_allowed(p, "Children")) return false;
    while (node->parent_count > 0)
        unlink_edge(node->first_parent);
    for (OVnode *p : parents)
        fire_children(p);
    return true;
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API int OVnode_canaddchild(OVnode *parent, OVnode *child) {
    OVnode *p = resolve(parent);
    return p && child && node_is_grouping(p->header.type) && child->header.type != OVNODE_ROOT &&
           !contains(child, p);
}

ORV_API int OVnode_addchild(OVnode *parent, OVnode *child) {
    return link_child(parent, child, -1);
}

ORV_API int OVnode_insertchild(OVnode *parent, OVnode *child, int index) {
    return index >= 0 && link_child(parent, child, index);
}

ORV_API int OVnode_removechild(OVnode *parent, int index) {
    OVlink *l = child_link(resolve(parent), index);
    if (!l) return false;
    if (!orv::change_allowed(parent, "Children")) return false;
    unlink_edge(l);
    fire_children(parent);
    return true;
}

ORV_API int OVnode_remove(OVnode *node) {
    return node && remove_from_parents(node, true);
}

// Built afresh: a text kept only for the handlers would go stale without them.
ORV_API const char *OVnode_getchildren(OVnode *parent) {
    OVnode *p = resolve(parent);
    if (!p || !node_is_grouping(p->header.type)) return nullptr;
    rebuild_child_names(p);
    return group_record(p)->child_names;
}

ORV_API int OVnode_numchildren(OVnode *node) {
    OVnode *p = resolve(node);
    return p && node_is_grouping(p->header.type) ? count_children(p) : 0;
}

ORV_API OVnode *OVnode_getchild(OVnode *node, int index) {
    OVlink *l = child_link(resolve(node), index);
    return l ? l->child : nullptr;
}

ORV_API int OVnode_numparents(OVnode *node) {
    return node ? node->parent_count : 0;
}

ORV_API OVnode *OVnode_getparent(OVnode *node, int index) {
    if (!node || index < 0 || index >= node->parent_count) return nullptr;
    OVlink *l = node->first_parent;
    while (l && index-- > 0)
        l = l->next_appearance;
    if (!l) return nullptr;
    OVnode *p = l->parent;
    // The internal separator, Xform and attachment group never show as parents.
    if ((p->flags & NODE_ATTACHGROUP) && p->first_parent) return p->first_parent->parent;
    OVnode *above = p->first_parent ? p->first_parent->parent : nullptr;
    if (above && (above->flags & NODE_ATTACHGROUP))
        above = above->first_parent ? above->first_parent->parent : nullptr;
    if (above && (above->flags & NODE_MOVABLE) && resolve(above) == p) return above;
    return p;
}

} // extern "C"
