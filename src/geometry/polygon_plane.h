// Polygons seen in their own plane: 2D projections for splitting and filling.
#pragma once

#include "geometry/geometry_internal.h"

namespace orv::geom {

struct P2 {
    double x, y;
};

// Twice the signed area of triangle a, b, c (positive counter-clockwise).
inline double area2(P2 a, P2 b, P2 c) {
    return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
}

// Positions projected onto the plane of normal, so that a ring winding
// counter-clockwise about the normal is counter-clockwise in 2D.
inline std::vector<P2> project(const std::vector<OVvertex *> &vs, const float *normal) {
    int drop = 0;
    for (int a = 1; a < 3; ++a)
        if (std::fabs(normal[a]) > std::fabs(normal[drop])) drop = a;
    int x = (drop + 1) % 3, y = (drop + 2) % 3;
    double flip = normal[drop] < 0 ? -1 : 1;
    std::vector<P2> out;
    out.reserve(vs.size());
    for (const OVvertex *v : vs)
        out.push_back({flip * v->position[x], double(v->position[y])});
    return out;
}

} // namespace orv::geom
