// The driver contract and every setter's refusals: when open and close run,
// what a refusing pre-handler keeps, the values handlers see, the quaternion
// tolerance and the neutral results of a null sensor.
#include "input_fixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

int refuse(void *, const char *, double) {
    return 0;
}

void nothing(OVsensor *) {}

bool listed(const OVsensor *sensor) {
    for (OVsensor *s = OVuniverse_getsensors(); s; s = OVsensor_next(s))
        if (s == sensor) return true;
    return false;
}

// What open saw of the universe's list while it ran.
bool open_saw_itself = true;
int opens = 0;
int open_checks_list(OVsensor *s) {
    ++opens;
    open_saw_itself = listed(s);
    return 1;
}

std::string closes;
void close_named(OVsensor *s) {
    closes += OVsensor_getname(s) ? OVsensor_getname(s) : "?";
}

// The state a sensor's close function finds.
struct AtClose {
    bool listed = false;
    bool has_links = true;
    std::string name;
} at_close;
void close_inspects(OVsensor *s) {
    at_close.listed = listed(s);
    at_close.has_links = false;
    for (OVmotionlink *l = OVuniverse_getmotionlinks(); l; l = OVmotionlink_next(l)) {
        OVsensor *source = nullptr;
        int type = 0;
        OVmotionlink_getsource(l, &source, &type);
        at_close.has_links |= source == s;
    }
    at_close.name = OVsensor_getname(s) ? OVsensor_getname(s) : "";
}

int open_allocates_then_fails(OVsensor *s) {
    OVsensor_setrawdata(s, OVmalloc(64));
    return 0;
}

std::vector<float> seen;
void keep_p3(void *, const char *, void *value, double) {
    const float *v = static_cast<const float *>(value);
    seen.assign(v, v + 3);
}
void keep_q(void *, const char *, void *value, double) {
    const float *v = static_cast<const float *>(value);
    seen.assign(v, v + 4);
}
void keep_float(void *, const char *, void *value, double) {
    seen.assign(1, *static_cast<const float *>(value));
}

} // namespace

TEST_F(InputTest, ANewSensorStartsWithItsDriversUpdateAndAnIdentityFrame) {
    OVsensor *s = OVsensor_new(nullptr, nullptr, nothing, nullptr, 5, OVSENSOR_NODEVICE);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(OVsensor_getupdatefn(s), nothing);
    OVq f = {1, 1, 1, 0};
    OVsensor_getreferenceframe(s, f);
    EXPECT_FLOAT_EQ(f[0], 0);
    EXPECT_FLOAT_EQ(f[1], 0);
    EXPECT_FLOAT_EQ(f[2], 0);
    EXPECT_FLOAT_EQ(f[3], 1);
    OVp3 p = {7, 7, 7};
    OVsensor_getlasttranslation(s, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVq r = {1, 1, 1, 0};
    OVsensor_getrotation(s, r);
    EXPECT_FLOAT_EQ(r[0], 0);
    EXPECT_FLOAT_EQ(r[3], 1);
    EXPECT_EQ(OVsensor_getparameter(s), 5);
}

TEST_F(InputTest, OpenRunsBeforeTheSensorJoinsTheList) {
    OVsensor *first = manual_sensor();
    opens = 0;
    open_saw_itself = true;
    OVsensor *s = OVsensor_new(open_checks_list, nullptr, nullptr, nullptr, 0, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(opens, 1);
    EXPECT_FALSE(open_saw_itself);
    EXPECT_EQ(OVuniverse_getsensors(), first);
    EXPECT_EQ(OVsensor_next(first), s) << "appended at the end";
}

TEST_F(InputTest, TypesOtherThanTwoOpenAndCloseTheirDevice) {
    for (int type : {1, 0, 3, -1, 200}) {
        opens = 0;
        closes.clear();
        OVsensor *s = OVsensor_new(open_checks_list, close_named, nullptr, nullptr, 0, type);
        ASSERT_NE(s, nullptr) << type;
        EXPECT_EQ(opens, 1) << type;
        OVsensor_setname(s, "dev");
        OVsensor_delete(s);
        EXPECT_EQ(closes, "dev") << type;
    }
}

TEST_F(InputTest, AFailedOpenFreesWhatItAllocated) {
    // Run under the leak checker, a buffer left behind would fail the suite.
    EXPECT_EQ(OVsensor_new(open_allocates_then_fails, nullptr, nullptr,
                           OVserialport_new("/dev/ttyS3"), 0, 1),
              nullptr);
    EXPECT_EQ(OVuniverse_getsensors(), nullptr);
}

TEST_F(InputTest, CloseRunsAfterTheLinksGoAndBeforeTheSensorLeavesTheList) {
    OVsensor *s = OVsensor_new(OVmouse_open, close_inspects, nullptr, nullptr, 0, 0);
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(OVsensor_setname(s, "tracker"));
    ASSERT_NE(OVmotionlink_new(s, OVuniverse_getviewpoint(), 0, OVLINK_VIEWPOINT), nullptr);
    at_close = AtClose{};
    OVsensor_delete(s);
    EXPECT_TRUE(at_close.listed);
    EXPECT_FALSE(at_close.has_links);
    EXPECT_EQ(at_close.name, "tracker");
    EXPECT_EQ(OVuniverse_getsensors(), nullptr);
}

TEST_F(InputTest, UniverseDeletionClosesEverySensorInListOrder) {
    closes.clear();
    for (const char *name : {"a", "b", "c"}) {
        OVsensor *s = OVsensor_new(OVmouse_open, close_named, nullptr, nullptr, 0, 0);
        ASSERT_NE(s, nullptr);
        OVsensor_setname(s, name);
    }
    OVsensor_setname(manual_sensor(), "never closed");
    OVuniverse_delete();
    EXPECT_EQ(closes, "abc");
    OVuniverse_new(512, 0);
}

TEST_F(InputTest, EachHalfSetterAsksOnlyItsOwnPreHandlers) {
    OVsensor *s = manual_sensor();
    ASSERT_TRUE(OVproperty_addhandler_pre(s, "Translation", refuse));
    const OVp3 t = {1, 2, 3};
    const float h = std::sqrt(0.5f);
    const OVq q = {h, 0, 0, h};
    EXPECT_FALSE(OVsensor_settranslation(s, t));
    EXPECT_TRUE(OVsensor_setrotation(s, q));
    OVp3 p;
    OVq r;
    OVsensor_gettranslation(s, p);
    OVsensor_getrotation(s, r);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    EXPECT_FLOAT_EQ(r[0], h);
    // A rotation refused by its own pre-handler is refused before it is checked.
    OVsensor *other = manual_sensor();
    ASSERT_TRUE(OVproperty_addhandler_pre(other, "Rotation", refuse));
    const OVq zero = {0, 0, 0, 0};
    EXPECT_FALSE(OVsensor_setrotation(other, zero));
    EXPECT_EQ(g_messages, "");
}

TEST_F(InputTest, LastRecordHalvesAskOnlyTheirOwnPreHandlers) {
    OVsensor *s = manual_sensor();
    ASSERT_TRUE(OVproperty_addhandler_pre(s, "Snlr", refuse));
    const OVp3 t = {1, 2, 3};
    const OVq q = {0, 1, 0, 0};
    EXPECT_TRUE(OVsensor_setlasttranslation(s, t));
    EXPECT_FALSE(OVsensor_setlastrotation(s, q));
    OVp3 p;
    OVq r;
    OVsensor_getlastrecord(s, p, r);
    EXPECT_P3_NEAR(p, 1, 2, 3);
    EXPECT_FLOAT_EQ(r[1], 0);
    EXPECT_FLOAT_EQ(r[3], 1);
    ASSERT_TRUE(OVproperty_removehandler_pre(s, "Snlr", refuse));
    ASSERT_TRUE(OVproperty_addhandler_pre(s, "Snlt", refuse));
    EXPECT_TRUE(OVsensor_setlastrotation(s, q));
    EXPECT_FALSE(OVsensor_setlasttranslation(s, q));
    EXPECT_FALSE(OVsensor_setlastrecord(s, q, q));
    OVsensor_getlastrecord(s, p, r);
    EXPECT_P3_NEAR(p, 1, 2, 3);
    EXPECT_FLOAT_EQ(r[1], 1);
}

TEST_F(InputTest, EveryDriverStateSetterHonoursItsPreHandler) {
    OVsensor *s = manual_sensor();
    for (const char *property : {"Sensitivity", "Angular rate", "SnUp", "Misc data", "SnRa"})
        ASSERT_TRUE(OVproperty_addhandler_pre(s, property, refuse));
    int word = 0;
    EXPECT_FALSE(OVsensor_setsensitivity(s, 2));
    EXPECT_FALSE(OVsensor_setangularrate(s, 0.5f));
    EXPECT_FALSE(OVsensor_setupdatefn(s, nothing));
    EXPECT_FALSE(OVsensor_setmiscdata(s, 7));
    EXPECT_FALSE(OVsensor_setrawdata(s, &word));
    EXPECT_FLOAT_EQ(OVsensor_getsensitivity(s), 1.0f);
    EXPECT_NEAR(OVsensor_getangularrate(s), 0.0872660f, 1e-7);
    EXPECT_EQ(OVsensor_getupdatefn(s), nullptr);
    EXPECT_EQ(OVsensor_getmiscdata(s), 0u);
    EXPECT_EQ(OVsensor_getrawdata(s), nullptr);
}

TEST_F(InputTest, HandlersSeeTheNewValues) {
    OVsensor *s = manual_sensor();
    ASSERT_TRUE(OVproperty_addhandler(s, "Translation", keep_p3));
    const OVp3 t = {1.5f, -2, 3};
    const OVq q = {0, 0.6f, 0, 0.8f};
    ASSERT_TRUE(OVsensor_setrecord(s, t, q));
    OVuniverse_go1();
    EXPECT_EQ(seen, (std::vector<float>{1.5f, -2, 3}));
    ASSERT_TRUE(OVproperty_addhandler(s, "Rotation", keep_q));
    ASSERT_TRUE(OVproperty_removehandler(s, "Translation", keep_p3));
    ASSERT_TRUE(OVsensor_setrotation(s, q));
    OVuniverse_go1();
    EXPECT_EQ(seen, (std::vector<float>{0, 0.6f, 0, 0.8f}));
    ASSERT_TRUE(OVproperty_addhandler(s, "Sensitivity", keep_float));
    ASSERT_TRUE(OVsensor_setsensitivity(s, 2.5f));
    OVuniverse_go1();
    EXPECT_EQ(seen, (std::vector<float>{2.5f}));
}

TEST_F(InputTest, AQuaternionIsInvalidOnlyWhenEveryComponentIsBelowTheTolerance) {
    OVsensor *s = manual_sensor();
    const OVp3 t = {0, 0, 0};
    const OVq small = {0.0039f, -0.0039f, 0.0039f, -0.0039f};
    EXPECT_FALSE(OVsensor_setrecord(s, t, small));
    EXPECT_EQ(g_messages, "ORV Warning: Invalid quaternion passed to OVsensor_setrecord.\n");
    g_messages.clear();
    for (int i = 0; i < 4; ++i) {
        OVq one = {0.001f, 0.001f, 0.001f, 0.001f};
        one[i] = -0.0041f;
        EXPECT_TRUE(OVsensor_setrecord(s, t, one)) << i;
    }
    EXPECT_EQ(g_messages, "");
    OVsensor_rotate(s, small);
    EXPECT_EQ(g_messages, "ORV Warning: Invalid quaternion passed to OVsensor_rotate.\n");
}

TEST_F(InputTest, AFrameWithoutTurnIsStoredAsThePositiveIdentity) {
    OVsensor *s = manual_sensor();
    const OVq minus_identity = {0, 0, 0, -1};
    OVsensor_rotate(s, minus_identity);
    OVq f;
    OVsensor_getreferenceframe(s, f);
    EXPECT_FLOAT_EQ(f[3], 1);
    EXPECT_FLOAT_EQ(f[0], 0);
}

TEST_F(InputTest, ANullSensorIsIgnoredSilently) {
    const OVp3 t = {1, 2, 3};
    const OVq zero = {0, 0, 0, 0};
    const OVq q = {0, 0, 0, 1};
    EXPECT_FALSE(OVsensor_setrecord(nullptr, t, zero));
    EXPECT_FALSE(OVsensor_setrecord(nullptr, t, q));
    EXPECT_FALSE(OVsensor_settranslation(nullptr, t));
    EXPECT_FALSE(OVsensor_setrotation(nullptr, q));
    EXPECT_FALSE(OVsensor_setlastrecord(nullptr, t, q));
    EXPECT_FALSE(OVsensor_setlasttranslation(nullptr, t));
    EXPECT_FALSE(OVsensor_setlastrotation(nullptr, q));
    EXPECT_FALSE(OVsensor_setangularrate(nullptr, 1));
    EXPECT_FALSE(OVsensor_setupdatefn(nullptr, nothing));
    EXPECT_FALSE(OVsensor_setmiscdata(nullptr, 1));
    EXPECT_FALSE(OVsensor_setrawdata(nullptr, nullptr));
    EXPECT_FALSE(OVsensor_setname(nullptr, "x"));
    OVsensor_setdata(nullptr, nullptr);
    OVsensor_setconstraints(nullptr, 1);
    OVsensor_rotate(nullptr, zero);
    OVsensor_rotate(nullptr, q);
    _OVsensor_sethaseventhandlers(nullptr, 1);
    EXPECT_EQ(g_messages, "");
    OVp3 p = {5, 5, 5};
    OVsensor_gettranslation(nullptr, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVq r = {1, 1, 1, 0};
    OVsensor_getlastrotation(nullptr, r);
    EXPECT_FLOAT_EQ(r[0], 0);
    EXPECT_FLOAT_EQ(r[3], 1);
    EXPECT_FLOAT_EQ(OVsensor_getangularrate(nullptr), 0);
    EXPECT_EQ(OVsensor_getupdatefn(nullptr), nullptr);
    EXPECT_EQ(OVsensor_getrawdata(nullptr), nullptr);
    EXPECT_EQ(_OVsensor_gethaseventhandlers(nullptr), 0);
    EXPECT_EQ(OVuniverse_getsensors(), nullptr);
}
