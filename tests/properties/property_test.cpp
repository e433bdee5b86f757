// Property lookup, typed set/get, handlers, pre-handler vetoes and the event
// pass, on a stand-in path record and on base objects.
#include "fake_path.h"
#include "orv/light.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/universe.h"
#include "orv/task.h"
#include "scene/event_switch.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

namespace {

std::string messages;
int capture(const char *text) {
    messages += text;
    return 1;
}

struct Call {
    void *object;
    std::string name;
    std::string value;
};
std::vector<Call> calls;

void on_change(void *object, const char *name, void *value, double) {
    OVvalue v = OVvalue_new(OVproperty_gettype(object, name));
    char text[128] = "";
    if (v.type == OVSTRING)
        v.v.s = static_cast<char *>(value);
    else if (value)
        std::memcpy(&v.v, value, sizeof v.v); // value points into a whole record
    OVvalue_totext(&v, text, sizeof text);
    calls.push_back({object, name, text});
}

void second_handler(void *object, const char *name, void *, double) {
    calls.push_back({object, std::string(name) + "#2", ""});
}

int refuse(void *, const char *, double) {
    return 0;
}
int allow(void *, const char *, double) {
    return 1;
}

class Properties : public ::testing::Test {
  protected:
    void SetUp() override {
        calls.clear();
        messages.clear();
        fake_setter_calls = 0;
        bind_fake_path_rows();
        OVmessage_sethook(capture);
    }
    void TearDown() override {
        OVbase_removeallhandlers(&path);
        OVmessage_sethook(nullptr);
    }
    FakePath path;
};

TEST_F(Properties, TypesOfStaticRowsAndUnknownNames) {
    EXPECT_EQ(OVproperty_gettype(&path, "Speed"), OVINT);
    EXPECT_EQ(OVproperty_gettype(&path, "PtTr"), OVP3);
    EXPECT_EQ(OVproperty_gettype(&path, "PtMa"), OVPOINTER);
    EXPECT_EQ(OVproperty_gettype(&path, "speed"), OVNOPROPERTY);
    EXPECT_EQ(OVproperty_gettype(&path, "Translation"), OVNOPROPERTY);
    EXPECT_EQ(OVproperty_gettype(nullptr, "Speed"), OVNOPROPERTY);
    OVuniverse_new(512, 0);
    EXPECT_EQ(OVproperty_gettype(OVlightnode_newdirected(nullptr), "LtAm"), OVP3);
    EXPECT_EQ(OVproperty_gettype(OVgroupnode_new(nullptr), "LtAm"), OVP3);
    EXPECT_EQ(OVproperty_gettype(OVswitchnode_new(nullptr), "Active Child"), OVINT);
    OVuniverse_delete();
    OVobject window{OVTYPE_WINDOW, 0};
    EXPECT_EQ(OVproperty_gettype(&window, "Backgroud color"), OVP3);
    EXPECT_EQ(OVproperty_gettype(&window, "MiddleButtonDbl"), OVINT);
    OVobject nothing{35, 0};
    EXPECT_EQ(OVproperty_gettype(&nothing, "Speed"), OVNOPROPERTY);
}

TEST_F(Properties, SetRequiresTheRowType) {
    OVvalue f = OVvalue_new(OVFLOAT);
    f.v.f = 1;
    EXPECT_FALSE(OVproperty_set(&path, "Speed", &f));
    EXPECT_EQ(fake_setter_calls, 0);
    OVvalue i = OVvalue_new(OVINT);
    i.v.i = 4;
    EXPECT_TRUE(OVproperty_set(&path, "Speed", &i));
    EXPECT_EQ(path.speed, 4);
    OVvalue got = OVproperty_get(&path, "Speed");
    EXPECT_EQ(got.type, OVINT);
    EXPECT_EQ(got.v.i, 4);
    float p[3] = {1, 2, 3};
    EXPECT_TRUE(OVproperty_setraw(&path, "PtTr", p));
    got = OVproperty_get(&path, "PtTr");
    EXPECT_EQ(got.type, OVP3);
    EXPECT_FLOAT_EQ(got.v.p3[2], 3);
    EXPECT_FALSE(OVproperty_setraw(&path, "Nope", p));
}

TEST_F(Properties, RowWithoutFunctionsFailsWithAMessage) {
    OVvalue i = OVvalue_new(OVINT);
    EXPECT_FALSE(OVproperty_set(&path, "PtCo", &i));
    EXPECT_EQ(messages, "Serious internal error setting property!\n");
    messages.clear();
    OVvalue got = OVproperty_get(&path, "PtCo");
    EXPECT_EQ(got.type, OVNOPROPERTY);
    EXPECT_EQ(messages, "Serious internal error getting property!\n");
}

TEST_F(Properties, PreHandlerVetoKeepsTheValueAndQueuesNothing) {
    ASSERT_TRUE(OVproperty_addhandler(&path, "PtTr", on_change));
    ASSERT_TRUE(OVproperty_addhandler_pre(&path, "PtTr", allow));
    ASSERT_TRUE(OVproperty_addhandler_pre(&path, "PtTr", refuse));
    float p[3] = {4, 5, 6};
    EXPECT_FALSE(OVproperty_setraw(&path, "PtTr", p));
    EXPECT_FLOAT_EQ(path.translation[0], 0);
    _OVevent_pass();
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(OVproperty_removehandler_pre(&path, "PtTr", refuse));
    EXPECT_FALSE(OVproperty_removehandler_pre(&path, "PtTr", refuse));
    EXPECT_TRUE(OVproperty_setraw(&path, "PtTr", p));
    _OVevent_pass();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].value, "4.000000,5.000000,6.000000");
}

TEST_F(Properties, HandlersRunInTheNextPassOncePerChange) {
    ASSERT_TRUE(OVproperty_addhandler(&path, "Speed", on_change));
    ASSERT_TRUE(OVproperty_addhandler(&path, "Speed", on_change));
    ASSERT_TRUE(OVproperty_addhandler(&path, "Speed", second_handler));
    EXPECT_EQ(OVproperty_numhandlers(&path, "Speed"), 2);
    EXPECT_EQ(OVproperty_gethandler(&path, "Speed", 1), second_handler);
    EXPECT_EQ(OVproperty_gethandler(&path, "Speed", 2), nullptr);
    int v = 1;
    OVproperty_setraw(&path, "Speed", &v);
    v = 2;
    OVproperty_setraw(&path, "Speed", &v);
    EXPECT_TRUE(calls.empty());
    _OVevent_pass();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].value, "1");
    EXPECT_EQ(calls[1].name, "Speed#2");
    EXPECT_EQ(calls[2].value, "2");
    calls.clear();
    _OVevent_pass();
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(OVproperty_addhandler(&path, "Unknown", on_change));
    EXPECT_EQ(OVproperty_numhandlers(&path, "Unknown"), 0);
}

TEST_F(Properties, NoFiringWhileTheEventSwitchIsOff) {
    OVproperty_addhandler(&path, "Speed", on_change);
    OVproperty_addhandler_pre(&path, "Speed", refuse);
    int v = 3;
    {
        orv::EventsOff quiet;
        EXPECT_TRUE(OVproperty_setraw(&path, "Speed", &v));
    }
    _OVevent_pass();
    EXPECT_EQ(path.speed, 3);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(OVproperty_setraw(&path, "Speed", &v));
}

TEST_F(Properties, RemovingAllHandlersDropsQueuedEvents) {
    OVproperty_addhandler(&path, "Speed", on_change);
    int v = 3;
    OVproperty_setraw(&path, "Speed", &v);
    OVbase_removeallhandlers(&path);
    _OVevent_pass();
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(OVproperty_numhandlers(&path, "Speed"), 0);
}

TEST_F(Properties, DynamicPropertiesOfABaseObject) {
    void *base = OVbase_new("thing");
    EXPECT_FALSE(OVbase_addproperty(nullptr, "a", OVINT));
    EXPECT_FALSE(OVbase_addproperty(base, "", OVINT));
    EXPECT_TRUE(OVbase_addproperty(base, "weight", OVFLOAT));
    EXPECT_TRUE(OVbase_addproperty(base, "label", OVSTRING));
    EXPECT_TRUE(OVbase_addproperty(base, "turn", OVM3));
    EXPECT_FALSE(OVbase_addproperty(base, "weight", OVINT));
    EXPECT_EQ(OVbase_numproperties(base), 3);
    EXPECT_STREQ(OVbase_getpropertyname(base, 1), "label");
    EXPECT_EQ(OVbase_getpropertyname(base, 3), nullptr);
    OVvalue m = OVproperty_get(base, "turn");
    EXPECT_FLOAT_EQ(m.v.m3[1][1], 1);
    EXPECT_FLOAT_EQ(m.v.m3[0][1], 0);

    ASSERT_TRUE(OVproperty_addhandler(base, "label", on_change));
    OVvalue text = OVvalue_new(OVSTRING);
    text.v.s = OVstrdup("red");
    EXPECT_TRUE(OVproperty_set(base, "label", &text));
    EXPECT_EQ(text.v.s, nullptr);
    OVvalue got = OVproperty_get(base, "label");
    EXPECT_STREQ(got.v.s, "red");
    OVvalue_free(&got);
    _OVevent_pass();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].value, "red");

    OVbase_print(base);
    EXPECT_EQ(messages, "thing      weight=0.000000  label=red  turn=1.000000,0.000000,0.000000,"
                        "0.000000,1.000000,0.000000,0.000000,0.000000,1.000000\n");

    OVbase_deleteproperties(base);
    EXPECT_EQ(OVbase_numproperties(base), 0);
    EXPECT_EQ(OVproperty_numhandlers(base, "label"), 0);
    EXPECT_EQ(OVproperty_gettype(base, "label"), OVNOPROPERTY);
    OVbase_delete(base);
}

TEST_F(Properties, TimedHandlerFiresOnceWhenDue) {
    void *base = OVbase_new("timer");
    EXPECT_TRUE(OVevent_addtimed(base, "alarm", on_change, 0));
    EXPECT_TRUE(OVevent_addtimed(base, "later", on_change, 3600));
    _OVevent_pass();
    _OVevent_pass();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, "alarm");
    EXPECT_TRUE(OVevent_removetimed(base, "later", on_change));
    EXPECT_FALSE(OVevent_removetimed(base, "later", on_change));
    OVbase_delete(base);
}

TEST(ValueTypes, NamesAndTextForms) {
    EXPECT_STREQ(OVvalue_typename(OVINT), "OVINT");
    EXPECT_STREQ(OVvalue_typename(OVM3), "OVM3");
    EXPECT_EQ(OVvalue_typename(10), nullptr);
    EXPECT_EQ(OVvalue_new(10).type, OVNOPROPERTY);
    char text[64];
    OVvalue u = OVvalue_new(OVUINT);
    u.v.u = 4000000000u;
    EXPECT_STREQ(OVvalue_totext(&u, text, sizeof text), "4000000000");
    OVvalue q = OVvalue_new(OVP2);
    q.v.p2[0] = 0.5f;
    EXPECT_STREQ(OVvalue_totext(&q, text, sizeof text), "0.500000,0.000000");
}

} // namespace

namespace {

int task_runs = 0;
int count_run(void *) {
    return ++task_runs;
}

TEST(BaseObjects, DeletionStopsTheObjectsTasks) {
    void *base = OVbase_new("worker");
    ASSERT_NE(OVtask_new(base, count_run, 0), nullptr);
    OVtask_run();
    OVbase_delete(base);
    OVtask_run();
    EXPECT_EQ(task_runs, 1);
    OVtask_clear();
}

} // namespace
