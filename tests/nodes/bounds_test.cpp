#include "orv/orv.h"
#include "nodes/scene_fixture.h"
#include "scene/node_record.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Bounds = SceneTest;

OVnode *translated(OVnode *parent, float x, float y, float z) {
    OVnode *x_node = OVxformnode_new(parent);
    const OVp3 t = {x, y, z};
    OVnode_settranslation(x_node, t);
    return x_node;
}

TEST_F(Bounds, SeparatorWithTranslatedUnitBlock) {
    OVnode *sep = OVsepnode_new(root);
    translated(sep, 10, 0, 0);
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid, ext;
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    ASSERT_TRUE(OVnode_getextents(sep, ext));
    expect_p3(mid, 10, 0, 0);
    expect_p3(ext, 1, 1, 1);
    EXPECT_NEAR(OVnode_getradius(sep), 1.7320508f, 1e-6);
}

TEST_F(Bounds, OnlyLightsMeansNoBounds) {
    OVnode *sep = OVsepnode_new(root);
    OVlightnode_newpoint(sep);
    OVp3 ext;
    EXPECT_FLOAT_EQ(OVnode_getradius(sep), -1);
    EXPECT_FALSE(OVnode_getextents(sep, ext));
    EXPECT_FALSE(OVnode_getmidpoint(sep, ext));
    EXPECT_FLOAT_EQ(OVnode_getradius(OVsepnode_new(root)), -1); // empty
    EXPECT_FLOAT_EQ(OVnode_getradius(translated(root, 1, 0, 0)), -1);
    EXPECT_FLOAT_EQ(OVnode_getradius(nullptr), -1);
}

TEST_F(Bounds, GroupsPassTransformsOnSeparatorsKeepThem) {
    OVnode *outer = OVsepnode_new(root);
    OVnode *group = OVgroupnode_new(outer);
    translated(group, 5, 0, 0);
    OVgeometrynode_new(outer, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(outer, mid));
    expect_p3(mid, 5, 0, 0);

    OVnode *other = OVsepnode_new(root);
    OVnode *inner = OVsepnode_new(other);
    translated(inner, 5, 0, 0);
    OVgeometrynode_new(other, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVnode_getmidpoint(other, mid));
    expect_p3(mid, 0, 0, 0);
}

TEST_F(Bounds, NestedSeparatorsCombineThroughRotationAndTranslation) {
    OVnode *top = OVsepnode_new(root);
    translated(top, 0, 0, 3);
    OVnode *spun = OVsepnode_new(top);
    OVnode *x = OVxformnode_new(spun);
    const OVm3 quarter_z = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};
    ASSERT_TRUE(OVnode_setrotation(x, quarter_z));
    OVnode *moved = OVsepnode_new(spun);
    translated(moved, 4, 0, 0);
    OVgeometrynode_new(moved, OVgeometry_newblock(4, 2, 2, 0));
    // moved: midpoint (4,0,0) extents (2,1,1); spun turns +X to +Y.
    OVp3 mid, ext;
    ASSERT_TRUE(OVnode_getmidpoint(spun, mid));
    ASSERT_TRUE(OVnode_getextents(spun, ext));
    expect_p3(mid, 0, 4, 0);
    expect_p3(ext, 1, 2, 1);
    ASSERT_TRUE(OVnode_getmidpoint(top, mid));
    expect_p3(mid, 0, 4, 3);
    // A second child widens the box.
    OVgeometrynode_new(top, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVnode_getextents(top, ext));
    ASSERT_TRUE(OVnode_getmidpoint(top, mid));
    expect_p3(mid, 0, 2.5f, 3); // y from -1 to 6
    expect_p3(ext, 1, 3.5f, 1);
}

TEST_F(Bounds, AMovedLeafRefreshesEveryCacheAboveIt) {
    OVgeometry *leaf = OVgeometry_newblock(2, 2, 2, 0);
    OVnode *a = OVsepnode_new(root), *b = OVsepnode_new(root);
    OVnode *shared = OVsepnode_new(a);
    OVnode_addchild(b, shared);
    translated(b, 0, 7, 0); // after the shared child: changes nothing of it
    OVgeometrynode_new(shared, leaf);
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(a, mid));
    expect_p3(mid, 0, 0, 0);
    ASSERT_TRUE(OVnode_getmidpoint(b, mid));
    expect_p3(mid, 0, 0, 0);
    EXPECT_FALSE(a->flags & NODE_CHANGED);

    const OVpq move = {{3, 0, 0}, {0, 0, 0, 1}};
    ASSERT_TRUE(OVgeometry_transform(leaf, &move));
    EXPECT_TRUE(a->flags & NODE_CHANGED);
    EXPECT_TRUE(b->flags & NODE_CHANGED);
    ASSERT_TRUE(OVnode_getmidpoint(a, mid));
    expect_p3(mid, 3, 0, 0);
    ASSERT_TRUE(OVnode_getmidpoint(b, mid));
    expect_p3(mid, 3, 0, 0);
    // Once more: the marks cleared by the first pass must propagate again.
    ASSERT_TRUE(OVgeometry_transform(leaf, &move));
    ASSERT_TRUE(OVnode_getmidpoint(a, mid));
    expect_p3(mid, 6, 0, 0);
    ASSERT_TRUE(OVnode_getmidpoint(b, mid));
    expect_p3(mid, 6, 0, 0);
}

TEST_F(Bounds, ChangingATranslationMovesTheCache) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *x = translated(sep, 1, 0, 0);
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 1, 0, 0);
    const OVp3 t = {0, -2, 0};
    OVnode_settranslation(x, t);
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 0, -2, 0);
}

TEST_F(Bounds, SwitchBoundsFollowTheSelection) {
    OVnode *s = OVswitchnode_new(root);
    OVnode *near_box = OVsepnode_new(s);
    OVgeometrynode_new(near_box, OVgeometry_newblock(2, 2, 2, 0));
    OVnode *far_box = OVsepnode_new(s);
    translated(far_box, 20, 0, 0);
    OVgeometrynode_new(far_box, OVgeometry_newblock(2, 2, 2, 0));
    EXPECT_FLOAT_EQ(OVnode_getradius(s), -1); // -1 shows nothing
    OVp3 mid;
    ASSERT_TRUE(OVswitchnode_setwhichchild(s, 1));
    ASSERT_TRUE(OVnode_getmidpoint(s, mid));
    expect_p3(mid, 20, 0, 0);
    ASSERT_TRUE(OVswitchnode_setwhichchild(s, -3));
    ASSERT_TRUE(OVnode_getmidpoint(s, mid));
    expect_p3(mid, 10, 0, 0);
}

TEST_F(Bounds, TransformsPassedOnByNestedGroupsFollowChanges) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *outer = OVgroupnode_new(sep);
    OVnode *inner = OVgroupnode_new(outer);
    OVnode *x = translated(inner, 2, 0, 0);
    OVnode *s = OVswitchnode_new(outer);
    translated(s, 0, 3, 0);
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 2, 0, 0); // the switch shows nothing yet
    const OVp3 t = {5, 0, 0};
    OVnode_settranslation(x, t);
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 5, 0, 0);
    OVswitchnode_setwhichchild(s, 0);
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 5, 3, 0);
    OVm4 m;
    ASSERT_EQ(_OVnode_getxforms(outer, m), 0x02);
    expect_p3(m[3], 5, 3, 0);
    OVnode_removechild(outer, 0);
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 0, 3, 0);
}

TEST_F(Bounds, DeepGroupChainsPassTheirTransformsOn) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *n = OVgroupnode_new(sep);
    for (int i = 0; i < 20000; ++i) {
        n = OVgroupnode_new(n);
        if (i % 1000 == 0) translated(n, 0, 1, 0);
    }
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 0, 20, 0);
}

TEST_F(Bounds, DeepChainsNeedNoCallStack) {
    OVnode *top = OVsepnode_new(root);
    OVnode *n = top;
    for (int i = 0; i < 20000; ++i) {
        n = OVsepnode_new(n);
        if (i % 1000 == 0) translated(n, 1, 0, 0);
    }
    OVgeometrynode_new(n, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(top, mid));
    expect_p3(mid, 20, 0, 0);
}

TEST_F(Bounds, AccumulatedTransformOfASubtree) {
    OVm4 m;
    OVnode *group = OVgroupnode_new(root);
    EXPECT_EQ(_OVnode_getxforms(group, m), 0);
    translated(group, 1, 0, 0);
    OVnode *sep = OVsepnode_new(group);
    translated(sep, 100, 0, 0); // kept inside the separator
    OVnode *inner = OVgroupnode_new(group);
    translated(inner, 0, 2, 0);
    EXPECT_EQ(_OVnode_getxforms(group, m), 0x02);
    EXPECT_FLOAT_EQ(m[3][0], 1);
    EXPECT_FLOAT_EQ(m[3][1], 2);
    OVnode *turn = OVxformnode_new(group);
    const OVm3 quarter_z = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};
    OVnode_setrotation(turn, quarter_z);
    EXPECT_EQ(_OVnode_getxforms(group, m) & 0x01, 0x01);
    // The later rotation nests inside the earlier translations.
    const OVp3 unit_x = {1, 0, 0};
    OVp3 p;
    OVp3_xformm4(unit_x, m, p);
    expect_p3(p, 1, 3, 0);
    EXPECT_EQ(_OVnode_getxforms(sep, m), 0);
    OVnode *s = OVswitchnode_new(root);
    translated(s, 1, 0, 0);
    translated(s, 0, 1, 0);
    EXPECT_EQ(_OVnode_getxforms(s, m), 0);
    OVswitchnode_setwhichchild(s, 1);
    ASSERT_EQ(_OVnode_getxforms(s, m), 0x02);
    expect_p3(m[3], 0, 1, 0);
    OVswitchnode_setwhichchild(s, -3);
    ASSERT_EQ(_OVnode_getxforms(s, m), 0x02);
    expect_p3(m[3], 1, 1, 0);
}

TEST_F(Bounds, GeometryNodesReportTheirGeometry) {
    OVnode *g = OVgeometrynode_new(root, OVgeometry_newblock(2, 4, 6, 0));
    OVp3 ext;
    ASSERT_TRUE(OVnode_getextents(g, ext));
    expect_p3(ext, 1, 2, 3);
    EXPECT_NEAR(OVnode_getradius(g), std::sqrt(14.0f), 1e-5);
}

TEST_F(Bounds, CallbackNodesCountByTheirCullingBox) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *gl = OVglnode_new(
        sep, [](OVnode *) {}, 0);
    ASSERT_NE(gl, nullptr);
    EXPECT_FLOAT_EQ(OVnode_getradius(sep), -1);
    const OVp3 lo = {0, 0, 0}, hi = {2, 4, 6};
    ASSERT_TRUE(OVglnode_setcullingbox(gl, lo, hi));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 1, 2, 3);
}

int refuse(void *, const char *, double) {
    return 0;
}

TEST_F(Bounds, BoundingBoxFlag) {
    OVnode *sep = OVsepnode_new(root);
    EXPECT_EQ(OVnode_hasboundingbox(sep), 0);
    ASSERT_TRUE(OVnode_boundingbox(sep, 1));
    EXPECT_EQ(OVnode_getboundingbox(sep), 1);
    EXPECT_FALSE(OVnode_boundingbox(OVxformnode_new(root), 1));
    EXPECT_FALSE(OVnode_boundingbox(OVlightnode_newpoint(root), 1));
    OVnode *m = OVmovsepnode_new(root);
    ASSERT_TRUE(OVnode_boundingbox(m, 1));
    EXPECT_TRUE(orv::scene::first_child(m)->next_sibling->child->flags & NODE_BOUNDINGBOX);
    EXPECT_FALSE(m->flags & NODE_BOUNDINGBOX);
    EXPECT_EQ(OVnode_hasboundingbox(m), 1);
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "BoundingBox", refuse));
    EXPECT_FALSE(OVnode_boundingbox(sep, 0));
    EXPECT_EQ(OVnode_hasboundingbox(sep), 1);
}

} // namespace
