#include "files/polygon_attributes.h"

#include "geometry/geometry_access.h"
#include "orv/geometry.h"

namespace orv {

void apply_polygon_attributes(OVpoly *p, PolygonAttributes &a, const VertexUVTable &uvs,
                              std::vector<PortalRequest> *portals) {
    if (a.matid >= 0) geom::poly_set_matid(p, a.matid);
    if (a.both) geom::poly_set_flag(p, OVPOLY_BOTHSIDES, true);
    if (a.has_id) OVpoly_setid(p, a.id);
    if (portals)
        for (std::string &target : a.portals)
            portals->push_back({p, std::move(target)});
    if (!a.tex.name.empty()) {
        _OVpoly_stats(p); // the default mapping lies in the polygon's plane
        apply_texture(p, a.tex, uvs);
    }
}

} // namespace orv
