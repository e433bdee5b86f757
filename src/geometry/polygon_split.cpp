// Splitting non-convex polygons along diagonals into convex pieces, and
// fanning non-planar polygons into triangles.
#include "geometry/polygon_plane.h"

namespace orv::geom {
namespace {

bool reflex_at(const std::vector<P2> &q, int i) {
    int n = static_cast<int>(q.size());
    return area2(q[(i + n - 1) % n], q[i], q[(i + 1) % n]) < 0;
}

// The diagonal from i to j leaves i into the interior of its angle.
bool in_cone(const std::vector<P2> &q, int i, int j) {
    int n = static_cast<int>(q.size());
    P2 a = q[(i + n - 1) % n], b = q[i], c = q[(i + 1) % n], d = q[j];
    if (area2(a, b, c) >= 0) return area2(b, d, a) > 0 && area2(d, b, c) > 0;
    return !(area2(b, d, c) >= 0 && area2(d, b, a) >= 0);
}

bool on_segment(P2 a, P2 b, P2 p) {
    return area2(a, b, p) == 0 && std::fmin(a.x, b.x) <= p.x && p.x <= std::fmax(a.x, b.x) &&
           std::fmin(a.y, b.y) <= p.y && p.y <= std::fmax(a.y, b.y);
}

bool crosses(P2 a, P2 b, P2 c, P2 d) {
    if (on_segment(a, b, c) || on_segment(a, b, d))
        return true; // an edge end on the diagonal blocks it
    double d1 = area2(a, b, c), d2 = area2(a, b, d), d3 = area2(c, d, a), d4 = area2(c, d, b);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

bool valid_diagonal(const std::vector<P2> &q, int i, int j) {
    int n = static_cast<int>(q.size());
    if (!in_cone(q, i, j) || !in_cone(q, j, i)) return false;
    for (int k = 0; k < n; ++k) {
        int k1 = (k + 1) % n;
        if (k == i || k == j || k1 == i || k1 == j) continue;
        if (crosses(q[i], q[j], q[k], q[k1])) return false;
    }
    return true;
}

// Picks the diagonal end for reflex corner r, or -1.
int find_diagonal(const std::vector<P2> &q, int r) {
    int n = static_cast<int>(q.size());
    int last_valid = -1;
    for (int s = 2; s <= n - 2; ++s) {
        int j = (r + s) % n;
        if (!valid_diagonal(q, r, j)) continue;
        last_valid = j;
        // Resolved: the piece holding r's successor has no reflex turn at r.
        if (area2(q[j], q[r], q[(r + 1) % n]) >= 0) return j;
    }
    return last_valid;
}

void ring_range(const std::vector<OVvertex *> &vs, int from, int to, std::vector<OVvertex *> &out,
                std::vector<int> &index) {
    int n = static_cast<int>(vs.size());
    out.clear();
    index.clear();
    for (int k = from;; k = (k + 1) % n) {
        out.push_back(vs[k]);
        index.push_back(k);
        if (k == to) break;
    }
}

// Fans p into triangles when no diagonal can be found (self-touching outlines).
void fan_split(OVpoly *p) {
    std::vector<OVvertex *> vs, tri;
    corner_vertices(p, vs);
    int n = static_cast<int>(vs.size());
    OVpoly *after = p;
    for (int k = 1; k <= n - 3; ++k) {
        tri = {vs[0], vs[k], vs[k + 1]};
        after = sibling(p, after, tri, {0, k, k + 1});
        _OVpoly_stats(after);
        after->flags |= OVPOLY_CONVEX;
    }
    tri = {vs[0], vs[n - 2], vs[n - 1]};
    std::vector<int> index{0, n - 2, n - 1};
    set_corners(p, tri, &index);
}

} // namespace
} // namespace orv::geom

using namespace orv::geom;

extern "C" {

void _OVpoly_makeconvex(OVpoly *start) {
    if (!start) return;
    std::vector<OVpoly *> work{start};
    std::vector<OVvertex *> vs, side;
    std::vector<int> index;
    while (!work.empty()) {
        OVpoly *p = work.back();
        work.pop_back();
        corner_vertices(p, vs);
        if (vs.size() < 4 || _OVpoly_convex(p)) {
            _OVpoly_stats(p);
            continue;
        }
        std::vector<P2> q = project(vs, p->normal);
        int n = static_cast<int>(q.size()), r = -1;
        for (int i = 0; i < n && r < 0; ++i)
            if (reflex_at(q, i)) r = i;
        int j = r < 0 ? -1 : find_diagonal(q, r);
        if (j < 0) {
            if (r < 0) { // no reflex turn in the plane: convex after all
                p->flags |= OVPOLY_CONVEX;
                _OVpoly_stats(p);
            } else {
                fan_split(p);
                _OVpoly_stats(p);
                p->flags |= OVPOLY_CONVEX;
            }
            continue;
        }
        ring_range(vs, j, r, side, index);
        OVpoly *piece = sibling(p, p, side, index);
        ring_range(vs, r, j, side, index);
        set_corners(p, side, &index);
        work.push_back(piece);
        work.push_back(p);
    }
}

void _OVpoly_triangulate(OVpoly *p) {
    if (!p) return;
    std::vector<OVvertex *> vs, tri;
    corner_vertices(p, vs);
    int n = static_cast<int>(vs.size());
    if (n < 4) return;
    OVpoly *after = p;
    for (int k = 1; k <= n - 3; ++k) {
        tri = {vs[0], vs[k], vs[k + 1]};
        after = sibling(p, after, tri, {0, k, k + 1});
        _OVpoly_stats(after);
    }
    tri = {vs[0], vs[n - 2], vs[n - 1]};
    std::vector<int> index{0, n - 2, n - 1};
    set_corners(p, tri, &index);
    _OVpoly_stats(p);
}

} // extern "C"

namespace orv::geom {

OVpoly *repair(OVpoly *p, bool planar) {
    if (p->ncorners < 4) return p->next;
    if (!(p->flags & OVPOLY_CONVEX)) _OVpoly_makeconvex(p);
    if (planar || p->ncorners < 4 || _OVpoly_stats(p)) return p->next;
    int made = p->ncorners - 3;
    _OVpoly_triangulate(p);
    OVpoly *next = p->next;
    while (made-- > 0 && next)
        next = next->next; // the fan's triangles are finished already
    return next;
}

} // namespace orv::geom
