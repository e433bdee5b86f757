// The node rows of the property table (other than lights and fog) bound to
// their setters and getters; each row applies to the nodes that have it.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/property_table.h"

namespace {

using namespace orv::scene;

OVnode *as_node(void *object) {
    return static_cast<OVnode *>(const_cast<void *>(object));
}
OVnode *as_node(const void *object) {
    return static_cast<OVnode *>(const_cast<void *>(object));
}
int int_of(const void *payload) {
    return *static_cast<const int *>(payload);
}
const char *text_of(const void *payload) {
    return static_cast<const char *>(payload);
}
int put_int(void *payload, int value) {
    *static_cast<int *>(payload) = value;
    return 1;
}
// The caller owns the copy.
int put_text(void *payload, const char *text) {
    *static_cast<char **>(payload) = OVstrdup(text);
    return 1;
}

bool content_is(const void *node, int type) {
    OVnode *content = resolve(as_node(node));
    return content && content->header.type == type;
}
bool is_grouping(const void *node) {
    OVnode *content = resolve(as_node(node));
    return content && node_is_grouping(content->header.type);
}
bool has_transform(const void *node) {
    return xform_of(as_node(node)) != nullptr;
}
bool is_lod(const void *node) {
    return content_is(node, NT_LOD);
}

using orv::PropertyBinding;
constexpr int nodes = orv::PROPERTY_CLASS_NODE;
const PropertyBinding rows[] = {
    {nodes, 0, [](void *n, const void *p) { return OVnode_boundingbox(as_node(n), int_of(p)); },
     [](void *n, void *p) { return put_int(p, OVnode_getboundingbox(as_node(n))); },
     [](const void *n) { return shows_box(resolve(as_node(n))); }},
    {nodes, 1, [](void *n, const void *p) { return OVnode_enable(as_node(n), int_of(p)); },
     [](void *n, void *p) { return put_int(p, OVnode_getenabled(as_node(n))); },
     [](const void *n) { return can_enable(as_node(n)->header.type); }},
    {nodes, 2, [](void *n, const void *p) { return OVnode_setchildren(as_node(n), text_of(p)); },
     [](void *n, void *p) { return put_text(p, OVnode_getchildren(as_node(n))); }, is_grouping},
    {nodes, 3,
     [](void *n, const void *p) {
         return OVnode_setrotation(as_node(n), static_cast<const float(*)[3]>(p));
     },
     [](void *n, void *p) { return OVnode_getrotation(as_node(n), static_cast<float(*)[3]>(p)); },
     has_transform},
    {nodes, 4,
     [](void *n, const void *p) {
         return OVnode_settranslation(as_node(n), static_cast<const float *>(p));
     },
     [](void *n, void *p) { return OVnode_gettranslation(as_node(n), static_cast<float *>(p)); },
     has_transform},
    {nodes, 5,
     [](void *n, const void *p) { return OVanchornode_setlocation(as_node(n), text_of(p)); },
     [](void *n, void *p) { return put_text(p, OVanchornode_getlocation(as_node(n))); },
     [](const void *n) { return as_node(n)->header.type == NT_ANCHOR; }},
    {nodes, 10,
     [](void *n, const void *p) { return OVinlinenode_setlocation(as_node(n), text_of(p)); },
     [](void *n, void *p) { return put_text(p, OVinlinenode_getlocation(as_node(n))); },
     [](const void *n) { return as_node(n)->header.type == NT_INLINE; }},
    {nodes, 20,
     [](void *n, const void *p) {
         return OVlodnode_setcenter(as_node(n), static_cast<const float *>(p));
     },
     [](void *n, void *p) { return OVlodnode_getcenter(as_node(n), static_cast<float *>(p)); },
     is_lod},
    {nodes, 21, [](void *n, const void *p) { return OVlodnode_setranges(as_node(n), text_of(p)); },
     [](void *n, void *p) { return put_text(p, OVlodnode_getranges(as_node(n))); }, is_lod},
    {nodes, 22, [](void *n, const void *p) { return set_attachments(as_node(n), text_of(p)); },
     [](void *n, void *p) { return put_text(p, attachment_text(as_node(n))); },
     [](const void *n) { return OVnode_ismovable(as_node(n)) != 0; }},
    {nodes, 23, [](void *n, const void *p) { return OVsepnode_setcullmode(as_node(n), int_of(p)); },
     [](void *n, void *p) { return put_int(p, OVsepnode_getcullmode(as_node(n))); },
     [](const void *n) { return content_is(n, NT_SEPARATOR); }},
    {nodes, 24,
     [](void *n, const void *p) { return OVswitchnode_setwhichchild(as_node(n), int_of(p)); },
     [](void *n, void *p) { return put_int(p, OVswitchnode_getwhichchild(as_node(n))); },
     [](const void *n) { return content_is(n, NT_SWITCH); }},
};

} // namespace
