// Accessors through which other modules read the universe record.
#include "state/universe_record.h"

#include <algorithm>

namespace orv {

Universe *universe = nullptr;

bool universe_exists() {
    return universe != nullptr;
}

OVconfig *universe_config() {
    return universe ? universe->config : nullptr;
}

const OVaxismap *universe_axismap() {
    return universe ? &universe->axis_map : nullptr;
}

void universe_ambient(float *intensity, std::uint8_t rgb[3]) {
    if (!universe) return;
    if (intensity) *intensity = universe->ambient_intensity;
    if (rgb) std::copy(universe->ambient_rgb, universe->ambient_rgb + 3, rgb);
}

void universe_overlay(float rgb[3]) {
    if (universe && rgb) std::copy(universe->overlay, universe->overlay + 3, rgb);
}

void universe_set_object(void *object, UniverseObjectBoundsFn bounds,
                         UniverseObjectDeleteFn destroy) {
    if (universe) universe->universe_object = {object, bounds, destroy};
}

void *universe_object() {
    return universe ? universe->universe_object.object : nullptr;
}

void universe_set_placement(const OVpq *placement) {
    if (universe && placement) universe->placement = *placement;
}

const OVpq *universe_placement() {
    return universe ? &universe->placement : nullptr;
}

} // namespace orv
