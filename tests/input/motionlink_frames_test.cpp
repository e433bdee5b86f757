// Motion links to nodes: initial record, list order, the frames each target
// kind accepts, constraint bounds and updates, and what the loop skips.
#include "input_fixture.h"
#include "orv/node.h"
#include "orv/nodepath.h"

#include <cmath>

namespace {

constexpr float pi = 3.14159265f;
const char *const illegal_frame =
    "ORV Warning: Illegal reference frame requested. \t\t\t\t\t\t\t\t\tFrame unchanged.\n";

void step_x1(OVsensor *s) {
    const OVp3 t = {1, 0, 0};
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
}

} // namespace

TEST_F(InputTest, NewLinksStartEnabledWithoutDataAndGoToTheTail) {
    OVsensor *s = manual_sensor();
    OVnode *x = OVxformnode_new(nullptr);
    OVnode *m = OVmovsepnode_new(nullptr);
    EXPECT_EQ(OVmotionlink_new(s, x, 0, OVLINK_MOVABLE), nullptr); // not movable
    OVmotionlink *first = OVmotionlink_new(s, x, 0, OVLINK_XFORM);
    OVmotionlink *second = OVmotionlink_new(s, m, 0, OVLINK_MOVABLE);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(OVuniverse_getmotionlinks(), first);
    EXPECT_EQ(OVmotionlink_next(first), second);
    EXPECT_EQ(OVmotionlink_next(nullptr), nullptr);
    EXPECT_TRUE(OVmotionlink_isenabled(first));
    EXPECT_EQ(OVmotionlink_getdata(first), nullptr);
    EXPECT_EQ(OVmotionlink_getreferenceframe(first), 0);
    EXPECT_EQ(OVmotionlink_getconstraintframe(first), 0);
    int marker = 0;
    OVmotionlink_setdata(first, &marker);
    EXPECT_EQ(OVmotionlink_getdata(first), &marker);
    OVsensor *src = nullptr;
    int type = -1;
    ASSERT_TRUE(OVmotionlink_getsource(second, &src, &type));
    EXPECT_EQ(src, s);
    EXPECT_EQ(type, 0);
    EXPECT_FALSE(OVmotionlink_getsource(second, nullptr, &type));
    EXPECT_FALSE(OVmotionlink_getsource(nullptr, &src, &type));
    EXPECT_EQ(g_messages, "");
}

TEST_F(InputTest, NodeTargetsTakeOwnParentOrReferenceAxes) {
    OVnode *x = OVxformnode_new(nullptr);
    OVmotionlink *link = OVmotionlink_new(manual_sensor(), x, 0, OVLINK_XFORM);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, 3, nullptr));
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 3);
    EXPECT_FALSE(OVmotionlink_setreferenceframe(link, 2, nullptr)); // silently
    EXPECT_EQ(g_messages, "");
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 3);
    EXPECT_FALSE(OVmotionlink_setreferenceframe(link, 1, nullptr));
    EXPECT_EQ(g_messages, illegal_frame);
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, 2, OVxformnode_new(nullptr)));
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 2);
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, 0, nullptr));
    EXPECT_FALSE(OVmotionlink_setreferenceframe(nullptr, 0, nullptr));
}

TEST_F(InputTest, NodeConstraintFramesStoreWorldAsParent) {
    OVnode *x = OVxformnode_new(nullptr);
    OVmotionlink *link = OVmotionlink_new(manual_sensor(), x, 0, OVLINK_XFORM);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 1));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 3);
    EXPECT_FALSE(OVmotionlink_setconstraintframe(link, 2));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 3);
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 0));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 0);
    EXPECT_EQ(OVmotionlink_getconstraintframe(nullptr), -1);
    EXPECT_EQ(g_messages, "");
}

TEST_F(InputTest, NodePathLinksTakeTheirOwnFrameSets) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *m = OVmovsepnode_new(root);
    OVnodepath *path = OVnodepath_new(root);
    ASSERT_TRUE(OVnodepath_push(path, m));
    OVmotionlink *link = OVmotionlink_new(manual_sensor(), path, 0, OVLINK_NODEPATH);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, 0, nullptr));
    EXPECT_FALSE(OVmotionlink_setreferenceframe(link, 2, nullptr));
    EXPECT_EQ(g_messages, "");
    EXPECT_FALSE(OVmotionlink_setreferenceframe(link, 3, nullptr));
    EXPECT_EQ(g_messages, illegal_frame);
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 0);
    EXPECT_FALSE(OVmotionlink_setconstraintframe(link, 0));
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 2));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 2);
    OVmotionlink_delete(link);
    OVnodepath_delete(path);
}

TEST_F(InputTest, ConstraintBoundsByKind) {
    OVmotionlink *link = OVmotionlink_new(manual_sensor(), OVxformnode_new(nullptr), 0, 3);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 2, 5, 5));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 4, 1, 0));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 16, 1, 0));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 16, -7, -6.5f));   // beyond 2 pi
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 16, -3.2f, 3.2f)); // span of 2 pi or more
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 16, -3, 3));
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 32, -pi, pi));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 32, 1, 0.5f));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 32, -4, 0));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 64, 0, 1));
    EXPECT_FALSE(OVmotionlink_addconstraint(nullptr, 1, 0, 1));
    EXPECT_EQ(g_messages, "");
}

TEST_F(InputTest, ConstraintOfAKnownKindIsUpdatedInPlace) {
    OVnode *x = OVxformnode_new(nullptr);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x1);
    OVmotionlink *link = OVmotionlink_new(s, x, 0, OVLINK_XFORM);
    ASSERT_NE(link, nullptr);
    OVmotionlink_setreferenceframe(link, 3, nullptr);
    ASSERT_TRUE(OVmotionlink_addconstraint(link, 1, -10, 2));
    ASSERT_TRUE(OVmotionlink_addconstraint(link, 2, -1, 1));
    ASSERT_TRUE(OVmotionlink_addconstraint(link, 1, -10, 1)); // replaces [-10, 2]
    for (int i = 0; i < 3; ++i)
        OVuniverse_go1();
    OVp3 p;
    OVnode_gettranslation(x, p);
    EXPECT_P3_NEAR(p, 1, 0, 0);
    EXPECT_TRUE(OVmotionlink_removeconstraint(link, 1));
    EXPECT_FALSE(OVmotionlink_removeconstraint(link, 1));
    OVuniverse_go1();
    OVnode_gettranslation(x, p);
    EXPECT_P3_NEAR(p, 2, 0, 0); // the kind 2 entry moved into its place and still holds y only
}

TEST_F(InputTest, OnlySensorSourcedEnabledLinksAreApplied) {
    OVnode *x = OVxformnode_new(nullptr);
    OVnode *y = OVxformnode_new(nullptr);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x1);
    ASSERT_NE(OVmotionlink_new(s, x, 1, OVLINK_XFORM), nullptr);
    OVmotionlink *off = OVmotionlink_new(s, y, 0, OVLINK_XFORM);
    ASSERT_NE(off, nullptr);
    OVmotionlink_enable(off, 0);
    OVuniverse_go1();
    OVp3 p;
    OVnode_gettranslation(x, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVnode_gettranslation(y, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVmotionlink_enable(off, 1);
    OVuniverse_go1();
    OVnode_gettranslation(y, p);
    EXPECT_P3_NEAR(p, 1, 0, 0);
}

TEST_F(InputTest, DeleteTargetDropsEveryLinkToIt) {
    OVnode *x = OVxformnode_new(nullptr);
    OVnode *other = OVxformnode_new(nullptr);
    OVsensor *a = manual_sensor();
    OVsensor *b = manual_sensor();
    ASSERT_NE(OVmotionlink_new(a, x, 0, OVLINK_XFORM), nullptr);
    OVmotionlink *kept = OVmotionlink_new(a, other, 0, OVLINK_XFORM);
    ASSERT_NE(OVmotionlink_new(b, x, 0, OVLINK_XFORM), nullptr);
    OVmotionlink_deletetarget(x);
    EXPECT_EQ(OVuniverse_getmotionlinks(), kept);
    EXPECT_EQ(OVmotionlink_next(kept), nullptr);
}

TEST_F(InputTest, DeletedReferenceNodeFallsBackToParentAxes) {
    OVnode *x = OVxformnode_new(nullptr);
    OVnode *reference = OVxformnode_new(nullptr);
    const float h = std::sqrt(0.5f);
    const OVq turned = {0, 0, h, h};
    OVnode_setorientation(reference, turned);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x1);
    OVmotionlink *link = OVmotionlink_new(s, x, 0, OVLINK_XFORM);
    ASSERT_TRUE(OVmotionlink_setreferenceframe(link, 2, reference));
    OVuniverse_go1();
    OVp3 p;
    OVnode_gettranslation(x, p);
    EXPECT_P3_NEAR(p, 0, -1, 0); // the step turned by the reference's orientation
    OVnode_delete(reference);
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 3);
    OVuniverse_go1();
    OVnode_gettranslation(x, p);
    EXPECT_P3_NEAR(p, 1, -1, 0);
}

TEST_F(InputTest, NodePathLinksStartInWorldFrames) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *m = OVmovsepnode_new(root);
    OVnodepath *path = OVnodepath_new(root);
    ASSERT_TRUE(OVnodepath_push(path, m));
    OVmotionlink *link = OVmotionlink_new(manual_sensor(), path, 0, OVLINK_NODEPATH);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 1);
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 1);
    OVmotionlink_delete(link);
    OVnodepath_delete(path);
}

TEST_F(InputTest, TargetPoseOfAViewpointIsItsPositionAndOrientation) {
    OVviewpoint *vp = OVviewpoint_new();
    const OVp3 at = {1, -2, 3};
    const OVq turn = {0, 0.6f, 0, 0.8f};
    ASSERT_TRUE(OVviewpoint_setposition(vp, at));
    ASSERT_TRUE(OVviewpoint_setorientation(vp, turn));
    OVmotionlink *link = OVmotionlink_new(manual_sensor(), vp, 0, OVLINK_VIEWPOINT);
    ASSERT_NE(link, nullptr);
    OVpq pose;
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    EXPECT_P3_NEAR(pose.p, 1, -2, 3);
    EXPECT_FLOAT_EQ(pose.q[1], 0.6f);
    EXPECT_FLOAT_EQ(pose.q[3], 0.8f);
    EXPECT_FALSE(OVmotionlink_gettargetpose(nullptr, &pose));
    EXPECT_FALSE(OVmotionlink_gettargetpose(link, nullptr));
}

TEST_F(InputTest, UnknownTargetTypesWarnAndEmptyNodePathsAreRefusedSilently) {
    OVsensor *s = manual_sensor();
    OVviewpoint *vp = OVuniverse_getviewpoint();
    EXPECT_EQ(OVmotionlink_new(s, vp, 0, 6), nullptr);
    EXPECT_EQ(OVmotionlink_new(s, vp, 0, -1), nullptr);
    EXPECT_EQ(g_messages, "ORV Warning: Illegal to_type in call to OVmotionlink_new."
                          "ORV Warning: Illegal to_type in call to OVmotionlink_new.");
    g_messages.clear();
    OVnode *root = OVuniverse_getrootnodes();
    OVnodepath *empty = OVnodepath_new(root);
    EXPECT_EQ(OVmotionlink_new(s, empty, 0, OVLINK_NODEPATH), nullptr);
    OVnodepath *plain = OVnodepath_new(root);
    ASSERT_TRUE(OVnodepath_push(plain, OVsepnode_new(root)));
    EXPECT_EQ(OVmotionlink_new(s, plain, 0, OVLINK_NODEPATH), nullptr) << "last node not movable";
    EXPECT_EQ(g_messages, "");
    EXPECT_EQ(OVuniverse_getmotionlinks(), nullptr);
    OVnodepath_delete(empty);
    OVnodepath_delete(plain);
}
