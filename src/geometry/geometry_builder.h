// Building geometries in bulk, as the model readers do: vertices appended in
// file order, each polygon made at once from its ring of vertices. A
// triangle is measured as it is made, while its corners are at hand; larger
// polygons wait for the geometry's close. Other modules build through these
// functions, never through the records.
#pragma once

#include "orv/orv_base.h"

namespace orv::geom {

// A new geometry named name for a reader to fill; null name leaves it unnamed.
OVgeometry *builder_new(const char *name);
// Ends the reading of g; with uv_marks its vertices lose their
// texture-coordinate mark.
void builder_done(OVgeometry *g, bool uv_marks);
// Appends a vertex at pos to g's vertex list.
OVvertex *builder_vertex(OVgeometry *g, const float pos[3]);
// A closed polygon of g through the n vertices of ring, in ring order, put
// first in g's polygon list; null, after the close's warning, when n is
// outside [3, OVPOLY_MAXCORNERS].
OVpoly *builder_polygon(OVgeometry *g, OVvertex *const *ring, int n);

// Appends g to a list through its tail link (*tail null); returns the new
// tail link, so that a file of many geometries is listed in linear time.
OVgeomlist **builder_list_append(OVgeomlist **tail, OVgeometry *g);
// Closes every geometry of a read list (_OVgeometry_closeloaded); a geometry
// whose close fails is gone and leaves the list. Returns the list.
OVgeomlist *builder_close_list(OVgeomlist *list);

} // namespace orv::geom
