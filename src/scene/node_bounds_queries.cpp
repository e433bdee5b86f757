// Reading a node's bounds and its bounding-box display flag.
#include "geometry/geometry_access.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/property_protocol.h"

namespace {

using namespace orv::scene;

// The node's midpoint, extents and radius, or null when it has none.
struct Bounds {
    const float *midpoint, *extents;
    float radius;
};

bool bounds_of(OVnode *node, Bounds &out) {
    if (!node) return false;
    if (node->header.type == OVNODE_GEOMETRY) {
        const OVgeometry *g = node_geometry(node);
        if (!g) return false;
        out = {orv::geom::geometry_midpoint(g), orv::geom::geometry_half_extents(g),
               orv::geom::geometry_radius(g)};
        return true;
    }
    const GroupRecord *g = group_record(node);
    if (!g || !fresh_bounds(node)) return false;
    out = {g->midpoint, g->extents, g->radius};
    return true;
}

// A movable node carries the flag on its child 1, the content or the
// attachment group.
OVnode *box_holder(OVnode *node) {
    if ((node->flags & NODE_MOVABLE) && first_child(node) && first_child(node)->next_sibling)
        return first_child(node)->next_sibling->child;
    return node;
}

} // namespace

namespace orv::scene {

bool shows_box(const OVnode *content) {
    return has_trait(content, TRAIT_SHOWSBOX);
}

} // namespace orv::scene

extern "C" {

ORV_API int OVnode_getextents(OVnode *node, OVp3 out) {
    Bounds b;
    if (!out || !bounds_of(node, b)) return false;
    for (int j = 0; j < 3; ++j)
        out[j] = b.extents[j];
    return true;
}

ORV_API int OVnode_getmidpoint(OVnode *node, OVp3 out) {
    Bounds b;
    if (!out || !bounds_of(node, b)) return false;
    for (int j = 0; j < 3; ++j)
        out[j] = b.midpoint[j];
    return true;
}

ORV_API float OVnode_getradius(OVnode *node) {
    Bounds b;
    return bounds_of(node, b) ? b.radius : -1.0f;
}

ORV_API int OVnode_boundingbox(OVnode *node, int on) {
    if (!node || !orv::scene::shows_box(orv::scene::resolve(node))) return false;
    if (!orv::change_allowed(node, "BoundingBox")) return false;
    OVnode *holder = box_holder(node);
    if (on)
        holder->flags |= NODE_BOUNDINGBOX;
    else
        holder->flags &= static_cast<std::uint8_t>(~NODE_BOUNDINGBOX);
    int value = on ? 1 : 0;
    orv::change_made(node, "BoundingBox", &value);
    return true;
}

ORV_API int OVnode_hasboundingbox(OVnode *node) {
    return node && (box_holder(node)->flags & NODE_BOUNDINGBOX) ? 1 : 0;
}

ORV_API int OVnode_getboundingbox(OVnode *node) {
    return OVnode_hasboundingbox(node);
}

} // extern "C"
