// Operations shared by the node module's files.
#pragma once

#include "scene/node_record.h"

#include <cstddef>
#include <string>

namespace orv::scene {

OVnode &holding_root();
OVnode *resolve(OVnode *node);
OVlink *child_link(OVnode *parent, int index);
int count_children(const OVnode *parent);
void mark_links(OVnode *node);
void adopt_holding(OVnode *node);
bool link_child(OVnode *parent, OVnode *child, int index);
void unlink_edge(OVlink *link);
// Takes the node from every parent and fires "Children" on each; with
// refusable false the pre-handlers are not asked (a deletion cannot be vetoed).
bool remove_from_parents(OVnode *node, bool refusable);
void unlink_sibling(OVlink *link);
void insert_sibling(OVnode *parent, OVlink *link, OVlink *before);
OVlink *new_link(OVnode *child);
void free_link(OVlink *link);
// The child-name text of a grouping node, and the "Children" handlers.
void rebuild_child_names(OVnode *parent);
void fire_children(OVnode *parent);
bool in_holding(const OVnode *node);
// Whether the parent is the child or lies below it.
bool contains(OVnode *child, OVnode *parent);
// A movable node: separator (or transform separator), Xform, the content.
OVnode *make_movable(OVnode *parent, int outer_type, OVnode *content);
// A material node for the model readers; values as the data model gives them.
OVnode *new_material_node(OVnode *parent);
void forget_name(OVnode *node);
void forget_root(OVnode *root);
void free_node(OVnode *node);
// Gives a node's memory back (its strings and links freed already).
void free_record(OVnode *node);
// Calls `each(token, length)` for every token of the text between any of
// " ,;", as the child-name, attachment and range texts separate them.
template <typename F> void for_each_name(const char *text, F each) {
    std::string copy = text ? text : "";
    const char *separators = " ,;";
    size_t at = copy.find_first_not_of(separators);
    while (at != std::string::npos) {
        size_t end = copy.find_first_of(separators, at);
        if (end == std::string::npos) end = copy.size();
        each(copy.c_str() + at, static_cast<int>(end - at));
        at = copy.find_first_not_of(separators, end);
    }
}
// Calls `each(target, node)` for every name of the text (between any of
// " ,;") that names a node; unknown names are skipped.
void for_each_named_node(const char *names, void (*each)(OVnode *target, OVnode *found),
                         OVnode *target);
// The attachments of a movable node: replaced by the named nodes, and as text.
int set_attachments(OVnode *movable, const char *names);
const char *attachment_text(OVnode *movable);
// Types whose enabled flag may be set, and types that may show their box.
bool can_enable(int type);
bool shows_box(const OVnode *content);
// The Xform node holding a node's transform (a movable node's child 0).
OVnode *xform_of(const OVnode *node);
// Kind bits of an Xform node's transform.
enum : int { KIND_ROTATION = 0x01, KIND_TRANSLATION = 0x02 };
// Recomputes the given kind bits from the matrix, keeping the others; marks
// the node changed.
void update_kind(OVnode *x, int bits);
void transform_changed(OVnode *x);
void read_rotation(const OVnode *x, OVm3 out);

} // namespace orv::scene
