// Type reports, enabling, user data and the type-specific attributes.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/property_protocol.h"

namespace {

using orv::change_allowed;
using orv::change_made;
using orv::scene::resolve;
using orv::scene::separator_record;

int set_location(OVnode *node, int type, const char *text, const char *property) {
    if (!node || node->header.type != type || !change_allowed(node, property)) return false;
    char **location = orv::scene::location_slot(node);
    char *copy = OVstrdup(text); // the text may be the one replaced
    OVfree(*location);
    *location = copy;
    change_made(node, property, *location);
    return true;
}

const char *location_of(OVnode *node, int type) {
    return node && node->header.type == type ? *orv::scene::location_slot(node) : nullptr;
}

} // namespace

namespace orv::scene {

bool can_enable(int type) {
    return (node_traits(type).traits & TRAIT_ENABLE) != 0;
}

} // namespace orv::scene

extern "C" {

ORV_API int OVnode_gettype(const OVnode *node) {
    if (!node) return 0;
    const OVnode *content = resolve(const_cast<OVnode *>(node));
    int type =
        content->header.type == OVNODE_AMBIENT ? int(OVNODE_LIGHT) : int(content->header.type);
    return (node->flags & NODE_MOVABLE) ? type + 1 : type;
}

ORV_API int OVnode_ismovable(const OVnode *node) {
    return node && (node->flags & NODE_MOVABLE) ? 1 : 0;
}

ORV_API int OVnode_enable(OVnode *node, int on) {
    if (!node || !orv::scene::can_enable(node->header.type)) return false;
    if (!change_allowed(node, "Enabled")) return false;
    if (on)
        node->flags |= NODE_ENABLED;
    else
        node->flags &= static_cast<std::uint8_t>(~NODE_ENABLED);
    orv::scene::mark_links(node);
    int value = on ? 1 : 0;
    change_made(node, "Enabled", &value);
    return true;
}

ORV_API int OVnode_isenabled(OVnode *node) {
    return node && (node->flags & NODE_ENABLED) ? 1 : 0;
}
ORV_API int OVnode_getenabled(OVnode *node) {
    return OVnode_isenabled(node);
}

ORV_API void OVnode_setdata(OVnode *node, void *data) {
    if (node) node->data = data;
}
ORV_API void *OVnode_getdata(OVnode *node) {
    return node ? node->data : nullptr;
}

// A movable separator's mode is its content's.
ORV_API int OVsepnode_setcullmode(OVnode *node, int mode) {
    OVnode *sep = resolve(node);
    if (!sep || sep->header.type != OVNODE_SEPARATOR || mode < 1 || mode > 3) return false;
    if (!change_allowed(node, "SeCu")) return false;
    separator_record(sep).cull_mode = mode;
    change_made(node, "SeCu", &separator_record(sep).cull_mode);
    return true;
}

ORV_API int OVsepnode_getcullmode(OVnode *node) {
    OVnode *sep = resolve(node);
    return sep && sep->header.type == OVNODE_SEPARATOR ? separator_record(sep).cull_mode : 0;
}

ORV_API int OVswitchnode_setwhichchild(OVnode *node, int which) {
    OVnode *s = resolve(node);
    if (!s || s->header.type != OVNODE_SWITCH || which < -3 || which == -2) return false;
    int &current = orv::scene::passing_record(s).which_child;
    if (current == which) return true;
    if (!change_allowed(node, "Active Child")) return false;
    current = which;
    if (!(s->flags & NODE_CHANGED)) orv::scene::mark_links(s);
    change_made(node, "Active Child", &current);
    return true;
}

ORV_API int OVswitchnode_getwhichchild(OVnode *node) {
    OVnode *s = resolve(node);
    return orv::scene::which_child(s);
}

ORV_API int OVanchornode_setlocation(OVnode *node, const char *url) {
    return set_location(node, OVNODE_ANCHOR, url, "URL");
}
ORV_API const char *OVanchornode_getlocation(OVnode *node) {
    return location_of(node, OVNODE_ANCHOR);
}
ORV_API int OVinlinenode_setlocation(OVnode *node, const char *location) {
    return set_location(node, OVNODE_INLINE, location, "Location");
}
ORV_API const char *OVinlinenode_getlocation(OVnode *node) {
    return location_of(node, OVNODE_INLINE);
}

ORV_API OVgeometry *OVnode_getgeometry(OVnode *node) {
    OVnode *g = resolve(node);
    return g && g->header.type == OVNODE_GEOMETRY ? orv::scene::node_geometry(g) : nullptr;
}

ORV_API void _OVnode_changed(OVnode *node) {
    if (!node || (node->header.type != OVNODE_GEOMETRY && node->header.type != OVNODE_OBJECT))
        return;
    if (node->flags & NODE_CHANGED) return;
    node->flags |= NODE_CHANGED;
    orv::scene::mark_links(node);
}

} // extern "C"
