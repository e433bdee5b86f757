// The stationary object record: its geometry, bounds and deletion.
#include "objects/stationary_object.h"

#include "geometry/geometry_access.h"
#include "objects/portal_list.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/node.h"
#include "state/universe_state.h"

namespace orv::objects {

StationaryObject *stationary_new(OVgeometry *geometry) {
    auto *o = static_cast<StationaryObject *>(OVmalloc(sizeof(StationaryObject)));
    *o = {geometry, nullptr};
    return o;
}

void stationary_delete(StationaryObject *object) {
    if (!object) return;
    if (universe_object() == object) {
        // Portals are polygons of the universe object's geometry.
        portal_delete_all();
        universe_set_object(nullptr, nullptr, nullptr);
    }
    if (OVnode *node = object->node) {
        object->node = nullptr;
        object_node_release(node);
        _OVnode_delete(node);
    }
    OVgeometry_delete(object->geometry);
    OVfree(object);
}

bool stationary_bounds(const StationaryObject *object, OVp3 midpoint, OVp3 extents) {
    if (!object || !object->geometry) return false;
    const float *mid = geom::geometry_midpoint(object->geometry);
    const float *half = geom::geometry_half_extents(object->geometry);
    for (int i = 0; i < 3; ++i) {
        midpoint[i] = mid[i];
        extents[i] = half[i];
    }
    return true;
}

bool stationary_box(const StationaryObject *object, float min[3], float max[3]) {
    OVp3 mid, ext;
    if (!stationary_bounds(object, mid, ext)) return false;
    for (int i = 0; i < 3; ++i) {
        min[i] = mid[i] - ext[i];
        max[i] = mid[i] + ext[i];
    }
    return true;
}

} // namespace orv::objects
