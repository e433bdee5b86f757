// A geometry as VRML: coordinates, normals, materials and indexed face sets.
#pragma once

#include "orv/orv_base.h"
#include "vrml/vrml_output.h"

namespace orv::vrml {

// Writes the geometry's nodes at the output's level.
void write_geometry(Output &out, OVgeometry *geometry);
// Writes the material table as one Material node; with append_white every
// list gets one more, all-white entry.
void write_material_table(Output &out, OVmtable *table, bool append_white);
// The first entry of a table of ambient-and-diffuse, ambient and diffuse, or
// emission colours (opacity aside) that is white and opaque; -1 when none.
int white_entry(OVmtable *table);

} // namespace orv::vrml
