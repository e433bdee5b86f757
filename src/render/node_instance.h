// Where an instance of a node sits in the world of a root's scene.
#pragma once

#include "orv/orv_base.h"

namespace orv {

// The transform accumulated from the root down to the given instance (0 the
// first met, depth first) of the node; false when there are not that many.
bool instance_transform(OVnode *root, OVnode *node, int instance, OVm4 out);

} // namespace orv
