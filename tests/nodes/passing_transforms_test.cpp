// Which grouping kinds pass the transforms inside them on to their later
// siblings: for the bounds only groups, anchors and switches do; the other
// kinds keep them, and so does the accumulated transform of a subtree.
#include "orv/orv_internal.h"
#include "nodes/scene_fixture.h"

#include <cmath>

namespace {

using PassingTransforms = SceneTest;

// A separator holding a grouping node of the given kind, with a translation
// by (10, 0, 0) inside it, followed by a block centred on the origin.
OVnode *scene_with(OVnode *root, OVnode *(*make)(OVnode *)) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *inner = make(sep);
    OVnode *x = OVxformnode_new(inner);
    const OVp3 t = {10, 0, 0};
    OVnode_settranslation(x, t);
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    return sep;
}

OVnode *all_shown(OVnode *parent) {
    OVnode *s = OVswitchnode_new(parent);
    OVswitchnode_setwhichchild(s, -3);
    return s;
}

TEST_F(PassingTransforms, BoundsFollowGroupsAnchorsAndSwitches) {
    struct Case {
        OVnode *(*make)(OVnode *);
        float expected_x;
    };
    const Case cases[] = {{OVgroupnode_new, 10},  {OVanchornode_new, 10}, {all_shown, 10},
                          {OVinlinenode_new, 0},  {OVlodnode_new, 0},     {OVsepnode_new, 0},
                          {OVxformsepnode_new, 0}};
    for (const Case &c : cases) {
        OVnode *sep = scene_with(root, c.make);
        OVp3 mid;
        ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
        EXPECT_FLOAT_EQ(mid[0], c.expected_x) << OVnode_gettype(OVnode_getchild(sep, 0));
        EXPECT_NEAR(OVnode_getradius(sep), std::sqrt(3.0f), 1e-6);
    }
}

TEST_F(PassingTransforms, SubtreeTransformOfEachGroupingKind) {
    OVm4 m;
    const OVp3 t = {1, 0, 0};
    // A group passes on its children's transforms, except those inside
    // separators, transform separators, inline and LOD nodes.
    OVnode *group = OVgroupnode_new(root);
    for (OVnode *keeper : {OVinlinenode_new(group), OVlodnode_new(group), OVsepnode_new(group),
                           OVxformsepnode_new(group)})
        OVnode_settranslation(OVxformnode_new(keeper), t);
    EXPECT_EQ(_OVnode_getxforms(group, m), 0);
    // Anchors, groups and switches inside it pass theirs on.
    OVnode_settranslation(OVxformnode_new(OVanchornode_new(group)), t);
    OVnode_settranslation(OVxformnode_new(OVgroupnode_new(group)), t);
    OVnode *sw = OVswitchnode_new(group);
    OVnode_settranslation(OVxformnode_new(sw), t);
    ASSERT_EQ(_OVnode_getxforms(group, m), 0x02);
    EXPECT_FLOAT_EQ(m[3][0], 2); // the switch shows nothing yet
    OVswitchnode_setwhichchild(sw, 0);
    ASSERT_EQ(_OVnode_getxforms(group, m), 0x02);
    EXPECT_FLOAT_EQ(m[3][0], 3);
    OVnode_rotateaxis(OVxformnode_new(group), 2, 90, 0);
    EXPECT_EQ(_OVnode_getxforms(group, m) & 0x01, 0x01);
    EXPECT_NEAR(m[0][1], 1, 1e-6);
}

TEST_F(PassingTransforms, OwnFrameMatrixCarriesItsTranslationTurned) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotateaxis(x, 2, 90, 0));
    const OVp3 start = {5, 0, 0};
    ASSERT_TRUE(OVnode_settranslation(x, start));
    const OVm4 shift = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 1}};
    // Own axes: the shift is along the node's turned X axis.
    ASSERT_TRUE(OVnode_rotatem4(x, shift, 0));
    OVp3 t;
    ASSERT_TRUE(OVnode_gettranslation(x, t));
    expect_p3(t, 5, 1, 0);
    // Parent axes: the shift is added as it is.
    ASSERT_TRUE(OVnode_rotatem4(x, shift, 3));
    ASSERT_TRUE(OVnode_gettranslation(x, t));
    expect_p3(t, 6, 1, 0);
    // A turn in the parent's frame turns the translation too.
    const OVm4 turn = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    ASSERT_TRUE(OVnode_rotatem4(x, turn, 3));
    ASSERT_TRUE(OVnode_gettranslation(x, t));
    expect_p3(t, -1, 6, 0);
}

} // namespace
