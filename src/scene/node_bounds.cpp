// The cached bounds of grouping nodes, recomputed on demand. A cache nested
// in the one being computed is recomputed first, on the same walk with a
// frame of its own, so graphs of any depth need no call stack.
#include "geometry/geometry_access.h"
#include "orv/message.h"
#include "orv/node.h"
#include "scene/node_internal.h"
#include "scene/node_xform_walk.h"
#include "orv/orv_internal.h"
#include "scene/scene_hooks.h"
#include "scene/scene_walk.h"

#include <cmath>
#include <cstring>
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

void write_cache(const Box &box, OVnode *node) {
    GroupRecord *cache = group_record(node);
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
    auto *gl = static_cast<const OVglnodedata *>(node_payload(n));
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
    Frame f{owner, 0, {}, {{0, 0, 0}, {0, 0, 0}, false}};
    set_identity(f.t.m);
    f.t.kind = 0;
    // A switch's index counts from its first child even when started later.
    if (first)
        for (OVlink *l = first->prev_sibling; l; l = l->prev_sibling)
            ++f.index;
    return f;
}

// The frames of the caches being computed; nested computations use it above
// the outer ones.
std::vector<Frame> &frames() {
    static std::vector<Frame> stack;
    return stack;
}

void add_cached(Frame &f, const OVnode *c) {
    if (!(c->flags & NODE_HASBOUNDS)) return;
    const GroupRecord *g = group_record(c);
    add_placed(f.box, f.t, g->midpoint, g->extents);
}

// What a shown or hidden child adds to the frame, by its bounds role.
void contribute(Frame &f, OVnode *c, bool shown) {
    switch (node_traits(c->header.type).bounds) {
    case BoundsRole::cached:
        if (shown) add_cached(f, c);
        break;
    case BoundsRole::passing:
        if (!shown) break;
        add_cached(f, c);
        if (const OVm4 *passed = passing_record(c).passed_on)
            compose_into(f.t, *passed, passing_record(c).passed_kind);
        break;
    case BoundsRole::geometry:
        c->flags &= static_cast<std::uint8_t>(~NODE_CHANGED);
        if (OVgeometry *g = node_geometry(c); shown && g)
            add_placed(f.box, f.t, geom::geometry_midpoint(g), geom::geometry_half_extents(g));
        break;
    case BoundsRole::object:
        refresh_object(c);
        if (shown) add_cached(f, c);
        break;
    case BoundsRole::transform:
        if (shown) compose_xform(f.t, c);
        break;
    case BoundsRole::callback:
        c->flags &= static_cast<std::uint8_t>(~NODE_CHANGED);
        if (shown) add_callback(f.box, f.t, c);
        break;
    case BoundsRole::none:
        break;
    case BoundsRole::unknown:
        OVfatal("Node type (%d) not updated\n", c->header.type);
        break;
    }
}

// A nested cache is complete. Its frame's transform is what the node passes
// on (the composition _OVnode_getxforms makes of its children), kept so that
// a valid cache needs no walk of the subtree.
void finish(const Frame &f) {
    if (f.box.any) write_cache(f.box, f.owner);
    set_bounds_flag(f.owner, f.box.any);
    if (!has_trait(f.owner, TRAIT_PASSES)) return;
    PassingRecord &p = passing_record(f.owner);
    p.passed_kind = f.t.kind;
    if (!f.t.kind) return;
    if (!p.passed_on) p.passed_on = static_cast<OVm4 *>(OVmalloc(sizeof(OVm4)));
    std::memcpy(*p.passed_on, f.t.m, sizeof(OVm4));
}

// Runs the walk for the given link. With an owner, the owner's cache and
// flags are set by the result; without, the result goes into `cache` when
// anything was found. Nested caches always get their flags set.
bool run(OVlink *first, OVnode *cache, OVnode *owner) {
    std::vector<Frame> &stack_frames = frames();
    stack_frames.push_back(start_frame(owner, first));
    WalkStack &stack = shared_walk_stack();
    const int base = stack.count;
    if (first) stack.push(first, STEP_LINK);
    auto visit = [&](OVnode *c, OVlink *l) {
        Frame &f = stack_frames.back();
        l->flags &= static_cast<std::uint8_t>(~NODE_CHANGED);
        const bool shown = switch_shows(f.owner ? f.owner : l->parent, f.index++);
        if (shown && (c->flags & NODE_CHANGED) && has_trait(c, TRAIT_GROUPING) &&
            c->header.type != OVNODE_ROOT) {
            // Its own cache first; it is added when its end marker comes.
            stack.push(c, STEP_ENDCACHE);
            stack_frames.push_back(start_frame(c, first_child(c)));
            push_children(stack, c);
            return true;
        }
        contribute(f, c, shown);
        return true;
    };
    auto close = [&](const Step &step) {
        finish(stack_frames.back());
        stack_frames.pop_back();
        contribute(stack_frames.back(), static_cast<OVnode *>(step.item), true);
    };
    run_walk(stack, base, visit, close);
    const Frame f = stack_frames.back();
    stack_frames.pop_back();
    if (f.owner)
        finish(f);
    else if (f.box.any)
        write_cache(f.box, cache);
    return f.box.any;
}

} // namespace

bool fresh_bounds(OVnode *node) {
    if (!node) return false;
    if (node->header.type == OVNODE_OBJECT) {
        refresh_object(node);
    } else if (node_is_grouping(node->header.type) && (node->flags & NODE_CHANGED)) {
        run(first_child(node), node, node);
    }
    return (node->flags & NODE_HASBOUNDS) != 0;
}

} // namespace orv::scene

extern "C" ORV_API int _OVnode_update(OVlink *first, OVnode *cache) {
    if (!first || !cache || !orv::scene::group_record(cache)) return false;
    return orv::scene::run(first, cache, nullptr);
}
