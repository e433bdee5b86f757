// Models in the formats of the model import library (Wavefront OBJ with its
// material library, 3D Studio, DXF, glTF 2.0, STL and PLY), built into
// geometries as the NFF reader builds them.
#pragma once

#include "orv/orv_base.h"

#include <cstdio>

namespace orv {

// Whether files of the type code are read through the import library.
bool imported_type(int type);
// Reads the model, as the format the type code names, into a flat list of
// closed geometries, each mesh placed by the transforms of its nodes; null,
// with a message naming the file and the reason, when nothing can be read.
OVgeomlist *import_geometries(std::FILE *file, const char *name, int type, float scale);
// Builds the model under the parent: one separator per node of the file (with
// an Xform node for its transform) holding a geometry node per mesh. Returns
// the top node, or null with nothing left behind.
OVnode *import_nodes(OVnode *parent, const char *path, int type, float scale);

} // namespace orv
