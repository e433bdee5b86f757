// Node and link records shared by the node, light, geometry and file modules.
#pragma once

#include "core/object.h"
#include "orv/node.h"

#include <cstddef>
#include <cstdint>

enum : std::uint8_t {
    NODE_ENABLED = 0x01,
    NODE_CHANGED = 0x04,
    NODE_HOLDING = 0x08,
    NODE_BOUNDINGBOX = 0x10, // the renderer outlines the bounds
    NODE_HASBOUNDS = 0x20,   // midpoint, extents and radius are valid
    NODE_MOVABLE = 0x40,
    NODE_ATTACHGROUP = 0x80
};

enum : std::uint8_t {
    NT_XFORM = 1,
    NT_LOD = 2,
    NT_SWITCH = 4,
    NT_GEOMETRY = 6,
    NT_GROUP = 8,
    NT_SEPARATOR = 9,
    NT_OBJECT = 11,
    NT_LIGHT = 12,
    NT_ANCHOR = 14,
    NT_INLINE = 15,
    NT_XFORMSEP = 16,
    NT_MATERIAL = 17,
    NT_FOG = 18,
    NT_AMBIENT = 19,
    NT_RENDERING = 20,
    NT_ROOT = 21,
    NT_LINK = 22,
    NT_MTABLE = 26,
    NT_GL = 28
};

struct OVlink;

// Material node values; the mask says which the traversal applies:
// 1 ambient, 2 diffuse, 4 specular, 8 shininess, 0x10 emission, 0x40 alpha.
struct OVmaterialdata {
    int mask;
    float diffuse[4]; // alpha 1 at creation
    float ambient[3], specular[3], emission[3];
    float shininess;
};

// An application callback drawn in the scene (node type 28).
struct OVglnodedata {
    OVglnodefunc callback;
    int flags;
    OVp3 cull_min, cull_max;
};

struct OVnode {
    OVobject header; // type code and has-handlers flag
    std::uint8_t flags;
    std::uint8_t parent_count;
    OVlink *first_parent;
    void *data;
    char *name;
    char *attachment_names;
    // grouping nodes
    OVlink *first_child, *last_child;
    char *child_names;
    // type-specific
    OVm4 transform;     // Xform
    int transform_kind; // 0x01 rotation, 0x02 translation
    int which_child;    // switch
    OVp3 lod_center;    // level of detail
    int range_count;
    float *ranges; // squared
    char *range_text;
    int cull_mode;  // separator and root
    char *location; // anchor and inline
    OVgeometry *geometry;
    // cached bounds of grouping nodes, in the node's own frame
    OVp3 midpoint, extents;
    float radius;
    // cached with the bounds: the transform a group, anchor or switch passes
    // on to its later siblings (kind 0: none)
    OVm4 passed_on;
    int passed_kind;
    OVnode *next_root;
    void *payload; // owned by the module that made the node (OVmaterialdata, OVglnodedata, ...)
};

struct OVlink {
    std::uint8_t type; // NT_LINK
    std::uint8_t flags;
    OVnode *parent;
    OVlink *next_appearance, *prev_appearance, *last_appearance;
    OVlink *next_sibling, *prev_sibling;
    OVnode *child;
};

bool node_is_grouping(int type);

// Recomputes the cache from the children starting at the link; true and the
// cache's midpoint, extents and radius written when any bounds were found.
extern "C" ORV_API int _OVnode_update(OVlink *first, OVnode *cache);

namespace orv::scene {
// Recomputes a grouping node's cached bounds when it is marked changed;
// true when the node has bounds.
ORV_API bool fresh_bounds(OVnode *node);
// The child index a level-of-detail node shows with the given accumulated
// matrix, or -1 for none.
ORV_API int lod_choice(const OVnode *lod, const OVm4 current);
} // namespace orv::scene
