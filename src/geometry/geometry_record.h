// Geometry, polygon and vertex records. Published for the renderer and the
// model readers, which walk polygons and vertices directly.
#pragma once

#include "geometry/reference_positions.h"
#include "orv/geometry.h"
#include "orv/texture.h"

#include <cstdint>

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

typedef void (*OVgeometrydrawfn)(OVgeometry *g, void *state);

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
    std::uint32_t cache1, cache2; // the renderer's display lists
    std::int32_t cache_valid;
    OVvertex *vertices;
    orv::geom::ReferencePositions reference;
    OVvertex *last_vertex;
    // Private to the renderer (polygon runs): freed with the geometry.
    std::int32_t private_count;
    void *private_a;
    void *private_b;
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
