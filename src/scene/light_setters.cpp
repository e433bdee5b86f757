// Intensity, position, direction and spot parameters of light nodes.
#include "core/finite.h"
#include "orv/light.h"
#include "scene/light_record.h"
#include "scene/property_protocol.h"

#include <cmath>
#include <cstring>

namespace {

constexpr float quarter_turn = 1.5707964f;

// A spot light of the node, or null.
OVlight *spot_of(OVnode *node) {
    OVlight *light = orv::light_of(node);
    return light && light->kind == 2 ? light : nullptr;
}

} // namespace

extern "C" {

ORV_API int OVlightnode_setintensity(OVnode *node, float intensity) {
    OVlight *light = orv::light_of(node);
    OVambientdata *ambient = light ? nullptr : orv::ambient_of(node);
    if ((!light && !ambient) || !orv::finite(intensity)) return 0;
    if (!orv::change_allowed(node, "Intensity")) return 0;
    float *stored = light ? &light->intensity : &ambient->intensity;
    *stored = light && intensity > 1.0f ? 1.0f : intensity;
    if (light) orv::light_touched(light, true);
    orv::change_made(node, "Intensity", stored);
    return 1;
}

ORV_API float OVlightnode_getintensity(OVnode *node) {
    if (OVlight *light = orv::light_of(node)) return light->intensity;
    if (OVambientdata *ambient = orv::ambient_of(node)) return ambient->intensity;
    return -1.0f;
}

ORV_API int OVlightnode_setposition(OVnode *node, const OVp3 position) {
    OVlight *light = orv::light_of(node);
    if (!light || !position || !orv::change_floats(node, "LtPs", light->position, position))
        return 0;
    orv::light_touched(light, true);
    return 1;
}

ORV_API int OVlightnode_getposition(OVnode *node, OVp3 out) {
    OVlight *light = orv::light_of(node);
    if (!light || !out) return 0;
    std::memcpy(out, light->position, sizeof(OVp3));
    return 1;
}

ORV_API int OVlightnode_setdirection(OVnode *node, OVp3 direction) {
    OVlight *light = orv::light_of(node);
    if (!light || !orv::finite(direction, 3)) return 0;
    const double length =
        std::sqrt(double(direction[0]) * direction[0] + double(direction[1]) * direction[1] +
                  double(direction[2]) * direction[2]);
    if (length < OV_TOLERANCE || !orv::change_allowed(node, "LtDr")) return 0;
    for (int i = 0; i < 3; ++i)
        direction[i] = static_cast<float>(direction[i] / length);
    std::memcpy(light->direction, direction, sizeof(OVp3));
    orv::light_touched(light, true);
    orv::change_made(node, "LtDr", light->direction);
    return 1;
}

ORV_API int OVlightnode_getdirection(OVnode *node, OVp3 out) {
    OVlight *light = orv::light_of(node);
    if (!out) return 0;
    if (!light || light->kind == 1) {
        out[0] = out[1] = out[2] = 0;
        return 0;
    }
    std::memcpy(out, light->direction, sizeof(OVp3));
    return 1;
}

ORV_API int OVlightnode_setangle(OVnode *node, float angle) {
    OVlight *light = spot_of(node);
    if (!light || !(angle >= 0 && angle <= quarter_turn)) return 0;
    if (!orv::change_field(node, "Angle", light->angle, angle)) return 0;
    orv::light_touched(light, false);
    return 1;
}

ORV_API float OVlightnode_getangle(OVnode *node) {
    OVlight *light = spot_of(node);
    return light ? light->angle : -1.0f;
}

ORV_API int OVlightnode_setexponent(OVnode *node, float exponent) {
    OVlight *light = spot_of(node);
    if (!light || !(exponent == 0 || (exponent >= 1 && exponent <= 128))) return 0;
    if (!orv::change_field(node, "Exponent", light->exponent, exponent)) return 0;
    orv::light_touched(light, false);
    return 1;
}

ORV_API float OVlightnode_getexponent(OVnode *node) {
    OVlight *light = spot_of(node);
    return light ? light->exponent : -1.0f;
}

ORV_API int OVlightnode_setattenuation2(OVnode *node, const float attenuation[3]) {
    OVlight *light = orv::light_of(node);
    if (!light || light->kind == 0 || !orv::finite(attenuation, 3)) return 0;
    if (!(attenuation[0] >= OV_TOLERANCE && attenuation[1] >= 0 && attenuation[2] >= 0)) return 0;
    if (!orv::change_allowed(node, "Attenuation")) return 0;
    std::memcpy(light->attenuation, attenuation, sizeof light->attenuation);
    orv::light_touched(light, false);
    orv::change_made(node, "Attenuation", light->attenuation);
    return 1;
}

ORV_API int OVlightnode_getattenuation2(OVnode *node, float attenuation[3]) {
    OVlight *light = orv::light_of(node);
    if (!light || !attenuation) return 0;
    std::memcpy(attenuation, light->attenuation, sizeof light->attenuation);
    return 1;
}

ORV_API int OVlightnode_setattenuation(OVnode *node, float constant, float linear,
                                       float quadratic) {
    const float values[3] = {constant, linear, quadratic};
    return OVlightnode_setattenuation2(node, values);
}

ORV_API int OVlightnode_getattenuation(OVnode *node, float *constant, float *linear,
                                       float *quadratic) {
    float values[3];
    if (!constant || !linear || !quadratic || !OVlightnode_getattenuation2(node, values)) return 0;
    *constant = values[0];
    *linear = values[1];
    *quadratic = values[2];
    return 1;
}

} // extern "C"
