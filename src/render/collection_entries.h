// What the non-geometry entries of a collection do to the OpenGL state.
#pragma once

#include "scene/traversal_state.h"

namespace orv {

// Drawing-state bits switched off, starting from nothing when the state is unknown.
void drawing_without(int bits);
void draw_box(const OVp3 midpoint, const OVp3 extents, const scene::TraversalState *state);
void apply_material(const scene::MaterialRecord *material, scene::TraversalState *state);
// Null: fog off.
void apply_fog(const scene::FogRecord *fog);
// Null: back to the global ambient.
void apply_ambient(const scene::AmbientRecord *ambient);

} // namespace orv
