// The VRML 1.0 scene writer, reached through OVnode_save.
#pragma once

#include "orv/orv_base.h"

#include <cstdio>

namespace orv::vrml {

// Writes the subtree under the node to the open file, with the viewpoint (or
// null) as its camera.
void write_scene(std::FILE *file, OVnode *node, OVviewpoint *camera);

} // namespace orv::vrml
