// Geometry, polygon and vertex records, private to the geometry module:
// other modules use geometry/geometry_access.h.
#pragma once

#include "geometry/geometry_access.h"
#include "geometry/reference_positions.h"
#include "orv/geometry.h"
#include "orv/texture.h"

#include <cstdint>

#define OVPOLY_MAXCORNERS 256

struct OVvertex {
    OVvertex *next;
    float *normal; // null when the vertex has none
    OVp3 position;
    std::int32_t matid; // valid with OVVERTEX_OWNMATID
    std::uint8_t flags;
    std::uint8_t user;
};

struct OVcorner {
    OVvertex *vertex;
    OVcorner *next;
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

// Pointers first, so that nothing pads the record: models hold millions.
struct OVpoly {
    OVtexbinding *texture;
    OVgeometry *geometry;
    OVcorner *corners;
    OVpoly *next;
    OVp3 normal;
    OVp3 centre;
    float radius;
    float plane_distance;
    std::int32_t matid;
    std::int16_t id;
    std::uint16_t flags;
    std::uint8_t rflags;
    std::uint8_t sset;
    std::int16_t ncorners;
};

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
    std::int32_t owns_polys;
    std::int32_t refcount;
    OVpoly *polys;
    OVgeometry *next;
};

struct OVpolylist {
    OVpoly *poly;
    OVpolylist *next;
};

struct OVgeomlist {
    OVgeometry *geometry;
    OVgeomlist *next;
};
