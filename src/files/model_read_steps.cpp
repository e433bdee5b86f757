#include "files/model_read_steps.h"

#include "geometry/geometry_record.h"
#include "orv/message.h"
#include "orv/mtable.h"

namespace orv {

void TableSharing::join(OVgeometry *g) {
    OVmtable *own = g->mtable;
    OVmtable *shared = shared_;
    if (!merge_ || !shared || !own || own == shared) return;
    OVmtable *joined = OVmtable_merge(shared, own);
    if (!joined || joined == own || joined == shared) return;
    int own_count = OVmtable_getnumentries(own), shared_count = OVmtable_getnumentries(shared);
    auto remap = [&](int id) { return own_count > 0 ? id % own_count + shared_count : id; };
    for (OVpoly *p = g->polys; p; p = p->next)
        if (p->matid >= 0) p->matid = remap(p->matid);
    for (OVvertex *v = g->vertices; v; v = v->next)
        if (v->flags & OVVERTEX_OWNMATID) v->matid = remap(v->matid);
    // Re-pointing the last user of a table deletes that table.
    for (OVgeometry *user : shared_by_)
        OVgeometry_setmtable(user, joined);
    OVgeometry_setmtable(g, joined);
    shared_ = joined;
}

void TableSharing::remember(OVgeometry *g) {
    if (!merge_ || !g->mtable) return;
    if (g->mtable != shared_) shared_by_.clear();
    shared_ = g->mtable;
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
    if (glom && list->next) _OVgeomlist_glom(list);
    // A geometry that fails to close has been deleted by the close: its entry
    // is unlinked where it stands, so that the pass stays linear.
    for (OVgeomlist **link = &list; *link;) {
        OVgeomlist *e = *link;
        if (_OVgeometry_closeloaded(e->geometry)) {
            link = &e->next;
            continue;
        }
        *link = e->next;
        e->next = nullptr;
        _OVgeomlist_delete(e);
    }
    return list;
}

} // namespace orv
