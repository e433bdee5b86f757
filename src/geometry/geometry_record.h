// Geometry, polygon and vertex records, private to the geometry module:
// other modules use geometry/geometry_access.h.
#pragma once

#include "geometry/geometry_access.h"
#include "geometry/reference_positions.h"
#include "orv/geometry.h"
#include "orv/texture.h"

#include <cstdint>
#include <span>

#define OVPOLY_MAXCORNERS 256

struct OVvertex {
    OVvertex *next;
    float *normal; // null when the vertex has none
    OVp3 position;
    std::int32_t matid; // valid with OVVERTEX_OWNMATID
    std::uint8_t flags;
    std::uint8_t user;
};

// A polygon's texture binding: one (u, v) per corner, in corner order.
struct OVtexbinding {
    OVtexture *texture;
    float rotation;
    float scale;
    float translation[2];
    float *u;
    float *v;
    std::int16_t count;
    std::uint8_t mirrored;
    std::uint8_t shaded;
    std::uint8_t transparent;
    std::uint8_t tint;
};

// A polygon keeps up to this many corners (every triangle) in its record,
// more in an array of their own.
constexpr int kInlineCorners = 3;
// Four corners: the arrays of quadrilaterals come from a pool of their own.
constexpr int kQuadCorners = 4;

// Pointers first, so that nothing pads the record: models hold millions. The
// centre, radius and plane distance are worked out from the corners when
// asked for (poly_extent), not kept.
struct OVpoly {
    OVtexbinding *texture;
    OVgeometry *geometry;
    OVpoly *next;
    // The corner vertices in ring order: in place while ncorners is at most
    // kInlineCorners, else in the array.
    union {
        OVvertex *in_place[kInlineCorners];
        struct {
            OVvertex **at;
            std::int32_t capacity;
        } spilled;
    } ring;
    OVp3 normal;
    std::int32_t matid;
    std::int16_t id;
    std::uint16_t flags;
    std::uint8_t rflags;
    std::uint8_t sset;
    std::int16_t ncorners; // the corner count, kept as corners come and go
};

// Models hold millions of these: a field added here costs megabytes.
static_assert(sizeof(void *) != 8 || sizeof(OVpoly) == 72, "polygon record grew");
static_assert(sizeof(void *) != 8 || sizeof(OVvertex) == 40, "vertex record grew");

namespace orv::geom {

// The corner vertices of p in ring order.
inline std::span<OVvertex *const> corners_of(const OVpoly *p) {
    return {p->ncorners > kInlineCorners ? p->ring.spilled.at : p->ring.in_place,
            static_cast<std::size_t>(p->ncorners)};
}
inline std::span<OVvertex *> corners_of(OVpoly *p) {
    return {p->ncorners > kInlineCorners ? p->ring.spilled.at : p->ring.in_place,
            static_cast<std::size_t>(p->ncorners)};
}

} // namespace orv::geom

struct OVgeometry {
    OVnode *node;
    // What the scene collection reads of every visible geometry, in one
    // cache line with the node pointer.
    OVp3 half_extents;
    OVp3 midpoint;
    float radius;
    std::int32_t npolys;
    std::uint16_t passes; // geometry_passes.h: cached passes and material bits, 0 while unknown
    void *owner;
    OVmtable *mtable;
    std::int32_t locked;
    OVgeometrydrawfn draw;
    OVvertex *vertices;
    orv::geom::ReferencePositions reference;
    OVvertex *last_vertex;
    // The renderer's record: owned and released by the renderer's hooks.
    void *render_data;
    char *name;
    std::uint8_t editing;
    std::uint8_t changed;
    std::uint8_t style_mask;
    std::uint8_t style_values;
    // Set while a reader builds the geometry and every polygon so far is a
    // triangle measured as it was built, with three distinct corners: the
    // close then has nothing to do polygon by polygon.
    std::uint8_t polys_settled;
    std::int32_t owns_polys;
    std::int32_t refcount;
    OVpoly *polys;
    OVgeometry *next;
    // The table whose users this geometry is among (mtable_users.cpp), and its
    // neighbours there.
    OVmtable *user_of;
    OVgeometry *prev_user;
    OVgeometry *next_user;
};

struct OVpolylist {
    OVpoly *poly;
    OVpolylist *next;
};

struct OVgeomlist {
    OVgeometry *geometry;
    OVgeomlist *next;
};
