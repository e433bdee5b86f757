// Light records and the payloads of light, ambient and fog nodes.
#pragma once

#include "scene/light_state.h"

// Ambient light node payload: no light record, no limit.
struct OVambientdata {
    float rgb[3];
    float intensity;
};

// Fog node payload.
struct OVfogdata {
    float color[4];
    float linear_start;
    float range;
    int mode; // -1 off, 0 linear, 1 exponential, 2 squared exponential
};

namespace orv {

// A new light record at the end of the light list, or null when eight exist
// or the values are unusable. The direction is normalised in the caller's array.
OVlight *light_create(int kind, float intensity, const OVp3 position, OVp3 direction);
// Head of the universe's light list.
OVlight *light_first();
// Identifiers start again from 0 for the next universe.
void light_reset_counter();
// Unlinks and frees a record and empties its slot.
void light_destroy(OVlight *light);
// The renderer must recompile the light; moved says whether the
// lights-changed flag goes up too.
void light_touched(OVlight *light, bool moved);

// Payload of an ambient or fog node (through a movable), or null.
OVambientdata *ambient_of(OVnode *node);
OVfogdata *fog_of(OVnode *node);

} // namespace orv
