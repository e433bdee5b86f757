// The building phase and the close, beyond the construction tests.
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

namespace {

void add_vertices(OVgeometry *g, const std::vector<std::array<float, 3>> &pts) {
    for (const auto &p : pts)
        ASSERT_NE(OVgeometry_newvertex(g, p.data()), nullptr);
}

} // namespace

TEST(BuildingPhase, ANewGeometryHasOneWhiteMaterial) {
    OVgeometry *g = OVgeometry_begin();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->owner, nullptr);
    OVmtable *m = OVgeometry_getmtable(g);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(OVmtable_getnumentries(m), 1);
    EXPECT_EQ(OVmtable_getcolor24(m, 0), 0xFFFFFFu);
    EXPECT_EQ(OVgeometry_getname(g), std::string("untitled")); // until closed or named
    add_vertices(g, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    OVpoly *p = _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    EXPECT_EQ(OVpoly_getcolor(p), 0xFFF);
    EXPECT_TRUE(p->flags & OVPOLY_BUILT);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_STREQ(g->name, "untitled");
    OVgeometry_delete(g);
}

TEST(BuildingPhase, VertexRecordsOfTheCallerNeedAnOpenGeometry) {
    Capture cap;
    OVgeometry *closed = _OVgeometry_new(nullptr);
    const OVp3 at = {1, 2, 3};
    OVvertex *v = _OVvertex_new(at);
    EXPECT_EQ(_OVgeometry_addvertex(closed, v), nullptr);
    EXPECT_EQ(cap.text(), "ORV Warning: Must call OVgeometry_begin or OVgeometry_beginedit "
                          "before calling _OVgeometry_addvertex\n");
    OVgeometry_delete(closed);
    OVgeometry *g = OVgeometry_begin();
    add_vertices(g, {{0, 0, 0}, {1, 0, 0}});
    EXPECT_EQ(_OVgeometry_addvertex(g, v), v);
    EXPECT_EQ(vertices(g).back(), v);
    // It is numbered like the others.
    ASSERT_NE(_OVgeometry_addpoly3(g, 0, 1, 2, 0), nullptr);
    EXPECT_EQ(OVpoly_getvertex(OVgeometry_getpolys(g), 2), v);
    ASSERT_TRUE(OVgeometry_close(g));
    OVgeometry_delete(g);
}

TEST(BuildingPhase, ReaderAppendsAndOrdinaryAppendsKeepEveryVertex) {
    OVgeometry *g = OVgeometry_begin();
    const OVp3 a = {0, 0, 0}, b = {1, 0, 0}, c = {0, 1, 0}, d = {1, 1, 0};
    OVvertex *va = OVgeometry_newvertex(g, a);
    OVvertex *vb = _OVgeometry_addvertexsimple(g, _OVvertex_new(b));
    OVvertex *vc = OVgeometry_newvertex(g, c);
    OVvertex *vd = _OVgeometry_addvertexsimple(g, _OVvertex_new(d));
    EXPECT_EQ(vertices(g), (std::vector<OVvertex *>{va, vb, vc, vd}));
    _OVgeometry_checkifopen(g);
    OVgeometry_delete(g);
    // A geometry made where a deleted one was starts a list of its own.
    OVgeometry *h = OVgeometry_begin();
    OVvertex *first = OVgeometry_newvertex(h, a);
    OVvertex *second = _OVgeometry_addvertexsimple(h, _OVvertex_new(b));
    EXPECT_EQ(vertices(h), (std::vector<OVvertex *>{first, second}));
    _OVgeometry_checkifopen(h);
    OVgeometry_delete(h);
}

TEST(BuildingPhase, AnAbandonedPhaseTakesNoMoreNumbers) {
    Capture cap;
    OVgeometry *g = OVgeometry_begin();
    add_vertices(g, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    OVpoly *p = OVgeometry_beginpoly(g);
    ASSERT_TRUE(OVpoly_addvertex(p, 0));
    _OVgeometry_checkifopen(g);
    EXPECT_FALSE(OVpoly_addvertex(p, 1));
    EXPECT_FALSE(OVgeometry_close(g));
    EXPECT_EQ(cap.text(), "ORV Warning: OVgeometry_close called on non-open geometry.\n");
    _OVpoly_cancel(p);
    OVgeometry_delete(g);
    captured().clear();
    EXPECT_FALSE(OVgeometry_close(nullptr));
    EXPECT_EQ(cap.text(), "ORV Warning: OVgeometry_close called on non-open geometry.\n");
}

TEST(BuildingPhase, EditingTakesVertexPointersButNotNumbers) {
    OVgeometry *g = OVgeometry_newrectangle(2, 2, 0);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 apex = {0, 0, 3};
    OVvertex *v = OVgeometry_newvertex(g, apex);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(vertices(g).back(), v);
    auto vs = vertices(g);
    OVpoly *p = OVgeometry_beginpoly(g);
    EXPECT_FALSE(OVpoly_addvertex(p, 0));
    ASSERT_TRUE(OVpoly_addvertexptr(p, vs[0]));
    ASSERT_TRUE(OVpoly_addvertexptr(p, vs[1]));
    ASSERT_TRUE(OVpoly_addvertexptr(p, v));
    ASSERT_TRUE(OVpoly_close(p));
    EXPECT_EQ(OVgeometry_getpolys(g), p); // newest first
    EXPECT_EQ(OVgeometry_numpolys(g), 2);
    EXPECT_EQ(corner_numbers(g, p), (std::vector<int>{0, 1, 4}));
    ASSERT_TRUE(OVgeometry_endedit(g));
    // Outside a building phase or an edit, no corner is taken.
    OVpoly *late = OVgeometry_beginpoly(g);
    EXPECT_FALSE(OVpoly_addvertexptr(late, vs[0]));
    _OVpoly_cancel(late);
    OVgeometry_delete(g);
}

TEST(BuildingPhase, ClosedPolygonsMarkVertexNormalsAndColours) {
    OVgeometry *g = OVgeometry_begin();
    add_vertices(g, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}});
    auto vs = vertices(g);
    const OVp3 up = {0, 0, 1};
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, vs[0], up));
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, vs[1], up));
    vs[2]->flags |= OVVERTEX_SMOOTH; // counts as having one
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(OVgeometry_setvertexmatid(g, vs[i], 0));
    OVpoly *all = _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    OVpoly *some = _OVgeometry_addpoly3(g, 1, 3, 2, 0);
    ASSERT_NE(all, nullptr);
    ASSERT_NE(some, nullptr);
    EXPECT_EQ(all->rflags & (OVPOLYR_VNORMALS | OVPOLYR_VCOLORS),
              OVPOLYR_VNORMALS | OVPOLYR_VCOLORS);
    EXPECT_EQ(some->rflags & (OVPOLYR_VNORMALS | OVPOLYR_VCOLORS), 0);
    EXPECT_TRUE(some->rflags & OVPOLYR_SMOOTH);
    ASSERT_TRUE(OVgeometry_close(g));
    OVgeometry_delete(g);
}

TEST(BuildingPhase, ADegeneratePolygonGoesButItsVerticesStay) {
    Capture cap;
    OVgeometry *g = OVgeometry_begin();
    // Vertex 3 sits on vertex 1; only the degenerate polygon uses it.
    add_vertices(g, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 0, 0}});
    ASSERT_NE(_OVgeometry_addpoly3(g, 0, 1, 2, 0), nullptr);
    ASSERT_NE(_OVgeometry_addpoly3(g, 1, 3, 1, 0), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(g), 2);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    EXPECT_EQ(OVpoly_numvertices(OVgeometry_getpolys(g)), 3);
    EXPECT_EQ(vertices(g).size(), 4u);
    EXPECT_EQ(cap.text(), "");
    OVgeometry_delete(g);
}

TEST(BuildingPhase, CloseSmoothLeavesGivenNormalsAlone) {
    OVgeometry *g = OVgeometry_begin();
    add_vertices(g, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    auto vs = vertices(g);
    const OVp3 given = {0, 3, 0};
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, vs[0], given));
    _OVgeometry_addpoly3(g, 0, 2, 1, 0); // faces -z
    _OVgeometry_addpoly3(g, 0, 1, 3, 0); // faces -y
    ASSERT_TRUE(OVgeometry_closesmooth(g));
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, vs[0], n));
    EXPECT_EQ(n[1], 3); // neither accumulated nor normalised
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, vs[2], n));
    EXPECT_FLOAT_EQ(n[2], -1); // one polygon: its normal
    for (OVvertex *v : vs)
        EXPECT_FALSE(v->flags & OVVERTEX_SMOOTH);
    OVgeometry_delete(g);
}

TEST(BuildingPhase, PolygonFromPointsTakesAtMostTheCornerLimit) {
    std::vector<std::array<float, 3>> ring;
    for (int k = 0; k < 257; ++k)
        ring.push_back({std::cos(k * 0.02f), std::sin(k * 0.02f), 0});
    OVgeometry *g = OVgeometry_begin();
    const auto *points = reinterpret_cast<const OVp3 *>(ring.data());
    EXPECT_EQ(_OVgeometry_newpolyfrompoints(g, points, 257, 0), nullptr);
    EXPECT_EQ(_OVgeometry_newpolyfrompoints(nullptr, points, 3, 0), nullptr);
    OVpoly *p = _OVgeometry_newpolyfrompoints(g, points, 256, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(OVpoly_numvertices(p), 256);
    EXPECT_FALSE(OVpoly_getbothsides(p));
    EXPECT_EQ(OVpoly_getvertex(p, 0), OVgeometry_getvertices(g));
    ASSERT_TRUE(OVgeometry_close(g));
    OVgeometry_delete(g);
}

// Closing a polygon a second time is refused: linking it again would make
// the polygon list a loop, and reversing its ring again would turn it over.
TEST(BuildingPhase, APolygonClosedTwiceStaysLinkedOnce) {
    Capture cap;
    OVgeometry *g = OVgeometry_begin();
    add_vertices(g, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(OVpoly_addvertex(p, i));
    ASSERT_TRUE(OVpoly_close(p));
    const float before[3] = {p->normal[0], p->normal[1], p->normal[2]};
    EXPECT_FALSE(OVpoly_close(p));
    EXPECT_NE(cap.text().find("is closed already\n"), std::string::npos) << cap.text();
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    EXPECT_EQ(OVgeometry_getpolys(g), p);
    EXPECT_EQ(OVpoly_next(p), nullptr);
    EXPECT_EQ(p->normal[2], before[2]);
    ASSERT_TRUE(OVgeometry_close(g));
    OVgeometry_delete(g);
}
