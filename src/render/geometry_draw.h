// Drawing one collected geometry or application callback node.
#pragma once

#include "geometry/geometry_access.h"
#include "scene/traversal_state.h"

extern "C" {
ORV_API void _OVgeometry_draw(OVgeometry *geometry, void *state);
ORV_API void _OVglcallback_draw(OVnode *node, void *state);
}

namespace orv {

// Draws g with the given effective rendering style: outlines in wireframe,
// else its own draw function or the standard renderer.
void draw_with_style(OVgeometry *g, scene::TraversalState *state, int style);

} // namespace orv
