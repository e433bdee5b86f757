// Textures of a geometry as VRML: Texture2 and TextureCoordinate2 nodes.
#pragma once

#include "orv/orv_base.h"
#include "vrml/vrml_output.h"

#include <vector>

namespace orv::vrml {

// A Texture2 node for the named texture: its pixels inline when the
// application keeps them in memory, else its file name.
void write_texture(Output &out, const char *name);

// One TextureCoordinate2 node with a pair per corner of each polygon, in
// order (a corner beyond the binding's pairs gets 0 0).
void write_texture_coordinates(Output &out, const std::vector<OVpoly *> &polys);

} // namespace orv::vrml
