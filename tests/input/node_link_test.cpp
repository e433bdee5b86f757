// Sensors driving Xform and movable nodes through motion links.
#include "input_fixture.h"
#include "orv/node.h"

#include <cmath>

namespace {

void step_x2(OVsensor *s) {
    const OVp3 t = {2, 0, 0};
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
}

void at_rest(OVsensor *s) {
    const OVp3 t = {0, 0, 0};
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
}

// A quarter turn about Z with one unit along X, every pass.
void turn_and_step(OVsensor *s) {
    const OVp3 t = {1, 0, 0};
    const float h = std::sqrt(0.5f);
    const OVq q = {0, 0, h, h};
    OVsensor_setrecord(s, t, q);
}

int node_events;
void count(void *, const char *, void *, double) {
    ++node_events;
}

} // namespace

TEST_F(InputTest, SensorMovesAnXformNodeAndRemovesCleanly) {
    OVnode *xform = OVxformnode_new(nullptr);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x2);
    EXPECT_EQ(OVnode_addsensor(OVsepnode_new(nullptr), s), nullptr);
    OVmotionlink *link = OVnode_addsensor(xform, s);
    ASSERT_NE(link, nullptr);
    void *target;
    int type;
    OVmotionlink_gettarget(link, &target, &type);
    EXPECT_EQ(type, OVLINK_XFORM);
    OVuniverse_go1();
    OVp3 p;
    OVnode_gettranslation(xform, p);
    EXPECT_P3_NEAR(p, 2, 0, 0);
    OVpq pose;
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    EXPECT_P3_NEAR(pose.p, 2, 0, 0);
    EXPECT_TRUE(OVnode_removesensor(xform, s));
    EXPECT_FALSE(OVnode_removesensor(xform, s));
    OVuniverse_go1();
    OVnode_gettranslation(xform, p);
    EXPECT_P3_NEAR(p, 2, 0, 0);
}

TEST_F(InputTest, IdentityRecordLeavesANodeWithoutEvents) {
    OVnode *xform = OVxformnode_new(nullptr);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, at_rest);
    ASSERT_NE(OVnode_addsensor(xform, s), nullptr);
    node_events = 0;
    ASSERT_TRUE(OVproperty_addhandler(xform, "Translation", count));
    ASSERT_TRUE(OVproperty_addhandler(xform, "Rotation", count));
    OVuniverse_go1();
    EXPECT_EQ(node_events, 0);
    OVsensor_setupdatefn(s, step_x2);
    OVuniverse_go1();
    EXPECT_EQ(node_events, 2);
}

TEST_F(InputTest, MovableNodesTakeMovableLinks) {
    OVnode *movable = OVmovsepnode_new(nullptr);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x2);
    OVmotionlink *link = OVnode_addsensor(movable, s);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(OVmotionlink_new(s, OVsepnode_new(nullptr), 0, OVLINK_MOVABLE), nullptr);
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 1));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 3);
    OVuniverse_go1();
    OVp3 p;
    OVnode_gettranslation(movable, p);
    EXPECT_P3_NEAR(p, 2, 0, 0);
}

TEST_F(InputTest, OwnAxesStepFollowsThisPassTurn) {
    OVnode *xform = OVxformnode_new(nullptr);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, turn_and_step);
    ASSERT_NE(OVnode_addsensor(xform, s), nullptr); // reference frame 0: own axes
    OVuniverse_go1();
    OVm3 r;
    ASSERT_TRUE(OVnode_getrotation(xform, r));
    EXPECT_NEAR(std::fabs(r[0][1]), 1, 1e-4); // X turned onto a Y axis
    OVp3 p;
    OVnode_gettranslation(xform, p);
    // The step goes along the node's X after the turn, which is row 0.
    EXPECT_P3_NEAR(p, r[0][0], r[0][1], r[0][2]);
    EXPECT_NEAR(p[0], 0, 1e-4);
}

TEST_F(InputTest, ParentAxesStepIgnoresTheTurn) {
    OVnode *xform = OVxformnode_new(nullptr);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, turn_and_step);
    OVmotionlink *link = OVnode_addsensor(xform, s);
    ASSERT_TRUE(OVmotionlink_setreferenceframe(link, 3, nullptr));
    OVuniverse_go1();
    OVuniverse_go1();
    OVp3 p;
    OVnode_gettranslation(xform, p);
    EXPECT_P3_NEAR(p, 2, 0, 0);
}

TEST_F(InputTest, DeletedSensorLeavesNoNodeLinks) {
    OVnode *xform = OVxformnode_new(nullptr);
    OVnode *movable = OVmovsepnode_new(nullptr);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x2);
    ASSERT_NE(OVnode_addsensor(xform, s), nullptr);
    ASSERT_NE(OVnode_addsensor(movable, s), nullptr);
    OVsensor_delete(s);
    EXPECT_EQ(OVuniverse_getmotionlinks(), nullptr);
    OVuniverse_go1();
    OVp3 p;
    OVnode_gettranslation(xform, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
}

TEST_F(InputTest, DeletedNodesLeaveNoMotionLinks) {
    OVnode *sep = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *xform = OVxformnode_new(sep);
    OVnode *movable = OVmovsepnode_new(sep);
    OVnode *kept = OVxformnode_new(OVuniverse_getrootnodes());
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x2);
    ASSERT_NE(OVnode_addsensor(xform, s), nullptr);
    ASSERT_NE(OVnode_addsensor(movable, s), nullptr);
    OVmotionlink *left = OVnode_addsensor(kept, s);
    ASSERT_NE(left, nullptr);
    ASSERT_TRUE(OVnode_deletechild(sep, 1)); // the movable node
    ASSERT_TRUE(OVnode_delete(sep));         // and the Xform node with it
    EXPECT_EQ(OVuniverse_getmotionlinks(), left);
    EXPECT_EQ(OVmotionlink_next(left), nullptr);
    OVuniverse_go1();
    OVp3 p;
    OVnode_gettranslation(kept, p);
    EXPECT_P3_NEAR(p, 2, 0, 0);
}
