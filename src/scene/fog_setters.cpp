// Colour, linear start, range and mode of fog nodes.
#include "orv/light.h"
#include "scene/light_record.h"
#include "scene/property_protocol.h"

#include <cstring>

extern "C" {

ORV_API int OVfognode_setcolor2(OVnode *node, const float rgba[4]) {
    OVfogdata *fog = orv::fog_of(node);
    return fog && rgba && orv::change_floats(node, "Color", fog->color, rgba);
}

ORV_API int OVfognode_getcolor2(OVnode *node, float rgba[4]) {
    OVfogdata *fog = orv::fog_of(node);
    if (!fog || !rgba) return 0;
    std::memcpy(rgba, fog->color, sizeof fog->color);
    return 1;
}

ORV_API int OVfognode_setcolor(OVnode *node, float r, float g, float b, float a) {
    const float rgba[4] = {r, g, b, a};
    return OVfognode_setcolor2(node, rgba);
}

ORV_API int OVfognode_getcolor(OVnode *node, float *r, float *g, float *b, float *a) {
    float rgba[4];
    if (!r || !g || !b || !a || !OVfognode_getcolor2(node, rgba)) return 0;
    *r = rgba[0];
    *g = rgba[1];
    *b = rgba[2];
    *a = rgba[3];
    return 1;
}

ORV_API int OVfognode_setlinearstart(OVnode *node, float start) {
    OVfogdata *fog = orv::fog_of(node);
    return fog && start >= 0 && orv::change_field(node, "Linear Start", fog->linear_start, start);
}

ORV_API float OVfognode_getlinearstart(OVnode *node) {
    OVfogdata *fog = orv::fog_of(node);
    return fog ? fog->linear_start : -1.0f;
}

ORV_API int OVfognode_setrange(OVnode *node, float range) {
    OVfogdata *fog = orv::fog_of(node);
    return fog && orv::change_field(node, "Range", fog->range, range);
}

ORV_API float OVfognode_getrange(OVnode *node) {
    OVfogdata *fog = orv::fog_of(node);
    return fog ? fog->range : -1.0f;
}

ORV_API int OVfognode_setmode(OVnode *node, int mode) {
    OVfogdata *fog = orv::fog_of(node);
    return fog && mode >= -1 && mode <= 2 &&
           orv::change_field(node, "Is Exponential", fog->mode, mode);
}

ORV_API int OVfognode_getmode(OVnode *node) {
    OVfogdata *fog = orv::fog_of(node);
    return fog ? fog->mode : -1;
}

} // extern "C"
