// Prisms of an outline in the x-z plane along y.
#include "core/finite.h"
#include "geometry/geometry_internal.h"

using namespace orv::geom;

namespace {

// Outlines longer than this are a caller's error: the caps hold at most
// OVPOLY_MAXCORNERS corners once near-duplicates are gone.
constexpr int max_outline_points = 65536;

// Outline normals in the x-z plane, pointing away from the outline's inside.
std::vector<std::array<float, 3>> outline_normals(const std::vector<std::array<float, 2>> &pts) {
    int c = static_cast<int>(pts.size());
    std::vector<std::array<float, 3>> edge(c), out(c);
    for (int i = 0; i < c; ++i) { // edge i runs from point i to point i+1
        float dx = pts[(i + 1) % c][0] - pts[i][0], dz = pts[(i + 1) % c][1] - pts[i][1];
        float len = std::hypot(dx, dz);
        edge[i] = {-dz / len, 0, dx / len}; // (0, -1, 0) x direction
    }
    float cx = 0, cz = 0, outward = 0;
    for (const auto &p : pts) {
        cx += p[0] / c;
        cz += p[1] / c;
    }
    for (int i = 0; i < c; ++i) {
        const auto &a = edge[(i + c - 1) % c], &b = edge[i];
        float x = a[0] + b[0], z = a[2] + b[2], len = std::hypot(x, z);
        out[i] = len > 0 ? std::array<float, 3>{x / len, 0, z / len} : b;
        outward += out[i][0] * (pts[i][0] - cx) + out[i][2] * (pts[i][1] - cz);
    }
    if (outward < 0)
        for (auto &n : out)
            n = {-n[0], 0, -n[2]};
    return out;
}

} // namespace

extern "C" {

OVgeometry *OVgeometry_newextrusion(const OVp2 *points, int count, float height, int bothsides,
                                    int smooth) {
    if (!points || count < 3 || !(height > OV_TOLERANCE) || !orv::finite(height)) return nullptr;
    if (count > max_outline_points) {
        OVwarning("OVgeometry_newextrusion: %d points are more than %d\n", count,
                  max_outline_points);
        return nullptr;
    }
    if (!orv::finite(&points[0][0], 2 * count)) return nullptr;
    std::vector<std::array<float, 2>> pts;
    for (int j = 0; j < count; ++j)
        if (pts.empty() ||
            std::hypot(points[j][0] - pts.back()[0], points[j][1] - pts.back()[1]) >= OV_TOLERANCE)
            pts.push_back({points[j][0], points[j][1]});
    int c = static_cast<int>(pts.size());
    if (c < 3 || c > OVPOLY_MAXCORNERS) return nullptr; // the caps must be polygons
    float turn = 0;
    for (int k = 1; k < c; ++k) {
        float ax = pts[(k + 1) % c][0] - pts[k][0], az = pts[(k + 1) % c][1] - pts[k][1];
        float bx = pts[0][0] - pts[k][0], bz = pts[0][1] - pts[k][1];
        turn += az * bx - ax * bz;
    }
    if (turn < 0) std::reverse(pts.begin(), pts.end());
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    auto rings = [&](const std::vector<std::array<float, 3>> *normals) {
        for (int j = 0; j < c; ++j)
            primitive_vertex(g, pts[c - 1 - j][0], -height / 2, pts[c - 1 - j][1],
                             normals ? (*normals)[c - 1 - j].data() : nullptr);
        for (int j = 0; j < c; ++j)
            primitive_vertex(g, pts[j][0], height / 2, pts[j][1],
                             normals ? (*normals)[j].data() : nullptr);
    };
    rings(nullptr);
    if (smooth) {
        auto normals = outline_normals(pts);
        rings(&normals);
    }
    std::vector<int> cap_a, cap_b;
    for (int j = 0; j < c; ++j) {
        cap_a.push_back(j);
        cap_b.push_back(c + j);
    }
    bool ok = primitive_poly(g, cap_a, bothsides) && primitive_poly(g, cap_b, bothsides);
    int o = smooth ? 2 * c : 0;
    for (int j = 0; j < c && ok; ++j) {
        int e = j + 2 > c ? (j + 2) % c : j + 2;
        ok = primitive_poly(g, {o + (j + 1) % c, o + j, o + 2 * c - j - 1, o + 2 * c - e},
                            bothsides);
    }
    return primitive_finish(g, "extrusion", ok);
}

} // extern "C"
