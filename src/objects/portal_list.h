// Portals: polygons of the universe object that switch to another universe
// file when the current viewpoint passes through them.
#pragma once

#include "orv/orv_base.h"

namespace orv::objects {

// A portal on a polygon of the universe object, leading to the universe file
// target.
void portal_add(OVpoly *poly, const char *target);
void portal_delete_all();

} // namespace orv::objects
