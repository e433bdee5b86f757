// Sending a geometry's polygon runs to OpenGL: batches of triangles and
// quadrilaterals up to the primitive limit, colours and materials sent only
// when they change, and in immediate mode the software back-face test.
#pragma once

#include "render/geometry_runs.h"

namespace orv {

struct BatchOptions {
    bool immediate;    // not compiling: reject back faces in software
    bool outlines;     // wireframe: closed outlines, unlit
    bool smooth_lines; // antialiased outlines: blended
    int projection;    // the eye's projection mode
};

// Draws the runs of one pass (0 opaque, 1 transparent); returns the polygons sent.
int draw_runs(OVgeometry *g, RunTable *table, int pass, const BatchOptions &options);

// The colour entry matid of t shows unlit, or through colour material in
// mode (0: the table's own colour component); white without a table.
void entry_colour(const OVmtable *t, int matid, int mode, float out[4]);

// The current colour the pass's first polygon is drawn in, when it is drawn
// with one (colour material or unlit, untextured, filled); false otherwise.
bool first_colour(OVgeometry *g, RunTable *table, int pass, const BatchOptions &options,
                  float out[4]);

// One geometry's runs, as drawn with others in one stream.
struct PassPart {
    OVgeometry *geometry;
    RunTable *table;
    BatchOptions options;
};
// Draws the pass of the parts in order; a batch stays open from one run or
// geometry to the next while the drawing state allows. Returns the polygons sent.
int draw_parts(const PassPart *parts, int count, int pass);

} // namespace orv
