#include "geometry/geometry_record.h"
#include "traversal_fixture.h"

#include <cmath>

namespace travtest {
namespace {

using namespace orv::scene;

TEST_F(Traversal, GeometryAtTheTopUsesTheViewMatrix) {
    OVnode *g = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    state->view[3][2] = -10; // the eye ten units behind the origin
    collect();
    EXPECT_EQ(opaque(), (std::vector<Item>{{ENTRY_GEOMETRY, g, 0}}));
    EXPECT_TRUE(transparent().empty());
    EXPECT_EQ(state->poly_count, 6);
    EXPECT_EQ(state->saved_count, 0);
}

TEST_F(Traversal, DisabledSeparatorContributesNothingNotEvenABox) {
    OVnode *sep = separated_block(root, 0, 0, -10);
    OVlightnode_newpoint(sep);
    ASSERT_TRUE(OVnode_boundingbox(sep, 1));
    collect();
    EXPECT_EQ(kinds(opaque()),
              (std::vector<int>{ENTRY_BOUNDINGBOX, ENTRY_GEOMETRY, ENTRY_LIGHTON, ENTRY_LIGHTOFF}));
    ASSERT_TRUE(OVnode_enable(sep, 0));
    collect();
    EXPECT_TRUE(opaque().empty());
    EXPECT_TRUE(transparent().empty());
    EXPECT_EQ(state->poly_count, 0);
}

TEST_F(Traversal, SeparatorOutsideTheViewAddsNothing) {
    const float places[][3] = {{0, 0, 10},    {0, 0, -200}, {-50, 0, -10}, {50, 0, -10},
                               {0, -50, -10}, {0, 50, -10}, {0, 0, -0.05f}};
    for (const auto &p : places) {
        OVnode_vacuum();
        OVnode *sep = separated_block(root, p[0], p[1], p[2]);
        OVlightnode_newdirected(sep);
        OVnode_boundingbox(sep, 1);
        collect();
        EXPECT_TRUE(opaque().empty()) << p[0] << " " << p[1] << " " << p[2];
        EXPECT_TRUE(transparent().empty());
    }
}

TEST_F(Traversal, CullModeOneSeparatorsAreNeverTested) {
    OVnode *sep = separated_block(root, 0, 0, 10); // behind the eye
    OVnode *g = OVnode_getchild(sep, 1);
    ASSERT_GT(OVnode_getradius(sep), 0);
    OVnode_getgeometry(g)->midpoint[2] = -20; // in view, bounds not told
    collect();
    EXPECT_TRUE(opaque().empty());
    ASSERT_TRUE(OVsepnode_setcullmode(sep, 1));
    collect();
    // Only the separator escapes the test: its geometry is tested by itself.
    EXPECT_EQ(opaque(), (std::vector<Item>{{ENTRY_GEOMETRY, g, 1}}));
}

// Moving a geometry's midpoint behind the cached bounds' back shows whether
// the separator still had its children tested.
TEST_F(Traversal, SeparatorWhollyInsideStopsTestingItsChildren) {
    OVnode *sep = separated_block(root, 0, 0, -10);
    OVnode *g = OVnode_getchild(sep, 1);
    ASSERT_GT(OVnode_getradius(sep), 0); // bounds cached now
    OVgeometry *geometry = OVnode_getgeometry(g);
    geometry->midpoint[2] = 1000; // far beyond the view volume, bounds not told
    collect();
    EXPECT_EQ(kinds(opaque()), (std::vector<int>{ENTRY_GEOMETRY}));
    // A separator straddling the left plane keeps testing: the geometry goes.
    OVnode_vacuum();
    OVnode *wide = OVsepnode_new(root);
    block_at(wide, 0, 0, -10);
    OVnode *edge = OVgeometrynode_new(wide, OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_NE(edge, nullptr);
    OVnode *far_block = block_at(wide, -10, 0, 0); // translations add up: (-10, 0, -10)
    ASSERT_GT(OVnode_getradius(wide), 0);
    OVnode_getgeometry(edge)->midpoint[2] = 1000;
    collect();
    std::vector<Item> got = opaque();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].item, OVnode_getchild(wide, 1));
    EXPECT_EQ(got[1].item, far_block);
}

TEST_F(Traversal, LightInsideASeparatorIsSwitchedOffAtItsEnd) {
    OVnode *sep = separated_block(root, 0, 0, -10);
    OVnode *light = OVlightnode_newspot(sep);
    OVnode *after = block_at(root, 0, 0, -10);
    const int slot = 0; // the universe's first light
    ASSERT_NE(light, nullptr);
    collect();
    std::vector<Item> o = opaque(), t = transparent();
    ASSERT_EQ(kinds(o),
              (std::vector<int>{ENTRY_GEOMETRY, ENTRY_LIGHTON, ENTRY_LIGHTOFF, ENTRY_GEOMETRY}));
    EXPECT_EQ(o[1].item, slot_item(slot));
    EXPECT_EQ(o[2].item, slot_item(slot));
    EXPECT_EQ(o[3].item, after);
    // The transparent pass sees the same switching.
    EXPECT_EQ(kinds(t), (std::vector<int>{ENTRY_LIGHTON, ENTRY_LIGHTOFF}));
    EXPECT_EQ(t[0].item, slot_item(slot));
}

TEST_F(Traversal, LightOnAtBothLevelsIsSwitchedBackOnWhereTheOuterLevelPlacedIt) {
    OVnode *light = OVlightnode_newpoint(root);
    OVnode *sep = OVsepnode_new(root);
    block_at(sep, 0, 0, -10);
    ASSERT_TRUE(OVnode_addchild(sep, light)); // the same light, placed again inside
    const int slot = 0;                       // the universe's first light
    ASSERT_NE(light, nullptr);
    collect();
    std::vector<Item> o = opaque(), t = transparent();
    ASSERT_EQ(kinds(o),
              (std::vector<int>{ENTRY_LIGHTON, ENTRY_GEOMETRY, ENTRY_LIGHTON, ENTRY_LIGHTON}));
    EXPECT_EQ(o[0], (Item{ENTRY_LIGHTON, slot_item(slot), 0}));
    EXPECT_EQ(o[2].matrix, 1); // inside, after the Xform node
    EXPECT_EQ(o[3], (Item{ENTRY_LIGHTON, slot_item(slot), 0}));
    EXPECT_EQ(t, (std::vector<Item>{o[0], o[2], o[3]}));
}

TEST_F(Traversal, MovableNodesDrawTheirContentInTheirOwnFrame) {
    OVnode *m = OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    const OVp3 t = {0, 3, 0};
    ASSERT_TRUE(OVnode_settranslation(m, t));
    state->view[3][2] = -10;
    OVnode *light = OVmovlightnode_newpoint(root);
    ASSERT_NE(light, nullptr);
    OVnode *after = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o), (std::vector<int>{ENTRY_GEOMETRY, ENTRY_LIGHTON, ENTRY_GEOMETRY}));
    EXPECT_EQ(OVnode_getgeometry(static_cast<OVnode *>(o[0].item)), OVnode_getgeometry(m));
    EXPECT_FLOAT_EQ(state->saved[o[0].matrix - 1][3][1], 3);
    // The movable light's transform separator keeps its frame inside; the
    // light stays on for what follows.
    EXPECT_EQ(o[2], (Item{ENTRY_GEOMETRY, after, 0}));
}

TEST_F(Traversal, DisabledLightsAreNotSwitchedOn) {
    OVnode *sep = separated_block(root, 0, 0, -10);
    OVnode *light = OVlightnode_newpoint(sep);
    ASSERT_TRUE(OVnode_enable(light, 0));
    collect();
    EXPECT_EQ(kinds(opaque()), (std::vector<int>{ENTRY_GEOMETRY}));
    EXPECT_TRUE(transparent().empty());
}

TEST_F(Traversal, TwoHundredNestedSeparatorsKeepEveryLevel) {
    OVnode *parent = root;
    std::vector<OVnode *> lights;
    for (int i = 0; i < 200; ++i) {
        parent = OVsepnode_new(parent);
        OVnode *x = OVxformnode_new(parent);
        const OVp3 step = {0, 0, -0.05f};
        OVnode_settranslation(x, step);
        if (i == 150) lights.push_back(OVlightnode_newdirected(parent));
    }
    OVnode *g = OVgeometrynode_new(parent, OVgeometry_newblock(1, 1, 1, 0));
    OVnode *after = block_at(root, 0, 0, -5);
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o),
              (std::vector<int>{ENTRY_LIGHTON, ENTRY_GEOMETRY, ENTRY_LIGHTOFF, ENTRY_GEOMETRY}));
    EXPECT_EQ(o[1].item, g);
    ASSERT_GE(o[1].matrix, 1);
    const OVm4 &m = state->saved[o[1].matrix - 1];
    EXPECT_NEAR(m[3][2], -10.0f, 1e-3f);
    // The light was met first, 151 levels down.
    EXPECT_EQ(o[0].matrix, 1);
    EXPECT_NEAR(state->saved[0][3][2], -0.05f * 151, 1e-3f);
    EXPECT_EQ(o[2].matrix, 2); // switched off after the geometry, no frame of its own
    // After all 200 ends the top level's frame is back for the next block.
    EXPECT_EQ(o[3].item, after);
    EXPECT_EQ(o[3].matrix, 3);
    EXPECT_NEAR(state->saved[2][3][2], -5.0f, 1e-5f);
}

TEST_F(Traversal, MatrixIndicesAreSavedOncePerLevel) {
    OVnode *a = block_at(root, 0, 0, -10);
    OVnode *b = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    OVnode *sep = OVsepnode_new(root);
    OVnode *c = block_at(sep, 2, 0, 0);
    OVnode *d = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(o.size(), 4u);
    EXPECT_EQ(o[0], (Item{ENTRY_GEOMETRY, a, 1}));
    EXPECT_EQ(o[1], (Item{ENTRY_GEOMETRY, b, 1}));
    EXPECT_EQ(o[2], (Item{ENTRY_GEOMETRY, c, 2}));
    EXPECT_EQ(o[3], (Item{ENTRY_GEOMETRY, d, 1})); // the separator's transform stayed inside
    ASSERT_EQ(state->saved_count, 2);
    EXPECT_FLOAT_EQ(state->saved[1][3][0], 2);
    EXPECT_FLOAT_EQ(state->saved[1][3][2], -10);
}

TEST_F(Traversal, TransformsInsideAGroupReachItsLaterSiblings) {
    OVnode *group = OVgroupnode_new(root);
    block_at(group, 0, 0, -10);
    OVnode *later = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    OVnode *xsep = OVxformsepnode_new(root);
    block_at(xsep, 3, 0, 0);
    OVnode *last = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(o.size(), 4u);
    EXPECT_EQ(o[1], (Item{ENTRY_GEOMETRY, later, 1}));
    EXPECT_EQ(o[2].matrix, 2);
    EXPECT_EQ(o[3], (Item{ENTRY_GEOMETRY, last, 1}));
}

TEST_F(Traversal, RotatedFramesComposeInRowVectorOrder) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *outer = OVxformnode_new(sep);
    const OVp3 t = {0, 0, -10};
    OVnode_settranslation(outer, t);
    OVnode *inner = OVxformnode_new(sep);
    const OVm4 turn = {
        {0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {2, 0, 0, 1}}; // 90 about Z, then x + 2
    ASSERT_TRUE(OVnode_settransform(inner, turn));
    OVgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(o.size(), 1u);
    const OVm4 &m = state->saved[o[0].matrix - 1];
    // p . inner . outer: the point (1, 0, 0) turns to (0, 1, 0), moves by 2 in x, then back 10.
    OVp3 p = {1, 0, 0}, out;
    OVp3_xformm4(p, m, out);
    EXPECT_NEAR(out[0], 2, 1e-5f);
    EXPECT_NEAR(out[1], 1, 1e-5f);
    EXPECT_NEAR(out[2], -10, 1e-5f);
}

TEST_F(Traversal, SwitchAndLevelOfDetailVisitTheirChoice) {
    OVnode *sw = OVswitchnode_new(root);
    block_at(OVsepnode_new(sw), 0, 0, -10);
    OVnode *second = OVsepnode_new(sw);
    OVnode *picked = block_at(second, 0, 0, -10);
    collect();
    EXPECT_TRUE(opaque().empty()); // -1 at creation
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, 1));
    collect();
    ASSERT_EQ(opaque().size(), 1u);
    EXPECT_EQ(opaque()[0].item, picked);
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, -3));
    collect();
    EXPECT_EQ(opaque().size(), 2u);
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, 5));
    collect();
    EXPECT_TRUE(opaque().empty());

    OVnode_vacuum();
    OVnode *lod = OVlodnode_new(root);
    OVnode *near_child = separated_block(lod, 0, 0, 0);
    OVnode *far_child = separated_block(lod, 0, 0, 0);
    const float range = 20;
    ASSERT_TRUE(OVlodnode_setrange(lod, &range, 1));
    state->view[3][2] = -10; // centre 10 away: the near child
    collect();
    ASSERT_EQ(opaque().size(), 1u);
    EXPECT_EQ(opaque()[0].item, OVnode_getchild(near_child, 1));
    state->view[3][2] = -30;
    collect();
    ASSERT_EQ(opaque().size(), 1u);
    EXPECT_EQ(opaque()[0].item, OVnode_getchild(far_child, 1));
}

} // namespace
} // namespace travtest
