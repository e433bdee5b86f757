// The default mapping: the image fitted once over the polygon, one image
// axis along a reference edge.
#include "geometry/geometry_internal.h"
#include "texture/texture_access.h"

#include <limits>

namespace orv::geom {

namespace {

// Whether two positions differ by at least the tolerance on some axis.
bool distinct(const float *a, const float *b) {
    return std::fabs(a[0] - b[0]) >= OV_TOLERANCE || std::fabs(a[1] - b[1]) >= OV_TOLERANCE ||
           std::fabs(a[2] - b[2]) >= OV_TOLERANCE;
}

// The in-plane reference direction, normalised; false when no edge counts.
// Edges run from a corner's successor to the corner. A polygon that is not
// horizontal takes the edge with the largest y; a horizontal one its first
// edge.
bool reference_direction(const std::vector<OVvertex *> &ring, const float *n, float out[3]) {
    const bool vertical_normal =
        std::fabs(n[1] - 1) < OV_TOLERANCE || std::fabs(n[1] + 1) < OV_TOLERANCE;
    bool found = false;
    const std::size_t count = ring.size();
    for (std::size_t i = 0; i < count; ++i) {
        const float *a = ring[i]->position, *b = ring[(i + 1) % count]->position;
        if (!distinct(a, b)) continue;
        float e[3];
        sub(a, b, e);
        if (!found || (!vertical_normal && e[1] > out[1])) copy3(e, out);
        found = true;
        if (vertical_normal) break;
    }
    if (!found) return false;
    const float len = length(out);
    if (len <= 0) return false;
    for (int k = 0; k < 3; ++k)
        out[k] /= len;
    return true;
}

// Position of t between lo and hi as a fraction; 0 when they coincide.
float fraction(float t, float lo, float hi) {
    return hi > lo ? (t - lo) / (hi - lo) : 0;
}

} // namespace

void default_mapping(const OVpoly *p, OVtexbinding *b) {
    std::vector<OVvertex *> ring;
    corner_vertices(p, ring);
    // The view's y axis points down, so the picture's top is against the
    // reference (the edge falling most): v grows up the polygon and u across
    // it to the right as seen from the front. Without a reference nothing is
    // rotated: the raw coordinates are x and y.
    float u_axis[3] = {1, 0, 0}, v_axis[3] = {0, 1, 0}, r[3] = {0, 0, 0};
    if (reference_direction(ring, p->normal, r)) {
        cross(p->normal, r, u_axis);
        for (int k = 0; k < 3; ++k)
            v_axis[k] = -r[k];
    }
    const std::size_t n = std::min(ring.size(), static_cast<std::size_t>(b->count));
    float centre[3];
    poly_extent(p, centre);
    std::vector<float> ru(n), rv(n);
    float lo_u = std::numeric_limits<float>::max(), hi_u = -lo_u, lo_v = lo_u, hi_v = -lo_u;
    for (std::size_t i = 0; i < n; ++i) {
        float d[3];
        sub(ring[i]->position, centre, d);
        ru[i] = dot(d, u_axis);
        rv[i] = dot(d, v_axis);
        lo_u = std::min(lo_u, ru[i]);
        hi_u = std::max(hi_u, ru[i]);
        lo_v = std::min(lo_v, rv[i]);
        hi_v = std::max(hi_v, rv[i]);
    }
    const float w = static_cast<float>(tex::texture_width(b->texture));
    const float h = static_cast<float>(tex::texture_height(b->texture));
    for (std::size_t i = 0; i < n; ++i) {
        b->u[i] = (w - 1) * fraction(ru[i], lo_u, hi_u) / w;
        b->v[i] = 1 - (h - 1) * fraction(rv[i], lo_v, hi_v) / h;
    }
}

} // namespace orv::geom
