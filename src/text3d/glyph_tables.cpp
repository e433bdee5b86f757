// Glyphs of a font keep their own material tables; merged text needs one.
#include "text3d/glyph_tables.h"

#include "orv/geometry.h"
#include "orv/mtable.h"
#include "orv/orv_internal.h"

#include <utility>
#include <vector>

namespace {

// A source table and where its entries start in the joined table.
using Placement = std::pair<OVmtable *, int>;

int offset_of(const std::vector<Placement> &placed, OVmtable *table) {
    for (const Placement &p : placed)
        if (p.first == table) return p.second;
    return -1;
}

// The id within the source table, as its colour lookup wraps it, moved to
// the joined table.
int moved_id(int id, int count, int offset) {
    return (count > 0 ? id % count : id) + offset;
}

void move_ids(OVgeometry *copy, OVmtable *joined, int offset) {
    const int count = OVmtable_getnumentries(OVgeometry_getmtable(copy));
    OVgeometry_setmtable(copy, joined);
    for (OVpoly *p = OVgeometry_getpolys(copy); p; p = OVpoly_next(p))
        OVpoly_setmatid(p, moved_id(OVpoly_getmatid(p), count, offset));
    for (OVvertex *v = OVgeometry_getvertices(copy); v; v = OVvertex_next(v)) {
        const int id = OVgeometry_getvertexmatid(copy, v);
        if (id >= 0) OVgeometry_setvertexmatid(copy, v, moved_id(id, count, offset));
    }
}

} // namespace

namespace orv {

void share_glyph_tables(OVgeomlist *copies) {
    std::vector<Placement> placed;
    OVmtable *joined = nullptr;
    for (OVgeomlist *e = copies; e; e = _OVgeomlist_next(e)) {
        OVmtable *table = OVgeometry_getmtable(_OVgeomlist_geometry(e));
        if (!table || offset_of(placed, table) >= 0) continue;
        const int offset = joined ? OVmtable_getnumentries(joined) : 0;
        OVmtable *next = OVmtable_merge(joined, table);
        if (!next) break; // the copies keep their own tables
        // A table made by an earlier join has no user yet: it is replaced.
        if (joined && joined != next && offset_of(placed, joined) < 0) OVmtable_delete(joined);
        placed.emplace_back(table, offset);
        joined = next;
    }
    if (placed.size() < 2 || !joined) return;
    for (OVgeomlist *e = copies; e; e = _OVgeomlist_next(e)) {
        OVgeometry *copy = _OVgeomlist_geometry(e);
        const int offset = offset_of(placed, OVgeometry_getmtable(copy));
        if (offset >= 0) move_ids(copy, joined, offset);
    }
}

} // namespace orv
