// Light records, the universe's light list and the renderer's light slots.
#include "orv/message.h"
#include "scene/light_record.h"

#include <cmath>
#include <cstring>

namespace {

OVlight *lights_head = nullptr, *lights_tail = nullptr;
int light_counter = 0; // identifiers, one per light ever made
orv::LightSlot slots[orv::light_slot_count];
bool changed_flag = false;

int free_slot() {
    for (int i = 0; i < orv::light_slot_count; ++i)
        if (!slots[i].light) return i;
    return -1;
}

bool normalise(OVp3 v) {
    const double length =
        std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
    if (length < OV_TOLERANCE) return false;
    for (int i = 0; i < 3; ++i)
        v[i] = static_cast<float>(v[i] / length);
    return true;
}

} // namespace

namespace orv {

LightSlot *light_slots() {
    return slots;
}

bool lights_changed() {
    return changed_flag;
}

void clear_lights_changed() {
    changed_flag = false;
}

OVlight *light_create(int kind, float intensity, const OVp3 position, OVp3 direction) {
    const int slot = free_slot();
    if (slot < 0) return nullptr;
    if (kind != 1 && !normalise(direction)) {
        OVmessage(kind == 2 ? "Must pass in non-zero direction vector to create spot light."
                            : "Must pass in non-zero direction vector to create directed light.");
        return nullptr;
    }
    if (intensity < OV_TOLERANCE) return nullptr;
    auto *light = static_cast<OVlight *>(OVmalloc(sizeof(OVlight)));
    std::memset(light, 0, sizeof *light);
    light->kind = static_cast<std::int16_t>(kind);
    light->intensity = intensity > 1.0f ? 1.0f : intensity;
    std::memcpy(light->position, position, sizeof(OVp3));
    if (kind != 1)
        std::memcpy(light->direction, direction, sizeof(OVp3));
    else
        light->direction[2] = 1;
    light->angle = kind == 2 ? 0.3926991f : 0.0f;
    for (int i = 0; i < 3; ++i)
        light->diffuse[i] = light->specular[i] = 1;
    light->attenuation[0] = 1;
    light->id = light_counter++;
    light->slot = slot;
    slots[slot] = {light, false};
    if (lights_tail)
        lights_tail->next = light;
    else
        lights_head = light;
    lights_tail = light;
    changed_flag = true;
    return light;
}

OVlight *light_first() {
    return lights_head;
}

void light_reset_counter() {
    light_counter = 0;
}

void light_destroy(OVlight *light) {
    if (!light) return;
    OVlight *previous = nullptr;
    for (OVlight *at = lights_head; at; previous = at, at = at->next) {
        if (at != light) continue;
        (previous ? previous->next : lights_head) = at->next;
        if (lights_tail == at) lights_tail = previous;
        break;
    }
    if (light->slot >= 0 && light->slot < light_slot_count && slots[light->slot].light == light)
        slots[light->slot] = {};
    changed_flag = true;
    OVfree(light);
}

void light_touched(OVlight *light, bool moved) {
    slots[light->slot].compiled = false;
    if (moved) changed_flag = true;
}

} // namespace orv
