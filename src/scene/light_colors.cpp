// Ambient, diffuse and specular colours of light and ambient nodes.
#include "core/finite.h"
#include "orv/light.h"
#include "scene/light_record.h"
#include "scene/property_protocol.h"

#include <cstring>

namespace {

enum class Colour { ambient, diffuse, specular };

const char *property_of(Colour colour) {
    switch (colour) {
    case Colour::ambient:
        return "LtAm";
    case Colour::diffuse:
        return "LtDi";
    default:
        return "LtSp";
    }
}

// The stored colour of the node: a light's record colour, or the colour of
// an ambient node (ambient only).
float *colour_of(OVnode *node, Colour colour, OVlight **light) {
    *light = orv::light_of(node);
    if (*light) {
        switch (colour) {
        case Colour::ambient:
            return (*light)->ambient;
        case Colour::diffuse:
            return (*light)->diffuse;
        default:
            return (*light)->specular;
        }
    }
    OVambientdata *ambient = colour == Colour::ambient ? orv::ambient_of(node) : nullptr;
    return ambient ? ambient->rgb : nullptr;
}

int set_colour(OVnode *node, Colour colour, const float rgb[3]) {
    OVlight *light;
    float *stored = colour_of(node, colour, &light);
    if (!stored || !orv::finite(rgb, 3) || !orv::change_allowed(node, property_of(colour)))
        return 0;
    std::memcpy(stored, rgb, 3 * sizeof(float));
    if (light) orv::light_touched(light, false);
    orv::change_made(node, property_of(colour), stored);
    return 1;
}

int get_colour(OVnode *node, Colour colour, float rgb[3]) {
    OVlight *light;
    const float *stored = colour_of(node, colour, &light);
    if (!stored || !rgb) return 0;
    std::memcpy(rgb, stored, 3 * sizeof(float));
    return 1;
}

int get_colour3(OVnode *node, Colour colour, float *r, float *g, float *b) {
    float rgb[3];
    if (!r || !g || !b || !get_colour(node, colour, rgb)) return 0;
    *r = rgb[0];
    *g = rgb[1];
    *b = rgb[2];
    return 1;
}

} // namespace

extern "C" {

ORV_API int OVlightnode_setambient2(OVnode *node, const float rgb[3]) {
    return set_colour(node, Colour::ambient, rgb);
}
ORV_API int OVlightnode_getambient2(OVnode *node, float rgb[3]) {
    return get_colour(node, Colour::ambient, rgb);
}
ORV_API int OVlightnode_setdiffuse2(OVnode *node, const float rgb[3]) {
    return set_colour(node, Colour::diffuse, rgb);
}
ORV_API int OVlightnode_getdiffuse2(OVnode *node, float rgb[3]) {
    return get_colour(node, Colour::diffuse, rgb);
}
ORV_API int OVlightnode_setspecular2(OVnode *node, const float rgb[3]) {
    return set_colour(node, Colour::specular, rgb);
}
ORV_API int OVlightnode_getspecular2(OVnode *node, float rgb[3]) {
    return get_colour(node, Colour::specular, rgb);
}

ORV_API int OVlightnode_setambient(OVnode *node, float r, float g, float b) {
    const float rgb[3] = {r, g, b};
    return set_colour(node, Colour::ambient, rgb);
}
ORV_API int OVlightnode_getambient(OVnode *node, float *r, float *g, float *b) {
    return get_colour3(node, Colour::ambient, r, g, b);
}
ORV_API int OVlightnode_setdiffuse(OVnode *node, float r, float g, float b) {
    const float rgb[3] = {r, g, b};
    return set_colour(node, Colour::diffuse, rgb);
}
ORV_API int OVlightnode_getdiffuse(OVnode *node, float *r, float *g, float *b) {
    return get_colour3(node, Colour::diffuse, r, g, b);
}
ORV_API int OVlightnode_setspecular(OVnode *node, float r, float g, float b) {
    const float rgb[3] = {r, g, b};
    return set_colour(node, Colour::specular, rgb);
}
ORV_API int OVlightnode_getspecular(OVnode *node, float *r, float *g, float *b) {
    return get_colour3(node, Colour::specular, r, g, b);
}

} // extern "C"
