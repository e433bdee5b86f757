// What the modules above geometry may read and set of its records. The
// layout of a geometry, polygon or vertex stays inside the geometry module;
// a polygon's corners are walked through poly_corner_vertices, whatever way
// the polygon stores them.
#pragma once

#include "orv/orv_base.h"

#include <cstdint>
#include <span>

typedef struct OVtexture OVtexture;

// Vertex flags.
enum : std::uint8_t {
    OVVERTEX_USED = 0x01,
    OVVERTEX_HASUV = 0x02,
    OVVERTEX_OWNMATID = 0x04,
    OVVERTEX_MOVED = 0x10,
    OVVERTEX_SMOOTH = 0x80
};

// Polygon flags.
enum : std::uint16_t {
    OVPOLY_BOTHSIDES = 0x0001,
    OVPOLY_FIXEDNORMAL = 0x0002,
    OVPOLY_CONVEX = 0x0010,
    OVPOLY_BUILT = 0x0020,
    OVPOLY_OBJECTFRAME = 0x0040,
    OVPOLY_DEGENERATE = 0x0100
};

// Polygon rendering flags.
enum : std::uint8_t {
    OVPOLYR_VNORMALS = 0x01,
    OVPOLYR_VCOLORS = 0x02,
    OVPOLYR_SMOOTH = 0x04,
    OVPOLYR_INVISIBLE = 0x08
};

typedef void (*OVgeometrydrawfn)(OVgeometry *g, void *state);

namespace orv::geom {

// The node showing the geometry, null when none does.
OVnode *geometry_node(const OVgeometry *g);
void geometry_set_node(OVgeometry *g, OVnode *node);
// The bounds of the polygons in the geometry's own frame.
const float *geometry_midpoint(const OVgeometry *g);
const float *geometry_half_extents(const OVgeometry *g);
float geometry_radius(const OVgeometry *g);
int geometry_poly_count(const OVgeometry *g);
OVpoly *geometry_polys(const OVgeometry *g);
OVvertex *geometry_vertices(const OVgeometry *g);
OVmtable *geometry_mtable(const OVgeometry *g);
// The name as set, null when it has none.
const char *geometry_name(const OVgeometry *g);
// While editing, polygons take corners after they were closed and the
// renderer draws immediately instead of from compiled lists.
bool geometry_editing(const OVgeometry *g);
void geometry_set_editing(OVgeometry *g, bool on);
// The application's own draw function, null for the standard renderer.
OVgeometrydrawfn geometry_draw_function(const OVgeometry *g);
// The renderer's record of the geometry, null until it makes one; the
// geometry hands it to the renderer's hooks when it is stale or goes.
void *geometry_render_data(const OVgeometry *g);
void geometry_set_render_data(OVgeometry *g, void *data);
// The rendering style of g: the bits of its override mask take its values.
int geometry_style(const OVgeometry *g, int base);

OVpoly *poly_next(const OVpoly *p);
OVgeometry *poly_geometry(const OVpoly *p);
int poly_flags(const OVpoly *p);
// Sets (on) or clears the given OVPOLY_* bits.
void poly_set_flag(OVpoly *p, int bits, bool on);
// The OVPOLYR_* rendering bits.
int poly_render_flags(const OVpoly *p);
int poly_corner_count(const OVpoly *p);
int poly_matid(const OVpoly *p);
void poly_set_matid(OVpoly *p, int matid);
int poly_id(const OVpoly *p);
const float *poly_normal(const OVpoly *p);
// The centre of the polygon's bounding sphere (its corners' mean), and its
// radius as the result.
float poly_bounds(const OVpoly *p, float centre[3]);
// The polygon's texture, null when it has none.
OVtexture *poly_texture(const OVpoly *p);
// How the texture is drawn: with alpha test (transparent texels), lit
// (shaded) and modulated by the polygon's colour (tinted).
bool poly_texture_transparent(const OVpoly *p);
bool poly_texture_shaded(const OVpoly *p);
bool poly_texture_tinted(const OVpoly *p);
// The texture coordinates of corner k; false when the binding has none.
bool poly_corner_uv(const OVpoly *p, int k, float *u, float *v);

// The corners' vertices in ring order: for (OVvertex *v : poly_corner_vertices(p)).
// Valid until the polygon's corners change.
std::span<OVvertex *const> poly_corner_vertices(const OVpoly *p);

OVvertex *vertex_next(const OVvertex *v);
const float *vertex_position(const OVvertex *v);
// The vertex normal, null when the vertex has none.
const float *vertex_normal(const OVvertex *v);
int vertex_flags(const OVvertex *v);
// Sets (on) or clears the given OVVERTEX_* bits.
void vertex_set_flag(OVvertex *v, int bits, bool on);
// The vertex's own material id, valid with OVVERTEX_OWNMATID.
int vertex_matid(const OVvertex *v);
void vertex_set_matid(OVvertex *v, int matid);

} // namespace orv::geom
