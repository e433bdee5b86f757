// Cylinders, cones and truncated cones around the y axis.
#include "core/finite.h"
#include "geometry/geometry_internal.h"

using namespace orv::geom;

namespace {

constexpr float two_pi = 6.28318530717958647692f;

// A ring of n vertices at height y and radius r: (r cos t, y, r sin t).
void ring(OVgeometry *g, int n, float r, float y, const float *smooth_ny = nullptr,
          float smooth_scale = 1) {
    for (int k = 0; k < n; ++k) {
        float t = k * two_pi / n;
        float normal[3] = {std::cos(t) * smooth_scale, smooth_ny ? *smooth_ny : 0,
                           std::sin(t) * smooth_scale};
        primitive_vertex(g, r * std::cos(t), y, r * std::sin(t), smooth_ny ? normal : nullptr);
    }
}

// A cap is one polygon of all the sides, so more than a polygon can hold is
// refused before anything is built.
bool bad_sides(int sides) {
    return sides < 3 || sides > OVPOLY_MAXCORNERS;
}

std::vector<int> run(int from, int count, int step) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(from + i * step);
    return out;
}

} // namespace

extern "C" {

OVgeometry *OVgeometry_newcylinder(float height, float radius, int sides, int bothsides,
                                   int smooth) {
    if (!orv::finite(height, radius) || std::fabs(height) < OV_TOLERANCE ||
        std::fabs(radius) < OV_TOLERANCE || bad_sides(sides))
        return nullptr;
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    int n = sides;
    ring(g, n, radius, height / 2);
    ring(g, n, radius, -height / 2);
    const float flat = 0;
    if (smooth) {
        ring(g, n, radius, height / 2, &flat);
        ring(g, n, radius, -height / 2, &flat);
    }
    bool ok = primitive_poly(g, run(n - 1, n, -1), bothsides) &&
              primitive_poly(g, run(n, n, 1), bothsides);
    int o = smooth ? 2 * n : 0;
    for (int k = 0; k < n && ok; ++k) {
        int m = (k + 1) % n;
        ok = primitive_poly(g, {o + k, o + m, o + n + m, o + n + k}, bothsides);
    }
    return primitive_finish(g, "cylinder", ok);
}

OVgeometry *OVgeometry_newcone(float height, float radius, int sides, int bothsides) {
    if (!orv::finite(height, radius) || std::fabs(height) < OV_TOLERANCE ||
        std::fabs(radius) < OV_TOLERANCE || bad_sides(sides))
        return nullptr;
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    int n = sides;
    for (int k = 0; k < n; ++k) {
        float t = k * two_pi / n;
        primitive_vertex(g, radius * std::sin(t), height / 2, radius * std::cos(t));
    }
    bool ok = primitive_poly(g, run(0, n, 1), bothsides);
    primitive_vertex(g, 0, -height / 2, 0);
    for (int k = 0; k < n && ok; ++k)
        ok = primitive_poly(g, {k, n, (k + 1) % n}, bothsides);
    return primitive_finish(g, "cone", ok);
}

OVgeometry *OVgeometry_newtruncone(float height, float radius1, float radius2, int sides,
                                   int bothsides, int smooth) {
    if (!orv::finite(height, radius1, radius2) || height < OV_TOLERANCE ||
        std::fabs(radius1) < OV_TOLERANCE || std::fabs(radius2) < OV_TOLERANCE || bad_sides(sides))
        return nullptr;
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    int n = sides;
    ring(g, n, radius1, -height / 2);
    ring(g, n, radius2, height / 2);
    if (smooth) {
        float a = std::atan((radius1 - radius2) / height);
        float ny = std::sin(a), scale = std::fabs(std::cos(a));
        ring(g, n, radius1, -height / 2, &ny, scale);
        ring(g, n, radius2, height / 2, &ny, scale);
    }
    bool ok = primitive_poly(g, run(0, n, 1), bothsides) &&
              primitive_poly(g, run(2 * n - 1, n, -1), bothsides);
    int o = smooth ? 2 * n : 0;
    for (int k = 0; k < n && ok; ++k) {
        int m = (k + 1) % n;
        ok = primitive_poly(g, {o + m, o + k, o + n + k, o + n + m}, bothsides);
    }
    return primitive_finish(g, "trunc_cone", ok);
}

} // extern "C"
