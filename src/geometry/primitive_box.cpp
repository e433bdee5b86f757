// Blocks, rectangles and bounding-box outlines.
#include "core/finite.h"
#include "geometry/geometry_internal.h"

using namespace orv::geom;

extern "C" {

OVgeometry *OVgeometry_newblock(float x, float y, float z, int bothsides) {
    if (!orv::finite(x, y, z) || std::fabs(x) < OV_TOLERANCE || std::fabs(y) < OV_TOLERANCE ||
        std::fabs(z) < OV_TOLERANCE)
        return nullptr;
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < 2; ++k)
                primitive_vertex(g, i ? -x / 2 : x / 2, j ? -y / 2 : y / 2, k ? -z / 2 : z / 2);
    static const std::vector<int> faces[6] = {{6, 2, 0, 4}, {2, 3, 1, 0}, {3, 7, 5, 1},
                                              {7, 6, 4, 5}, {0, 1, 5, 4}, {6, 7, 3, 2}};
    bool ok = true;
    for (const auto &f : faces)
        ok = ok && primitive_poly(g, f, bothsides);
    return primitive_finish(g, "block", ok);
}

OVgeometry *OVgeometry_newrectangle(float height, float width, int bothsides) {
    if (!(height > OV_TOLERANCE) || !(width > OV_TOLERANCE) || !orv::finite(height, width))
        return nullptr;
    OVgeometry *g = OVgeometry_begin();
    if (!g) return nullptr;
    primitive_vertex(g, width / 2, height / 2, 0);
    primitive_vertex(g, width / 2, -height / 2, 0);
    primitive_vertex(g, -width / 2, -height / 2, 0);
    primitive_vertex(g, -width / 2, height / 2, 0);
    return primitive_finish(g, "rectangle", primitive_poly(g, {0, 1, 2, 3}, bothsides));
}

// The twelve edges as six two-sided faces drawn by the renderer's outline mode.
OVgeometry *_OVgeometry_boundboxfromextents(const OVp3 min, const OVp3 max) {
    if (!min || !max) return nullptr;
    float size[3], mid[3];
    for (int a = 0; a < 3; ++a) {
        // Flat boxes still get an outline: widen them to the tolerance.
        size[a] = std::fmax(std::fabs(max[a] - min[a]), OV_TOLERANCE);
        mid[a] = (max[a] + min[a]) / 2;
    }
    OVgeometry *g = OVgeometry_newblock(size[0], size[1], size[2], 1);
    if (!g) return nullptr;
    OVgeometry_translate(g, mid);
    OVgeometry_setrenderingstyle(g, 128, 1);
    OVgeometry_setname(g, "boundbox");
    return g;
}

} // extern "C"
