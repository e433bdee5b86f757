// The text NFF model reader.
#pragma once

#include "orv/orv_base.h"

#include <cstdio>
#include <string>
#include <vector>

namespace orv {

// A polygon whose "-name" attribute makes it a portal to the object name.
struct PortalRequest {
    OVpoly *poly;
    std::string target;
};

// Reads an open text NFF file (left open); name is used in messages, scale
// multiplies every coordinate, merge turns on table sharing and the final
// merging. Fills view; the closed geometries in file order or null.
OVgeomlist *nff_read(std::FILE *file, const char *name, OVpq *view, float scale, bool merge,
                     std::vector<PortalRequest> *portals);

} // namespace orv
