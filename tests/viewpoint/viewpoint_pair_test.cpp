// Setting position and orientation together, and the motions that change
// nothing and so must not fire anything.
#include "viewpoint_fixture.h"

#include <string>

namespace {
std::string fired;

void record(void *, const char *property, void *, double) {
    fired += property;
    fired += ';';
}

int veto_orientation(void *, const char *, double) {
    return 0;
}

void listen(OVviewpoint *vp) {
    fired.clear();
    ASSERT_TRUE(OVproperty_addhandler(vp, "Position", record));
    ASSERT_TRUE(OVproperty_addhandler(vp, "Orientation", record));
}
} // namespace

TEST_F(ViewpointTest, PairFiresPositionThenOrientation) {
    listen(vp);
    const OVpq pose = {{1, 2, 3}, {0, 0.7071068f, 0, 0.7071068f}};
    OVviewpoint_setpositionorientation(vp, &pose);
    OVuniverse_go1();
    EXPECT_EQ(fired, "Position;Orientation;");
    OVp3 d;
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(d, -1, 0, 0); // +Z turned by a quarter turn about +Y

    fired.clear();
    OVviewpoint_setpositionorientation(vp, &pose); // bytewise the same
    OVuniverse_go1();
    EXPECT_EQ(fired, "");
}

TEST_F(ViewpointTest, PairWithANullQuaternionIsIgnoredSilently) {
    listen(vp);
    const OVpq pose = {{5, 5, 5}, {0.001f, 0.001f, 0.001f, 0.001f}};
    OVviewpoint_setpositionorientation(vp, &pose);
    OVuniverse_go1();
    EXPECT_EQ(fired, "");
    EXPECT_EQ(g_messages, "");
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
}

TEST_F(ViewpointTest, PairVetoedByEitherPropertyChangesNeither) {
    listen(vp);
    ASSERT_TRUE(OVproperty_addhandler_pre(vp, "Orientation", veto_orientation));
    const OVpq pose = {{1, 0, 0}, {0, 0.7071068f, 0, 0.7071068f}};
    OVviewpoint_setpositionorientation(vp, &pose);
    const OVpq motion = {{0, 0, 1}, {0, 0, 0, 1}};
    OVviewpoint_move(vp, &motion, 0);
    OVuniverse_go1();
    EXPECT_EQ(fired, "");
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
}

TEST_F(ViewpointTest, NullMotionsFireNothing) {
    listen(vp);
    const OVp3 zero = {0, 0, 0};
    OVviewpoint_translate(vp, zero, 0);
    OVviewpoint_translate(vp, zero, 1);
    OVviewpoint_rotate(vp, 1, 0.0f, 0);
    OVviewpoint_rotate(vp, 1, 0.5f, 3); // unknown frame
    const OVp3 tiny = {0.001f, 0.002f, 0.001f};
    OVp3 caller = {0.001f, 0.002f, 0.001f};
    OVviewpoint_setdirection(vp, caller);
    EXPECT_EQ(caller[1], tiny[1]); // too short: not normalised either
    OVviewpoint_alignaxis(vp, 0, tiny);
    OVviewpoint_alignaxis(vp, 3, zero);
    OVuniverse_go1();
    EXPECT_EQ(fired, "");
}

TEST_F(ViewpointTest, RotateOnlyTouchesOrientationAndNormalises) {
    listen(vp);
    const OVq loose = {0, 0, 0, 2}; // valid, stored unnormalised
    ASSERT_EQ(OVviewpoint_setorientation(vp, loose), 1);
    OVuniverse_go1();
    fired.clear();
    OVviewpoint_rotate(vp, 2, 0.5f, 1);
    OVuniverse_go1();
    EXPECT_EQ(fired, "Orientation;");
    OVq q;
    OVviewpoint_getorientation(vp, q);
    EXPECT_NEAR(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3], 1.0f, 1e-5);
    EXPECT_NEAR(q[2], -0.2474040f, 1e-5); // sin(-0.25)
}
