// Attachments of movable nodes. The first attachment puts an attachment group
// in the content's place (the content becomes its child 0); detaching the
// last one dissolves the group again.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/event_switch.h"
#include "scene/event_system.h"
#include "scene/node_internal.h"
#include "scene/property_protocol.h"

#include <string>

namespace orv::scene {

namespace {

OVnode *attachment_group(OVnode *m) {
    if (!m || !(m->flags & NODE_MOVABLE) || !first_child(m) || !first_child(m)->next_sibling)
        return nullptr;
    OVnode *g = first_child(m)->next_sibling->child;
    return (g->flags & NODE_ATTACHGROUP) ? g : nullptr;
}

// `to` takes `from`'s position in the appearance list of from's child.
void take_place(OVlink *from, OVlink *to) {
    OVnode *c = from->child;
    OVlink *first = c->first_parent;
    to->child = c;
    to->prev_appearance = from->prev_appearance;
    to->next_appearance = from->next_appearance;
    if (from->prev_appearance) from->prev_appearance->next_appearance = to;
    if (from->next_appearance) from->next_appearance->prev_appearance = to;
    if (first == from) {
        c->first_parent = to;
        to->last_appearance = from->last_appearance == from ? to : from->last_appearance;
    } else if (first->last_appearance == from) {
        first->last_appearance = to;
    }
    from->next_appearance = from->prev_appearance = nullptr;
}

OVnode *make_group(OVnode *m) {
    OVlink *outer = first_child(m)->next_sibling;
    OVnode *content = outer->child;
    OVnode *g =
        make_node(nullptr, m->header.type == OVNODE_XFORMSEP ? OVNODE_XFORMSEP : OVNODE_SEPARATOR);
    OVlink *held = g->first_parent;
    unlink_sibling(held);
    free_link(held);
    OVlink *inner = new_link(content);
    take_place(outer, inner);
    insert_sibling(g, inner, nullptr);
    outer->child = g;
    outer->last_appearance = outer;
    g->first_parent = outer;
    g->parent_count = 1;
    if (g->header.type == OVNODE_SEPARATOR) separator_record(g).cull_mode = 3;
    g->flags |= NODE_ATTACHGROUP | NODE_CHANGED;
    mark_links(g);
    return g;
}

void dissolve(OVnode *g) {
    OVlink *outer = g->first_parent;
    OVlink *inner = first_child(g);
    unlink_sibling(inner);
    take_place(inner, outer);
    free_link(inner);
    g->first_parent = nullptr;
    base_object_deleted(g);
    free_node(g);
    outer->child->flags |= NODE_CHANGED;
    mark_links(outer->child);
}

void tell_attachments(OVnode *m) {
    attachment_text(m);
    change_made(m, "MvAt", m->attachment_names);
}

int detach(OVnode *m, int index, bool delete_it) {
    OVnode *g = attachment_group(m);
    if (!g || index < 0 || index >= count_children(g) - 1 || !change_allowed(m, "MvAt"))
        return false;
    {
        EventsOff quiet;
        if (delete_it)
            OVnode_deletechild(g, index + 1);
        else
            OVnode_removechild(g, index + 1);
    }
    if (count_children(g) == 1) dissolve(g);
    tell_attachments(m);
    return true;
}

// Whether the node could become a child of the movable's group.
bool attachable(OVnode *m, OVnode *node) {
    return node->header.type != OVNODE_ROOT && node->parent_count < 255 && !contains(node, m);
}

} // namespace

const char *attachment_text(OVnode *m) {
    std::string text;
    if (OVnode *g = attachment_group(m))
        for (OVlink *l = first_child(g)->next_sibling; l; l = l->next_sibling) {
            if (l != first_child(g)->next_sibling) text += ',';
            if (l->child->name) text += l->child->name;
        }
    OVfree(m->attachment_names);
    m->attachment_names = OVstrdup(text.c_str());
    return m->attachment_names;
}

int set_attachments(OVnode *m, const char *names) {
    if (!m || !(m->flags & NODE_MOVABLE) || !change_allowed(m, "MvAt")) return false;
    {
        EventsOff quiet;
        while (OVmovnode_numattachments(m) > 0)
            OVmovnode_detach(m, 0);
        for_each_named_node(
            names, [](OVnode *target, OVnode *found) { OVmovnode_attach(target, found, -1); }, m);
    }
    tell_attachments(m);
    return true;
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API int OVmovnode_attach(OVnode *movable, OVnode *node, int index) {
    if (!movable || !(movable->flags & NODE_MOVABLE) || !node || index < -1) return false;
    OVnode *g = attachment_group(movable);
    if (!g && index > 0) return false;
    if (g && index >= count_children(g)) return false;
    if (!attachable(movable, node) || !orv::change_allowed(movable, "MvAt")) return false;
    bool made = !g;
    if (made) g = make_group(movable);
    bool linked;
    {
        orv::EventsOff quiet;
        linked = link_child(g, node, index < 0 ? -1 : index + 1);
    }
    if (!linked) {
        if (made) dissolve(g);
        return false;
    }
    tell_attachments(movable);
    return true;
}

ORV_API int OVmovnode_detach(OVnode *movable, int index) {
    return detach(movable, index, false);
}

ORV_API int OVmovnode_deleteattachment(OVnode *movable, int index) {
    return detach(movable, index, true);
}

ORV_API int OVmovnode_numattachments(OVnode *movable) {
    OVnode *g = attachment_group(movable);
    return g ? count_children(g) - 1 : 0;
}

ORV_API OVnode *OVmovnode_getattachment(OVnode *movable, int index) {
    OVnode *g = attachment_group(movable);
    if (!g || index < 0 || index >= count_children(g) - 1) return nullptr;
    OVlink *l = child_link(g, index + 1);
    return l ? l->child : nullptr;
}

} // extern "C"
