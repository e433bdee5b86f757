// The steps every primitive shape shares.
#include "geometry/geometry_internal.h"
#include "geometry/record_pool.h"

namespace orv::geom {

OVgeometry *primitive_finish(OVgeometry *g, const char *name, bool ok) {
    if (!ok) {
        _OVgeometry_checkifopen(g);
        OVgeometry_delete(g);
        return nullptr;
    }
    OVgeometry_setname(g, name);
    return OVgeometry_close(g) ? g : nullptr;
}

bool primitive_poly(OVgeometry *g, const std::vector<int> &corners, int bothsides) {
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i : corners)
        if (!OVpoly_addvertex(p, i)) {
            _OVpoly_cancel(p);
            return false;
        }
    if (!OVpoly_close(p)) {
        _OVpoly_cancel(p);
        return false;
    }
    if (bothsides) OVpoly_setbothsides(p, 1);
    return true;
}

void primitive_vertex(OVgeometry *g, float x, float y, float z, const float *normal) {
    const OVp3 pos = {x, y, z};
    OVvertex *v = OVgeometry_newvertex(g, pos);
    if (v && normal) {
        v->normal = normal_take();
        copy3(normal, v->normal);
    }
}

} // namespace orv::geom
