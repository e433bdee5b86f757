// Operations shared by the node module's files.
#pragma once

#include "scene/node_record.h"

namespace orv::scene {

OVnode &holding_root();
OVnode *resolve(OVnode *node);
OVlink *child_link(OVnode *parent, int index);
int count_children(const OVnode *parent);
void mark_links(OVnode *node);
void adopt_holding(OVnode *node);
bool link_child(OVnode *parent, OVnode *child, int index);
void unlink_edge(OVlink *link);
void unlink_sibling(OVlink *link);
bool in_holding(const OVnode *node);
// A zeroed node of the type under the parent (null: the holding root).
OVnode *make_node(OVnode *parent, int type);
// A movable node: separator (or transform separator), Xform, the content.
OVnode *make_movable(OVnode *parent, int outer_type, OVnode *content);
// A material node for the model readers; values as the data model gives them.
ORV_API OVnode *new_material_node(OVnode *parent);
void forget_name(OVnode *node);
void forget_root(OVnode *root);
void free_node(OVnode *node);
// The property protocol: pre-handlers may refuse; handlers hear the value.
bool may_change(OVnode *node, const char *property);
void tell(OVnode *node, const char *property, const void *value);

} // namespace orv::scene
