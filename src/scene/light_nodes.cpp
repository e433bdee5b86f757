// Light, ambient and fog node constructors, movable lights, node payloads and
// the teardown of every light.
#include "core/object.h"
#include "orv/light.h"
#include "orv/node.h"
#include "orv/orv_internal.h"
#include "scene/light_record.h"

#include <cstring>

namespace {

struct LightPayload {
    OVlight *light;
};

// The payload of a node of the type (through a movable), or null.
void *payload_of(OVnode *node, int type) {
    if (!node) return nullptr;
    OVnode *content = node;
    if (orv_object_type(node) != type) {
        // Only a movable (a separator or transform separator) stands for its content.
        const int own = orv_object_type(node);
        if (own != OVNODE_SEPARATOR && own != OVNODE_XFORMSEP) return nullptr;
        content = _OVnode_content(node);
    }
    if (!content || orv_object_type(content) != type) return nullptr;
    return _OVnode_payload(content);
}

OVnode *new_node(OVnode *parent, int type, size_t size) {
    return _OVnode_newwithpayload(parent, type, size);
}

OVnode *new_light(OVnode *parent, int kind) {
    const OVp3 origin = {0, 0, 0};
    OVp3 direction = {0, 0, 1};
    OVlight *light = orv::light_create(kind, 1.0f, origin, direction);
    if (!light) return nullptr;
    OVnode *node = new_node(parent, OVNODE_LIGHT, sizeof(LightPayload));
    if (!node) {
        orv::light_destroy(light);
        return nullptr;
    }
    static_cast<LightPayload *>(_OVnode_payload(node))->light = light;
    light->node = node;
    return node;
}

OVnode *new_movable_light(OVnode *parent, int kind) {
    OVnode *movable = OVxformsepnode_new(parent);
    if (!movable) return nullptr;
    OVnode *xform = OVxformnode_new(movable);
    OVnode *light = xform ? new_light(movable, kind) : nullptr;
    if (!light) {
        OVnode_delete(movable); // and the Xform node under it
        return nullptr;
    }
    _OVnode_makemovable(movable);
    return movable;
}

} // namespace

namespace orv {

OVlight *light_of(OVnode *node) {
    auto *payload = static_cast<LightPayload *>(payload_of(node, OVNODE_LIGHT));
    return payload ? payload->light : nullptr;
}

OVambientdata *ambient_of(OVnode *node) {
    return static_cast<OVambientdata *>(payload_of(node, OVNODE_AMBIENT));
}

OVfogdata *fog_of(OVnode *node) {
    return static_cast<OVfogdata *>(payload_of(node, OVNODE_FOG));
}

} // namespace orv

extern "C" {

ORV_API OVnode *OVlightnode_newdirected(OVnode *parent) {
    return new_light(parent, OVLIGHT_DIRECTED);
}

ORV_API OVnode *OVlightnode_newpoint(OVnode *parent) {
    return new_light(parent, OVLIGHT_POINT);
}

ORV_API OVnode *OVlightnode_newspot(OVnode *parent) {
    return new_light(parent, OVLIGHT_SPOT);
}

ORV_API OVnode *OVmovlightnode_newdirected(OVnode *parent) {
    return new_movable_light(parent, OVLIGHT_DIRECTED);
}

ORV_API OVnode *OVmovlightnode_newpoint(OVnode *parent) {
    return new_movable_light(parent, OVLIGHT_POINT);
}

ORV_API OVnode *OVmovlightnode_newspot(OVnode *parent) {
    return new_movable_light(parent, OVLIGHT_SPOT);
}

ORV_API OVnode *OVlightnode_newambient(OVnode *parent) {
    OVnode *node = new_node(parent, OVNODE_AMBIENT, sizeof(OVambientdata));
    if (!node) return nullptr;
    auto *ambient = static_cast<OVambientdata *>(_OVnode_payload(node));
    ambient->rgb[0] = ambient->rgb[1] = ambient->rgb[2] = 1.0f;
    ambient->intensity = 0.4f;
    return node;
}

ORV_API OVnode *OVfognode_new(OVnode *parent) {
    return new_node(parent, OVNODE_FOG, sizeof(OVfogdata)); // all zero, enabled
}

ORV_API int OVlightnode_gettype(OVnode *node) {
    if (OVlight *light = orv::light_of(node)) return light->kind;
    return orv::ambient_of(node) ? OVLIGHT_AMBIENT : 0;
}

ORV_API void _OVlight_nodedeleted(OVnode *node) {
    OVlight *light = orv::light_of(node);
    if (!light) return;
    light->node = nullptr;
    orv::light_destroy(light);
}

// The records go; the nodes that showed them are freed with the scene and
// no longer point at a record.
ORV_API void _OVlight_deleteall(void) {
    while (OVlight *light = orv::light_first()) {
        if (light->node) static_cast<LightPayload *>(_OVnode_payload(light->node))->light = nullptr;
        orv::light_destroy(light);
    }
    orv::light_reset_counter();
}

} // extern "C"
