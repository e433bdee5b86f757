// Exact values: the bounds of the viewing parameters, the axes and the
// conversions of a quarter turn, the direction of an unnormalised
// orientation, the previous pose and the base-object flag.
#include "viewpoint_fixture.h"

#include <cmath>
#include <string>

namespace {
std::string fired;
void listen_property(void *, const char *property, void *, double) {
    fired += std::string(property) + ';';
}
// A quarter turn: (1, 0, 0) rotated by it is (0, -1, 0).
const float half = 0.7071068f;
const OVq quarter_about_z = {0, 0, half, half};
} // namespace

TEST_F(ViewpointTest, ViewAngleBoundsAreInclusive) {
    OVviewpoint *v = OVviewpoint_new();
    OVviewpoint_setviewangle(v, 0.004f);
    EXPECT_NEAR(OVviewpoint_getviewangle(v), 0.004f, 1e-6);
    OVviewpoint_setviewangle(v, 0.0039f);
    EXPECT_NEAR(OVviewpoint_getviewangle(v), 0.004f, 1e-6);
    OVviewpoint_setviewangle(v, 1.5669f);
    EXPECT_NEAR(OVviewpoint_getviewangle(v), 0.004f, 1e-6);
    OVviewpoint_setviewangle(v, -0.5f);
    EXPECT_NEAR(OVviewpoint_getviewangle(v), 0.004f, 1e-6);
    OVviewpoint_setviewangle(v, 1.0f);
    EXPECT_NEAR(OVviewpoint_getviewangle(v), 1.0f, 1e-6);
    OVviewpoint_setviewangle(nullptr, 1.0f);
}

TEST_F(ViewpointTest, AspectAtTheToleranceIsTakenAndJustBelowRefused) {
    EXPECT_EQ(OVviewpoint_setaspect(vp, 0.0039f), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(vp), 1);
    EXPECT_EQ(OVviewpoint_setaspect(vp, -2), 0);
    EXPECT_EQ(OVviewpoint_setaspect(vp, 0.004f), 1);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(vp), 0.004f);
    EXPECT_EQ(OVviewpoint_setaspect(nullptr, 2), 0);
}

TEST_F(ViewpointTest, HitherHasAFloorAndYonStaysBeyondIt) {
    OVviewpoint_sethither(vp, -3);
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(vp), 0.004f);
    OVviewpoint_setyon(vp, -3);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(vp), 0.008f);
    OVviewpoint_sethither(vp, 2);
    OVviewpoint_setyon(vp, 2);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(vp), 2.004f);
    OVviewpoint_setyon(vp, 2.5f);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(vp), 2.5f);
    OVviewpoint_sethither(vp, 0.5f);
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(vp), 0.5f);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(vp), 2.5f) << "the yon is clamped only when set";
}

TEST_F(ViewpointTest, StereoSwitchesBetweenMonoAndStereoOnly) {
    OVviewpoint_setprojection(vp, OVVIEWPOINT_PARALLEL);
    OVviewpoint_setstereo(vp, 1);
    EXPECT_EQ(OVviewpoint_getprojection(vp), OVVIEWPOINT_STEREO);
    EXPECT_TRUE(OVviewpoint_isstereo(vp));
    OVviewpoint_setstereo(vp, 0);
    EXPECT_EQ(OVviewpoint_getprojection(vp), OVVIEWPOINT_MONO);
    EXPECT_FALSE(OVviewpoint_isstereo(vp));
    OVviewpoint_setprojection(vp, -1);
    OVviewpoint_setprojection(vp, 5);
    EXPECT_EQ(OVviewpoint_getprojection(vp), OVVIEWPOINT_MONO);
    EXPECT_FALSE(OVviewpoint_isstereo(nullptr));
}

TEST_F(ViewpointTest, AxesOfAQuarterTurnAboutZ) {
    OVviewpoint *v = OVviewpoint_new();
    ASSERT_TRUE(OVviewpoint_setorientation(v, quarter_about_z));
    OVp3 axis;
    OVviewpoint_getaxis(v, 0, axis);
    EXPECT_P3_NEAR(axis, 0, -1, 0);
    OVviewpoint_getaxis(v, 1, axis);
    EXPECT_P3_NEAR(axis, 1, 0, 0);
    OVviewpoint_getaxis(v, 2, axis);
    EXPECT_P3_NEAR(axis, 0, 0, 1);
    for (int bad : {-1, 3}) {
        OVp3 out = {5, 5, 5};
        OVviewpoint_getaxis(v, bad, out);
        EXPECT_P3_NEAR(out, 0, 0, 0);
    }
    OVp3 out = {5, 5, 5};
    OVviewpoint_getaxis(nullptr, 0, out);
    EXPECT_P3_NEAR(out, 0, 0, 0);
}

TEST_F(ViewpointTest, LocalAndWorldPointsOfATurnedAndMovedViewpoint) {
    OVviewpoint *v = OVviewpoint_new();
    const OVp3 at = {10, 20, 30};
    ASSERT_TRUE(OVviewpoint_setposition(v, at));
    ASSERT_TRUE(OVviewpoint_setorientation(v, quarter_about_z));
    const OVp3 local = {1, 2, 3};
    OVp3 world;
    OVviewpoint_localtoworld(v, local, world);
    // (1, 2, 3) turned: x -> (0, -1, 0), y -> (1, 0, 0), z stays.
    EXPECT_P3_NEAR(world, 12, 19, 33);
    OVp3 back;
    OVviewpoint_worldtolocal(v, world, back);
    EXPECT_P3_NEAR(back, 1, 2, 3);
    // The translation in the own frame goes along the same turned axes.
    const OVp3 step = {1, 0, 0};
    OVviewpoint_translate(v, step, 0);
    OVp3 p;
    OVviewpoint_getposition(v, p);
    EXPECT_P3_NEAR(p, 10, 19, 30);
}

TEST_F(ViewpointTest, DirectionOfAnUnnormalisedOrientationFollowsTheFormula) {
    OVviewpoint *v = OVviewpoint_new(); // not the current viewpoint
    const OVq doubled = {0, 0, 0, 2};
    ASSERT_TRUE(OVviewpoint_setorientation(v, doubled));
    OVq q;
    OVviewpoint_getorientation(v, q);
    EXPECT_FLOAT_EQ(q[3], 2);
    OVp3 d;
    OVviewpoint_getdirection(v, d);
    EXPECT_P3_NEAR(d, 0, 0, 4);
    // A turn about X by a quarter: direction (0, 2xw, w^2 - x^2) = (0, 1, 0).
    const OVq about_x = {half, 0, 0, half};
    ASSERT_TRUE(OVviewpoint_setorientation(v, about_x));
    OVviewpoint_getdirection(v, d);
    EXPECT_P3_NEAR(d, 0, 1, 0);
}

TEST_F(ViewpointTest, ThePreviousOrientationIsTakenAtThePassStart) {
    OVq q = {9, 9, 9, 9};
    OVviewpoint_getlastorientation(vp, q);
    EXPECT_FLOAT_EQ(q[3], 1);
    ASSERT_TRUE(OVviewpoint_setorientation(vp, quarter_about_z));
    OVviewpoint_getlastorientation(vp, q);
    EXPECT_FLOAT_EQ(q[2], 0) << "not before the next pass";
    OVuniverse_go1();
    OVviewpoint_getlastorientation(vp, q);
    EXPECT_FLOAT_EQ(q[2], half);
    EXPECT_FLOAT_EQ(q[3], half);
    OVq none = {9, 9, 9, 9};
    OVviewpoint_getlastorientation(nullptr, none);
    EXPECT_FLOAT_EQ(none[0], 0);
    EXPECT_FLOAT_EQ(none[3], 1);
    OVp3 p = {9, 9, 9};
    OVviewpoint_getlastposition(nullptr, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
}

TEST_F(ViewpointTest, TheEventHandlerFlagIsKeptPerViewpoint) {
    OVviewpoint *v = OVviewpoint_new();
    EXPECT_EQ(_OVviewpoint_gethaseventhandlers(v), 0);
    _OVviewpoint_sethaseventhandlers(v, 1);
    EXPECT_EQ(_OVviewpoint_gethaseventhandlers(v), 1);
    _OVviewpoint_sethaseventhandlers(v, 0);
    EXPECT_EQ(_OVviewpoint_gethaseventhandlers(v), 0);
    _OVviewpoint_sethaseventhandlers(nullptr, 1);
    EXPECT_EQ(_OVviewpoint_gethaseventhandlers(nullptr), 0);
}

TEST_F(ViewpointTest, TheSamePairTwiceFiresNothingTheSecondTime) {
    fired.clear();
    ASSERT_TRUE(OVproperty_addhandler(vp, "Position", listen_property));
    ASSERT_TRUE(OVproperty_addhandler(vp, "Orientation", listen_property));
    const OVpq pose = {{1, 2, 3}, {0, 0, half, half}};
    OVviewpoint_setpositionorientation(vp, &pose);
    OVuniverse_go1();
    EXPECT_EQ(fired, "Position;Orientation;");
    fired.clear();
    OVviewpoint_setpositionorientation(vp, &pose);
    OVuniverse_go1();
    EXPECT_EQ(fired, "");
    OVviewpoint_setpositionorientation(vp, nullptr);
    OVviewpoint_setpositionorientation(nullptr, &pose);
}

TEST_F(ViewpointTest, ACopyGoesAtTheHeadWithItsOwnPoseFromThenOn) {
    const OVp3 at = {1, 2, 3};
    OVviewpoint_setposition(vp, at);
    OVviewpoint_setorientation(vp, quarter_about_z);
    OVuniverse_go1();
    OVviewpoint_setparallax(vp, 0.25f);
    OVviewpoint_setconvergence(vp, -12);
    OVviewpoint_setaspect(vp, 1.5f);
    OVviewpoint_setprojection(vp, OVVIEWPOINT_PARALLEL);
    OVviewpoint *copy = OVviewpoint_copy(vp);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(OVuniverse_getviewpoints(), copy);
    EXPECT_EQ(OVuniverse_getviewpoint(), vp) << "the copy is not made current";
    OVq q;
    OVviewpoint_getorientation(copy, q);
    EXPECT_FLOAT_EQ(q[2], half);
    OVp3 last;
    OVviewpoint_getlastposition(copy, last);
    EXPECT_P3_NEAR(last, 1, 2, 3);
    OVp3 d;
    OVviewpoint_getdirection(copy, d);
    EXPECT_P3_NEAR(d, 0, 0, 1);
    EXPECT_FLOAT_EQ(OVviewpoint_getparallax(copy), 0.25f);
    EXPECT_EQ(OVviewpoint_getconvergence(copy), -12);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(copy), 1.5f);
    EXPECT_EQ(OVviewpoint_getprojection(copy), OVVIEWPOINT_PARALLEL);
    EXPECT_EQ(OVviewpoint_getname(copy), nullptr);
    const OVp3 elsewhere = {7, 7, 7};
    OVviewpoint_setposition(copy, elsewhere);
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 1, 2, 3);
}

TEST_F(ViewpointTest, NamesAreReplacedClearedAndFoundOverTheirLength) {
    OVviewpoint *a = OVviewpoint_new();
    OVviewpoint *b = OVviewpoint_new();
    char buffer[] = "camera";
    OVviewpoint_setname(a, buffer);
    buffer[0] = 'X';
    EXPECT_STREQ(OVviewpoint_getname(a), "camera") << "a private copy";
    OVviewpoint_setname(b, "cab");
    EXPECT_EQ(OVuniverse_findviewpoint("ca", 2), b) << "newest first";
    EXPECT_EQ(OVuniverse_findviewpoint("cam", 3), a);
    EXPECT_EQ(OVuniverse_findviewpoint("camera-two", 6), a);
    EXPECT_EQ(OVuniverse_findviewpoint("camel", 5), nullptr);
    OVviewpoint_setname(b, "other");
    EXPECT_EQ(OVuniverse_findviewpoint("ca", 2), a);
    OVviewpoint_setname(a, nullptr);
    EXPECT_EQ(OVviewpoint_getname(a), nullptr);
    EXPECT_EQ(OVuniverse_findviewpoint("ca", 2), nullptr);
    EXPECT_EQ(OVviewpoint_getname(nullptr), nullptr);
}

namespace {
OVp3 told_position;
void take_position(void *, const char *, void *value, double) {
    const float *p = static_cast<const float *>(value);
    for (int i = 0; i < 3; ++i)
        told_position[i] = p[i];
}
} // namespace

TEST_F(ViewpointTest, PositionHandlersAreToldTheNewPosition) {
    ASSERT_TRUE(OVproperty_addhandler(vp, "Position", take_position));
    const OVp3 from = {1, 1, 1};
    OVviewpoint_setposition(vp, from);
    const OVp3 step = {0, 2, 0};
    OVviewpoint_translate(vp, step, 1);
    OVuniverse_go1();
    EXPECT_P3_NEAR(told_position, 1, 3, 1);
}

TEST_F(ViewpointTest, ANearlyUnitDirectionIsUsedAsGiven) {
    OVp3 nearly = {0, 0, 1.003f};
    OVviewpoint_setdirection(vp, nearly);
    EXPECT_FLOAT_EQ(nearly[2], 1.003f) << "within the tolerance of unit length";
    OVp3 longer = {0, 3, 4};
    OVviewpoint_setdirection(vp, longer);
    EXPECT_P3_NEAR(longer, 0, 0.6f, 0.8f);
    OVp3 d;
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(d, 0, 0.6f, 0.8f);
}
