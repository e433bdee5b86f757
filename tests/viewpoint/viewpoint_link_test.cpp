// A sensor moving a viewpoint through a motion link: translation limits on
// both sides, and a limited twist about Z.
#include "viewpoint_fixture.h"
#include "orv/motionlink.h"
#include "orv/sensor.h"

#include <cmath>

namespace {

float step_x = 0;
void step_along_x(OVsensor *s) {
    const OVp3 t = {step_x, 0, 0};
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
}

float twist = 0;
void twist_about_z(OVsensor *s) {
    const OVp3 t = {0, 0, 0};
    const OVq q = {0, 0, std::sin(twist / 2), std::cos(twist / 2)};
    OVsensor_setrecord(s, t, q);
}

OVmotionlink *world_link(OVviewpoint *vp, void (*update)(OVsensor *)) {
    OVsensor *s = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    OVsensor_setupdatefn(s, update);
    OVmotionlink *link = OVmotionlink_new(s, vp, 0, 0);
    EXPECT_TRUE(OVmotionlink_setreferenceframe(link, OVFRAME_WORLD, nullptr));
    EXPECT_TRUE(OVmotionlink_setconstraintframe(link, 1));
    return link;
}

} // namespace

TEST_F(ViewpointTest, ATranslationLimitHoldsOnBothSides) {
    OVmotionlink *link = world_link(vp, step_along_x);
    ASSERT_TRUE(OVmotionlink_addconstraint(link, OVLINK_CONSTRAIN_X, -10, 10));
    const OVp3 start = {-8, 5, 0};
    OVviewpoint_setposition(vp, start);
    step_x = -3;
    OVuniverse_go1();
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, -10, 5, 0);
    OVuniverse_go1();
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, -10, 5, 0); // held at the minimum
    step_x = 4;
    for (int i = 0; i < 6; ++i)
        OVuniverse_go1();
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 10, 5, 0); // held at the maximum
}

TEST_F(ViewpointTest, ATwistLimitStopsTheTurnAboutZ) {
    OVmotionlink *link = world_link(vp, twist_about_z);
    const float limit = 0.3f;
    ASSERT_TRUE(OVmotionlink_addconstraint(link, OVLINK_CONSTRAIN_TWIST, -limit, limit));
    for (float direction : {1.0f, -1.0f}) {
        SCOPED_TRACE(direction);
        twist = 0.2f * direction;
        for (int i = 0; i < 6; ++i)
            OVuniverse_go1();
        OVq q;
        OVviewpoint_getorientation(vp, q);
        EXPECT_NEAR(q[0], 0, 1e-4);
        EXPECT_NEAR(q[1], 0, 1e-4);
        const float angle = 2 * std::acos(std::fmin(1.0f, std::fabs(q[3])));
        EXPECT_NEAR(angle, limit, 1e-3) << "turned up to the limit and held there";
    }
}
