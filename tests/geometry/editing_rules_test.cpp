// Editing calls: refusals, what each leaves alone, and when the node is told.
#include "geometry/geometry_hooks.h"
#include "geometry_test_util.h"

#include <cmath>

using namespace geomtest;

namespace {

int node_changes = 0;

// Counts what the geometry tells its node; the geometry gets a stand-in node,
// which its deletion only forgets.
struct NodeSpy {
    explicit NodeSpy(OVgeometry *g) {
        orv::geom::set_node_hooks({[](OVnode *) { ++node_changes; }, nullptr});
        g->node = reinterpret_cast<OVnode *>(g);
        node_changes = 0;
    }
};

float norm(const float *v) {
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

} // namespace

TEST(EditingRules, EndingAnEditWithoutMovesLeavesBoundsAndNodeAlone) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    NodeSpy spy(g);
    EXPECT_FALSE(OVgeometry_beginedit(nullptr));
    EXPECT_FALSE(OVgeometry_endedit(nullptr));
    ASSERT_TRUE(OVgeometry_beginedit(g));
    EXPECT_EQ(g->editing, 1);
    ASSERT_TRUE(OVgeometry_endedit(g));
    EXPECT_EQ(g->editing, 0);
    EXPECT_EQ(node_changes, 0);
    // A move behind the bounds' back shows only when the edit moved something.
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 far = {1, 1, 9};
    ASSERT_TRUE(OVgeometry_setvertexposition(g, OVgeometry_getvertices(g), far));
    EXPECT_EQ(g->changed, 1);
    ASSERT_TRUE(OVgeometry_endedit(g));
    EXPECT_EQ(node_changes, 1);
    EXPECT_EQ(g->changed, 0);
    OVp3 e;
    OVgeometry_getextents(g, e);
    EXPECT_FLOAT_EQ(e[2], 10);
    for (OVvertex *v : vertices(g))
        EXPECT_FALSE(v->flags & OVVERTEX_MOVED);
    OVgeometry_delete(g);
}

TEST(EditingRules, EndOfEditingMarksPolygonsWhoseCornersAllHaveNormals) {
    OVgeometry *g = OVgeometry_newrectangle(2, 2, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 up = {0, 0, -1};
    auto vs = vertices(g);
    for (std::size_t i = 0; i + 1 < vs.size(); ++i)
        ASSERT_TRUE(OVgeometry_setvertexnormal(g, vs[i], up));
    ASSERT_TRUE(OVgeometry_endedit(g));
    EXPECT_FALSE(OVpoly_hasvnormals(p));
    ASSERT_TRUE(OVgeometry_beginedit(g));
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, vs.back(), up));
    ASSERT_TRUE(OVgeometry_endedit(g));
    EXPECT_TRUE(OVpoly_hasvnormals(p));
    // Deleting one takes the mark away again.
    ASSERT_TRUE(OVgeometry_deletevertexnormal(g, vs[0]));
    EXPECT_FALSE(OVpoly_hasvnormals(p));
    OVgeometry_delete(g);
}

TEST(EditingRules, VertexCallsRefuseWhatTheyCannotDo) {
    OVgeometry *g = OVgeometry_newrectangle(2, 2, 0);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 lone_at = {5, 5, 5}, n = {0, 2, 0};
    OVvertex *lone = OVgeometry_newvertex(g, lone_at);
    ASSERT_TRUE(OVgeometry_endedit(g));
    // No polygon uses the lone vertex.
    EXPECT_EQ(OVgeometry_getvertexpolys(g, lone), nullptr);
    OVpolylist *star = _OVgeometry_getvertexstar(g, lone);
    ASSERT_NE(star, nullptr);
    EXPECT_EQ(OVpolylist_npolys(star), 0);
    OVpolylist_delete(star);
    EXPECT_FALSE(OVgeometry_computevertexnormal(g, lone));
    OVp3 got;
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, lone, got));
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, lone, n));
    EXPECT_FALSE(OVgeometry_deletevertexnormal(g, lone));
    EXPECT_TRUE(OVgeometry_getvertexnormal(g, lone, got));
    EXPECT_FALSE(OVgeometry_deletevertexnormal(g, OVgeometry_getvertices(g))); // has none
    // Locked: nothing changes.
    OVvertex *v = OVgeometry_getvertices(g);
    g->locked = 1;
    const OVp3 moved = {7, 7, 7};
    EXPECT_FALSE(OVgeometry_setvertexposition(g, v, moved));
    EXPECT_FALSE(OVgeometry_setvertexnormal(g, v, n));
    EXPECT_FALSE(OVgeometry_computevertexnormal(g, v));
    EXPECT_FALSE(OVgeometry_setvertexrgb(g, v, 1, 2, 3));
    EXPECT_FALSE(OVgeometry_setrgb(g, 1, 2, 3));
    EXPECT_FALSE(OVgeometry_setmatid(g, 0));
    EXPECT_FALSE(OVgeometry_setrenderingstyle(g, 128, 1));
    EXPECT_FALSE(OVgeometry_translate(g, moved));
    EXPECT_FALSE(OVgeometry_scale(g, 2, moved));
    EXPECT_FALSE(OVgeometry_colapsevertex(g, v, 0));
    g->locked = 0;
    ASSERT_TRUE(OVgeometry_getvertexposition(g, v, got));
    EXPECT_EQ(got[0], 1);
    EXPECT_EQ(got[1], 1);
    EXPECT_EQ(got[2], 0);
    EXPECT_FALSE(v->flags & OVVERTEX_MOVED);
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, v, got));
    EXPECT_EQ(g->style_mask, 0);
    OVgeometry_delete(g);
}

TEST(EditingRules, ColoursNeedATableAndWholeColoursLeaveVertexColours) {
    OVgeometry *bare = square();
    OVvertex *v = OVgeometry_getvertices(bare);
    OVgeometry_setmtable(bare, nullptr);
    EXPECT_FALSE(OVgeometry_setvertexrgb(bare, v, 1, 2, 3));
    EXPECT_FALSE(v->flags & OVVERTEX_OWNMATID);
    EXPECT_FALSE(OVgeometry_setrgb(bare, 1, 2, 3));
    EXPECT_FALSE(OVpoly_setrgb(OVgeometry_getpolys(bare), 1, 2, 3));
    EXPECT_EQ(OVpoly_getcolor(OVgeometry_getpolys(bare)), -1);
    OVgeometry_delete(bare);

    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVvertex *w = OVgeometry_getvertices(g);
    ASSERT_TRUE(OVgeometry_setvertexrgb(g, w, 0, 0, 255));
    ASSERT_TRUE(OVgeometry_setrgb(g, 255, 0, 0));
    int r = 0, gg = 0, b = 0;
    ASSERT_TRUE(OVgeometry_getvertexrgb(g, w, &r, &gg, &b));
    EXPECT_EQ(b, 255);
    for (OVpoly *p : polys(g))
        EXPECT_EQ(_OVpoly_getcolor24(p), 0xFF0000u);
    EXPECT_FALSE(OVgeometry_setmatid(g, -1));
    ASSERT_TRUE(OVgeometry_setmatid(g, 0));
    for (OVpoly *p : polys(g))
        EXPECT_EQ(OVpoly_getmatid(p), 0);
    OVgeometry_delete(g);
}

TEST(EditingRules, RenderingStyleOverridesOnlyItsBits) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    const int base = OVuniverse_getrendering();
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), base);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x10, 1));
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), base | 0x10);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x08, 0));
    EXPECT_EQ(g->style_mask, 0x18);
    EXPECT_EQ(g->style_values, 0x10);
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), (base & ~0x08) | 0x10);
    // Back to the default, one bit at a time.
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x10, 64));
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), base & ~0x08);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0, 64)); // accepted, nothing changes
    EXPECT_EQ(g->style_mask, 0x08);
    EXPECT_EQ(g->style_values, 0);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x08, 64));
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), base);
    // Wireframe reads as 128 whatever else is set.
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x90, 1));
    EXPECT_EQ(OVgeometry_getrenderingstyle(g), 128);
    EXPECT_FALSE(OVgeometry_setrenderingstyle(g, 0, 2));
    EXPECT_FALSE(OVgeometry_setrenderingstyle(nullptr, 128, 1));
    OVgeometry_delete(g);
}

TEST(EditingRules, TransformLeavesNormalsAndIdentityChangesNothing) {
    OVgeometry *g = OVgeometry_newcylinder(2, 1, 4, 0, 1);
    NodeSpy spy(g);
    const OVpq identity = {{0, 0, 0}, {0, 0, 0, 1}};
    ASSERT_TRUE(OVgeometry_transform(g, &identity));
    EXPECT_EQ(node_changes, 0);
    OVvertex *smooth = vertices(g)[8]; // first of the repeated ring, normal (1, 0, 0)
    const OVpq turn = {{0, 5, 0}, {0, std::sin(0.785398f), 0, std::cos(0.785398f)}};
    ASSERT_TRUE(OVgeometry_transform(g, &turn));
    EXPECT_EQ(node_changes, 1);
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, smooth, n));
    EXPECT_EQ(n[0], 1);
    EXPECT_EQ(n[2], 0);
    OVp3 m;
    OVgeometry_getmidpoint(g, m);
    EXPECT_NEAR(m[1], 5, 1e-5);
    EXPECT_FALSE(OVgeometry_transform(g, nullptr));
    OVgeometry_delete(g);
}

TEST(EditingRules, ScalingKeepsNormalsAndScalesPolygonExtents) {
    OVgeometry *g = OVgeometry_newcylinder(2, 1, 4, 0, 1);
    NodeSpy spy(g);
    OVpoly *cap = polys(g).back(); // the +y cap, made first
    float before_centre[3], after_centre[3];
    float before = orv::geom::poly_bounds(cap, before_centre);
    const OVp3 c = {0, -1, 0};
    EXPECT_FALSE(OVgeometry_scale(g, -2, c));
    EXPECT_EQ(node_changes, 0);
    ASSERT_TRUE(OVgeometry_scale(g, 3, c));
    EXPECT_EQ(node_changes, 1);
    float after = orv::geom::poly_bounds(cap, after_centre);
    EXPECT_NEAR(after, 3 * before, 1e-5);
    EXPECT_NEAR(after_centre[1], -1 + 3 * (before_centre[1] + 1), 1e-5);
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, vertices(g)[8], n));
    EXPECT_EQ(n[0], 1);
    OVgeometry_delete(g);
}

TEST(EditingRules, StretchBendsNormalsAndKeepsTheirLength) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVvertex *v = OVgeometry_getvertices(g); // (1, 1, 1)
    const OVp3 given = {0, 3, 4};            // length 5
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, v, given));
    const OVp3 origin = {0, 0, 0};
    const OVp3 ones = {1, 1, 1}, bad = {2, 0, 1};
    EXPECT_FALSE(OVgeometry_stretch(g, ones, origin));
    EXPECT_FALSE(OVgeometry_stretch(g, bad, origin));
    const OVp3 s = {1, 3, 0.5f};
    ASSERT_TRUE(OVgeometry_stretch(g, s, origin));
    EXPECT_FLOAT_EQ(v->position[0], 1);
    EXPECT_FLOAT_EQ(v->position[1], 3);
    EXPECT_FLOAT_EQ(v->position[2], 0.5f);
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
    EXPECT_NEAR(norm(n), 5, 1e-5);
    // (0, 1, 8) rescaled to length 5.
    EXPECT_NEAR(n[1] / n[2], 1.0f / 8, 1e-5);
    // The +x face's normal is recomputed: still +x.
    OVp3 fn;
    OVpoly_getnormal(polys(g)[4], fn);
    EXPECT_NEAR(fn[0], 1, 1e-5);
    // Equal factors scale: the reference positions stay behind.
    const OVp3 twice = {2, 2, 2};
    ASSERT_TRUE(OVgeometry_stretch(g, twice, origin));
    EXPECT_FLOAT_EQ(v->position[1], 6);
    EXPECT_FLOAT_EQ(reference_at(g, 0)[1], 1);
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, v, n));
    EXPECT_NEAR(n[1] / n[2], 1.0f / 8, 1e-5);
    OVgeometry_delete(g);
}

TEST(EditingRules, CopiesHaveNoOwnerNodeOrFlagsButKeepUserBytesAndPolygonFields) {
    int owner = 0;
    OVgeometry *g = OVgeometry_newblock(1, 2, 3, 0);
    g->owner = &owner;
    g->node = reinterpret_cast<OVnode *>(g);
    OVvertex *v = OVgeometry_getvertices(g);
    v->user = 42;
    OVpoly *p = OVgeometry_getpolys(g);
    OVpoly_setid(p, 9);
    OVpoly_setvisibility(p, 0);
    OVpoly_setbothsides(p, 1);
    ASSERT_TRUE(OVpoly_setmatid(p, 0));
    OVgeometry *c = OVgeometry_copy(g);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->owner, nullptr);
    EXPECT_EQ(c->node, nullptr);
    EXPECT_EQ(c->refcount, 1);
    OVvertex *cv = OVgeometry_getvertices(c);
    EXPECT_EQ(cv->user, 42);
    EXPECT_EQ(cv->flags, 0); // the original's are set by the close (used)
    OVpoly *cp = OVgeometry_getpolys(c);
    EXPECT_EQ(OVpoly_getid(cp), 9);
    EXPECT_FALSE(OVpoly_getvisibility(cp));
    EXPECT_TRUE(OVpoly_getbothsides(cp));
    EXPECT_EQ(cp->flags, p->flags);
    EXPECT_EQ(cp->rflags, p->rflags);
    OVp3 a, b;
    OVgeometry_getextents(g, a);
    OVgeometry_getextents(c, b);
    EXPECT_EQ(b[2], a[2]);
    EXPECT_EQ(OVgeometry_copy(nullptr), nullptr);
    g->owner = nullptr;
    g->node = nullptr;
    OVgeometry_delete(g);
    OVgeometry_delete(c);
}

TEST(EditingRules, MergeEndsTheEditAndCountsTheCopies) {
    OVgeometry *a = OVgeometry_newrectangle(2, 2, 0), *b = OVgeometry_newblock(1, 1, 1, 0);
    NodeSpy spy(a);
    const OVp3 d = {0, 0, 10};
    ASSERT_TRUE(OVgeometry_translate(b, d));
    node_changes = 0;
    OVpoly *first = OVgeometry_merge(a, b);
    ASSERT_NE(first, nullptr);
    EXPECT_GE(node_changes, 1);
    EXPECT_EQ(a->editing, 0);
    EXPECT_EQ(OVgeometry_numpolys(a), 7);
    auto ps = polys(a);
    // The rectangle's polygon first, then the block's in its own list order.
    EXPECT_EQ(ps[1], first);
    EXPECT_EQ(corner_numbers(a, ps[1]), (std::vector<int>{4 + 6, 4 + 7, 4 + 3, 4 + 2}));
    OVp3 e;
    OVgeometry_getextents(a, e);
    EXPECT_FLOAT_EQ(e[2], 10.5f);
    for (OVvertex *v : vertices(a))
        EXPECT_FALSE(v->flags & OVVERTEX_MOVED);
    EXPECT_EQ(OVgeometry_merge(nullptr, b), nullptr);
    EXPECT_EQ(OVgeometry_merge(a, nullptr), nullptr);
    OVgeometry_delete(a);
    OVgeometry_delete(b);
}

TEST(EditingRules, RecomputingStatisticsWithoutCleanupKeepsUnusedVertices) {
    OVgeometry *g = rectangle_with_stray_vertex();
    NodeSpy spy(g);
    g->changed = 1;
    node_changes = 0;
    EXPECT_EQ(OVgeometry_recomputestats(g, 0), g);
    EXPECT_EQ(vertices(g).size(), 5u);
    EXPECT_EQ(node_changes, 1);
    EXPECT_EQ(g->changed, 0);
    OVp3 e;
    OVgeometry_getextents(g, e);
    EXPECT_FLOAT_EQ(e[2], 8); // the unused vertex counts in the bounds
    EXPECT_EQ(OVgeometry_recomputestats(g, 1), g);
    EXPECT_EQ(vertices(g).size(), 4u);
    OVgeometry_getextents(g, e);
    EXPECT_FLOAT_EQ(e[2], 0);
    EXPECT_EQ(OVgeometry_recomputestats(nullptr, 1), nullptr);
    OVgeometry_delete(g);
}

TEST(EditingRules, UnusedVerticesGoSilentlyEvenFromALockedGeometry) {
    OVuniverse_new(512, 0);
    OVuniverse_setoption(OVOPTION_VERBOSEGEOMETRY, 1);
    Capture cap;
    OVgeometry *g = rectangle_with_stray_vertex();
    g->locked = 1;
    EXPECT_TRUE(OVgeometry_deleteunusedvertices(g));
    EXPECT_EQ(vertices(g).size(), 4u);
    EXPECT_EQ(cap.text(), "");
    g->locked = 0;
    OVgeometry_delete(g);
    OVuniverse_delete();
}

TEST(EditingRules, AMoveThatMakesAPolygonReflexSplitsItAtTheEndOfTheEdit) {
    OVgeometry *g = square();
    auto vs = vertices(g);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    // Past the diagonal between its neighbours: a reflex corner.
    const OVp3 dent = {-0.2f, -0.2f, 0};
    ASSERT_TRUE(OVgeometry_setvertexposition(g, vs[0], dent));
    EXPECT_EQ(OVgeometry_numpolys(g), 1); // repaired only when the edit ends
    ASSERT_TRUE(OVgeometry_endedit(g));
    ASSERT_EQ(OVgeometry_numpolys(g), 2);
    float area = 0;
    for (OVpoly *p : polys(g)) {
        EXPECT_EQ(OVpoly_numvertices(p), 3);
        EXPECT_TRUE(_OVpoly_convex(p));
        OVp3 n;
        OVpoly_getnormal(p, n);
        EXPECT_FLOAT_EQ(n[2], -1);
        area += OVpoly_getarea(p);
    }
    EXPECT_NEAR(area, 1.6f, 1e-5); // the half square left of the diagonal, less the dent
    OVgeometry_delete(g);
}

TEST(EditingRules, ReversingNeedsAModifiableGeometryAndMarksTheChange) {
    OVgeometry *g = square();
    OVpoly *p = OVgeometry_getpolys(g);
    g->locked = 1;
    EXPECT_FALSE(OVpoly_reversevertices(p));
    EXPECT_FALSE(OVgeometry_setmtable(g, nullptr));
    EXPECT_NE(OVgeometry_getmtable(g), nullptr);
    g->locked = 0;
    EXPECT_EQ(corner_numbers(g, p), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(g->changed, 0);
    ASSERT_TRUE(OVpoly_reversevertices(p));
    EXPECT_EQ(g->changed, 1);
    EXPECT_TRUE(OVpoly_getvertex(p, 0)->flags & OVVERTEX_MOVED);
    EXPECT_FALSE(OVpoly_getvertex(p, 1)->flags & OVVERTEX_MOVED);
    EXPECT_FALSE(OVpoly_reversevertices(nullptr));
    OVgeometry_delete(g);
}

TEST(EditingRules, GlommedPolygonsAndVerticesOfLaterGeometriesComeFirst) {
    OVgeometry *a = square(), *b = OVgeometry_newrectangle(4, 4, 0),
               *c = OVgeometry_newblock(1, 1, 1, 0);
    OVpoly *pa = OVgeometry_getpolys(a), *pb = OVgeometry_getpolys(b), *pc = OVgeometry_getpolys(c);
    OVvertex *va = OVgeometry_getvertices(a), *vb = OVgeometry_getvertices(b),
             *vc = OVgeometry_getvertices(c);
    OVgeomlist *l = _OVgeomlist_add(_OVgeomlist_add(_OVgeomlist_add(nullptr, c), b), a);
    ASSERT_EQ(_OVgeomlist_glom(l), a);
    _OVgeomlist_delete(l);
    // c was linked in front last: its polygons and vertices lead.
    EXPECT_EQ(OVgeometry_getpolys(a), pc);
    auto ps = polys(a);
    ASSERT_EQ(ps.size(), 8u);
    EXPECT_EQ(ps[6], pb);
    EXPECT_EQ(ps[7], pa);
    auto vs = vertices(a);
    ASSERT_EQ(vs.size(), 16u);
    EXPECT_EQ(vs[0], vc);
    EXPECT_EQ(vs[8], vb);
    EXPECT_EQ(vs[12], va);
    EXPECT_EQ(reference_count(a), 16);
    OVp3 e;
    OVgeometry_getextents(a, e);
    EXPECT_FLOAT_EQ(e[0], 4);
    EXPECT_EQ(_OVgeomlist_glom(nullptr), nullptr);
    OVgeometry_delete(a);
}
