// Spheres and lower hemispheres of latitude bands and longitude sides.
#include "core/finite.h"
#include "geometry/geometry_internal.h"

#include <limits>

using namespace orv::geom;

namespace {

constexpr float pi = 3.14159265358979323846f;

// Rings at polar angles (i+1)·step from the -y pole, i = 0 … count-1.
void rings(OVgeometry *g, float r, int count, float step, int n) {
    for (int i = 0; i < count; ++i) {
        float p = (i + 1) * step;
        for (int k = 0; k < n; ++k) {
            float t = k * 2 * pi / n;
            primitive_vertex(g, r * std::sin(p) * std::cos(t), -r * std::cos(p),
                             r * std::sin(p) * std::sin(t));
        }
    }
}

// Bottom cap triangles and the band quads between consecutive rings.
bool lower_faces(OVgeometry *g, int first_ring, int nrings, int n, int bothsides) {
    bool ok = true;
    for (int k = 0; k < n && ok; ++k)
        ok = primitive_poly(g, {0, first_ring + k, first_ring + (k + 1) % n}, bothsides);
    for (int i = 0; i + 1 < nrings && ok; ++i) {
        int q = first_ring + i * n;
        for (int k = 0; k < n && ok; ++k) {
            int m = (k + 1) % n;
            ok = primitive_poly(g, {q + m, q + k, q + k + n, q + m + n}, bothsides);
        }
    }
    return ok;
}

void flag_smooth(OVgeometry *g) {
    for (OVvertex *v = g->vertices; v; v = v->next)
        v->flags |= OVVERTEX_SMOOTH;
}

// Vertex numbers are ints: a count past their range is refused, not wrapped.
bool refused(float radius, int bands, int sides) {
    return !orv::finite(radius) || std::fabs(radius) < OV_TOLERANCE || bands < 2 || sides < 3 ||
           static_cast<long long>(bands) * sides > std::numeric_limits<int>::max() / 2;
}

} // namespace

extern "C" {

OVgeometry *OVgeometry_newsphere(float radius, int bands, int sides, int bothsides, int smooth) {
    if (refused(radius, bands, sides)) return nullptr;
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    int n = sides;
    primitive_vertex(g, 0, -radius, 0);
    primitive_vertex(g, 0, radius, 0);
    rings(g, radius, bands - 1, pi / bands, n);
    if (smooth) flag_smooth(g);
    bool ok = lower_faces(g, 2, bands - 1, n, bothsides);
    int top = 2 + (bands - 2) * n;
    for (int k = 0; k < n && ok; ++k)
        ok = primitive_poly(g, {1, top + (k + 1) % n, top + k}, bothsides);
    return primitive_finish(g, "sphere", ok);
}

OVgeometry *OVgeometry_newhemisphere(float radius, int bands, int sides, int bothsides,
                                     int smooth) {
    if (refused(radius, bands, sides)) return nullptr;
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    primitive_vertex(g, 0, -radius, 0);
    rings(g, radius, bands, pi / (2 * bands), sides);
    if (smooth) flag_smooth(g);
    return primitive_finish(g, "hemisphere", lower_faces(g, 1, bands, sides, bothsides));
}

} // extern "C"
