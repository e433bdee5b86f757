// What handlers are given: the event time of the change, a copy of the value
// taken when it was queued, and the payload of the property's own type; the
// has-event-handlers flag of nodes; fresh matrices of dynamic properties.
#include "orv/orv.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Told {
    void *object;
    std::string name;
    float first;
    double time;
};
std::vector<Told> told;
std::vector<double> asked_at;

void hear_float(void *object, const char *name, void *value, double time) {
    told.push_back({object, name, *static_cast<const float *>(value), time});
}

int allow_at(void *, const char *, double time) {
    asked_at.push_back(time);
    return 1;
}

class EventValues : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        root = OVuniverse_getrootnodes();
        told.clear();
        asked_at.clear();
    }
    void TearDown() override { OVuniverse_delete(); }
    OVnode *root = nullptr;
};

TEST_F(EventValues, HandlersGetTheTimeOfTheChangeNotOfTheEventPass) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear_float));
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Translation", allow_at));
    const double before = OVevent_gettime();
    const OVp3 t = {4, 5, 6};
    ASSERT_TRUE(OVnode_settranslation(x, t));
    const double after = OVevent_gettime();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    _OVevent_pass();
    ASSERT_EQ(told.size(), 1u);
    ASSERT_EQ(asked_at.size(), 1u);
    EXPECT_EQ(told[0].object, x);
    EXPECT_EQ(told[0].name, "Translation");
    EXPECT_FLOAT_EQ(told[0].first, 4);
    EXPECT_GE(told[0].time, before);
    EXPECT_LE(told[0].time, after);
    EXPECT_GE(asked_at[0], before);
    EXPECT_LE(asked_at[0], after);
    EXPECT_LT(told[0].time, OVevent_gettime() - 0.02);
}

TEST_F(EventValues, AQueuedValueIsACopyTakenAtTheChange) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear_float));
    OVp3 v = {1, 0, 0};
    ASSERT_EQ(OVproperty_firehandlers(x, "Translation", v) != 0, true);
    v[0] = 99;
    _OVevent_pass();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_FLOAT_EQ(told[0].first, 1);
    // Without handlers nothing is queued.
    EXPECT_EQ(OVproperty_firehandlers(x, "Rotation", v), 0);
    EXPECT_EQ(OVproperty_firehandlers(x, "No such", v), 0);
    // With no pre-handlers the change may go ahead.
    EXPECT_TRUE(OVproperty_firehandlers_pre(x, "Rotation"));
}

TEST_F(EventValues, DynamicPropertiesAreToldLikeStaticOnes) {
    OVnode *group = OVgroupnode_new(root);
    ASSERT_TRUE(OVbase_addproperty(group, "weight", OVFLOAT));
    ASSERT_TRUE(OVproperty_addhandler(group, "weight", hear_float));
    const float w = 2.5f;
    ASSERT_TRUE(OVproperty_firehandlers(group, "weight", const_cast<float *>(&w)));
    _OVevent_pass();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].name, "weight");
    EXPECT_FLOAT_EQ(told[0].first, 2.5f);
}

TEST_F(EventValues, AFreshMatrixPropertyIsTheIdentity) {
    OVnode *group = OVgroupnode_new(root);
    ASSERT_TRUE(OVbase_addproperty(group, "turn", OVM3));
    OVvalue m = OVproperty_get(group, "turn");
    ASSERT_EQ(m.type, OVM3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_FLOAT_EQ(m.v.m3[r][c], r == c ? 1.0f : 0.0f) << r << c;
    EXPECT_FALSE(OVbase_addproperty(nullptr, "turn", OVM3));
    EXPECT_FALSE(OVbase_addproperty(group, "", OVINT));
    EXPECT_FALSE(OVbase_addproperty(group, "turn", OVINT));
}

TEST_F(EventValues, NodesKeepAHasEventHandlersFlag) {
    OVnode *sep = OVsepnode_new(root);
    _OVnode_sethaseventhandlers(sep, 1);
    EXPECT_NE(_OVnode_gethaseventhandlers(sep), 0);
    // The flag lives beside the other header bits without touching them.
    EXPECT_EQ(OVnode_isenabled(sep), 1);
    EXPECT_EQ(OVnode_gettype(sep), OVNODE_SEPARATOR);
    _OVnode_sethaseventhandlers(sep, 0);
    EXPECT_EQ(_OVnode_gethaseventhandlers(sep), 0);
    EXPECT_EQ(OVnode_isenabled(sep), 1);
    EXPECT_EQ(_OVnode_gethaseventhandlers(nullptr), 0);
    _OVnode_sethaseventhandlers(nullptr, 1);
}

TEST_F(EventValues, TextSetThroughThePropertyIsFreedAndCleared) {
    OVnode *anchor = OVanchornode_new(root);
    OVvalue v = OVvalue_new(OVSTRING);
    v.v.s = OVstrdup("http://example/");
    ASSERT_TRUE(OVproperty_set(anchor, "URL", &v));
    EXPECT_EQ(v.v.s, nullptr);
    EXPECT_STREQ(OVanchornode_getlocation(anchor), "http://example/");
    OVvalue back = OVproperty_get(anchor, "URL");
    ASSERT_EQ(back.type, OVSTRING);
    EXPECT_STREQ(back.v.s, "http://example/");
    EXPECT_NE(back.v.s, OVanchornode_getlocation(anchor)); // a copy of its own
    OVvalue_free(&back);
}

std::vector<std::string> order;

void note_timed(void *, const char *name, void *, double) {
    order.push_back(std::string("timed ") + name);
}

void note_change(void *, const char *name, void *, double) {
    order.push_back(std::string("change ") + name);
}

TEST_F(EventValues, DueTimedHandlersRunBeforeTheQueuedChanges) {
    order.clear();
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", note_change));
    ASSERT_TRUE(OVnode_enable(sep, 0));
    ASSERT_TRUE(OVevent_addtimed(sep, "alarm", note_timed, 0));
    _OVevent_pass();
    EXPECT_EQ(order, (std::vector<std::string>{"timed alarm", "change Enabled"}));
}

TEST_F(EventValues, RemovingAllHandlersOrDeletingCancelsTimedCalls) {
    order.clear();
    OVnode *kept = OVsepnode_new(root), *deleted = OVsepnode_new(root);
    ASSERT_TRUE(OVevent_addtimed(kept, "first", note_timed, 0));
    ASSERT_TRUE(OVevent_addtimed(deleted, "second", note_timed, 0));
    OVbase_removeallhandlers(kept);
    ASSERT_TRUE(OVnode_delete(deleted));
    _OVevent_pass();
    EXPECT_TRUE(order.empty());
    EXPECT_FALSE(OVevent_removetimed(kept, "first", note_timed));
}

} // namespace
