// Transforms of Xform nodes; a movable node keeps its own in its Xform child.
#include "core/finite.h"
#include "orv/math.h"
#include "orv/node.h"
#include "scene/event_switch.h"
#include "scene/node_internal.h"
#include "scene/property_protocol.h"

#include <cstring>

namespace orv::scene {

OVnode *xform_of(const OVnode *node) {
    if (!node) return nullptr;
    if (node->header.type == OVNODE_XFORM) return const_cast<OVnode *>(node);
    if ((node->flags & NODE_MOVABLE) && first_child(node) &&
        first_child(node)->child->header.type == OVNODE_XFORM)
        return first_child(node)->child;
    return nullptr;
}

// Only the diagonal is examined: a rotation whose diagonal is all ones is the
// identity, so the test is exact for the rotations these setters take. A
// setter of one half leaves the other half's bit as it was.
void update_kind(OVnode *x, int bits) {
    const OVm4 &m = xform_record(x).transform;
    const bool rotation = m[0][0] != 1.0f || m[1][1] != 1.0f || m[2][2] != 1.0f;
    const bool translation = m[3][0] != 0 || m[3][1] != 0 || m[3][2] != 0;
    const int found = (rotation ? KIND_ROTATION : 0) | (translation ? KIND_TRANSLATION : 0);
    int &kind = xform_record(x).kind;
    kind = (kind & ~bits) | (found & bits);
    transform_changed(x);
}

void transform_changed(OVnode *x) {
    x->flags |= NODE_CHANGED;
    mark_links(x);
}

void read_rotation(const OVnode *x, OVm3 out) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            out[i][j] = xform_record(x).transform[i][j];
}

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API int OVnode_settranslation(OVnode *node, const OVp3 p) {
    if (!orv::finite(p, 3) || !orv::change_allowed(node, "Translation")) return false;
    OVnode *x = xform_of(node);
    if (!x) return false;
    for (int i = 0; i < 3; ++i)
        xform_record(x).transform[3][i] = p[i];
    update_kind(x, KIND_TRANSLATION);
    orv::change_made(node, "Translation", p);
    return true;
}

ORV_API int OVnode_gettranslation(OVnode *node, OVp3 out) {
    OVnode *x = xform_of(node);
    if (!x || !out) return false;
    for (int i = 0; i < 3; ++i)
        out[i] = xform_record(x).transform[3][i];
    return true;
}

ORV_API int OVnode_setrotation(OVnode *node, const OVm3 m) {
    if (!orv::finite(m, 3) || !orv::change_allowed(node, "Rotation")) return false;
    OVnode *x = xform_of(node);
    if (!x) return false;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            xform_record(x).transform[i][j] = m[i][j];
    update_kind(x, KIND_ROTATION);
    orv::change_made(node, "Rotation", m);
    return true;
}

ORV_API int OVnode_getrotation(OVnode *node, OVm3 out) {
    OVnode *x = xform_of(node);
    if (!x || !out) return false;
    read_rotation(x, out);
    return true;
}

ORV_API int OVnode_setorientation(OVnode *node, const OVq q) {
    if (!orv::finite(q, 4)) return false;
    OVm3 m;
    OVq_2m3(q, m);
    return OVnode_setrotation(node, m);
}

ORV_API int OVnode_getorientation(const OVnode *node, OVq out) {
    if (!out) return 0;
    OVm4 m;
    int found = OVnode_gettransform(node, m);
    OVpq pq;
    OVm4_2pq(m, &pq);
    std::memcpy(out, pq.q, sizeof(OVq));
    return found;
}

// The two halves have their own vetoes: a refused half is put back, the
// other half stays and is told once.
ORV_API int OVnode_settransform(OVnode *node, const OVm4 m) {
    if (!orv::finite(m, 4)) return false;
    bool translation_ok = orv::change_allowed(node, "Translation");
    bool rotation_ok = orv::change_allowed(node, "Rotation");
    OVnode *x = xform_of(node);
    if (!x || (!translation_ok && !rotation_ok)) return false;
    OVp3 old_translation = {xform_record(x).transform[3][0], xform_record(x).transform[3][1],
                            xform_record(x).transform[3][2]};
    OVm3 old_rotation;
    read_rotation(x, old_rotation);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j)
            xform_record(x).transform[i][j] = m[i][j];
    update_kind(x, KIND_ROTATION | KIND_TRANSLATION);
    {
        orv::EventsOff quiet;
        if (!translation_ok) OVnode_settranslation(node, old_translation);
        if (!rotation_ok) OVnode_setrotation(node, old_rotation);
    }
    if (translation_ok) orv::change_made(node, "Translation", xform_record(x).transform[3]);
    if (rotation_ok) {
        OVm3 r;
        read_rotation(x, r);
        orv::change_made(node, "Rotation", r);
    }
    return true;
}

ORV_API int OVnode_gettransform(const OVnode *node, OVm4 out) {
    if (!out) return 0;
    OVnode *x = xform_of(node);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[i][j] = x ? xform_record(x).transform[i][j] : (i == j ? 1.0f : 0.0f);
    return x != nullptr;
}

} // extern "C"
