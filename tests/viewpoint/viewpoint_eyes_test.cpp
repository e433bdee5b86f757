// Eye offsets composed in their frames, unknown frames, refused non-finite
// stereo values and the links a deleted viewpoint takes along.
#include "viewpoint_fixture.h"
#include "orv/motionlink.h"
#include "orv/property.h"
#include "orv/sensor.h"

#include <cmath>
#include <limits>

namespace {

int pose_events = 0;
void count_pose(void *, const char *, void *, double) {
    ++pose_events;
}

void normalised(const OVq q, OVq out) {
    const float n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (int i = 0; i < 4; ++i)
        out[i] = q[i] / n;
}

void expect_quat_near(const OVq a, const OVq b) {
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(a[i], b[i], 1e-5) << i;
}

const float h = std::sqrt(0.5f);
const OVq about_y = {0, h, 0, h};
const OVq about_x = {std::sin(0.2f), 0, 0, std::cos(0.2f)};

} // namespace

TEST_F(ViewpointTest, EyeOffsetTurnsComposeOnTheSideOfTheirFrame) {
    for (int frame : {0, 1, 2}) {
        SCOPED_TRACE(frame);
        OVviewpoint *w = OVviewpoint_new();
        ASSERT_TRUE(OVviewpoint_setorientation(w, about_y));
        const OVp3 offset = {0, 0, 2};
        OVviewpoint_seteyeoffset(w, offset, about_x, frame);
        pose_events = 0;
        ASSERT_TRUE(OVproperty_addhandler(w, "Position", count_pose));
        ASSERT_TRUE(OVproperty_addhandler(w, "Orientation", count_pose));
        OVviewpoint_applyeyeoffset(w);
        OVq expected;
        if (frame == 1)
            OVq_mult(about_y, about_x, expected);
        else
            OVq_mult(about_x, about_y, expected);
        normalised(expected, expected);
        OVq q;
        OVviewpoint_getorientation(w, q);
        expect_quat_near(q, expected);
        OVp3 p;
        OVviewpoint_getposition(w, p);
        if (frame == 1) {
            EXPECT_P3_NEAR(p, 0, 0, 2);
        } else {
            OVp3 turned;
            OVp3_rotateq(offset, about_y, turned);
            EXPECT_P3_NEAR(p, turned[0], turned[1], turned[2]);
            EXPECT_NEAR(std::fabs(p[0]), 2, 1e-4);
        }
        OVp3 d;
        OVviewpoint_getdirection(w, d);
        OVp3 z = {0, 0, 1}, dz;
        OVp3_rotateq(z, q, dz);
        EXPECT_P3_NEAR(d, dz[0], dz[1], dz[2]);
        OVuniverse_go1();
        EXPECT_EQ(pose_events, 0) << "moving to the right eye tells no handler";
    }
}

TEST_F(ViewpointTest, AnEyeOffsetOfAnUnknownFrameIsIgnored) {
    const OVp3 offset = {0, 5, 0};
    const OVq none = {0, 0, 0, 1};
    OVviewpoint_seteyeoffset(vp, offset, none, 3);
    OVviewpoint_seteyeoffset(vp, offset, none, -1);
    OVviewpoint_setparallax(vp, 0.5f);
    OVviewpoint_applyeyeoffset(vp); // still no eye offset: half a unit to the right
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 0.5f, 0, 0);
}

TEST_F(ViewpointTest, RelativeMotionInAnUnknownFrameDoesNothing) {
    const OVp3 step = {1, 2, 3};
    OVviewpoint_translate(vp, step, 3);
    OVviewpoint_translate(vp, step, -1);
    OVviewpoint_rotate(vp, 1, 0.5f, 3);
    OVpq move = {{1, 1, 1}, {0, h, 0, h}};
    OVviewpoint_move(vp, &move, 4);
    OVp3 p;
    OVq q;
    OVviewpoint_getposition(vp, p);
    OVviewpoint_getorientation(vp, q);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    EXPECT_FLOAT_EQ(q[3], 1);
    // Frame 2 is the viewpoint's own frame, as 0 is.
    ASSERT_TRUE(OVviewpoint_setorientation(vp, about_y));
    const OVp3 forward = {0, 0, 1};
    OVviewpoint_translate(vp, forward, 2);
    OVviewpoint_getposition(vp, p);
    OVp3 expected;
    OVp3_rotateq(forward, about_y, expected);
    EXPECT_P3_NEAR(p, expected[0], expected[1], expected[2]);
}

TEST_F(ViewpointTest, NonFiniteStereoAndAspectValuesAreRefused) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf}) {
        EXPECT_EQ(OVviewpoint_setconvergencedist(vp, bad), 0);
        EXPECT_EQ(OVviewpoint_setparallax(vp, bad), 0);
        EXPECT_EQ(OVviewpoint_setaspect(vp, bad), 0);
    }
    EXPECT_FLOAT_EQ(OVviewpoint_getconvergencedist(vp), 100);
    EXPECT_FLOAT_EQ(OVviewpoint_getparallax(vp), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(vp), 1);
    EXPECT_EQ(OVviewpoint_setconvergencedist(vp, -5), 1);
    EXPECT_FLOAT_EQ(OVviewpoint_getconvergencedist(vp), 0.004f);
}

TEST_F(ViewpointTest, DeletedViewpointTakesTheLinksToItAlong) {
    OVviewpoint *w = OVviewpoint_new();
    OVsensor *s = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    ASSERT_NE(OVmotionlink_new(s, w, 0, OVLINK_VIEWPOINT), nullptr);
    OVmotionlink *kept = OVmotionlink_new(s, vp, 0, OVLINK_VIEWPOINT);
    ASSERT_NE(kept, nullptr);
    OVviewpoint_delete(w);
    EXPECT_EQ(OVuniverse_getmotionlinks(), kept);
    EXPECT_EQ(OVmotionlink_next(kept), nullptr);
    OVuniverse_go1();
}
