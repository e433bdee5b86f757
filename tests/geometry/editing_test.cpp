#include "geometry/geometry_hooks.h"
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

namespace {
int node_changes = 0;

// Stands in for the scene's hook: counting shows when the node is told.
void count_node_change(OVnode *) {
    ++node_changes;
}

void count_node_changes() {
    orv::geom::set_node_hooks({count_node_change, nullptr});
    node_changes = 0;
}
} // namespace

TEST(Editing, LiftingACornerSplitsOnlyBeyondTolerance) {
    for (float lift : {0.01f, 0.02f}) {
        OVgeometry *g = square();
        OVvertex *v = vertices(g)[0];
        ASSERT_TRUE(OVgeometry_beginedit(g));
        EXPECT_FALSE(OVgeometry_beginedit(g));
        const OVp3 p = {1, 1, lift};
        ASSERT_TRUE(OVgeometry_setvertexposition(g, v, p));
        ASSERT_TRUE(OVgeometry_endedit(g));
        EXPECT_FALSE(OVgeometry_endedit(g));
        if (lift < 0.015f) {
            EXPECT_EQ(OVgeometry_numpolys(g), 1);
        } else {
            ASSERT_EQ(OVgeometry_numpolys(g), 2);
            auto ps = polys(g);
            EXPECT_EQ(corner_numbers(g, ps[0]), (std::vector<int>{0, 2, 3}));
            EXPECT_EQ(corner_numbers(g, ps[1]), (std::vector<int>{0, 1, 2}));
        }
        OVp3 e;
        OVgeometry_getextents(g, e);
        EXPECT_FLOAT_EQ(e[2], lift);
        OVgeometry_delete(g);
    }
}

TEST(Editing, TranslateTellsNodeUnlessZero) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    g->node = reinterpret_cast<OVnode *>(g); // any non-null node
    count_node_changes();
    const OVp3 zero = {0, 0, 0}, d = {1, 2, 3};
    EXPECT_TRUE(OVgeometry_translate(g, zero));
    EXPECT_EQ(node_changes, 0);
    EXPECT_TRUE(OVgeometry_translate(g, d));
    EXPECT_EQ(node_changes, 1);
    OVp3 m;
    OVgeometry_getmidpoint(g, m);
    EXPECT_FLOAT_EQ(m[2], 3);
    EXPECT_FLOAT_EQ(reference_at(g, 0)[2], 4); // both lists move
    OVp3 c;
    OVpoly_getcg(OVgeometry_getpolys(g), c);
    EXPECT_FLOAT_EQ(c[1], 1);
    g->node = nullptr;
    OVgeometry_delete(g);
}

TEST(Editing, ScaleAndStretch) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    const OVp3 c = {1, 1, 1};
    EXPECT_FALSE(OVgeometry_scale(g, 1, c));
    EXPECT_FALSE(OVgeometry_scale(g, 0, c));
    OVp3 e;
    OVgeometry_getextents(g, e);
    EXPECT_FLOAT_EQ(e[0], 2);
    ASSERT_TRUE(OVgeometry_scale(g, 2, c));
    OVgeometry_getextents(g, e);
    EXPECT_FLOAT_EQ(e[0], 4);
    OVp3 m;
    OVgeometry_getmidpoint(g, m);
    EXPECT_FLOAT_EQ(m[0], -1);
    EXPECT_FLOAT_EQ(reference_at(g, 0)[0], 1); // reference positions unchanged
    const OVp3 s = {1, 3, 1}, o = {0, 0, 0};
    ASSERT_TRUE(OVgeometry_stretch(g, s, o));
    OVgeometry_getextents(g, e);
    EXPECT_FLOAT_EQ(e[1], 12);
    OVgeometry_delete(g);
}

TEST(Editing, TransformRotatesBothLists) {
    OVgeometry *g = OVgeometry_newrectangle(2, 4, 0);
    OVpq t = {{0, 0, 0}, {0, 0, std::sin(0.785398f), std::cos(0.785398f)}}; // 90 degrees about z
    ASSERT_TRUE(OVgeometry_transform(g, &t));
    OVp3 e;
    OVgeometry_getextents(g, e);
    EXPECT_NEAR(e[0], 2, 1e-4);
    EXPECT_NEAR(e[1], 4, 1e-4);
    auto vs = vertices(g);
    ASSERT_EQ(reference_count(g), static_cast<int>(vs.size()));
    for (std::size_t i = 0; i < vs.size(); ++i)
        for (int a = 0; a < 3; ++a)
            EXPECT_EQ(reference_at(g, static_cast<int>(i))[a], vs[i]->position[a]);
    OVgeometry_delete(g);
}

TEST(Editing, AReferenceLeftBehindByScalingStillMovesWithTheVertices) {
    // Vertex 0 of the rectangle is (2, 1, 0); scaled by 2 it is (4, 2, 0),
    // its reference stays. A quarter turn about z then takes both along, to
    // (2, -4, 0) and (1, -2, 0).
    OVgeometry *g = OVgeometry_newrectangle(2, 4, 0);
    EXPECT_EQ(g->reference.xyz, nullptr) << "a closed geometry's reference is its vertices";
    const OVp3 origin = {0, 0, 0};
    ASSERT_TRUE(OVgeometry_scale(g, 2, origin));
    OVpq t = {{0, 0, 0}, {0, 0, std::sin(0.785398f), std::cos(0.785398f)}};
    ASSERT_TRUE(OVgeometry_transform(g, &t));
    ASSERT_EQ(reference_count(g), 4);
    OVp3 at;
    OVvertex_getposition(OVgeometry_getvertices(g), at);
    EXPECT_NEAR(at[0], 2, 1e-4);
    EXPECT_NEAR(at[1], -4, 1e-4);
    EXPECT_NEAR(reference_at(g, 0)[0], 1, 1e-4);
    EXPECT_NEAR(reference_at(g, 0)[1], -2, 1e-4);
    // A copy keeps the reference as it is.
    OVgeometry *c = OVgeometry_copy(g);
    ASSERT_EQ(reference_count(c), 4);
    for (int i = 0; i < 4; ++i)
        for (int a = 0; a < 3; ++a)
            EXPECT_EQ(reference_at(c, i)[a], reference_at(g, i)[a]);
    OVgeometry_delete(c);
    OVgeometry_delete(g);
}

TEST(Editing, MergedListsKeepEachGeometrysReferenceInFront) {
    // The block's reference is left behind by scaling; the rectangle's
    // follows its vertices. Merged, the block's eight come first.
    OVgeometry *rect = OVgeometry_newrectangle(2, 4, 0), *block = OVgeometry_newblock(2, 2, 2, 0);
    const OVp3 origin = {0, 0, 0};
    ASSERT_TRUE(OVgeometry_scale(block, 3, origin));
    OVgeomlist *list = _OVgeomlist_add(_OVgeomlist_add(nullptr, block), rect);
    ASSERT_EQ(_OVgeomlist_glom(list), rect);
    _OVgeomlist_delete(list);
    ASSERT_EQ(reference_count(rect), 12);
    for (int i = 0; i < 8; ++i)
        for (int a = 0; a < 3; ++a)
            EXPECT_EQ(std::fabs(reference_at(rect, i)[a]), 1) << i;
    const float rect_first[3] = {2, 1, 0};
    for (int a = 0; a < 3; ++a)
        EXPECT_EQ(reference_at(rect, 8)[a], rect_first[a]);
    OVgeometry_delete(rect);
}

TEST(Editing, RenderingStyleMaskAndValues) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    EXPECT_TRUE(OVgeometry_setrenderingstyle(g, 128, 1));
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), 128);
    EXPECT_FALSE(OVgeometry_setrenderingstyle(g, 255, 1));
    EXPECT_FALSE(OVgeometry_setrenderingstyle(g, 8, 3));
    EXPECT_TRUE(OVgeometry_setrenderingstyle(g, 255, 64));
    EXPECT_EQ(g->style_mask, 0);
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), OVuniverse_getrendering());
    EXPECT_TRUE(OVgeometry_setrenderingstyle(g, 0, 0));
    EXPECT_EQ(g->style_mask, 0x0D);
    EXPECT_EQ(g->style_values, 0x0D);
    EXPECT_TRUE(OVgeometry_setrenderingstyle(g, 0, 1));
    EXPECT_EQ(g->style_values, 0);
    EXPECT_TRUE(OVgeometry_setrenderingstyle(g, 8, 64));
    EXPECT_EQ(g->style_mask, 0x05);
    OVgeometry_delete(g);
}

TEST(Editing, VertexNormalsAndStar) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVvertex *v = vertices(g)[0];
    OVpolylist *star = OVgeometry_getvertexpolys(g, v);
    EXPECT_EQ(OVpolylist_npolys(star), 3);
    OVpolylist_delete(star);
    const OVp3 zero = {0, 0, 0};
    EXPECT_FALSE(OVgeometry_setvertexnormal(g, v, zero));
    OVp3 n;
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, v, n));
    ASSERT_TRUE(OVgeometry_computevertexnormal(g, v));
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
    EXPECT_NEAR(n[0], 1 / std::sqrt(3.f), 1e-5);
    EXPECT_TRUE(OVgeometry_deletevertexnormal(g, v));
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, v, n));
    OVgeometry_delete(g);
}

TEST(Editing, CopyKeepsOrderAndSharesNothingButTable) {
    OVgeometry *g = OVgeometry_newblock(2, 4, 6, 1);
    OVgeometry *c = OVgeometry_copy(g);
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(OVgeometry_getname(c), "block");
    EXPECT_EQ(OVgeometry_numpolys(c), 6);
    EXPECT_EQ(OVgeometry_getmtable(c), OVgeometry_getmtable(g));
    auto pg = polys(g), pc = polys(c);
    for (std::size_t i = 0; i < pg.size(); ++i) {
        EXPECT_EQ(corner_numbers(g, pg[i]), corner_numbers(c, pc[i]));
        EXPECT_EQ(OVpoly_getgeometry(pc[i]), c);
        EXPECT_NE(OVpoly_getvertex(pc[i], 0), OVpoly_getvertex(pg[i], 0));
    }
    EXPECT_FLOAT_EQ(OVgeometry_getradius(c), OVgeometry_getradius(g));
    OVgeometry_delete(g);
    OVgeometry_delete(c);
}

TEST(Editing, MergeAppendsCopiesAndSelfMergeChangesNothing) {
    OVgeometry *a = OVgeometry_newblock(1, 1, 1, 0), *b = OVgeometry_newrectangle(1, 1, 0);
    EXPECT_EQ(OVgeometry_merge(a, a), OVgeometry_getpolys(a));
    EXPECT_EQ(OVgeometry_numpolys(a), 6);
    OVpoly *first = OVgeometry_merge(a, b);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OVgeometry_numpolys(a), 7);
    EXPECT_EQ(polys(a).back(), first);
    EXPECT_EQ(vertices(a).size(), 12u);
    EXPECT_EQ(OVgeometry_numpolys(b), 1);
    OVgeometry_delete(b);
    OVgeometry_delete(a);
}

TEST(Editing, CopyPolylistKeepsOnlyListedPolygons) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVpolylist *l = OVpolylist_addpoly(nullptr, OVgeometry_getpolys(g));
    OVgeometry *c = _OVgeometry_copyplist(g, l);
    EXPECT_EQ(OVgeometry_numpolys(c), 1);
    EXPECT_EQ(vertices(c).size(), 4u);
    OVpolylist_delete(l);
    OVgeometry_delete(c);
    OVgeometry_delete(g);
}

TEST(Editing, CollapsingConeApexFillsBase) {
    OVgeometry *g = OVgeometry_newcone(2, 1, 6, 0);
    OVvertex *apex = vertices(g)[6];
    ASSERT_TRUE(OVgeometry_colapsevertex(g, apex, 0.001f));
    EXPECT_EQ(vertices(g).size(), 6u);
    EXPECT_EQ(OVgeometry_numpolys(g), 1 + 4);
    for (OVpoly *p : polys(g))
        for (int i = 0; i < OVpoly_numvertices(p); ++i)
            EXPECT_FLOAT_EQ(OVpoly_getvertex(p, i)->position[1], 1);
    OVgeometry_delete(g);
}

TEST(Editing, SingularVertexIsNotCollapsed) {
    // Two triangles touching only at vertex 0.
    Capture cap;
    OVgeometry *g = OVgeometry_begin();
    const float pts[5][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {-1, 0, 0}, {-1, -1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    _OVgeometry_addpoly3(g, 0, 1, 2, 0);
    _OVgeometry_addpoly3(g, 0, 3, 4, 0);
    ASSERT_TRUE(OVgeometry_close(g));
    EXPECT_FALSE(OVgeometry_colapsevertex(g, vertices(g)[0], 0.001f));
    EXPECT_NE(cap.text().find("Singular Vertex - Unable to colapse\n"), std::string::npos);
    EXPECT_EQ(OVgeometry_numpolys(g), 2);
    OVgeometry_delete(g);
}

TEST(Editing, VertexColoursNeedATable) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVvertex *v = vertices(g)[0];
    int r = 0, gg = 0, b = 0;
    EXPECT_FALSE(OVgeometry_getvertexrgb(g, v, &r, &gg, &b));
    if (!OVgeometry_getmtable(g)) {
        EXPECT_FALSE(OVgeometry_setvertexrgb(g, v, 1, 2, 3));
        OVgeometry_delete(g);
        GTEST_SKIP() << "material tables not built in";
    }
    ASSERT_TRUE(OVgeometry_beginedit(g));
    int k = 0;
    for (OVvertex *w : vertices(g)) {
        ASSERT_TRUE(OVgeometry_setvertexrgb(g, w, 30 * k, 255 - k, 7 + k));
        ++k;
    }
    OVgeometry_endedit(g);
    for (OVpoly *p : polys(g))
        EXPECT_TRUE(p->rflags & OVPOLYR_VCOLORS);
    k = 0;
    for (OVvertex *w : vertices(g)) {
        ASSERT_TRUE(OVgeometry_getvertexrgb(g, w, &r, &gg, &b));
        EXPECT_EQ(r, 30 * k);
        EXPECT_EQ(gg, 255 - k);
        EXPECT_EQ(b, 7 + k);
        ++k;
    }
    EXPECT_TRUE(OVgeometry_setrgb(g, 255, 0, 0));
    EXPECT_EQ(OVpoly_getcolor(OVgeometry_getpolys(g)), 0xF00);
    OVgeometry_delete(g);
}

TEST(Editing, MergeMapsMaterialIdsIntoTheMergedTable) {
    OVgeometry *a = OVgeometry_newblock(1, 1, 1, 0), *b = OVgeometry_newrectangle(1, 1, 0);
    if (!OVgeometry_getmtable(a)) {
        OVgeometry_delete(a);
        OVgeometry_delete(b);
        GTEST_SKIP() << "material tables not built in";
    }
    ASSERT_TRUE(OVgeometry_setrgb(a, 0, 255, 0));
    ASSERT_TRUE(OVgeometry_setrgb(b, 255, 0, 0));
    OVpoly *first = OVgeometry_merge(a, b);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(_OVpoly_getcolor24(first), 0xFF0000u);
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(a)), 0x00FF00u);
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(b)), 0xFF0000u);
    OVgeometry_delete(b);
    OVgeometry_delete(a);
}

TEST(Editing, BoundBoxOutlineIsAWireframeBox) {
    const OVp3 lo = {-1, 0, 2}, hi = {3, 2, 4};
    OVgeometry *g = _OVgeometry_boundboxfromextents(lo, hi);
    ASSERT_NE(g, nullptr);
    OVp3 e, m;
    OVgeometry_getextents(g, e);
    OVgeometry_getmidpoint(g, m);
    EXPECT_FLOAT_EQ(e[0], 4);
    EXPECT_FLOAT_EQ(m[2], 3);
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), 128);
    OVgeometry_delete(g);
}

TEST(Editing, VerticesAddedWhileEditingJoinTheReferenceList) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 a = {0, 5, 0};
    OVvertex *v = OVgeometry_newvertex(g, a);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(vertices(g).back(), v);
    OVgeometry_endedit(g);
    ASSERT_EQ(reference_count(g), 9);
    EXPECT_FLOAT_EQ(reference_at(g, 8)[1], 5);
    // Unused, the new vertex leaves both lists together; the rest keep their order.
    OVgeometry_deleteunusedvertices(g);
    auto kept = vertices(g);
    ASSERT_EQ(kept.size(), 8u);
    ASSERT_EQ(reference_count(g), 8);
    for (std::size_t i = 0; i < kept.size(); ++i)
        for (int a = 0; a < 3; ++a)
            EXPECT_EQ(reference_at(g, static_cast<int>(i))[a], kept[i]->position[a]);
    OVgeometry_delete(g);
}

TEST(Editing, MovedVerticesLeaveTheirReferenceBehindAddedOnesJoinIt) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    OVvertex *first = OVgeometry_getvertices(g);
    const OVp3 moved = {7, 7, 7}, added = {0, 5, 0};
    ASSERT_TRUE(OVgeometry_setvertexposition(g, first, moved));
    ASSERT_NE(OVgeometry_newvertex(g, added), nullptr);
    const OVp3 later = {0, 6, 0};
    ASSERT_TRUE(OVgeometry_setvertexposition(g, vertices(g).back(), later));
    OVgeometry_endedit(g);
    ASSERT_EQ(reference_count(g), 9);
    EXPECT_FLOAT_EQ(reference_at(g, 0)[0], 1); // where the block put it
    EXPECT_FLOAT_EQ(reference_at(g, 8)[1], 5); // where it was added
    OVgeometry_deleteunusedvertices(g);
    ASSERT_EQ(reference_count(g), 8);
    EXPECT_FLOAT_EQ(reference_at(g, 0)[0], 1);
    OVgeometry_delete(g);
}

TEST(Editing, MovedCornersOntoTheirNeighboursAreMergedAtEndOfEditing) {
    OVgeometry *g = square();
    auto vs = vertices(g);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    ASSERT_TRUE(OVgeometry_setvertexposition(g, vs[1], vs[0]->position));
    ASSERT_TRUE(OVgeometry_endedit(g));
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_EQ(OVpoly_numvertices(p), 3);
    EXPECT_FALSE(p->flags & OVPOLY_DEGENERATE);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    ASSERT_TRUE(OVgeometry_setvertexposition(g, vs[2], vs[0]->position));
    ASSERT_TRUE(OVgeometry_endedit(g));
    EXPECT_EQ(OVpoly_numvertices(p), 2);
    EXPECT_TRUE(p->flags & OVPOLY_DEGENERATE);
    OVgeometry_delete(g);
}

TEST(Editing, ReversedPolygonFacesTheOtherWayAfterEditing) {
    OVgeometry *g = square();
    g->node = reinterpret_cast<OVnode *>(g); // any non-null node
    count_node_changes();
    OVpoly *p = OVgeometry_getpolys(g);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    ASSERT_TRUE(OVpoly_reversevertices(p));
    EXPECT_EQ(corner_numbers(g, p), (std::vector<int>{3, 2, 1, 0}));
    OVp3 n;
    OVpoly_getnormal(p, n);
    EXPECT_FLOAT_EQ(n[2], -1); // statistics wait for the end of editing
    ASSERT_TRUE(OVgeometry_endedit(g));
    OVpoly_getnormal(p, n);
    EXPECT_FLOAT_EQ(n[2], 1);
    EXPECT_EQ(node_changes, 1);
    EXPECT_EQ(g->changed, 0);
    g->node = nullptr;
    OVgeometry_delete(g);
}
