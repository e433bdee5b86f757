// Portals: polygons of the universe object that switch to another universe
// file when the current viewpoint passes through them.
#pragma once

#include "orv/orv_base.h"

namespace orv::objects {

struct StationaryObject;

// A portal on a polygon of the object, leading to the universe file target.
void portal_add(const StationaryObject *object, OVpoly *poly, const char *target);
void portal_delete_all();

} // namespace orv::objects
