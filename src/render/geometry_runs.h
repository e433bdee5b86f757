// A geometry's polygons grouped in runs of equal drawing flags, and the
// state its compiled display lists were recorded with. Both live in the
// renderer's record behind the geometry's render_data pointer; the geometry
// tells the renderer through its hooks when that record is stale or must go.
#pragma once

#include "geometry/geometry_access.h"
#include "render/draw_state.h"

#include <cstdint>

namespace orv {

struct PolyRun {
    int flags; // drawing-state flags of every polygon of the run
    int first; // index of its first polygon in the run table
    int count;
};

// Header, then the runs, then the polygons in run order, in one block.
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
// The drawing state a compiled list leaves behind it.
struct ListExit {
    int flags;
    int color_material;
    MaterialKey material;
    float color[4];
    float normal[3];
    bool normal_known;
};

struct PassRecord {
    int flags_in;
    int color_material_in;
    // The colour set before the list is called, so that a one-colour pass
    // holds no colour in its vertices.
    bool color_known_in;
    float color_in[4];
    ListExit out;
    int polys;        // polygons in the list
    bool unavailable; // the list could not be compiled: drawn immediately
};

struct GeometryGroup;
struct PassArrays;

// What the renderer keeps of one geometry.
struct RenderData {
    RunTable *runs;        // null until built
    PassRecord pass[2];    // the opaque and the transparent pass
    std::uint32_t list[2]; // their compiled display lists, 0 when none
    PassArrays *arrays[2]; // or their vertex buffers, null when none
    bool valid;            // false once the geometry's drawing changed
    // Unique among all records ever made, renewed when the drawing changes:
    // a merged list names its geometries by it.
    std::uint64_t serial;
    int style, passes;       // the runs' own, kept here to spare a look at the runs
    GeometryGroup *group[2]; // the merged list of each pass this geometry heads
};

// The geometry's record, made empty on first use.
RenderData *render_data(OVgeometry *g);
// The geometry's runs for the style, built when missing or stale.
RunTable *geometry_runs(OVgeometry *g, int style);
// Frees the lists, the runs and the records; the next draw rebuilds them.
void invalidate_geometry(OVgeometry *g);

} // namespace orv
