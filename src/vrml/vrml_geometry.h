// A geometry as VRML: coordinates, normals, materials and indexed face sets.
#pragma once

#include "orv/orv_base.h"
#include "vrml/vrml_output.h"

namespace orv::vrml {

// Writes the geometry's nodes at the output's level.
void write_geometry(Output &out, OVgeometry *geometry);
// Writes the material table as one Material node.
void write_material_table(Output &out, OVmtable *table);

} // namespace orv::vrml
