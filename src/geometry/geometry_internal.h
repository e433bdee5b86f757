// Helpers shared by the geometry files; not for other modules.
#pragma once

#include "geometry/geometry_record.h"
#include "math/vec3.h"
#include "orv/message.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "geometry/geometry_hooks.h"
#include "orv/mtable.h"
#include "orv/orv_internal.h"

namespace orv::geom {

using vec::cross;
using vec::dot;
using vec::length;
using vec::sub;
// A polygon built in bulk whose statistics the geometry's close computes.
constexpr std::uint16_t kPolyStatsPending = 0x8000;
// A polygon in its geometry's list: closing it again would link it twice
// and make the list a loop.
constexpr std::uint16_t kPolyLinked = 0x4000;

inline void copy3(const float *a, float *out) {
    vec::copy(a, out);
}

// The corner vertices of p in ring order.
void corner_vertices(const OVpoly *p, std::vector<OVvertex *> &out);
// Frees p's corner storage; p is left with no corners.
void corners_free(OVpoly *p);
// Asks the processor for p's corner array ahead of its use.
void corners_prefetch(const OVpoly *p);
// Puts v in front of the ring; false when p holds as many as it can.
bool corner_push_front(OVpoly *p, OVvertex *v);
// The ring becomes the given vertices, which must not lie in p's own ring.
void corners_assign(OVpoly *p, std::span<OVvertex *const> vertices);
// Gives back the room a growing ring took beyond its corners.
void corners_fit(OVpoly *p);
// The centre of p's corners (their mean) and the radius about it: the length
// of the largest distances from the centre to the extreme corners per axis.
float poly_extent(const OVpoly *p, float centre[3]);
// Rebuilds p's ring from vertices in order (texture coordinates follow the
// given old corner indices when p has a binding; null keeps them in place).
void set_corners(OVpoly *p, const std::vector<OVvertex *> &vertices,
                 const std::vector<int> *old_index);
// A new polygon with p's attributes, linked right after after, counted.
OVpoly *sibling(OVpoly *p, OVpoly *after, const std::vector<OVvertex *> &vertices,
                const std::vector<int> &old_index);
// The texture coordinates of p picked at the given old corner indices.
OVtexbinding *texture_pick(const OVtexbinding *t, const std::vector<int> &old_index);
void texture_free(OVtexbinding *t);
OVtexbinding *texture_copy(const OVtexbinding *t);
// Fits the binding's texture once over p (the default mapping).
void default_mapping(const OVpoly *p, OVtexbinding *b);

// Unlinks p from its geometry's list without freeing it.
void unlink_poly(OVpoly *p);
// Frees every polygon of the list from p on.
void free_poly_list(OVpoly *p);
// Frees one vertex (and its normal).
void free_vertex(OVvertex *v);
void free_vertex_list(OVvertex *v);
// A copy of a vertex list (position, normal, material id, user byte).
OVvertex *copy_vertex_list(const OVvertex *v);
// What a removal's walk learns of the vertices it keeps.
struct KeptVertices {
    int count = 0;
    bool shading = false; // some vertex is smooth or has a normal
    bool smooth = false;  // some vertex waits for its normal
};
// Removes vertices without OVVERTEX_USED; returns how many went. With kept,
// also counts and describes the vertices left.
int remove_unused_vertices(OVgeometry *g, KeptVertices *kept = nullptr);
// Marks the used flag of every vertex from the polygons.
void mark_used_vertices(OVgeometry *g);
// A polygon built in bulk, at its geometry's close: its statistics as its
// own close would have computed them, then its repeated corners removed;
// returns the corner count left.
int measure_built(OVpoly *p);
// A triangle built in bulk, measured as it is built, while its corners are
// at hand: false when two corners lie at one place, which the close removes.
bool settle_built_triangle(OVpoly *p, OVvertex *const *ring);
// Sets rendering flags 0x01 and 0x02 when every corner qualifies.
void update_corner_rflags(OVpoly *p);
// Splits a non-convex polygon and triangulates a non-planar one; the
// pieces are linked after p. planar is the statistics' verdict. Returns the
// polygon a walk visits next (split pieces are visited, fan triangles not).
OVpoly *repair(OVpoly *p, bool planar);

bool verbose_geometry();
void tell_node(OVgeometry *g);
// A polygon attribute the drawing depends on changed: the geometry's compiled
// lists and its pass record are rebuilt at its next draw.
void drawing_changed(OVgeometry *g);

// The building phase (one open geometry per process).
OVgeometry *open_geometry();
bool building(const OVgeometry *g);
void index_vertex(OVvertex *v);
OVvertex *indexed_vertex(int i);
int indexed_count();
void end_building();

} // namespace orv::geom

namespace orv::geom {
// Names and closes a primitive built in the open geometry; on failure (ok
// false or a refused close) the geometry is gone and the result is null.
OVgeometry *primitive_finish(OVgeometry *g, const char *name, bool ok);
// Adds a polygon through building-phase vertex numbers.
bool primitive_poly(OVgeometry *g, const std::vector<int> &corners, int bothsides);
// Adds a vertex with an optional normal.
void primitive_vertex(OVgeometry *g, float x, float y, float z, const float *normal = nullptr);
} // namespace orv::geom
