// Rays against the geometries of a scene, walked like the collection.
#include "scene/node_intersect.h"

#include "geometry/geometry_access.h"
#include "orv/geometry.h"
#include "orv/math.h"
#include "scene/traversal_stacks.h"

#include <cmath>
#include <cstring>

namespace orv::scene {

namespace {

struct Ray {
    OVp3 origin, direction;
};

float dot(const float *a, const float *b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Whether the ray (t >= 0) can reach the sphere.
bool ray_meets_sphere(const Ray &ray, const OVp3 centre, float radius) {
    const OVp3 w = {centre[0] - ray.origin[0], centre[1] - ray.origin[1],
                    centre[2] - ray.origin[2]};
    const float dd = dot(ray.direction, ray.direction);
    const float along = dot(w, ray.direction);
    const float ww = dot(w, w), r2 = radius * radius;
    if (along <= 0) return ww <= r2;
    return ww - along * along / dd <= r2;
}

// The sphere of a node's frame placed by m, radius grown by m's scale.
bool ray_meets_placed(const Ray &ray, const OVm4 m, const OVp3 midpoint, float radius) {
    OVp3 c;
    OVp3_xformm4(midpoint, m, c);
    float scale = 0;
    for (int i = 0; i < 3; ++i)
        scale = std::fmax(scale, m[i][0] * m[i][0] + m[i][1] * m[i][1] + m[i][2] * m[i][2]);
    return ray_meets_sphere(ray, c, radius * std::sqrt(scale));
}

// The nearest polygon of the geometry hit within best; null if none.
OVpoly *hit_geometry(OVgeometry *g, const OVm4 m, const Ray &ray, float *best) {
    OVm4 inverse;
    if (!OVm4_invert(m, inverse)) return nullptr;
    Ray local;
    OVp3_xformm4(ray.origin, inverse, local.origin);
    OVp3_xformdirm4(ray.direction, inverse, local.direction);
    if (!ray_meets_sphere(local, geom::geometry_midpoint(g), geom::geometry_radius(g)))
        return nullptr;
    OVpoly *nearest = nullptr;
    for (OVpoly *p = geom::geometry_polys(g); p; p = geom::poly_next(p))
        if (!(geom::poly_render_flags(p) & OVPOLYR_INVISIBLE) &&
            _OVpoly_rayintersect(p, local.origin, local.direction, best))
            nearest = p;
    return nearest;
}

// Keeps the hits ordered by distance, the nearest first.
struct Hits {
    OVnodehit *out;
    int capacity, found;
    void add(const OVnodehit &h) {
        int at = found < capacity ? found : capacity;
        while (at > 0 && out[at - 1].distance > h.distance) {
            if (at < capacity) out[at] = out[at - 1];
            --at;
        }
        if (at < capacity) out[at] = h;
        ++found;
    }
};

// Tests a geometry (or an object's geometry) where it stands.
void test_geometry(OVnode *n, const OVm4 m, const Ray &ray, Hits &hits, bool nearest_only,
                   float &nearest) {
    OVgeometry *g = node_geometry(n);
    if (!g) return;
    float best = nearest_only ? nearest : 1e38f;
    if (OVpoly *p = hit_geometry(g, m, ray, &best)) {
        if (nearest_only) {
            nearest = best;
            hits.found = 0;
        }
        hits.add({n, p, best});
    }
}

// Walks the scene; nearest_only keeps one hit, the nearest of all.
// Separators and transform separators the ray misses are passed over.
int walk(OVnode *root, TraversalState *state, const Ray &ray, Hits &hits, bool nearest_only) {
    Stacks &s = start_walk(state, root);
    float nearest = 1e38f;
    auto visit = [&](OVnode *n, OVlink *) {
        if (!(n->flags & NODE_ENABLED)) return true;
        const NodeTraits &t = node_traits(n->header.type);
        const OVm4 &m = current_matrix(state);
        if (t.traits & TRAIT_TRANSFORM) {
            push_xform(state, n);
        } else if (t.traits & TRAIT_GROUPING) {
            if (t.traits & TRAIT_SCOPE) {
                const GroupRecord *g = group_record(n);
                if (fresh_bounds(n) && !ray_meets_placed(ray, m, g->midpoint, g->radius))
                    return true;
                open_scope(state);
                s.walk.push(n, STEP_ENDSCOPE);
            }
            push_shown(s.walk, n, &m);
        } else if (t.traits & TRAIT_POLYGONS) {
            test_geometry(n, m, ray, hits, nearest_only, nearest);
        }
        return true; // lights, fog, materials and callbacks hold no polygons
    };
    run_walk(s.walk, 0, visit, [state](const Step &) { close_scope(state); });
    return hits.found;
}

int intersect(OVnode *root, void *handle, const OVp3 origin, const OVp3 direction, Hits &hits,
              bool nearest_only) {
    if (!root || !origin || !direction) return 0;
    if (std::fabs(direction[0]) < OV_TOLERANCE && std::fabs(direction[1]) < OV_TOLERANCE &&
        std::fabs(direction[2]) < OV_TOLERANCE)
        return 0;
    auto *state = static_cast<TraversalState *>(handle ? handle : _OVnode_getstate());
    if (!handle) { // a pooled state may still hold some eye's view
        std::memset(state->view, 0, sizeof state->view);
        for (int i = 0; i < 4; ++i)
            state->view[i][i] = 1;
    }
    _OVnode_initstate(state);
    Ray ray;
    std::memcpy(ray.origin, origin, sizeof ray.origin);
    std::memcpy(ray.direction, direction, sizeof ray.direction);
    const int found = walk(root, state, ray, hits, nearest_only);
    if (!handle) _OVnode_releasestate(state);
    return found;
}

} // namespace

} // namespace orv::scene

using namespace orv::scene;

extern "C" {

ORV_API int _OVnode_intersectgeom(OVnode *root, void *state, const OVp3 origin,
                                  const OVp3 direction, OVnodehit *hit) {
    if (!hit) return 0;
    Hits hits{hit, 1, 0};
    return intersect(root, state, origin, direction, hits, true) > 0;
}

ORV_API int _OVnode_intersectgeoms(OVnode *root, void *state, const OVp3 origin,
                                   const OVp3 direction, OVnodehit *hits, int capacity) {
    if (!hits || capacity < 0) return 0;
    Hits found{hits, capacity, 0};
    return intersect(root, state, origin, direction, found, false);
}

} // extern "C"
