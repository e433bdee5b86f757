// What a model file gives a polygon beyond its corners, gathered while its
// line or record is read and applied once the polygon is made.
#pragma once

#include "files/nff_reader.h"
#include "files/texture_request.h"

#include <string>
#include <vector>

namespace orv {

struct PolygonAttributes {
    int matid = -1; // none when negative
    bool both = false, has_id = false;
    int id = 0;
    std::vector<std::string> portals; // portal target names
    TextureRequest tex;
};

// Gives the made polygon its attributes: material id, two-sidedness, id,
// texture; its portal requests go to portals (when collected) only now, so
// that a polygon that was not made leaves none behind.
void apply_polygon_attributes(OVpoly *p, PolygonAttributes &a, const VertexUVTable &uvs,
                              std::vector<PortalRequest> *portals);

} // namespace orv
