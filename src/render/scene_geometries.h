// Every geometry below a node, each once, for whole-scene list work.
#pragma once

#include "geometry/geometry_record.h"

#include <functional>

namespace orv {

void for_each_geometry(OVnode *root, const std::function<void(OVgeometry *)> &visit);

} // namespace orv
