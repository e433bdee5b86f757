// Transforms of Xform nodes; a movable node keeps its own in its Xform child.
#include "orv/math.h"
#include "orv/node.h"
#include "orv/property.h"
#include "scene/event_switch.h"
#include "scene/node_internal.h"

#include <cstring>

namespace {

OVnode *xform_of(const OVnode *node) {
    if (!node) return nullptr;
    if (node->header.type == NT_XFORM) return const_cast<OVnode *>(node);
    if ((node->flags & NODE_MOVABLE) && node->first_child &&
        node->first_child->child->header.type == NT_XFORM)
        return node->first_child->child;
    return nullptr;
}

using orv::scene::may_change;
using orv::scene::tell;

void update_kind(OVnode *x) {
    const OVm4 &m = x->transform;
    bool rotation = false;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (m[i][j] != (i == j ? 1.0f : 0.0f)) rotation = true;
    bool translation = m[3][0] != 0 || m[3][1] != 0 || m[3][2] != 0;
    x->transform_kind = (rotation ? 0x01 : 0) | (translation ? 0x02 : 0);
    orv::scene::mark_links(x);
}

} // namespace

extern "C" {

ORV_API int OVnode_settranslation(OVnode *node, const OVp3 p) {
    OVnode *x = xform_of(node);
    if (!x || !may_change(node, "Translation")) return false;
    for (int i = 0; i < 3; ++i)
        x->transform[3][i] = p[i];
    update_kind(x);
    tell(node, "Translation", p);
    return true;
}

ORV_API int OVnode_gettranslation(OVnode *node, OVp3 out) {
    OVnode *x = xform_of(node);
    if (!x) return false;
    for (int i = 0; i < 3; ++i)
        out[i] = x->transform[3][i];
    return true;
}

ORV_API int OVnode_setrotation(OVnode *node, const OVm3 m) {
    OVnode *x = xform_of(node);
    if (!x || !may_change(node, "Rotation")) return false;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            x->transform[i][j] = m[i][j];
    update_kind(x);
    tell(node, "Rotation", m);
    return true;
}

ORV_API int OVnode_getrotation(OVnode *node, OVm3 out) {
    OVnode *x = xform_of(node);
    if (!x) return false;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out[i][j] = x->transform[i][j];
    return true;
}

ORV_API int OVnode_setorientation(OVnode *node, const OVq q) {
    OVm3 m;
    OVq_2m3(q, m);
    return OVnode_setrotation(node, m);
}

ORV_API void OVnode_getorientation(const OVnode *node, OVq out) {
    OVm4 m;
    OVnode_gettransform(node, m);
    OVpq pq;
    OVm4_2pq(m, &pq);
    std::memcpy(out, pq.q, sizeof(OVq));
}

// The two halves have their own vetoes; the compound fires each once.
ORV_API int OVnode_settransform(OVnode *node, const OVm4 m) {
    OVnode *x = xform_of(node);
    if (!x || !may_change(node, "Translation") || !may_change(node, "Rotation")) return false;
    std::memcpy(x->transform, m, sizeof(OVm4));
    update_kind(x);
    OVm3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r[i][j] = m[i][j];
    tell(node, "Translation", m[3]);
    tell(node, "Rotation", r);
    return true;
}

ORV_API void OVnode_gettransform(const OVnode *node, OVm4 out) {
    OVnode *x = xform_of(node);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[i][j] = x ? x->transform[i][j] : (i == j ? 1.0f : 0.0f);
}

} // extern "C"
