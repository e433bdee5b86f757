// Vetoes and change events of viewpoint properties.
#include "viewpoint_fixture.h"

namespace {
int veto(void *, const char *, double) {
    return 0;
}
int calls = 0;
void count(void *, const char *, void *, double) {
    ++calls;
}
} // namespace

TEST_F(ViewpointTest, VetoedPositionAndOrientationChangeNothing) {
    ASSERT_TRUE(OVproperty_addhandler_pre(vp, "Position", veto));
    const OVp3 p = {1, 2, 3};
    EXPECT_EQ(OVviewpoint_setposition(vp, p), 0);
    OVp3 got;
    OVviewpoint_getposition(vp, got);
    EXPECT_P3_NEAR(got, 0, 0, 0);
    const OVp3 step = {0, 0, 1};
    OVviewpoint_translate(vp, step, 0);
    OVviewpoint_getposition(vp, got);
    EXPECT_P3_NEAR(got, 0, 0, 0);

    ASSERT_TRUE(OVproperty_addhandler_pre(vp, "Orientation", veto));
    const OVq q = {0, 0.7071068f, 0, 0.7071068f};
    EXPECT_EQ(OVviewpoint_setorientation(vp, q), 0);
    OVviewpoint_rotate(vp, 1, 1.0f, 0);
    OVq now;
    OVviewpoint_getorientation(vp, now);
    EXPECT_FLOAT_EQ(now[3], 1);
    OVp3 d;
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(d, 0, 0, 1);
}

TEST_F(ViewpointTest, SamePositionTwiceFiresOnce) {
    calls = 0;
    ASSERT_TRUE(OVproperty_addhandler(vp, "Position", count));
    const OVp3 p = {1, 2, 3};
    EXPECT_EQ(OVviewpoint_setposition(vp, p), 1);
    EXPECT_EQ(OVviewpoint_setposition(vp, p), 1);
    OVuniverse_go1();
    EXPECT_EQ(calls, 1);
}

TEST_F(ViewpointTest, PropertiesReachTheSetters) {
    OVvalue value = OVvalue_new(OVP3);
    value.v.p3[0] = 4;
    EXPECT_EQ(OVproperty_set(vp, "Position", &value), 1);
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 4, 0, 0);
    OVvalue aspect = OVvalue_new(OVFLOAT);
    aspect.v.f = 2;
    EXPECT_EQ(OVproperty_set(vp, "AspectRatio", &aspect), 1);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(vp), 2);
    EXPECT_EQ(OVproperty_set(vp, "Position", &aspect), 0); // wrong type
    OVvalue got = OVproperty_get(vp, "Convergence");
    EXPECT_EQ(got.type, OVINT);
    EXPECT_EQ(OVproperty_gettype(vp, "Orientation"), OVQ);
}
