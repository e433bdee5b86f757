// The light and fog rows of the node property table bound to their setters.
#include "orv/light.h"
#include "scene/light_record.h"
#include "scene/property_adapters.h"
#include "scene/property_table.h"

namespace {

OVnode *as_node(void *object) {
    return static_cast<OVnode *>(object);
}

float float_of(const void *payload) {
    return *static_cast<const float *>(payload);
}

const float *floats_of(const void *payload) {
    return static_cast<const float *>(payload);
}

// Getters that report -1 for other nodes fail there instead.
int put_float(void *payload, float value, bool ok) {
    if (ok) *static_cast<float *>(payload) = value;
    return ok ? 1 : 0;
}

bool is_light(void *node) {
    return orv::light_of(as_node(node)) != nullptr;
}
bool is_light_or_ambient(const void *node) {
    OVnode *n = as_node(const_cast<void *>(node));
    return orv::light_of(n) || orv::ambient_of(n);
}
bool is_light_only(const void *node) {
    return is_light(const_cast<void *>(node));
}
bool is_spot(const void *node) {
    return OVlightnode_getangle(as_node(const_cast<void *>(node))) >= 0;
}
bool is_fog(const void *node) {
    return orv::fog_of(as_node(const_cast<void *>(node))) != nullptr;
}

using orv::get_through;
using orv::PropertyBinding;
using orv::set_through;
constexpr int nodes = orv::PROPERTY_CLASS_NODE;
const PropertyBinding rows[] = {
    {nodes, 6, set_through<OVfognode_setcolor2>, get_through<OVfognode_getcolor2>, is_fog},
    {nodes, 7,
     [](void *n, const void *p) { return OVfognode_setlinearstart(as_node(n), float_of(p)); },
     [](void *n, void *p) {
         return put_float(p, OVfognode_getlinearstart(as_node(n)), orv::fog_of(as_node(n)));
     },
     is_fog},
    {nodes, 8,
     [](void *n, const void *p) {
         return OVfognode_setmode(as_node(n), *static_cast<const int *>(p));
     },
     [](void *n, void *p) {
         *static_cast<int *>(p) = OVfognode_getmode(as_node(n));
         return orv::fog_of(as_node(n)) ? 1 : 0;
     },
     is_fog},
    {nodes, 9, [](void *n, const void *p) { return OVfognode_setrange(as_node(n), float_of(p)); },
     [](void *n, void *p) {
         return put_float(p, OVfognode_getrange(as_node(n)), orv::fog_of(as_node(n)));
     },
     is_fog},
    {nodes, 11, set_through<OVlightnode_setambient2>, get_through<OVlightnode_getambient2>,
     is_light_or_ambient},
    {nodes, 12,
     [](void *n, const void *p) { return OVlightnode_setangle(as_node(n), float_of(p)); },
     [](void *n, void *p) {
         const float angle = OVlightnode_getangle(as_node(n));
         return put_float(p, angle, angle >= 0);
     },
     is_spot},
    {nodes, 13, set_through<OVlightnode_setattenuation2>, get_through<OVlightnode_getattenuation2>,
     is_light_only},
    {nodes, 14, set_through<OVlightnode_setdiffuse2>, get_through<OVlightnode_getdiffuse2>,
     is_light_only},
    {nodes, 15,
     [](void *n, const void *p) { return OVlightnode_setexponent(as_node(n), float_of(p)); },
     [](void *n, void *p) {
         const float exponent = OVlightnode_getexponent(as_node(n));
         return put_float(p, exponent, exponent >= 0);
     },
     is_spot},
    {nodes, 16,
     [](void *n, const void *p) { return OVlightnode_setintensity(as_node(n), float_of(p)); },
     [](void *n, void *p) {
         const float intensity = OVlightnode_getintensity(as_node(n));
         return put_float(p, intensity, is_light_or_ambient(n));
     },
     is_light_or_ambient},
    {nodes, 17, set_through<OVlightnode_setspecular2>, get_through<OVlightnode_getspecular2>,
     is_light_only},
    {nodes, 18, set_through<OVlightnode_setposition>, get_through<OVlightnode_getposition>,
     is_light_only},
    {nodes, 19,
     [](void *n, const void *p) {
         // The setter normalises in place: work on a copy of the payload.
         OVp3 direction = {floats_of(p)[0], floats_of(p)[1], floats_of(p)[2]};
         return OVlightnode_setdirection(as_node(n), direction);
     },
     get_through<OVlightnode_getdirection>, is_light_only},
};

} // namespace
