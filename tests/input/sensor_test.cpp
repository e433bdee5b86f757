// Sensor creation, deletion, setters with their events and the reference frame.
#include "input_fixture.h"

#include <cmath>
#include <string>

namespace {

int opened = 0, closed = 0;
int open_ok(OVsensor *s) {
    ++opened;
    OVsensor_setrawdata(s, OVmalloc(8));
    return 1;
}
int open_fails(OVsensor *) {
    ++opened;
    return 0;
}
void close_count(OVsensor *) {
    ++closed;
}
// Update that moves one unit along +z every pass.
void forward(OVsensor *s) {
    const OVp3 t = {0, 0, 1};
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
}
// A small turn about z with one unit along z, every pass.
const float tilt = 0.3f;
void turn_about_z(OVsensor *s) {
    const OVp3 t = {0, 0, 1};
    const OVq q = {0, 0, std::sin(tilt), std::cos(tilt)};
    OVsensor_setrecord(s, t, q);
}
int refuse(void *, const char *, double) {
    return 0;
}

} // namespace

TEST_F(InputTest, NewSensorsJoinTheListInOrderWithDefaults) {
    OVsensor *a = manual_sensor();
    OVsensor *b = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 7, 9);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(b, nullptr); // type 9 becomes 0, a device sensor without open
    opened = closed = 0;
    OVsensor *c = OVsensor_new(open_ok, close_count, nullptr, nullptr, 1, 0);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(OVuniverse_getsensors(), a);
    EXPECT_EQ(OVsensor_next(a), c);
    EXPECT_EQ(OVsensor_next(c), nullptr);
    EXPECT_FLOAT_EQ(OVsensor_getsensitivity(c), 1.0f);
    EXPECT_NEAR(OVsensor_getangularrate(c), 0.0872660f, 1e-7);
    EXPECT_EQ(OVsensor_getparameter(c), 1);
    EXPECT_EQ(OVsensor_getparameter(nullptr), -1);
    OVq q;
    OVsensor_getrotation(nullptr, q);
    EXPECT_FLOAT_EQ(q[3], 1);
    OVsensor_delete(c);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(OVsensor_next(a), nullptr);
}

TEST_F(InputTest, FailedOpenYieldsNoSensorAndTypeTwoIsNeverOpened) {
    opened = closed = 0;
    EXPECT_EQ(OVsensor_new(open_fails, close_count, nullptr, OVserialport_new("/dev/x"), 0, 0),
              nullptr);
    EXPECT_EQ(OVuniverse_getsensors(), nullptr);
    OVsensor *s = OVsensor_new(open_ok, close_count, nullptr, nullptr, 0, 2);
    OVsensor_delete(s);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 0);
}

TEST_F(InputTest, FindSensorComparesTheGivenLength) {
    OVsensor *s = manual_sensor();
    EXPECT_EQ(OVsensor_setname(s, "mouse"), 1);
    EXPECT_EQ(OVuniverse_findsensor("mou", 3), s);
    EXPECT_EQ(OVuniverse_findsensor("mouX", 4), nullptr);
    EXPECT_STREQ(OVsensor_getname(s), "mouse");
}

TEST_F(InputTest, SettersRefuseBadValuesAndVetoes) {
    OVsensor *s = manual_sensor();
    EXPECT_EQ(OVsensor_setsensitivity(s, -1), 0);
    EXPECT_FLOAT_EQ(OVsensor_getsensitivity(s), 1.0f);
    const OVp3 t = {1, 2, 3};
    const OVq zero = {0.001f, 0, 0, 0.003f};
    EXPECT_EQ(OVsensor_setrecord(s, t, zero), 0);
    EXPECT_EQ(g_messages, "ORV Warning: Invalid quaternion passed to OVsensor_setrecord.\n");
    OVp3 p;
    OVsensor_gettranslation(s, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    // A veto of the rotation stops the whole record but not the translation half.
    ASSERT_TRUE(OVproperty_addhandler_pre(s, "Rotation", refuse));
    const OVq q = {0, 0, 0, 1};
    EXPECT_EQ(OVsensor_setrecord(s, t, q), 0);
    EXPECT_EQ(OVsensor_settranslation(s, t), 1);
    OVsensor_gettranslation(s, p);
    EXPECT_P3_NEAR(p, 1, 2, 3);
    EXPECT_EQ(OVsensor_setrotation(s, q), 0);
}

TEST_F(InputTest, HalfSettersFireOnlyTheirOwnProperty) {
    OVsensor *s = manual_sensor();
    static int translations, rotations;
    translations = rotations = 0;
    OVproperty_addhandler(s, "Translation",
                          [](void *, const char *, void *, double) { ++translations; });
    OVproperty_addhandler(s, "Rotation", [](void *, const char *, void *, double) { ++rotations; });
    const OVp3 t = {1, 0, 0};
    OVsensor_settranslation(s, t);
    OVuniverse_go1();
    EXPECT_EQ(translations, 1);
    EXPECT_EQ(rotations, 0);
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
    OVuniverse_go1();
    EXPECT_EQ(translations, 2);
    EXPECT_EQ(rotations, 1);
}

TEST_F(InputTest, ReferenceFrameConjugatesEveryLaterRecord) {
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, forward);
    const OVq identity = {0, 0, 0, 1};
    OVsensor_rotate(s, identity);
    OVq f;
    OVsensor_getreferenceframe(s, f);
    EXPECT_FLOAT_EQ(f[3], 1);
    OVuniverse_go1();
    OVp3 p;
    OVsensor_gettranslation(s, p);
    EXPECT_P3_NEAR(p, 0, 0, 1);
    // A quarter turn about y: +z of the device comes out along an x axis.
    const float h = std::sqrt(0.5f);
    const OVq turn = {0, h, 0, h};
    OVsensor_rotate(s, turn);
    OVuniverse_go1();
    OVsensor_gettranslation(s, p);
    EXPECT_NEAR(std::fabs(p[0]), 1, 1e-4);
    EXPECT_NEAR(p[2], 0, 1e-4);
    OVq r;
    OVsensor_getrotation(s, r);
    EXPECT_NEAR(r[3], 1, 1e-5);
    const OVq bad = {0, 0, 0, 0};
    OVsensor_rotate(s, bad);
    EXPECT_EQ(g_messages, "ORV Warning: Invalid quaternion passed to OVsensor_rotate.\n");
}

TEST_F(InputTest, CombineModesApplyMotionInTheirFrames) {
    OVsensor *s = manual_sensor();
    const float h = std::sqrt(0.5f);
    const OVp3 zero = {0, 0, 0};
    const OVq yaw = {0, h, 0, h};
    OVsensor_setrecord(s, zero, yaw);
    const OVp3 d = {0, 0, 1};
    const OVq none = {0, 0, 0, 1};
    OVsensor_combine(s, d, none, 1); // world axes: unrotated
    OVp3 p;
    OVsensor_gettranslation(s, p);
    EXPECT_P3_NEAR(p, 0, 0, 1);
    OVsensor_combine(s, d, none, 0); // own frame: turned by the record's rotation
    OVsensor_gettranslation(s, p);
    EXPECT_NEAR(std::fabs(p[0]), 1, 1e-4);
    EXPECT_NEAR(p[2], 1, 1e-4);
}

TEST_F(InputTest, SensorPropertiesReachTheSetters) {
    OVsensor *s = manual_sensor();
    EXPECT_EQ(OVproperty_gettype(s, "SnRf"), 6);
    EXPECT_EQ(OVproperty_gettype(s, "Misc data"), 0);
    float rate = 0.5f;
    EXPECT_EQ(OVproperty_setraw(s, "Angular rate", &rate), 1);
    EXPECT_FLOAT_EQ(OVsensor_getangularrate(s), 0.5f);
    float negative = -2;
    EXPECT_EQ(OVproperty_setraw(s, "Sensitivity", &negative), 0);
    const OVp3 t = {4, 5, 6};
    EXPECT_EQ(OVproperty_setraw(s, "Translation", const_cast<float *>(t)), 1);
    OVvalue v = OVproperty_get(s, "Translation");
    OVp3 p;
    OVsensor_gettranslation(s, p);
    EXPECT_P3_NEAR(p, 4, 5, 6);
    OVvalue_free(&v);
}

TEST_F(InputTest, QuarterTurnFrameConjugatesTheWholeRecord) {
    OVsensor *s = manual_sensor();
    OVsensor_setupdatefn(s, turn_about_z);
    const float h = std::sqrt(0.5f);
    const OVq about_y = {0, h, 0, h};
    OVsensor_rotate(s, about_y);
    OVq f;
    OVsensor_getreferenceframe(s, f);
    EXPECT_NEAR(f[1], h, 1e-6);
    EXPECT_NEAR(f[3], h, 1e-6);
    for (int pass = 0; pass < 2; ++pass) {
        OVuniverse_go1();
        // R * rotation * R': the turn about z becomes one about x; the
        // translation rotated by R' takes z onto x.
        OVq r;
        OVsensor_getrotation(s, r);
        EXPECT_NEAR(r[0], std::sin(tilt), 1e-5);
        EXPECT_NEAR(r[1], 0, 1e-5);
        EXPECT_NEAR(r[2], 0, 1e-5);
        EXPECT_NEAR(r[3], std::cos(tilt), 1e-5);
        OVp3 p;
        OVsensor_gettranslation(s, p);
        EXPECT_P3_NEAR(p, 1, 0, 0);
    }
    // Back to the identity: the frame is inactive and records pass unchanged.
    const OVq identity = {0, 0, 0, 1};
    OVsensor_rotate(s, identity);
    OVuniverse_go1();
    OVp3 p;
    OVsensor_gettranslation(s, p);
    EXPECT_P3_NEAR(p, 0, 0, 1);
}

TEST_F(InputTest, ZeroQuaternionKeepsTheOldRecord) {
    OVsensor *s = manual_sensor();
    const OVp3 t = {1, 2, 3};
    const float h = std::sqrt(0.5f);
    const OVq q = {h, 0, 0, h};
    ASSERT_TRUE(OVsensor_setrecord(s, t, q));
    const OVp3 other = {7, 8, 9};
    const OVq zero = {0, 0, 0, 0};
    EXPECT_FALSE(OVsensor_setrecord(s, other, zero));
    EXPECT_EQ(g_messages, "ORV Warning: Invalid quaternion passed to OVsensor_setrecord.\n");
    OVp3 p;
    OVq r;
    OVsensor_gettranslation(s, p);
    OVsensor_getrotation(s, r);
    EXPECT_P3_NEAR(p, 1, 2, 3);
    EXPECT_FLOAT_EQ(r[0], h);
    EXPECT_FLOAT_EQ(r[3], h);
}

TEST_F(InputTest, NullArgumentsGiveNeutralResults) {
    OVsensor *s = manual_sensor();
    OVsensor_gettranslation(s, nullptr);
    OVsensor_getrotation(s, nullptr);
    OVsensor_getlastrecord(s, nullptr, nullptr);
    OVsensor_getreferenceframe(s, nullptr);
    EXPECT_EQ(OVsensor_setrecord(s, nullptr, nullptr), 0);
    EXPECT_EQ(OVsensor_setsensitivity(nullptr, 2), 0);
    EXPECT_EQ(OVsensor_getsensitivity(nullptr), 0);
    EXPECT_EQ(OVsensor_getname(nullptr), nullptr);
    EXPECT_EQ(OVsensor_getdata(nullptr), nullptr);
    EXPECT_EQ(OVsensor_getmiscdata(nullptr), 0u);
    EXPECT_EQ(OVsensor_next(nullptr), nullptr);
    OVp3 p = {5, 5, 5};
    OVsensor_getlasttranslation(nullptr, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVq f = {1, 1, 1, 1};
    OVsensor_getreferenceframe(nullptr, f);
    EXPECT_FLOAT_EQ(f[0], 0);
    EXPECT_FLOAT_EQ(f[3], 1);
    OVsensor_delete(nullptr);
    EXPECT_EQ(OVuniverse_getsensors(), s);
    EXPECT_EQ(g_messages, "");
}

TEST_F(InputTest, UpdateMayDeleteItsOwnSensor) {
    OVsensor *gone = manual_sensor();
    OVsensor_setupdatefn(gone, [](OVsensor *s) { OVsensor_delete(s); });
    OVsensor *after = manual_sensor();
    OVsensor_setupdatefn(after, forward);
    OVuniverse_go1();
    EXPECT_EQ(OVuniverse_getsensors(), after);
    OVp3 p;
    OVsensor_gettranslation(after, p);
    EXPECT_P3_NEAR(p, 0, 0, 1);
}

namespace {
float raw_at_close = -1;
void close_reads_raw(OVsensor *s) {
    raw_at_close = *static_cast<float *>(OVsensor_getrawdata(s));
}
int task_runs = 0;
int count_task(void *) {
    ++task_runs;
    return 0;
}
std::string fired;
void record_property(void *, const char *property, void *, double) {
    fired += property;
    fired += ';';
}
} // namespace

TEST_F(InputTest, DeletionClosesBeforeFreeingAndTakesTheTasksAlong) {
    OVsensor *s =
        OVsensor_new(OVmouse_open, close_reads_raw, nullptr, OVserialport_new("ttyS0"), 3, 0);
    ASSERT_NE(s, nullptr);
    static_cast<float *>(OVsensor_getrawdata(s))[0] = 42;
    ASSERT_NE(OVtask_new(s, count_task, 1), nullptr);
    task_runs = 0;
    OVuniverse_go1();
    EXPECT_EQ(task_runs, 1);
    OVsensor_delete(s);
    EXPECT_FLOAT_EQ(raw_at_close, 42);
    EXPECT_EQ(OVuniverse_getsensors(), nullptr);
    OVuniverse_go1();
    EXPECT_EQ(task_runs, 1) << "the task of a deleted sensor runs no more";
}

TEST_F(InputTest, LastRecordFiresItsOwnProperties) {
    OVsensor *s = manual_sensor();
    fired.clear();
    ASSERT_TRUE(OVproperty_addhandler(s, "Snlt", record_property));
    ASSERT_TRUE(OVproperty_addhandler(s, "Snlr", record_property));
    ASSERT_TRUE(OVproperty_addhandler(s, "Translation", record_property));
    const OVp3 t = {1, 2, 3};
    const OVq zero = {0, 0, 0, 0};
    EXPECT_EQ(OVsensor_setlastrecord(s, t, zero), 1) << "no quaternion check";
    EXPECT_EQ(g_messages, "");
    const OVq q = {0, 1, 0, 0};
    EXPECT_EQ(OVsensor_setlastrotation(s, q), 1);
    const OVp3 t2 = {4, 5, 6};
    EXPECT_EQ(OVsensor_setlasttranslation(s, t2), 1);
    OVuniverse_go1();
    EXPECT_EQ(fired, "Snlt;Snlr;Snlr;Snlt;");
    OVp3 p;
    OVq r;
    OVsensor_getlastrecord(s, p, r);
    EXPECT_P3_NEAR(p, 4, 5, 6);
    EXPECT_FLOAT_EQ(r[1], 1);
    EXPECT_FLOAT_EQ(r[3], 0);
    OVsensor_gettranslation(s, p);
    EXPECT_P3_NEAR(p, 0, 0, 0); // the record itself is untouched
    ASSERT_TRUE(OVproperty_addhandler_pre(s, "Snlr", refuse));
    EXPECT_EQ(OVsensor_setlastrecord(s, t, q), 0);
    OVsensor_getlasttranslation(s, p);
    EXPECT_P3_NEAR(p, 4, 5, 6);
    OVsensor_getlastrecord(nullptr, p, r);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    EXPECT_FLOAT_EQ(r[3], 1);
}

TEST_F(InputTest, DriverStateSettersFireTheirProperties) {
    OVsensor *s = manual_sensor();
    fired.clear();
    for (const char *property :
         {"Misc data", "SnRa", "SnUp", "Angular rate", "Sensitivity", "SnRf"})
        ASSERT_TRUE(OVproperty_addhandler(s, property, record_property));
    EXPECT_EQ(OVsensor_setmiscdata(s, 0x28), 1);
    EXPECT_EQ(OVsensor_setrawdata(s, nullptr), 1);
    EXPECT_EQ(OVsensor_setupdatefn(s, forward), 1);
    EXPECT_EQ(OVsensor_setangularrate(s, -2), 1); // no range check
    EXPECT_EQ(OVsensor_setsensitivity(s, 0), 1);
    const OVq quarter = {0, 0.7071068f, 0, 0.7071068f};
    OVsensor_rotate(s, quarter);
    OVuniverse_go1();
    EXPECT_EQ(fired, "Misc data;SnRa;SnUp;Angular rate;Sensitivity;SnRf;");
    EXPECT_EQ(OVsensor_getmiscdata(s), 0x28u);
    EXPECT_EQ(OVsensor_getupdatefn(s), forward);
    EXPECT_FLOAT_EQ(OVsensor_getangularrate(s), -2);
    EXPECT_FLOAT_EQ(OVsensor_getsensitivity(s), 0);
    OVsensor_setconstraints(s, 0x3F);
    EXPECT_EQ(OVsensor_getconstraints(s), 0x3Fu);
    EXPECT_EQ(OVsensor_getconstraints(nullptr), 0u);
    ASSERT_TRUE(OVproperty_addhandler_pre(s, "SnRf", refuse));
    const OVq identity = {0, 0, 0, 1};
    OVsensor_rotate(s, identity);
    OVq f;
    OVsensor_getreferenceframe(s, f);
    EXPECT_NEAR(f[1], 0.7071068f, 1e-6) << "a refused frame stays as it was";
}
