#include "files/model_read_steps.h"

#include "geometry/geometry_access.h"
#include "geometry/geometry_builder.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"

namespace orv {

void TableSharing::join(OVgeometry *g) {
    OVmtable *own = geom::geometry_mtable(g);
    OVmtable *shared = shared_;
    if (!merge_ || !shared || !own || own == shared) return;
    OVmtable *joined = OVmtable_merge(shared, own);
    if (!joined || joined == own || joined == shared) return;
    int own_count = OVmtable_getnumentries(own), shared_count = OVmtable_getnumentries(shared);
    auto remap = [&](int id) { return own_count > 0 ? id % own_count + shared_count : id; };
    for (OVpoly *p = geom::geometry_polys(g); p; p = geom::poly_next(p))
        if (geom::poly_matid(p) >= 0) geom::poly_set_matid(p, remap(geom::poly_matid(p)));
    for (OVvertex *v = geom::geometry_vertices(g); v; v = geom::vertex_next(v))
        if (geom::vertex_flags(v) & OVVERTEX_OWNMATID)
            geom::vertex_set_matid(v, remap(geom::vertex_matid(v)));
    // Re-pointing the last user of a table deletes that table.
    for (OVgeometry *user : shared_by_)
        OVgeometry_setmtable(user, joined);
    OVgeometry_setmtable(g, joined);
    shared_ = joined;
}

void TableSharing::remember(OVgeometry *g) {
    OVmtable *table = geom::geometry_mtable(g);
    if (!merge_ || !table) return;
    if (table != shared_) shared_by_.clear();
    shared_ = table;
    shared_by_.push_back(g);
}

bool report_polygon_counts(int good, int ignored) {
    if (ignored) OVwarning("%d polygons were ignored.\n", ignored);
    if (good) return true;
    OVwarning("No valid polygons in object.\n");
    return false;
}

OVgeomlist *finish_model_read(OVgeomlist *list, const std::string &name, bool glom) {
    if (!list) {
        OVwarning("File '%s' has no readable geometries\n", name.c_str());
        return nullptr;
    }
    if (glom && _OVgeomlist_next(list)) _OVgeomlist_glom(list);
    return geom::builder_close_list(list);
}

} // namespace orv
