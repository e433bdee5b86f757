// Sensors driving the node at the end of a node path in the path's world frame.
#include "input_fixture.h"
#include "orv/node.h"
#include "orv/nodepath.h"

#include <cmath>

namespace {

OVp3 g_step = {0, 0, 0};
OVq g_turn = {0, 0, 0, 1};
void apply_step(OVsensor *s) {
    OVsensor_setrecord(s, g_step, g_turn);
}

class NodePathLink : public InputTest {
  protected:
    void SetUp() override {
        InputTest::SetUp();
        OVnode *root = OVuniverse_getrootnodes();
        sep = OVsepnode_new(root);
        // The separator's frame: a quarter turn about Z, then 10 along X.
        OVnode *frame = OVxformnode_new(sep);
        const OVm4 placed = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {10, 0, 0, 1}};
        OVnode_settransform(frame, placed);
        movable = OVmovsepnode_new(sep);
        const OVp3 t = {1, 0, 0};
        OVnode_settranslation(movable, t);
        path = OVnodepath_new(root);
        OVnodepath_push(path, sep);
        OVnodepath_push(path, movable);
        sensor = manual_sensor();
        OVsensor_setupdatefn(sensor, apply_step);
        g_turn[0] = g_turn[1] = g_turn[2] = 0;
        g_turn[3] = 1;
    }
    void TearDown() override {
        OVnodepath_delete(path);
        InputTest::TearDown();
    }
    OVnode *sep = nullptr, *movable = nullptr;
    OVnodepath *path = nullptr;
    OVsensor *sensor = nullptr;
};

TEST_F(NodePathLink, OnlyPathsEndingAtMovableNodesAreTargets) {
    OVnodepath *to_sep = OVnodepath_new(OVuniverse_getrootnodes());
    ASSERT_TRUE(OVnodepath_push(to_sep, sep));
    EXPECT_EQ(OVmotionlink_new(sensor, to_sep, 0, OVLINK_NODEPATH), nullptr);
    ASSERT_TRUE(OVnodepath_push(to_sep, OVnode_getchild(sep, 0))); // the plain Xform
    EXPECT_EQ(OVmotionlink_new(sensor, to_sep, 0, OVLINK_NODEPATH), nullptr);
    OVnodepath_delete(to_sep);
    OVmotionlink *link = OVmotionlink_new(sensor, path, 0, OVLINK_NODEPATH);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 1);
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 1);
    OVpq pose;
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    EXPECT_P3_NEAR(pose.p, 10, 1, 0);
}

TEST_F(NodePathLink, WorldStepsMoveTheAccumulatedTransform) {
    OVmotionlink *link = OVmotionlink_new(sensor, path, 0, OVLINK_NODEPATH);
    ASSERT_NE(link, nullptr);
    g_step[0] = 0, g_step[1] = 2, g_step[2] = 0;
    OVuniverse_go1();
    OVpq pose;
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    EXPECT_P3_NEAR(pose.p, 10, 3, 0);
    // In the separator's turned frame that is three along the local X.
    OVp3 local;
    OVnode_gettranslation(movable, local);
    EXPECT_P3_NEAR(local, 3, 0, 0);
}

TEST_F(NodePathLink, OwnAxesFollowTheNodesWorldOrientation) {
    OVmotionlink *link = OVmotionlink_new(sensor, path, 0, OVLINK_NODEPATH);
    ASSERT_TRUE(OVmotionlink_setreferenceframe(link, 0, nullptr));
    g_step[0] = 1, g_step[1] = 0, g_step[2] = 0;
    OVuniverse_go1();
    OVpq pose;
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    EXPECT_P3_NEAR(pose.p, 10, 2, 0); // its X points along the world's Y
}

TEST_F(NodePathLink, PositionConstraintsHoldInTheWorld) {
    OVmotionlink *link = OVmotionlink_new(sensor, path, 0, OVLINK_NODEPATH);
    ASSERT_TRUE(OVmotionlink_addconstraint(link, OVLINK_CONSTRAIN_Y, -5, 2));
    g_step[0] = 0, g_step[1] = 4, g_step[2] = 0;
    OVuniverse_go1();
    OVpq pose;
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    EXPECT_P3_NEAR(pose.p, 10, 2, 0);
}

TEST_F(NodePathLink, TurnsKeepThePositionAndDeletingThePathDropsTheLink) {
    OVmotionlink *link = OVmotionlink_new(sensor, path, 0, OVLINK_NODEPATH);
    ASSERT_NE(link, nullptr);
    g_step[0] = g_step[1] = g_step[2] = 0;
    OVpq pose;
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    for (int i = 0; i < 4; ++i) // the same quarter turn about Z again
        g_turn[i] = pose.q[i];
    OVuniverse_go1();
    ASSERT_TRUE(OVmotionlink_gettargetpose(link, &pose));
    EXPECT_P3_NEAR(pose.p, 10, 1, 0);
    EXPECT_NEAR(std::fabs(pose.q[2]), 1.0f, 1e-4f); // half a turn in all
    EXPECT_NEAR(pose.q[3], 0.0f, 1e-4f);
    OVnodepath_delete(path);
    path = nullptr;
    EXPECT_EQ(OVuniverse_getmotionlinks(), nullptr); // no link outlives its path
}

} // namespace
