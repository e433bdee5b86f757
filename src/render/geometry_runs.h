// A geometry's polygons grouped in runs of equal drawing flags, and the
// state its compiled display lists were recorded with. Both live in the
// geometry's two private blocks, which the geometry frees with itself.
#pragma once

#include "geometry/geometry_record.h"
#include "render/draw_state.h"

namespace orv {

struct PolyRun {
    int flags; // drawing-state flags of every polygon of the run
    int first; // index of its first polygon in the run table
    int count;
};

// private_a: header, then the runs, then the polygons in run order.
struct RunTable {
    int run_count;
    int poly_count;
    int color_material; // colour-material mode, 0 when materials are sent per polygon
    int passes;         // 1: opaque polygons, 2: transparent ones
    int style;          // effective rendering style the runs were built for
};

PolyRun *table_runs(RunTable *table);
OVpoly **table_polys(RunTable *table);

// What replaying one pass's list must restore and leaves behind.
struct PassRecord {
    int flags_in, flags_out;
    int color_material_in, color_material_out;
    MaterialKey material_out;
    float color_out[4];
    int polys;        // polygons in the list
    bool unavailable; // the list could not be compiled: drawn immediately
};

// private_b: the opaque and the transparent pass.
struct ListRecord {
    PassRecord pass[2];
};

// The geometry's runs for the style, built when missing or stale.
RunTable *geometry_runs(OVgeometry *g, int style);
// The runs as they are, null when none are built.
RunTable *existing_runs(OVgeometry *g);
ListRecord *list_record(OVgeometry *g);
// Frees the lists, the runs and the records; the next draw rebuilds them.
void invalidate_geometry(OVgeometry *g);

} // namespace orv
