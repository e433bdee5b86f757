// What the scene collection asks of a geometry: which drawing passes its
// polygons need and which material values its table sets per polygon.
#pragma once

#include "orv/orv_base.h"

namespace orv {

enum : int { PASS_OPAQUE = 1, PASS_TRANSPARENT = 2 };

// PASS_OPAQUE and/or PASS_TRANSPARENT (0 for a geometry without visible
// polygons). A polygon is transparent when its material (or a corner's own
// material) has an opacity below 1 or its texture has transparent texels.
// Cached until the geometry or its table changes.
int geometry_passes(OVgeometry *g);
// Whether the polygon is drawn in the transparent pass (the rule above).
bool poly_transparent(const OVpoly *p);
// The material bits (1 ambient, 2 diffuse, 4 specular, 8 shininess,
// 0x10 emission, 0x40 alpha) the geometry's material table sets; cached
// with the passes.
int geometry_material_mask(OVgeometry *g);

} // namespace orv
