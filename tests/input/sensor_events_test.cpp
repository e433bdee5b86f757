// Sensor record events in their order, the update order, user data, the
// reference frame's edge values and motion combined in the viewpoint's frame.
#include "input_fixture.h"

#include <cmath>
#include <string>

namespace {

std::string events;
void note(void *, const char *property, void *, double) {
    events += property;
    events += ';';
}
int note_and_refuse(void *, const char *property, double) {
    events += std::string("pre ") + property + ';';
    return 0;
}
int note_and_allow(void *, const char *property, double) {
    events += std::string("pre ") + property + ';';
    return 1;
}

std::string updates;
void update_a(OVsensor *) {
    updates += 'a';
}
void update_b(OVsensor *) {
    updates += 'b';
}
void update_c(OVsensor *) {
    updates += 'c';
}

void expect_quat(const OVq q, float x, float y, float z, float w) {
    EXPECT_NEAR(q[0], x, 1e-5);
    EXPECT_NEAR(q[1], y, 1e-5);
    EXPECT_NEAR(q[2], z, 1e-5);
    EXPECT_NEAR(q[3], w, 1e-5);
}

} // namespace

TEST_F(InputTest, RecordAsksTranslationThenRotationAndFiresThemInThatOrder) {
    OVsensor *s = manual_sensor();
    events.clear();
    for (const char *property : {"Translation", "Rotation"}) {
        ASSERT_TRUE(OVproperty_addhandler_pre(s, property, note_and_allow));
        ASSERT_TRUE(OVproperty_addhandler(s, property, note));
    }
    const OVp3 t = {1, 2, 3};
    const OVq q = {0, 0, 0, 1};
    EXPECT_EQ(OVsensor_setrecord(s, t, q), 1);
    OVuniverse_go1();
    EXPECT_EQ(events, "pre Translation;pre Rotation;Translation;Rotation;");
}

TEST_F(InputTest, VetoedTranslationKeepsTheWholeRecord) {
    OVsensor *s = manual_sensor();
    events.clear();
    ASSERT_TRUE(OVproperty_addhandler_pre(s, "Translation", note_and_refuse));
    ASSERT_TRUE(OVproperty_addhandler(s, "Rotation", note));
    const OVp3 t = {1, 2, 3};
    const OVq q = {0, 1, 0, 0};
    EXPECT_EQ(OVsensor_setrecord(s, t, q), 0);
    // The rotation half alone asks only its own pre-handlers.
    EXPECT_EQ(OVsensor_setrotation(s, q), 1);
    OVuniverse_go1();
    EXPECT_EQ(events, "pre Translation;Rotation;");
    OVp3 p;
    OVq r;
    OVsensor_gettranslation(s, p);
    OVsensor_getrotation(s, r);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    expect_quat(r, 0, 1, 0, 0);
}

TEST_F(InputTest, SensorsUpdateOncePerPassInListOrder) {
    OVsensor *a = manual_sensor();
    OVsensor *b = manual_sensor();
    OVsensor *c = manual_sensor();
    OVsensor_setupdatefn(a, update_a);
    OVsensor_setupdatefn(b, update_b);
    OVsensor_setupdatefn(c, update_c);
    updates.clear();
    OVuniverse_go1();
    OVuniverse_go1();
    EXPECT_EQ(updates, "abcabc");
    OVsensor_delete(b);
    updates.clear();
    OVuniverse_go1();
    EXPECT_EQ(updates, "ac");
}

TEST_F(InputTest, UserDataSerialPortAndNameBelongToTheSensor) {
    int word = 0;
    OVserialport *port = OVserialport_new("/dev/ttyS1");
    OVsensor *s = OVsensor_new(nullptr, nullptr, nullptr, port, -4, OVSENSOR_NODEVICE);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(OVsensor_getdata(s), nullptr);
    OVsensor_setdata(s, &word);
    EXPECT_EQ(OVsensor_getdata(s), &word);
    EXPECT_EQ(OVsensor_getserialport(s), port);
    EXPECT_EQ(OVsensor_getserialport(nullptr), nullptr);
    EXPECT_EQ(OVsensor_getparameter(s), -4);
    EXPECT_EQ(OVsensor_getname(s), nullptr);
    char name[] = "glove";
    ASSERT_TRUE(OVsensor_setname(s, name));
    name[0] = 'X'; // the sensor keeps its own copy
    EXPECT_STREQ(OVsensor_getname(s), "glove");
    ASSERT_TRUE(OVsensor_setname(s, nullptr));
    EXPECT_EQ(OVsensor_getname(s), nullptr);
    EXPECT_EQ(OVuniverse_findsensor("glove", 5), nullptr);
    EXPECT_EQ(OVsensor_getmiscdata(s), 0u);
    EXPECT_EQ(OVsensor_getrawdata(s), nullptr);
    EXPECT_EQ(OVsensor_getconstraints(s), 0u);
    EXPECT_EQ(_OVsensor_gethaseventhandlers(s), 0);
    OVq q;
    OVsensor_getlastrotation(s, q);
    expect_quat(q, 0, 0, 0, 1);
}

TEST_F(InputTest, AFrameWhoseSquaresSumBelowTheToleranceIsIgnoredSilently) {
    OVsensor *s = manual_sensor();
    events.clear();
    ASSERT_TRUE(OVproperty_addhandler(s, "SnRf", note));
    const float h = std::sqrt(0.5f);
    const OVq quarter = {0, h, 0, h};
    OVsensor_rotate(s, quarter);
    // Every component passes the quaternion check, their squares do not.
    const OVq tiny = {0.03f, 0, 0, 0.03f};
    OVsensor_rotate(s, tiny);
    OVuniverse_go1();
    EXPECT_EQ(g_messages, "");
    EXPECT_EQ(events, "SnRf;");
    OVq f;
    OVsensor_getreferenceframe(s, f);
    expect_quat(f, 0, h, 0, h);
}

TEST_F(InputTest, AFrameWithoutTurnBecomesTheInactiveIdentity) {
    OVsensor *s = manual_sensor();
    const float h = std::sqrt(0.5f);
    const OVq quarter = {0, h, 0, h};
    OVsensor_rotate(s, quarter);
    const OVq scaled_identity = {0.001f, 0, 0, 2};
    OVsensor_rotate(s, scaled_identity);
    OVq f;
    OVsensor_getreferenceframe(s, f);
    expect_quat(f, 0, 0, 0, 1);
    // Inactive: a record written by hand stays as written through a pass.
    const OVp3 t = {0, 0, 1};
    const OVq q = {0, 0, std::sin(0.2f), std::cos(0.2f)};
    OVsensor_setrecord(s, t, q);
    OVuniverse_go1();
    OVp3 p;
    OVq r;
    OVsensor_gettranslation(s, p);
    OVsensor_getrotation(s, r);
    EXPECT_P3_NEAR(p, 0, 0, 1);
    expect_quat(r, 0, 0, std::sin(0.2f), std::cos(0.2f));
}

TEST_F(InputTest, RotationsComposeOnTheirSideOfTheRecordByMode) {
    OVsensor *s = manual_sensor();
    const float h = std::sqrt(0.5f);
    const OVq about_x = {h, 0, 0, h};
    const OVq about_y = {0, h, 0, h};
    const OVp3 none = {0, 0, 0};
    OVq expected;
    for (int mode : {0, 1}) {
        OVsensor_setrecord(s, none, about_x);
        OVsensor_combine(s, none, about_y, mode);
        if (mode == 0)
            OVq_mult(about_y, about_x, expected);
        else
            OVq_mult(about_x, about_y, expected);
        OVq r;
        OVsensor_getrotation(s, r);
        expect_quat(r, expected[0], expected[1], expected[2], expected[3]);
    }
}

TEST_F(InputTest, ViewpointFrameMotionTurnsWithTheCurrentViewpoint) {
    OVsensor *s = manual_sensor();
    const float h = std::sqrt(0.5f);
    const OVq view = {0, h, 0, h};
    ASSERT_TRUE(OVviewpoint_setorientation(OVuniverse_getviewpoint(), view));
    const OVp3 start = {1, 0, 0};
    const OVq about_x = {std::sin(0.1f), 0, 0, std::cos(0.1f)};
    OVsensor_setrecord(s, start, about_x);
    const OVp3 forward = {0, 0, 2};
    const OVq about_z = {0, 0, std::sin(0.3f), std::cos(0.3f)};
    OVsensor_combine(s, forward, about_z, 2);
    OVp3 step;
    OVp3_rotateq(forward, view, step);
    OVq t, expected;
    OVq_mult(about_z, view, t);
    OVq_diff(view, t, t);
    OVq_mult(about_x, t, expected);
    OVp3 p;
    OVq r;
    OVsensor_gettranslation(s, p);
    OVsensor_getrotation(s, r);
    EXPECT_P3_NEAR(p, 1 + step[0], step[1], step[2]);
    EXPECT_NEAR(std::fabs(step[0]), 2, 1e-4) << "forward turned onto an x axis";
    expect_quat(r, expected[0], expected[1], expected[2], expected[3]);
}

TEST_F(InputTest, AnInvalidRotationHalfIsReportedAsARecord) {
    OVsensor *s = manual_sensor();
    const OVq zero = {0, 0, 0, 0.001f};
    EXPECT_EQ(OVsensor_setrotation(s, zero), 0);
    EXPECT_EQ(g_messages, "ORV Warning: Invalid quaternion passed to OVsensor_setrecord.\n");
    OVq r;
    OVsensor_getrotation(s, r);
    expect_quat(r, 0, 0, 0, 1);
}

TEST_F(InputTest, NonFiniteDriverScalesAreRefused) {
    OVsensor *s = manual_sensor();
    const float nan = std::nanf("");
    const float inf = HUGE_VALF;
    for (float bad : {nan, inf, -inf}) {
        EXPECT_EQ(OVsensor_setsensitivity(s, bad), 0);
        EXPECT_EQ(OVsensor_setangularrate(s, bad), 0);
    }
    EXPECT_FLOAT_EQ(OVsensor_getsensitivity(s), 1.0f);
    EXPECT_NEAR(OVsensor_getangularrate(s), 0.0872660f, 1e-7);
}
