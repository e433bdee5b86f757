// Removing a vertex and filling the hole left by the polygons around it.
#include "geometry/polygon_plane.h"

using namespace orv::geom;

namespace {

using Edge = std::pair<OVvertex *, OVvertex *>;

// The link of v: the edges of its star that do not touch it, chained end to end.
bool link_chain(OVpolylist *star, OVvertex *v, std::vector<OVvertex *> &chain) {
    std::vector<Edge> edges;
    std::size_t expected = 0;
    std::vector<OVvertex *> vs;
    for (OVpolylist *e = star; e; e = e->next) {
        if (!e->poly) continue;
        corner_vertices(e->poly, vs);
        std::size_t n = vs.size();
        expected += n - 2;
        for (std::size_t j = 0; j < n; ++j)
            if (vs[j] != v && vs[(j + 1) % n] != v) edges.emplace_back(vs[j], vs[(j + 1) % n]);
    }
    if (edges.size() != expected || edges.empty()) return false;
    std::vector<bool> used(edges.size(), false);
    chain = {edges[0].first, edges[0].second};
    used[0] = true;
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < edges.size(); ++i) {
            if (used[i]) continue;
            if (edges[i].first == chain.back()) {
                chain.push_back(edges[i].second);
            } else if (edges[i].second == chain.front()) {
                chain.insert(chain.begin(), edges[i].first);
            } else
                continue;
            used[i] = grew = true;
        }
    }
    for (bool u : used)
        if (!u) {
            OVwarning("Singular Vertex - Unable to colapse\n");
            return false;
        }
    return true;
}

// Ear clipping of the chain seen along normal; triangles keep the chain's winding.
bool fill(const std::vector<OVvertex *> &chain, const float *normal,
          std::vector<std::array<int, 3>> &tris) {
    std::vector<P2> q = project(chain, normal);
    std::vector<int> left;
    double area = 0;
    for (std::size_t i = 0; i < q.size(); ++i) {
        left.push_back(static_cast<int>(i));
        area += area2({0, 0}, q[i], q[(i + 1) % q.size()]);
    }
    double sign = area < 0 ? -1 : 1;
    while (left.size() > 3) {
        std::size_t m = left.size();
        bool clipped = false;
        for (std::size_t i = 0; i < m && !clipped; ++i) {
            int a = left[(i + m - 1) % m], b = left[i], c = left[(i + 1) % m];
            if (sign * area2(q[a], q[b], q[c]) <= 0) continue;
            bool inside = false;
            for (int k : left)
                if (k != a && k != b && k != c && sign * area2(q[a], q[b], q[k]) >= 0 &&
                    sign * area2(q[b], q[c], q[k]) >= 0 && sign * area2(q[c], q[a], q[k]) >= 0)
                    inside = true;
            if (inside) continue;
            tris.push_back({a, b, c});
            left.erase(left.begin() + static_cast<long>(i));
            clipped = true;
        }
        if (!clipped) return false;
    }
    tris.push_back({left[0], left[1], left[2]});
    return true;
}

void delete_star(OVpolylist *star) {
    for (OVpolylist *e = star; e; e = e->next)
        if (e->poly) OVpoly_delete(e->poly);
}

} // namespace

extern "C" {

int OVgeometry_colapsevertex(OVgeometry *g, OVvertex *v, float tolerance) {
    if (!g || !v || !_OVgeometry_modifiable(g)) return 0;
    OVpolylist *star = _OVgeometry_getvertexstar(g, v);
    std::vector<OVvertex *> chain;
    bool ok = OVpolylist_npolys(star) > 0 && link_chain(star, v, chain);
    if (ok && chain.front() == chain.back())
        chain.pop_back();
    else if (ok) {
        float dir[3], worst = 0;
        sub(chain.back()->position, chain.front()->position, dir);
        float len = length(dir);
        for (std::size_t i = 1; i + 1 < chain.size(); ++i) {
            float w[3], c[3];
            sub(chain[i]->position, chain.front()->position, w);
            cross(w, dir, c);
            worst = std::fmax(worst, len > 0 ? length(c) / len : length(w));
        }
        if (worst < tolerance) {
            delete_star(star);
            OVpolylist_delete(star);
            return 1;
        }
    }
    std::vector<std::array<int, 3>> tris;
    OVp3 normal = {0, 0, 0};
    if (ok) {
        _OVpolylist_getnormal(star, normal);
        ok = chain.size() >= 3 && length(normal) > 0 && fill(chain, normal, tris);
    }
    if (!ok) {
        OVpolylist_delete(star);
        return 0;
    }
    delete_star(star);
    OVpolylist_delete(star);
    OVgeometry_beginedit(g);
    for (const auto &t : tris) {
        OVpoly *p = OVgeometry_beginpoly(g);
        for (int i : t)
            OVpoly_addvertexptr(p, chain[i]);
        if (OVpoly_close(p))
            OVpoly_setbothsides(p, 1);
        else
            _OVpoly_cancel(p);
    }
    v->flags |= OVVERTEX_MOVED;
    OVgeometry_endedit(g);
    OVgeometry_recomputestats(g, 1);
    return 1;
}

} // extern "C"
