// The traversal state: what the collection walk hands to the renderer. One
// state per window and eye pass; states are pooled. An entry names an item
// and packs its kind (low 8 bits) with the index of the matrix it needs
// (index 0: the view matrix, k >= 1: saved matrix k - 1).
#pragma once

#include "orv/orv_base.h"

#include <cstdint>

namespace orv::scene {

enum EntryKind : std::uint8_t {
    ENTRY_GEOMETRY = 6,    // item: geometry node
    ENTRY_BOUNDINGBOX = 8, // item: BoxRecord
    ENTRY_OTHERSTATE = 11, // item: geometry node drawn with another node's state
    ENTRY_LIGHTON = 12,    // item: light slot number (cast from intptr)
    ENTRY_MATERIAL = 17,   // item: MaterialRecord
    ENTRY_FOG = 18,        // item: FogRecord, or null for fog off
    ENTRY_AMBIENT = 19,    // item: AmbientRecord, or null for the global ambient
    ENTRY_LIGHTOFF = 25,   // item: light slot number
    ENTRY_CALLBACK = 28    // item: OpenGL callback node
};

struct Entry {
    void *item;
    std::uint32_t word; // kind | matrix index << 8
    int kind() const { return static_cast<int>(word & 0xFF); }
    int matrix() const { return static_cast<int>(word >> 8); }
};

// Material values of a render-state level; the mask bits say which are set:
// 1 ambient, 2 diffuse, 4 specular, 8 shininess, 0x10 emission, 0x40 alpha.
struct MaterialRecord {
    int mask;
    float ambient[4], diffuse[4], specular[4], emission[4];
    float shininess;
    float alpha;
};

struct FogRecord {
    int mode; // 0 linear, 1 exponential, 2 squared exponential
    float start, end;
    float color[4];
};

struct AmbientRecord {
    float rgba[4]; // colour times intensity, alpha 1
};

// A bounding box to outline: midpoint and extents in the entry's matrix frame.
struct BoxRecord {
    OVp3 midpoint, extents;
};

struct TempRecord; // bounding-box, fog, ambient and material records of one collection

// What the renderer sets before a collection and reads after it. The
// traversal module owns the rest of the state (its stacks) behind `stacks`.
struct TraversalState {
    // set by the renderer before _OVnode_draw; eye space looks down -Z
    float near_distance, far_distance;
    // Unit normals of the left, right, bottom and top planes, pointing into
    // the view volume: a point p is inside when p . normal + offset >= 0.
    // Offsets are 0 for planes through the eye (perspective views).
    OVp3 side_planes[4];
    float side_offsets[4];
    OVm4 view;           // the eye's view matrix (entry matrix index 0)
    int rendering_flags; // universe rendering flags for this eye
    int display_bit;     // 1 << display index
    int projection_mode;
    OVp3 eye_position; // world frame
    // filled by the collection
    Entry *opaque;
    int opaque_count, opaque_capacity;
    Entry *transparent;
    int transparent_count, transparent_capacity;
    OVm4 *saved; // saved matrix k - 1 for entry index k
    int saved_count, saved_capacity;
    int entry_count;   // entries collected
    int poly_count;    // polygons of the visible geometries
    int drawn_polys;   // polygons the renderer drew
    float alpha;       // current material alpha (transparent pass)
    TempRecord *temps; // returned to the pool by release_temporaries
    void *stacks;      // the traversal's per-level stacks
};

} // namespace orv::scene

// States travel as plain pointers between the modules.
extern "C" {
ORV_API void *_OVnode_newstate(void);
ORV_API void _OVnode_initstate(void *state);
ORV_API void _OVnode_checkstatedepth(void *state);
ORV_API void *_OVnode_getstate(void);
ORV_API void _OVnode_releasestate(void *state);
ORV_API void _OVnode_deletestate(void *state);
// Polygons the renderer drew with the state since its last reset.
ORV_API int _OVnode_statepolycount(void *state);
// Frees the pooled states and temporary records.
ORV_API void _OVnode_freepools(void);
}

namespace orv::scene {

// Runs the collection walk for a root (or any node) into the
// state's lists; the renderer calls this from _OVnode_draw.
ORV_API void collect(OVnode *root, TraversalState *state);
// Gives the state's temporary records back to the global pool.
ORV_API void release_temporaries(TraversalState *state);

} // namespace orv::scene
