// A pass drawn from a vertex buffer instead of a display list. Mesa plays a
// display list back as indexed draws, which cost the software rasteriser
// more per vertex than plain arrays; passes whose polygons need nothing
// between their vertices but a colour per stretch and a normal per vertex
// are therefore kept in a buffer object and drawn with glDrawArrays.
#pragma once

#include "render/polygon_batch.h"

namespace orv {

struct PassArrays;

// The pass of the parts in one buffer, or null when some polygon needs more
// than a buffer holds (textures, outlines, per-polygon materials, corner
// colours, polygons of more than four corners) or OpenGL had no memory.
PassArrays *build_pass_arrays(const PassPart *parts, int count, int pass);
// Draws the pass with the drawing state it was built with; returns the polygons.
int draw_pass_arrays(const PassArrays *arrays);
// Frees the buffer and the record; null is ignored.
void release_pass_arrays(PassArrays *arrays);
// Passes put into vertex buffers since the start.
int buffered_pass_count();

} // namespace orv
