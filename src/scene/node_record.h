// Node and link records of the scene module. Every node starts with the
// common record; grouping nodes continue with their children and cached
// bounds, and each type adds only its own data after that, so that a plain
// group stays small and a walk over many nodes stays in cache.
#pragma once

#include "core/object.h"
#include "orv/node.h"
#include "scene/payload_nodes.h"

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

// What every node has.
struct OVnode {
    OVobject header; // type code and has-handlers flag
    std::uint8_t flags;
    std::uint8_t parent_count;
    OVlink *first_parent;
    void *data;
    char *name;
    char *attachment_names;
};

namespace orv::scene {

// Grouping nodes (and object nodes, which keep the grouping header).
struct GroupRecord : OVnode {
    OVlink *first_child, *last_child;
    char *child_names;
    // cached bounds, in the node's own frame
    OVp3 midpoint, extents;
    float radius;
};

// Groups, anchors and switches pass their children's transforms on to later
// siblings; the bounds pass caches that transform (kept only when not identity).
struct PassingRecord : GroupRecord {
    OVm4 *passed_on;
    int passed_kind;
    int which_child; // switch: -1 none, -3 all
};

struct AnchorRecord : PassingRecord {
    char *location;
};

struct InlineRecord : GroupRecord {
    char *location;
};

struct LodRecord : GroupRecord {
    OVp3 center;
    int range_count;
    float *ranges; // squared
    char *range_text;
};

// Separators and roots.
struct SeparatorRecord : GroupRecord {
    int cull_mode;
    OVnode *next_root; // roots: the universe's next root
};

struct XformRecord : OVnode {
    OVm4 transform;
    int kind; // 0x01 rotation, 0x02 translation
};

struct GeometryRecord : OVnode {
    OVgeometry *geometry;
};

// Object nodes keep the grouping header for their object's bounds.
struct ObjectRecord : GroupRecord {
    OVgeometry *geometry; // the object's geometry
};

// Light, fog, ambient, material, callback and object nodes are followed by a
// payload owned by the module that made them, at this alignment.
constexpr std::size_t payload_alignment = 16;

} // namespace orv::scene

struct OVlink {
    std::uint8_t type; // OVNODE_LINK
    std::uint8_t flags;
    OVnode *parent;
    OVlink *next_appearance, *prev_appearance, *last_appearance;
    OVlink *next_sibling, *prev_sibling;
    OVnode *child;
};

namespace orv::scene {

// Per type: the shape of its record and what each walk does with it.
enum NodeTrait : std::uint16_t {
    TRAIT_KNOWN = 0x001,
    TRAIT_GROUPING = 0x002,    // may have children
    TRAIT_GROUPRECORD = 0x004, // has the grouping header (children, bounds)
    TRAIT_SEPARATOR = 0x008,   // opens a render-state level when collected
    TRAIT_SCOPE = 0x010,       // transforms below stay inside
    TRAIT_PASSES = 0x020,      // passes its children's transforms on (bounds, paths)
    TRAIT_TRANSFORM = 0x040,   // an Xform node
    TRAIT_ENABLE = 0x080,      // its enabled flag may be set
    TRAIT_SHOWSBOX = 0x100,    // may outline its bounds
    TRAIT_POLYGONS = 0x200     // holds polygons a ray can hit
};

// How a node enters the bounds of the group above it.
enum class BoundsRole : std::uint8_t {
    none,      // lights, fog, materials: nothing
    cached,    // its own cache, placed by the transform so far
    passing,   // its own cache, then the transform it passes on
    geometry,  // its geometry's box
    object,    // its object's box
    transform, // composes into the transform so far
    callback,  // its culling box
    unknown    // fatal
};

// What the collection makes of a leaf node.
enum class Drawn : std::uint8_t { none, geometry, light, ambient, fog, material, callback, object };

struct NodeTraits {
    std::uint16_t traits;
    BoundsRole bounds;
    Drawn drawn;
    std::uint16_t record_size; // bytes of the node record, payload not included
};

ORV_API const NodeTraits &node_traits(int type);
inline bool has_trait(const OVnode *node, NodeTrait trait) {
    return (node_traits(node->header.type).traits & trait) != 0;
}

// The type-specific parts of a record; the caller has checked the type.
inline GroupRecord *group_record(OVnode *node) {
    return has_trait(node, TRAIT_GROUPRECORD) ? static_cast<GroupRecord *>(node) : nullptr;
}
inline const GroupRecord *group_record(const OVnode *node) {
    return has_trait(node, TRAIT_GROUPRECORD) ? static_cast<const GroupRecord *>(node) : nullptr;
}
// The first child link of a grouping node, null for every other node.
inline OVlink *first_child(const OVnode *node) {
    const GroupRecord *g = group_record(node);
    return g ? g->first_child : nullptr;
}
inline XformRecord &xform_record(OVnode *node) {
    return *static_cast<XformRecord *>(node);
}
inline const XformRecord &xform_record(const OVnode *node) {
    return *static_cast<const XformRecord *>(node);
}
inline PassingRecord &passing_record(OVnode *node) {
    return *static_cast<PassingRecord *>(node);
}
inline const PassingRecord &passing_record(const OVnode *node) {
    return *static_cast<const PassingRecord *>(node);
}
inline LodRecord &lod_record(OVnode *node) {
    return *static_cast<LodRecord *>(node);
}
inline const LodRecord &lod_record(const OVnode *node) {
    return *static_cast<const LodRecord *>(node);
}
inline SeparatorRecord &separator_record(OVnode *node) {
    return *static_cast<SeparatorRecord *>(node);
}
// The switch's selected child (-1 none, -3 all); -2 for any other node.
int which_child(const OVnode *node);
// The location text slot of an anchor or inline node, null for others.
char **location_slot(OVnode *node);
// Whether nodes of the type are followed by a module's payload.
bool carries_payload(int type);
// Where a payload-carrying node keeps its payload, from the record start.
std::size_t payload_offset(int type);

} // namespace orv::scene

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
