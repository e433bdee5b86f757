// Type reports, enabling, user data and the type-specific attributes.
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/property_protocol.h"

namespace {

using orv::change_allowed;
using orv::change_made;
using orv::scene::resolve;

int set_location(OVnode *node, int type, const char *text, const char *property) {
    if (!node || node->header.type != type || !change_allowed(node, property)) return false;
    OVfree(node->location);
    node->location = OVstrdup(text);
    change_made(node, property, node->location);
    return true;
}

} // namespace

namespace orv::scene {

bool can_enable(int type) {
    switch (type) {
    case NT_GEOMETRY:
    case NT_SEPARATOR:
    case NT_LIGHT:
    case NT_XFORMSEP:
    case NT_FOG:
    case NT_AMBIENT:
    case NT_GL:
        return true;
    default:
        return false;
    }
}

} // namespace orv::scene

extern "C" {

ORV_API int OVnode_gettype(const OVnode *node) {
    if (!node) return 0;
    const OVnode *content = resolve(const_cast<OVnode *>(node));
    int type = content->header.type == NT_AMBIENT ? int(NT_LIGHT) : int(content->header.type);
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
    if (!sep || sep->header.type != NT_SEPARATOR || mode < 1 || mode > 3) return false;
    if (!change_allowed(node, "SeCu")) return false;
    sep->cull_mode = mode;
    change_made(node, "SeCu", &sep->cull_mode);
    return true;
}

ORV_API int OVsepnode_getcullmode(OVnode *node) {
    OVnode *sep = resolve(node);
    return sep && sep->header.type == NT_SEPARATOR ? sep->cull_mode : 0;
}

ORV_API int OVswitchnode_setwhichchild(OVnode *node, int which) {
    OVnode *s = resolve(node);
    if (!s || s->header.type != NT_SWITCH || which < -3 || which == -2) return false;
    if (s->which_child == which) return true;
    if (!change_allowed(node, "Active Child")) return false;
    s->which_child = which;
    if (!(s->flags & NODE_CHANGED)) orv::scene::mark_links(s);
    change_made(node, "Active Child", &s->which_child);
    return true;
}

ORV_API int OVswitchnode_getwhichchild(OVnode *node) {
    OVnode *s = resolve(node);
    return s && s->header.type == NT_SWITCH ? s->which_child : -2;
}

ORV_API int OVanchornode_setlocation(OVnode *node, const char *url) {
    return set_location(node, NT_ANCHOR, url, "URL");
}
ORV_API const char *OVanchornode_getlocation(OVnode *node) {
    return node && node->header.type == NT_ANCHOR ? node->location : nullptr;
}
ORV_API int OVinlinenode_setlocation(OVnode *node, const char *location) {
    return set_location(node, NT_INLINE, location, "Location");
}
ORV_API const char *OVinlinenode_getlocation(OVnode *node) {
    return node && node->header.type == NT_INLINE ? node->location : nullptr;
}

ORV_API OVgeometry *OVnode_getgeometry(OVnode *node) {
    OVnode *g = resolve(node);
    return g && g->header.type == NT_GEOMETRY ? g->geometry : nullptr;
}

ORV_API void _OVnode_changed(OVnode *node) {
    if (!node || (node->header.type != NT_GEOMETRY && node->header.type != NT_OBJECT)) return;
    if (node->flags & NODE_CHANGED) return;
    node->flags |= NODE_CHANGED;
    orv::scene::mark_links(node);
}

} // extern "C"
