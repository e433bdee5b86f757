// Picking a polygon with a world ray along a node path.
#include "geometry/geometry_access.h"
#include "orv/geometry.h"
#include "orv/math.h"
#include "orv/orv_internal.h"

#include <cmath>

extern "C" {

int OVpoly_rayintersect(OVpoly *p, OVnodepath *path, const OVp3 origin, const OVp3 direction,
                        float *distance) {
    if (!p || !path || !origin || !direction || !distance) return 0;
    if (std::fabs(direction[0]) < OV_TOLERANCE && std::fabs(direction[1]) < OV_TOLERANCE &&
        std::fabs(direction[2]) < OV_TOLERANCE)
        return 0;
    OVm4 m, inv;
    OVnode *last = nullptr;
    if (!_OVnodepath_getmatrix(path, m, &last)) return 0;
    if (!last || last != orv::geom::geometry_node(orv::geom::poly_geometry(p)) ||
        !OVm4_invert(m, inv))
        return 0;
    OVp3 o, d;
    OVp3_xformm4(origin, inv, o);
    OVp3_xformdirm4(direction, inv, d);
    float best = 1e38f;
    if (!_OVpoly_rayintersect(p, o, d, &best)) return 0;
    *distance = best;
    return 1;
}

} // extern "C"
