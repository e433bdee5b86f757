// A geometry's compiled display lists: one per pass, compiled on first use
// after an invalidation, replayed with the state they were recorded with.
#pragma once

#include "render/polygon_batch.h"

namespace orv {

// Draws the current pass of g by its runs for the style: replays the pass's
// list, compiles it, or draws immediately. Returns the polygons drawn.
int draw_geometry_pass(OVgeometry *g, int style, const BatchOptions &options);
// Compiles the lists of both passes without drawing (the preparation pass).
void compile_geometry(OVgeometry *g, int style);
// Display lists compiled since the start.
int compile_count();

} // namespace orv
