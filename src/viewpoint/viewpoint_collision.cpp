// Collision of a moving viewpoint with a polygon of the scene.
#include "geometry/geometry_access.h"
#include "orv/geometry.h"
#include "math/vec3.h"
#include "orv/math.h"
#include "orv/nodepath.h"
#include "orv/viewpoint.h"
#include "orv/orv_internal.h"
#include "viewpoint/viewpoint_record.h"
#include "viewpoint/viewpoint_windows.h"

#include <cmath>

namespace {

using orv::vec::dot;
using namespace orv::geom;

// The point, already in the polygon's plane, lies inside its edges.
bool inside_edges(const OVpoly *p, const OVp3 q) {
    const float *normal = poly_normal(p);
    const std::span<OVvertex *const> ring = poly_corner_vertices(p);
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const float *a = vertex_position(ring[k]);
        const float *b = vertex_position(ring[k + 1 < ring.size() ? k + 1 : 0]);
        const OVp3 edge = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const OVp3 to = {a[0] - q[0], a[1] - q[1], a[2] - q[2]};
        OVp3 across;
        OVp3_cross(edge, normal, across);
        if (dot(to, across) < 0) return false;
    }
    return true;
}

// Within distance of the plane and, projected onto it, inside the polygon.
bool near_polygon(const OVpoly *p, const OVp3 point, float distance) {
    OVp3 centre;
    const float radius = poly_bounds(p, centre), *normal = poly_normal(p);
    const OVp3 w = {point[0] - centre[0], point[1] - centre[1], point[2] - centre[2]};
    const float s = dot(w, normal);
    if (std::fabs(s) > distance) return false;
    OVp3 q;
    for (int j = 0; j < 3; ++j)
        q[j] = point[j] - s * normal[j];
    if (OVp3_distance(q, centre) > radius) return false;
    return inside_edges(p, q);
}

} // namespace

extern "C" ORV_API int OVviewpoint_intersectpoly(const OVviewpoint *v, OVpoly *poly,
                                                 OVnodepath *path, float distance) {
    if (!v || !poly || !path || distance < 0 || !poly_geometry(poly)) return 0;
    OVm4 m, inverse;
    OVnode *last = nullptr;
    if (!_OVnodepath_getmatrix(path, m, &last) || last != geometry_node(poly_geometry(poly)))
        return 0;
    if (!orv::viewpoint_windows().shows_root(v, OVnodepath_getnode(path, 0))) return 0;
    if (v->position[0] == v->last_position[0] && v->position[1] == v->last_position[1] &&
        v->position[2] == v->last_position[2])
        return 0;
    if (!OVm4_invert(m, inverse)) return 0;
    OVp3 now, before;
    OVp3_xformm4(v->position, inverse, now);
    OVp3_xformm4(v->last_position, inverse, before);
    if (distance > 0 && near_polygon(poly, now, distance)) return 1;
    const float travel = OVp3_distance(before, now);
    if (travel <= 0) return 0;
    const OVp3 direction = {(now[0] - before[0]) / travel, (now[1] - before[1]) / travel,
                            (now[2] - before[2]) / travel};
    float best = 1e38f;
    return _OVpoly_rayintersect(poly, before, direction, &best) && best <= travel;
}
