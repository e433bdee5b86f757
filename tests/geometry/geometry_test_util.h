// Shared helpers of the geometry tests.
#pragma once

#include "geometry/geometry_hooks.h"
#include "geometry/geometry_record.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace geomtest {

inline std::string &captured() {
    static std::string text;
    return text;
}

// Collects every message while alive.
struct Capture {
    Capture() {
        captured().clear();
        OVmessage_sethook([](const char *t) {
            captured() += t;
            return 0;
        });
    }
    ~Capture() { OVmessage_sethook(nullptr); }
    const std::string &text() const { return captured(); }
};

// Stands in for the renderer while alive: gives g a record and counts what
// the geometry tells about it. Clear g when the test deletes the geometry.
struct RenderSpy {
    static inline int stale = 0, released = 0;
    int record = 0;
    OVgeometry *g;
    orv::geom::RenderHooks previous;
    explicit RenderSpy(OVgeometry *geometry) : g(geometry) {
        stale = released = 0;
        previous =
            orv::geom::set_render_hooks({[](void *) { ++stale; }, [](void *) { ++released; }});
        orv::geom::geometry_set_render_data(g, &record);
    }
    ~RenderSpy() {
        if (g) orv::geom::geometry_set_render_data(g, nullptr);
        orv::geom::set_render_hooks(previous);
    }
};

inline std::vector<OVvertex *> vertices(OVgeometry *g) {
    std::vector<OVvertex *> out;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
        out.push_back(v);
    return out;
}

inline std::vector<OVpoly *> polys(OVgeometry *g) {
    std::vector<OVpoly *> out;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        out.push_back(p);
    return out;
}

// The summed area of g's polygons.
inline float total_area(OVgeometry *g) {
    float a = 0;
    for (OVpoly *p : polys(g))
        a += OVpoly_getarea(p);
    return a;
}

// A geometry still being built, of two triangles sharing vertex 0: one with
// legs of length big facing +z, one with legs of length small facing +x.
inline OVgeometry *corner_pair(float big, float small) {
    OVgeometry *g = OVgeometry_begin();
    const float pts[5][3] = {{0, 0, 0}, {big, 0, 0}, {0, big, 0}, {0, small, 0}, {0, 0, small}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    _OVgeometry_addpoly3(g, 0, 3, 4, 0);
    return g;
}

// A geometry still being built, of one triangle twice, once each way round.
inline OVgeometry *opposed_pair() {
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    _OVgeometry_addpoly3(g, 0, 2, 1, 0);
    return g;
}

// A 2 x 2 rectangle given a fifth vertex, far off, that no polygon uses.
inline OVgeometry *rectangle_with_stray_vertex() {
    OVgeometry *g = OVgeometry_newrectangle(2, 2, 0);
    EXPECT_TRUE(OVgeometry_beginedit(g));
    const OVp3 far = {0, 0, 8};
    EXPECT_NE(OVgeometry_newvertex(g, far), nullptr);
    EXPECT_TRUE(OVgeometry_endedit(g));
    return g;
}

// Vertex numbers of a polygon's corners.
inline std::vector<int> corner_numbers(OVgeometry *g, OVpoly *p) {
    auto vs = vertices(g);
    std::vector<int> out;
    for (int i = 0; i < OVpoly_numvertices(p); ++i) {
        OVvertex *v = OVpoly_getvertex(p, i);
        for (std::size_t k = 0; k < vs.size(); ++k)
            if (vs[k] == v) out.push_back(static_cast<int>(k));
    }
    return out;
}

// Reference position i of g in vertex-list order, null past the end.
inline const float *reference_at(OVgeometry *g, int i) {
    return orv::geom::reference_position(&g->reference, g->vertices, i);
}
inline int reference_count(OVgeometry *g) {
    int n = 0;
    while (reference_at(g, n))
        ++n;
    return n;
}

// A closed geometry of one polygon through the given corners, in order;
// null when the geometry's close refuses it.
inline OVgeometry *polygon_of(const std::vector<std::array<float, 3>> &corners) {
    OVgeometry *g = OVgeometry_begin();
    for (const auto &c : corners)
        OVgeometry_newvertex(g, c.data());
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < static_cast<int>(corners.size()); ++i)
        OVpoly_addvertex(p, i);
    EXPECT_TRUE(OVpoly_close(p));
    return OVgeometry_close(g) ? g : nullptr;
}

// A closed square of side 2 in z = 0 with the given corners.
inline OVgeometry *square() {
    return polygon_of({{1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {-1, 1, 0}});
}

} // namespace geomtest
