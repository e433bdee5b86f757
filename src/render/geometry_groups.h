// Consecutive geometries under one matrix whose compiled passes stayed the
// same for a few frames are replayed from one merged vertex buffer or
// display list, so the rasteriser draws them in one go instead of one by one.
#pragma once

#include "render/geometry_runs.h"
#include "scene/traversal_state.h"

#include <cstdint>

namespace orv {

// A geometry of a stretch, as its current pass is drawn.
struct GroupMember {
    OVgeometry *geometry;
    std::uint64_t serial; // its render record's serial
    int style;            // its effective rendering style
    bool operator==(const GroupMember &) const = default;
};

// Draws the current pass of the members, each of which has a compiled list
// for it, and adds the polygons to the state's count.
void draw_group(const GroupMember *members, int count, scene::TraversalState *state);
// Frees a group's merged list and record; null is ignored.
void release_group(GeometryGroup *group);
// Merged lists compiled since the start.
int merge_count();

} // namespace orv
