// Per-polygon statistics: extents, normal, convexity, planarity, area, and
// removal of repeated corners.
#include "geometry/geometry_internal.h"

namespace orv::geom {

// Scratch corner positions; statistics run on the simulation thread only (a
// plain static: thread-local storage in a shared library costs a call per use).
static std::vector<const float *> pts;

static int gather(const OVpoly *p) {
    std::span<OVvertex *const> ring = corners_of(p);
    pts.resize(ring.size());
    for (std::size_t i = 0; i < ring.size(); ++i)
        pts[i] = ring[i]->position;
    return static_cast<int>(ring.size());
}

// The three quotients in one vector division: each lane is rounded exactly as
// a scalar division, without waiting on three in a row.
static void divide3(const float *in, float d, float *out) {
    typedef float Lanes __attribute__((vector_size(16)));
    Lanes q = Lanes{in[0], in[1], in[2], 1.0f} / Lanes{d, d, d, d};
    out[0] = q[0];
    out[1] = q[1];
    out[2] = q[2];
}

// The turn at the corner after c: (c+2 - c+1) x (c - c+1), indices wrapping.
[[gnu::always_inline]] static inline void turn(const float *const *pts, int c, int n, float *out) {
    int c1 = c + 1 < n ? c + 1 : c + 1 - n, c2 = c + 2 < n ? c + 2 : c + 2 - n;
    float a[3], b[3];
    sub(pts[c], pts[c1], a);
    sub(pts[c2], pts[c1], b);
    cross(b, a, out);
}

// The mean of the n corners at pts. Fixed is the corner count when the
// caller knows it (triangles, most of every model): the same arithmetic in
// the same order, unrolled.
template <int Fixed> static void mean_of(const float *const *pts, int corners, float *centre) {
    const int n = Fixed ? Fixed : corners;
    float sum[3] = {0, 0, 0};
#pragma GCC unroll 4
    for (int i = 0; i < n; ++i)
#pragma GCC unroll 3
        for (int a = 0; a < 3; ++a)
            sum[a] += pts[i][a];
    divide3(sum, static_cast<float>(n), centre);
}

// The centre of the corners at pts, and the radius about it.
template <int Fixed> static float extent_of(const float *const *pts, int corners, float *centre) {
    const int n = Fixed ? Fixed : corners;
    float lo[3] = {1e38f, 1e38f, 1e38f}, hi[3] = {-1e38f, -1e38f, -1e38f};
#pragma GCC unroll 4
    for (int i = 0; i < n; ++i)
#pragma GCC unroll 3
        for (int a = 0; a < 3; ++a) {
            const float *q = pts[i];
            // Like fmin and fmax: a NaN coordinate leaves the bound alone.
            if (q[a] < lo[a]) lo[a] = q[a];
            if (q[a] > hi[a]) hi[a] = q[a];
        }
    mean_of<Fixed>(pts, n, centre);
    float spread[3];
#pragma GCC unroll 3
    for (int a = 0; a < 3; ++a) {
        float up = hi[a] - centre[a], down = centre[a] - lo[a];
        spread[a] = up >= down || down != down ? up : down; // fmax, kept inline
    }
    return length(spread);
}

// The statistics of the corners at pts: convexity, the normal and, for four
// corners or more, planarity.
template <int Fixed> static int stats_of(OVpoly *p, const float *const *pts, int corners) {
    const int n = Fixed ? Fixed : corners;
    bool fixed = p->flags & OVPOLY_FIXEDNORMAL;
    if (!fixed && n >= 3) {
        float ref[3] = {0, 0, 0}, sum[3] = {0, 0, 0}, t[3];
        bool have_ref = false, convex = true;
#pragma GCC unroll 4
        for (int c = 0; c < n; ++c) {
            turn(pts, c, n, t);
            if (!have_ref && (t[0] != 0 || t[1] != 0 || t[2] != 0)) {
                copy3(t, ref);
                have_ref = true;
            }
            if (have_ref && dot(t, ref) < 0) convex = false;
#pragma GCC unroll 3
            for (int a = 0; a < 3; ++a)
                sum[a] += t[a];
        }
        if (convex)
            p->flags |= OVPOLY_CONVEX;
        else {
            p->flags &= ~OVPOLY_CONVEX;
            sum[0] = sum[1] = sum[2] = 0;
            for (int k = 1; k <= n - 2; ++k) {
                float e[3], f[3];
                sub(pts[k + 1], pts[k], e);
                sub(pts[0], pts[k], f);
                cross(e, f, t);
                for (int a = 0; a < 3; ++a)
                    sum[a] += t[a];
            }
        }
        if (sum[0] == 0 && sum[1] == 0 && sum[2] == 0) {
            if (have_ref)
                copy3(ref, sum);
            else
                sum[0] = 1;
        }
        divide3(sum, length(sum), p->normal);
    } else if (!fixed) {
        // Fewer than three corners turn nowhere: the fallback normal.
        p->normal[0] = 1;
        p->normal[1] = p->normal[2] = 0;
    }
    if (n < 4 || fixed) return 1;
    float centre[3];
    mean_of<Fixed>(pts, n, centre);
    const float plane_distance = dot(p->normal, centre);
    for (int i = 0; i < n; ++i)
        if (std::fabs(plane_distance - dot(p->normal, pts[i])) > OV_TOLERANCE) return 0;
    return 1;
}

namespace {

typedef float Lanes __attribute__((vector_size(16)));

Lanes lanes(const float *p) {
    return Lanes{p[0], p[1], p[2], 0.0f};
}
// Lanes in the order (y, z, x) and (z, x, y).
Lanes yzx(Lanes v) {
    return __builtin_shufflevector(v, v, 1, 2, 0, 3);
}
Lanes zxy(Lanes v) {
    return __builtin_shufflevector(v, v, 2, 0, 1, 3);
}
// As cross: x = a.y * b.z - a.z * b.y and so on, each lane in one.
Lanes cross_lanes(Lanes a, Lanes b) {
    return yzx(a) * zxy(b) - zxy(a) * yzx(b);
}
// As dot: x * x' + y * y' + z * z', summed in that order.
float dot_lanes(Lanes a, Lanes b) {
    Lanes m = a * b;
    return (m[0] + m[1]) + m[2];
}

// A triangle's statistics: the arithmetic of stats_of<3>, each operation the
// same, with x, y and z side by side in vector lanes (every lane is rounded
// as the scalar operation is). Turns that are all non-zero and agree, the
// case of every sound triangle, need no reference search; any other triangle
// takes stats_of.
int triangle_stats(OVpoly *p, const float *const *q) {
    if (p->flags & OVPOLY_FIXEDNORMAL) return 1;
    const Lanes a = lanes(q[0]), b = lanes(q[1]), c = lanes(q[2]);
    const Lanes t0 = cross_lanes(c - b, a - b), t1 = cross_lanes(a - c, b - c),
                t2 = cross_lanes(b - a, c - a);
    if ((t0[0] == 0 && t0[1] == 0 && t0[2] == 0) || dot_lanes(t1, t0) < 0 || dot_lanes(t2, t0) < 0)
        return stats_of<3>(p, q, 3);
    const Lanes sum = ((Lanes{} + t0) + t1) + t2;
    if (sum[0] == 0 && sum[1] == 0 && sum[2] == 0) return stats_of<3>(p, q, 3);
    p->flags |= OVPOLY_CONVEX;
    // length() takes its root in double: the same float for every input.
    const Lanes normal = sum / std::sqrt(dot_lanes(sum, sum));
    p->normal[0] = normal[0];
    p->normal[1] = normal[1];
    p->normal[2] = normal[2];
    return 1;
}

bool same_position(const float *a, const float *b) {
    for (int k = 0; k < 3; ++k)
        if (std::fabs(a[k] - b[k]) >= 0.00001f) return false;
    return true;
}

} // namespace

bool settle_built_triangle(OVpoly *p, OVvertex *const *ring) {
    const float *q[3] = {ring[0]->position, ring[1]->position, ring[2]->position};
    p->flags &= static_cast<std::uint16_t>(~kPolyStatsPending);
    triangle_stats(p, q);
    return !same_position(q[0], q[1]) && !same_position(q[1], q[2]) && !same_position(q[2], q[0]);
}

int measure_built(OVpoly *p) {
    if (p->ncorners == 3 && settle_built_triangle(p, corners_of(p).data())) return 3;
    if (p->ncorners != 3) _OVpoly_stats(p);
    return _OVpoly_removeduplicates(p);
}

float poly_extent(const OVpoly *p, float centre[3]) {
    std::span<OVvertex *const> ring = corners_of(p);
    if (ring.size() == 3) {
        const float *triangle[3] = {ring[0]->position, ring[1]->position, ring[2]->position};
        return extent_of<3>(triangle, 3, centre);
    }
    if (ring.empty()) {
        centre[0] = centre[1] = centre[2] = 0;
        return 0;
    }
    int n = gather(p);
    return extent_of<0>(pts.data(), n, centre);
}

} // namespace orv::geom

using namespace orv::geom;

extern "C" {

int _OVpoly_stats(OVpoly *p) {
    if (!p) return 0;
    p->flags &= static_cast<std::uint16_t>(~kPolyStatsPending);
    std::span<OVvertex *const> ring = corners_of(p);
    if (ring.size() == 3) {
        const float *triangle[3] = {ring[0]->position, ring[1]->position, ring[2]->position};
        return triangle_stats(p, triangle);
    }
    int n = gather(p);
    return stats_of<0>(p, pts.data(), n);
}

int _OVpoly_convex(OVpoly *p) {
    if (!p) return 0;
    int n = gather(p);
    if (n > 3)
        for (int c = 0; c < n; ++c) {
            float e[3], f[3], t[3];
            sub(pts[(c + 1) % n], pts[c], e);
            sub(pts[(c + 2) % n], pts[(c + 1) % n], f);
            cross(e, f, t);
            if (dot(t, p->normal) < 0) {
                p->flags &= ~OVPOLY_CONVEX;
                return 0;
            }
        }
    p->flags |= OVPOLY_CONVEX;
    return 1;
}

float OVpoly_getarea(OVpoly *p) {
    if (!p) return 0;
    int n = gather(p);
    if (n < 3) return 0;
    int drop = 0;
    for (int a = 1; a < 3; ++a)
        if (std::fabs(p->normal[a]) > std::fabs(p->normal[drop])) drop = a;
    if (p->normal[drop] == 0) return 0;
    int x = (drop + 1) % 3, y = (drop + 2) % 3;
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += pts[i][x] * (pts[(i + 1) % n][y] - pts[(i + n - 1) % n][y]);
    return static_cast<float>(std::fabs(sum / 2 / p->normal[drop]));
}

static bool same_place(const OVvertex *a, const OVvertex *b) {
    return same_position(a->position, b->position);
}

// The corner count when no corner repeats its predecessor (the ring
// wrapping), else 0.
static int count_if_clean(const OVpoly *p) {
    std::span<OVvertex *const> ring = corners_of(p);
    const std::size_t n = ring.size();
    if (n == 0) return 0;
    for (std::size_t i = 0; i + 1 < n; ++i)
        if (same_place(ring[i], ring[i + 1])) return 0;
    return n > 1 && same_place(ring[n - 1], ring[0]) ? 0 : static_cast<int>(n);
}

int _OVpoly_removeduplicates(OVpoly *p) {
    if (!p) return 0;
    if (int n = count_if_clean(p)) return n;
    std::vector<OVvertex *> vs;
    corner_vertices(p, vs);
    auto same = same_place;
    std::vector<OVvertex *> kept;
    std::vector<int> index;
    for (int i = 0; i < static_cast<int>(vs.size()); ++i)
        if (kept.empty() || !same(kept.back(), vs[i])) {
            kept.push_back(vs[i]);
            index.push_back(i);
        }
    while (kept.size() > 1 && same(kept.back(), kept.front())) {
        kept.pop_back();
        index.pop_back();
    }
    if (kept.size() != vs.size()) set_corners(p, kept, &index);
    return static_cast<int>(kept.size());
}

void _OVpolylist_getnormal(OVpolylist *l, OVp3 n) {
    if (!n) return;
    n[0] = n[1] = n[2] = 0;
    for (; l; l = l->next)
        if (l->poly) {
            float area = OVpoly_getarea(l->poly);
            for (int a = 0; a < 3; ++a)
                n[a] += l->poly->normal[a] * area;
        }
    float len = length(n);
    if (len > 0)
        for (int a = 0; a < 3; ++a)
            n[a] /= len;
}

int _OVpoly_rayintersect(OVpoly *p, const OVp3 origin, const OVp3 direction, float *best) {
    if (!p || !best) return 0;
    float w[3], normal[3], centre[3];
    const float radius = poly_extent(p, centre);
    copy3(p->normal, normal);
    sub(origin, centre, w);
    float s = dot(w, normal);
    if (s < 0) {
        if (!(p->flags & OVPOLY_BOTHSIDES)) return 0;
        for (float &c : normal)
            c = -c;
        s = -s;
    }
    float d = -dot(normal, direction);
    if (d < 0.0001f) return 0;
    float t = s / d;
    if (t < 0 || t > *best) return 0;
    float ww = dot(w, w), r2 = radius * radius, wd = dot(w, direction);
    if (ww >= r2 && (-wd < 0 || r2 - ww + wd * wd < 0)) return 0;
    float h[3];
    for (int a = 0; a < 3; ++a)
        h[a] = origin[a] + t * direction[a];
    int n = gather(p);
    for (int i = 0; i < n; ++i) {
        float e[3], c[3], q[3];
        sub(pts[(i + 1) % n], pts[i], e);
        cross(e, p->normal, c); // the ring winds about the stored normal on either side
        sub(pts[i], h, q);
        if (dot(q, c) < 0) return 0;
    }
    *best = t;
    return 1;
}

} // extern "C"
