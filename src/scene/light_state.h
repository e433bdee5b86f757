// What the renderer reads of the lights: the light records, the eight light
// slots (one per OpenGL light) and the lights-changed flag. Every change of a
// light clears its slot's compiled flag; position, direction and intensity
// changes also raise the lights-changed flag.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

struct OVlight {
    float intensity; // at most 1
    OVp3 position;
    OVp3 direction; // unit length
    float angle;    // spot cut-off, radians
    float exponent;
    std::int16_t kind; // 0 directed, 1 point, 2 spot
    float diffuse[3];
    float ambient[3];
    float specular[3];
    float attenuation[3]; // constant, linear, quadratic
    int id;
    int slot;      // 0..7
    OVnode *node;  // the light node that shows it
    OVlight *next; // the universe's light list
};

namespace orv {

constexpr int light_slot_count = 8;

struct LightSlot {
    OVlight *light = nullptr; // null while the slot is free
    bool compiled = false;    // cleared by every change of the light
};

// The eight slots, indexed like GL_LIGHT0 + i.
LightSlot *light_slots();
// Raised by changes of position, direction and intensity; the renderer clears it.
bool lights_changed();
void clear_lights_changed();
// The light record shown by a light node (through a movable), or null.
OVlight *light_of(OVnode *node);

} // namespace orv
