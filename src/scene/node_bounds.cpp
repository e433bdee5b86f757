// The cached bounds of grouping nodes, recomputed on demand. A cache nested
// in the one being computed is recomputed first on a frame stack of its own,
// so graphs of any depth need no call stack.
#include "geometry/geometry_record.h"
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/node_xform_walk.h"
#include "orv/orv_internal.h"
#include "scene/scene_hooks.h"

#include <cmath>
#include <vector>

namespace orv::scene {

namespace {

struct Box {
    float lo[3], hi[3];
    bool any;
};

// One cache being computed: its owner, the next child link, the child index
// of that link, the accumulated transform and the box so far.
struct Frame {
    OVnode *owner; // null: the cache given to _OVnode_update
    OVlink *cursor;
    int index;
    Accumulated t;
    Box box;
};

void add_placed(Box &box, const Accumulated &t, const OVp3 mid, const OVp3 ext) {
    float m[3], e[3];
    for (int j = 0; j < 3; ++j) {
        if (t.kind & 0x01) {
            m[j] = mid[0] * t.m[0][j] + mid[1] * t.m[1][j] + mid[2] * t.m[2][j] + t.m[3][j];
            e[j] = std::fabs(t.m[0][j]) * ext[0] + std::fabs(t.m[1][j]) * ext[1] +
                   std::fabs(t.m[2][j]) * ext[2];
        } else {
            m[j] = mid[j] + t.m[3][j];
            e[j] = ext[j];
        }
    }
    for (int j = 0; j < 3; ++j) {
        float lo = m[j] - e[j], hi = m[j] + e[j];
        box.lo[j] = box.any ? std::fmin(box.lo[j], lo) : lo;
        box.hi[j] = box.any ? std::fmax(box.hi[j], hi) : hi;
    }
    box.any = true;
}

void write_cache(const Box &box, OVnode *cache) {
    float r2 = 0;
    for (int j = 0; j < 3; ++j) {
        cache->midpoint[j] = (box.lo[j] + box.hi[j]) / 2;
        cache->extents[j] = (box.hi[j] - box.lo[j]) / 2;
        r2 += cache->extents[j] * cache->extents[j];
    }
    cache->radius = std::sqrt(r2);
}

void set_bounds_flag(OVnode *n, bool has) {
    n->flags &= static_cast<std::uint8_t>(~(NODE_CHANGED | NODE_HASBOUNDS));
    if (has) n->flags |= NODE_HASBOUNDS;
}

// An object node's bounds come from its object, placed by the object's pose.
void refresh_object(OVnode *n) {
    if (!(n->flags & NODE_CHANGED)) return;
    OVp3 mid, ext;
    bool has = object_node_bounds(n, mid, ext);
    if (has) {
        Box box{{mid[0] - ext[0], mid[1] - ext[1], mid[2] - ext[2]},
                {mid[0] + ext[0], mid[1] + ext[1], mid[2] + ext[2]},
                true};
        write_cache(box, n);
    }
    set_bounds_flag(n, has);
}

// A callback node counts by its culling box once one is given.
void add_callback(Box &box, const Accumulated &t, const OVnode *n) {
    auto *gl = static_cast<const OVglnodedata *>(n->payload);
    if (!gl) return;
    OVp3 mid, ext;
    bool empty = true;
    for (int j = 0; j < 3; ++j) {
        if (gl->cull_max[j] < gl->cull_min[j]) return;
        if (gl->cull_max[j] != gl->cull_min[j]) empty = false;
        mid[j] = (gl->cull_min[j] + gl->cull_max[j]) / 2;
        ext[j] = (gl->cull_max[j] - gl->cull_min[j]) / 2;
    }
    if (!empty) add_placed(box, t, mid, ext);
}

Frame start_frame(OVnode *owner, OVlink *first) {
    Frame f{owner, first, 0, {}, {{0, 0, 0}, {0, 0, 0}, false}};
    set_identity(f.t.m);
    f.t.kind = 0;
    // A switch's index counts from its first child even when started later.
    if (first)
        for (OVlink *l = first->prev_sibling; l; l = l->prev_sibling)
            ++f.index;
    return f;
}

// Handles one child of the top frame; true when a nested cache must be
// computed first (the frame keeps its cursor and sees the child again).
bool visit(std::vector<Frame> &frames) {
    Frame &f = frames.back();
    OVlink *l = f.cursor;
    OVnode *c = l->child;
    OVnode *owner = f.owner ? f.owner : l->parent;
    bool shown = switch_shows(owner, f.index);
    if (shown && node_is_grouping(c->header.type) && c->header.type != NT_ROOT &&
        (c->flags & NODE_CHANGED)) {
        frames.push_back(start_frame(c, c->first_child));
        return true;
    }
    l->flags &= static_cast<std::uint8_t>(~NODE_CHANGED);
    f.cursor = l->next_sibling;
    f.index++;
    switch (c->header.type) {
    case NT_LOD:
    case NT_SEPARATOR:
    case NT_INLINE:
    case NT_XFORMSEP:
        if (shown && (c->flags & NODE_HASBOUNDS)) add_placed(f.box, f.t, c->midpoint, c->extents);
        break;
    case NT_SWITCH:
    case NT_GROUP:
    case NT_ANCHOR:
        if (!shown) break;
        if (c->flags & NODE_HASBOUNDS) add_placed(f.box, f.t, c->midpoint, c->extents);
        compose_into(f.t, c->passed_on, c->passed_kind);
        break;
    case NT_GEOMETRY:
        c->flags &= static_cast<std::uint8_t>(~NODE_CHANGED);
        if (shown && c->geometry)
            add_placed(f.box, f.t, c->geometry->midpoint, c->geometry->half_extents);
        break;
    case NT_OBJECT:
        refresh_object(c);
        if (shown && (c->flags & NODE_HASBOUNDS)) add_placed(f.box, f.t, c->midpoint, c->extents);
        break;
    case NT_XFORM:
        if (shown) compose_into(f.t, c->transform, c->transform_kind);
        break;
    case NT_GL:
        c->flags &= static_cast<std::uint8_t>(~NODE_CHANGED);
        if (shown) add_callback(f.box, f.t, c);
        break;
    case NT_LIGHT:
    case NT_MATERIAL:
    case NT_FOG:
    case NT_AMBIENT:
    case NT_RENDERING:
    case NT_MTABLE:
        break;
    default:
        OVfatal("Node type (%d) not updated\n", c->header.type);
        break;
    }
    return false;
}

bool passes_on(int type) {
    return type == NT_GROUP || type == NT_ANCHOR || type == NT_SWITCH;
}

// A nested cache is complete. Its frame's transform is what the node passes
// on (the composition _OVnode_getxforms makes of its children), kept so that
// a valid cache needs no walk of the subtree.
void finish(const Frame &f) {
    if (f.box.any) write_cache(f.box, f.owner);
    set_bounds_flag(f.owner, f.box.any);
    if (passes_on(f.owner->header.type)) {
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                f.owner->passed_on[i][j] = f.t.m[i][j];
        f.owner->passed_kind = f.t.kind;
    }
}

// Runs the walk for the given link. With an owner, the owner's cache and
// flags are set by the result; without, the result goes into `cache` when
// anything was found. Nested caches always get their flags set.
bool run(OVlink *first, OVnode *cache, OVnode *owner) {
    std::vector<Frame> frames;
    frames.push_back(start_frame(owner, first));
    for (;;) {
        Frame &f = frames.back();
        if (f.cursor) {
            visit(frames);
            continue;
        }
        if (frames.size() > 1) {
            finish(f);
            frames.pop_back();
            continue;
        }
        if (f.owner)
            finish(f);
        else if (f.box.any)
            write_cache(f.box, cache);
        return f.box.any;
    }
}

} // namespace

bool fresh_bounds(OVnode *node) {
    if (!node) return false;
    if (node->header.type == NT_OBJECT) {
        refresh_object(node);
    } else if (node_is_grouping(node->header.type) && (node->flags & NODE_CHANGED)) {
        run(node->first_child, node, node);
    }
    return (node->flags & NODE_HASBOUNDS) != 0;
}

} // namespace orv::scene

extern "C" ORV_API int _OVnode_update(OVlink *first, OVnode *cache) {
    if (!first || !cache) return false;
    return orv::scene::run(first, cache, nullptr);
}
