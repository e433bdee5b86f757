// The node rows of the property table (other than lights and fog) bound to
// their setters and getters; each row applies to the nodes that have it.
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/property_adapters.h"
#include "scene/property_table.h"

namespace {

using namespace orv::scene;

OVnode *as_node(void *object) {
    return static_cast<OVnode *>(const_cast<void *>(object));
}
OVnode *as_node(const void *object) {
    return static_cast<OVnode *>(const_cast<void *>(object));
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
    return content_is(node, OVNODE_LOD);
}

using orv::get_through;
using orv::PropertyBinding;
using orv::set_through;
constexpr int nodes = orv::PROPERTY_CLASS_NODE;
const PropertyBinding rows[] = {
    {nodes, 0, set_through<OVnode_boundingbox>, get_through<OVnode_getboundingbox>,
     [](const void *n) { return shows_box(resolve(as_node(n))); }},
    {nodes, 1, set_through<OVnode_enable>, get_through<OVnode_getenabled>,
     [](const void *n) { return can_enable(as_node(n)->header.type); }},
    {nodes, 2, set_through<OVnode_setchildren>, get_through<OVnode_getchildren>, is_grouping},
    {nodes, 3,
     [](void *n, const void *p) {
         return OVnode_setrotation(as_node(n), static_cast<const float(*)[3]>(p));
     },
     [](void *n, void *p) { return OVnode_getrotation(as_node(n), static_cast<float(*)[3]>(p)); },
     has_transform},
    {nodes, 4, set_through<OVnode_settranslation>, get_through<OVnode_gettranslation>,
     has_transform},
    {nodes, 5, set_through<OVanchornode_setlocation>, get_through<OVanchornode_getlocation>,
     [](const void *n) { return as_node(n)->header.type == OVNODE_ANCHOR; }},
    {nodes, 10, set_through<OVinlinenode_setlocation>, get_through<OVinlinenode_getlocation>,
     [](const void *n) { return as_node(n)->header.type == OVNODE_INLINE; }},
    {nodes, 20, set_through<OVlodnode_setcenter>, get_through<OVlodnode_getcenter>, is_lod},
    {nodes, 21, set_through<OVlodnode_setranges>, get_through<OVlodnode_getranges>, is_lod},
    {nodes, 22, set_through<set_attachments>, get_through<attachment_text>,
     [](const void *n) { return OVnode_ismovable(as_node(n)) != 0; }},
    {nodes, 23, set_through<OVsepnode_setcullmode>, get_through<OVsepnode_getcullmode>,
     [](const void *n) { return content_is(n, OVNODE_SEPARATOR); }},
    {nodes, 24, set_through<OVswitchnode_setwhichchild>, get_through<OVswitchnode_getwhichchild>,
     [](const void *n) { return content_is(n, OVNODE_SWITCH); }},
};

} // namespace
