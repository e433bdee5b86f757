// Reads and sets of the geometry records for the modules above geometry.
#include "geometry/geometry_access.h"
#include "geometry/geometry_internal.h"

namespace orv::geom {

namespace {
template <typename T> void set_bits(T &field, int bits, bool on) {
    field = static_cast<T>(on ? field | bits : field & ~bits);
}
} // namespace

OVnode *geometry_node(const OVgeometry *g) {
    return g->node;
}
void geometry_set_node(OVgeometry *g, OVnode *node) {
    g->node = node;
}
const float *geometry_midpoint(const OVgeometry *g) {
    return g->midpoint;
}
const float *geometry_half_extents(const OVgeometry *g) {
    return g->half_extents;
}
float geometry_radius(const OVgeometry *g) {
    return g->radius;
}
int geometry_poly_count(const OVgeometry *g) {
    return g->npolys;
}
OVpoly *geometry_polys(const OVgeometry *g) {
    return g->polys;
}
OVvertex *geometry_vertices(const OVgeometry *g) {
    return g->vertices;
}
OVmtable *geometry_mtable(const OVgeometry *g) {
    return g->mtable;
}
const char *geometry_name(const OVgeometry *g) {
    return g->name;
}
bool geometry_editing(const OVgeometry *g) {
    return g->editing != 0;
}
void geometry_set_editing(OVgeometry *g, bool on) {
    g->editing = on ? 1 : 0;
}
OVgeometrydrawfn geometry_draw_function(const OVgeometry *g) {
    return g->draw;
}
void *geometry_render_data(const OVgeometry *g) {
    return g->render_data;
}
void geometry_set_render_data(OVgeometry *g, void *data) {
    g->render_data = data;
}
int geometry_style(const OVgeometry *g, int base) {
    return (base & ~g->style_mask) | (g->style_values & g->style_mask);
}

OVpoly *poly_next(const OVpoly *p) {
    return p->next;
}
OVgeometry *poly_geometry(const OVpoly *p) {
    return p->geometry;
}
int poly_flags(const OVpoly *p) {
    return p->flags;
}
void poly_set_flag(OVpoly *p, int bits, bool on) {
    set_bits(p->flags, bits, on);
}
int poly_render_flags(const OVpoly *p) {
    return p->rflags;
}
int poly_corner_count(const OVpoly *p) {
    return p->ncorners;
}
int poly_matid(const OVpoly *p) {
    return p->matid;
}
void poly_set_matid(OVpoly *p, int matid) {
    p->matid = matid;
}
int poly_id(const OVpoly *p) {
    return p->id;
}
const float *poly_normal(const OVpoly *p) {
    return p->normal;
}
float poly_bounds(const OVpoly *p, float centre[3]) {
    return poly_extent(p, centre);
}
OVtexture *poly_texture(const OVpoly *p) {
    return p->texture ? p->texture->texture : nullptr;
}
bool poly_texture_transparent(const OVpoly *p) {
    return p->texture && p->texture->transparent;
}
bool poly_texture_shaded(const OVpoly *p) {
    return p->texture && p->texture->shaded;
}
bool poly_texture_tinted(const OVpoly *p) {
    return p->texture && p->texture->tint;
}
bool poly_corner_uv(const OVpoly *p, int k, float *u, float *v) {
    const OVtexbinding *t = p->texture;
    if (!t || !t->u || k < 0 || k >= t->count) return false;
    *u = t->u[k];
    *v = t->v[k];
    return true;
}

std::span<OVvertex *const> poly_corner_vertices(const OVpoly *p) {
    return corners_of(p);
}

OVvertex *vertex_next(const OVvertex *v) {
    return v->next;
}
const float *vertex_position(const OVvertex *v) {
    return v->position;
}
const float *vertex_normal(const OVvertex *v) {
    return v->normal;
}
int vertex_flags(const OVvertex *v) {
    return v->flags;
}
void vertex_set_flag(OVvertex *v, int bits, bool on) {
    set_bits(v->flags, bits, on);
}
int vertex_matid(const OVvertex *v) {
    return v->matid;
}
void vertex_set_matid(OVvertex *v, int matid) {
    v->matid = matid;
}

} // namespace orv::geom
