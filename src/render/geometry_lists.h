// A geometry's compiled passes: one display list or vertex buffer per pass,
// made on first use after an invalidation, replayed with the state they
// were recorded with.
#pragma once

#include "render/polygon_batch.h"

#include <GL/gl.h>

#include <functional>

namespace orv {

// Draws the current pass of g by its runs for the style: replays the pass's
// list, compiles it, or draws immediately. Returns the polygons drawn.
int draw_geometry_pass(OVgeometry *g, int style, const BatchOptions &options);
// Compiles the lists of both passes without drawing (the preparation pass).
void compile_geometry(OVgeometry *g, int style);
// Passes compiled since the start, into display lists or vertex buffers.
int compile_count();

// Compiles what draw sends into list name, from the entry state in r, and
// fills in the rest of r. False when display-list memory ran out: the
// message is printed and the name given back.
bool record_list(unsigned name, PassRecord &r, GLenum mode, const std::function<int()> &draw);
// Calls a list with the state it was recorded from, and notes what it leaves.
void replay_list(const PassRecord &r, unsigned list);
// g's render record when its pass for this style is drawn by replaying a
// compiled list or buffer, else null; *empty tells a pass with nothing to draw.
const RenderData *listed_pass(OVgeometry *g, int style, int pass, bool *empty);
// The runs of a geometry whose pass is listed, to be sent again.
PassPart listed_part(OVgeometry *g, const BatchOptions &options);

} // namespace orv
