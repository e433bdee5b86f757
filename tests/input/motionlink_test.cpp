// Motion links: refusals, frames, constraints and what the loop applies.
#include "input_fixture.h"

#include <cmath>

namespace {

void step_x3(OVsensor *s) {
    const OVp3 t = {3, 0, 0};
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
}

void at_rest(OVsensor *s) {
    const OVp3 t = {0, 0, 0};
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
}

int positions, orientations;
void count_position(void *, const char *, void *, double) {
    ++positions;
}
void count_orientation(void *, const char *, void *, double) {
    ++orientations;
}

} // namespace

TEST_F(InputTest, NewLinkRefusals) {
    OVsensor *s = manual_sensor();
    OVviewpoint *vp = OVuniverse_getviewpoint();
    EXPECT_EQ(OVmotionlink_new(nullptr, vp, 0, 0), nullptr);
    EXPECT_EQ(OVmotionlink_new(s, nullptr, 0, 0), nullptr);
    EXPECT_EQ(g_messages, "");
    EXPECT_EQ(OVmotionlink_new(s, vp, 0, 1), nullptr);
    EXPECT_EQ(OVmotionlink_new(s, vp, 0, 2), nullptr);
    EXPECT_EQ(g_messages, "ORV Warning: Illegal to_type in call to OVmotionlink_new."
                          "ORV Warning: Illegal to_type in call to OVmotionlink_new.");
    OVmotionlink *first = OVmotionlink_new(s, vp, 0, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OVmotionlink_new(s, vp, 0, 0), nullptr);
    EXPECT_EQ(OVuniverse_getmotionlinks(), first);
    EXPECT_EQ(OVmotionlink_next(first), nullptr);
    OVsensor *src;
    int type;
    void *target;
    ASSERT_TRUE(OVmotionlink_getsource(first, &src, &type));
    EXPECT_EQ(src, s);
    ASSERT_TRUE(OVmotionlink_gettarget(first, &target, &type));
    EXPECT_EQ(target, vp);
    EXPECT_EQ(type, 0);
    EXPECT_FALSE(OVmotionlink_gettarget(first, nullptr, &type));
}

TEST_F(InputTest, FramesAndConstraintsAcceptTheirValues) {
    OVmotionlink *link = OVmotionlink_new(manual_sensor(), OVuniverse_getviewpoint(), 0, 0);
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, 2, nullptr));
    EXPECT_FALSE(OVmotionlink_setreferenceframe(link, 3, nullptr));
    EXPECT_EQ(
        g_messages,
        "ORV Warning: Illegal reference frame requested. \t\t\t\t\t\t\t\t\tFrame unchanged.\n");
    EXPECT_EQ(OVmotionlink_getreferenceframe(link), 2);
    EXPECT_EQ(OVmotionlink_getreferenceframe(nullptr), -1);
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 1));
    EXPECT_FALSE(OVmotionlink_setconstraintframe(link, 3));
    EXPECT_EQ(OVmotionlink_getconstraintframe(link), 1);
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 8, 4, 3));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 32, -1, 4));
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 8, -4, 3)); // the span reaches 2 pi
    EXPECT_FALSE(OVmotionlink_addconstraint(link, 3, 0, 1));
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 32, -1, 1));
    EXPECT_TRUE(OVmotionlink_addconstraint(link, 1, -10, 10));
    EXPECT_TRUE(OVmotionlink_removeconstraint(link, 32));
    EXPECT_FALSE(OVmotionlink_removeconstraint(link, 32));
    OVmotionlink_enable(link, 0);
    EXPECT_FALSE(OVmotionlink_isenabled(link));
}

TEST_F(InputTest, PositionConstraintClampsTheViewpoint) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    const OVp3 start = {9, 0, 0};
    OVviewpoint_setposition(vp, start);
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x3);
    OVmotionlink *link = OVmotionlink_new(s, vp, 0, 0);
    OVmotionlink_setreferenceframe(link, 1, nullptr);
    OVmotionlink_setconstraintframe(link, 1);
    ASSERT_TRUE(OVmotionlink_addconstraint(link, 1, -10, 10));
    OVuniverse_go1();
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 10, 0, 0);
}

TEST_F(InputTest, DeletedSensorNoLongerMovesItsViewpoint) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x3);
    OVmotionlink_new(s, vp, 0, 0);
    OVuniverse_go1();
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 3, 0, 0);
    OVsensor_delete(s);
    EXPECT_EQ(OVuniverse_getmotionlinks(), nullptr);
    OVuniverse_go1();
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 3, 0, 0);
}

TEST_F(InputTest, IdentityRecordStillTellsTheViewpointHandlers) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, at_rest);
    OVmotionlink_new(s, vp, 0, 0);
    positions = orientations = 0;
    ASSERT_TRUE(OVproperty_addhandler(vp, "Position", count_position));
    ASSERT_TRUE(OVproperty_addhandler(vp, "Orientation", count_orientation));
    OVuniverse_go1();
    OVuniverse_go1();
    EXPECT_EQ(positions, 2);
    EXPECT_EQ(orientations, 2);
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
}

TEST_F(InputTest, DisabledLinksAndDeletedTargetsStopMoving) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x3);
    OVmotionlink *link = OVmotionlink_new(s, vp, 0, 0);
    OVmotionlink_enable(link, 0);
    OVuniverse_go1();
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVmotionlink_deletetarget(vp);
    EXPECT_EQ(OVuniverse_getmotionlinks(), nullptr);
}

TEST_F(InputTest, ConstrainedRotationSurvivesAnIdentityTurn) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x3); // moves, but does not turn
    OVmotionlink *link = OVmotionlink_new(s, vp, 0, 0);
    ASSERT_TRUE(OVmotionlink_addconstraint(link, 8, -1, 1));
    ASSERT_TRUE(OVmotionlink_addconstraint(link, 16, -1, 1));
    OVuniverse_go1();
    OVq q;
    OVviewpoint_getorientation(vp, q);
    for (float c : q)
        EXPECT_FALSE(std::isnan(c));
    EXPECT_NEAR(std::fabs(q[3]), 1, 1e-4);
}

TEST_F(InputTest, ViewpointVetoKeepsThePose) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x3);
    OVmotionlink_new(s, vp, 0, 0);
    OVproperty_addhandler_pre(vp, "Orientation", [](void *, const char *, double) { return 0; });
    OVuniverse_go1();
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
}

namespace {

// One unit along z and a small turn about x, every pass.
const float tilt = 0.2f;
void forward_and_tilt(OVsensor *s) {
    const OVp3 t = {0, 0, 1};
    const OVq q = {std::sin(tilt), 0, 0, std::cos(tilt)};
    OVsensor_setrecord(s, t, q);
}

void expect_q_near(const OVq a, const OVq b) {
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(a[i], b[i], 1e-4) << i;
}

} // namespace

TEST_F(InputTest, ViewpointFramesDecideTheAxesOfTheMotion) {
    const float h = std::sqrt(0.5f);
    const OVq turned = {0, h, 0, h};
    const OVq record = {std::sin(tilt), 0, 0, std::cos(tilt)};
    for (int frame : {0, 1}) {
        OVviewpoint *vp = OVviewpoint_new();
        ASSERT_TRUE(OVviewpoint_setorientation(vp, turned));
        OVsensor *s = manual_sensor();
        OVsensor_setupdatefn(s, forward_and_tilt);
        OVmotionlink *link = OVmotionlink_new(s, vp, 0, 0);
        ASSERT_TRUE(OVmotionlink_setreferenceframe(link, frame, nullptr));
        OVuniverse_go1();
        OVq q, expected;
        OVviewpoint_getorientation(vp, q);
        if (frame == 0)
            OVq_mult(record, turned, expected); // the viewpoint's own axes
        else
            OVq_mult(turned, record, expected); // world axes
        expect_q_near(q, expected);
        OVp3 p;
        OVviewpoint_getposition(vp, p);
        if (frame == 0) { // forward along the new view direction
            OVp3 d;
            OVviewpoint_getdirection(vp, d);
            EXPECT_P3_NEAR(p, d[0], d[1], d[2]);
            EXPECT_GT(std::fabs(d[0]), 0.5f);
        } else {
            EXPECT_P3_NEAR(p, 0, 0, 1);
        }
        OVsensor_delete(s);
    }
}

TEST_F(InputTest, OwnFramePositionConstraintBoundsEachStep) {
    // Measured from the pivot, which follows the viewpoint: each pass may
    // move at most the constraint's reach along the viewpoint's axes.
    OVviewpoint *vp = OVuniverse_getviewpoint();
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, step_x3);
    OVmotionlink *link = OVmotionlink_new(s, vp, 0, 0);
    ASSERT_TRUE(OVmotionlink_addconstraint(link, OVLINK_CONSTRAIN_X, -2, 2));
    OVuniverse_go1();
    OVuniverse_go1();
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 4, 0, 0);
}

TEST_F(InputTest, AVetoThatDeletesTheNextLinkIsSafe) {
    OVviewpoint *first = OVviewpoint_new();
    OVviewpoint *second = OVviewpoint_new();
    OVsensor *s = manual_sensor();
    static OVsensor *doomed;
    doomed = manual_sensor();
    OVsensor_setupdatefn(s, step_x3);
    OVsensor_setupdatefn(doomed, step_x3);
    ASSERT_NE(OVmotionlink_new(s, first, 0, 0), nullptr);
    ASSERT_NE(OVmotionlink_new(doomed, second, 0, 0), nullptr);
    // Asked while the first link moves its viewpoint, the handler deletes
    // the sensor of the second link, and with it that link.
    OVproperty_addhandler_pre(first, "Position", [](void *, const char *, double) {
        OVsensor_delete(doomed);
        return 1;
    });
    OVuniverse_go1();
    OVp3 p;
    OVviewpoint_getposition(first, p);
    EXPECT_P3_NEAR(p, 3, 0, 0);
    OVviewpoint_getposition(second, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    EXPECT_EQ(OVsensor_next(OVuniverse_getsensors()), nullptr);
}
