// Handler registries and dynamic properties on scene nodes: refusals, what
// removing all handlers or the dynamic properties takes away, the order of a
// node's property names, and the text forms of every value type.
#include "nodes/scene_fixture.h"
#include "orv/orv.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The fixture clears it for every test.
std::vector<std::string> &heard = SceneTest::heard;

void hear(void *, const char *name, void *, double) {
    heard.emplace_back(name);
}

void other(void *, const char *, void *, double) {}

int refuse(void *, const char *, double) {
    return 0;
}

class HandlerRules : public SceneTest {};

TEST_F(HandlerRules, RegistryRefusals) {
    OVnode *sep = OVsepnode_new(root);
    EXPECT_FALSE(OVproperty_addhandler(nullptr, "Enabled", hear));
    EXPECT_FALSE(OVproperty_addhandler_pre(nullptr, "Enabled", refuse));
    EXPECT_FALSE(OVproperty_addhandler(sep, nullptr, hear));
    EXPECT_FALSE(OVproperty_addhandler(sep, "Enabled", nullptr));
    EXPECT_FALSE(OVproperty_addhandler_pre(sep, "No such", refuse));
    EXPECT_FALSE(OVproperty_removehandler(sep, "Enabled", hear)); // never added
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    EXPECT_FALSE(OVproperty_removehandler(sep, "Enabled", other));
    EXPECT_FALSE(OVproperty_removehandler(sep, "Children", hear));
    EXPECT_EQ(OVproperty_gethandler(sep, "Enabled", -1), nullptr);
    EXPECT_EQ(OVproperty_gethandler(sep, "Enabled", 0), hear);
    EXPECT_EQ(OVproperty_numhandlers(nullptr, "Enabled"), 0);
    EXPECT_TRUE(OVproperty_removehandler(sep, "Enabled", hear));
    EXPECT_FALSE(OVproperty_removehandler(sep, "Enabled", hear));
    EXPECT_EQ(OVproperty_gethandler(sep, "Enabled", 0), nullptr);
}

TEST_F(HandlerRules, HandlersOfOneNodeAreNotAnothers) {
    OVnode *a = OVsepnode_new(root), *b = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(a, "Enabled", hear));
    ASSERT_TRUE(OVproperty_addhandler_pre(a, "Enabled", refuse));
    EXPECT_EQ(OVproperty_numhandlers(b, "Enabled"), 0);
    EXPECT_TRUE(OVnode_enable(b, 0));
    EXPECT_FALSE(OVnode_enable(a, 0));
    _OVevent_pass();
    EXPECT_TRUE(heard.empty());
}

TEST_F(HandlerRules, RemovingAllHandlersTakesThePreHandlersToo) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "Enabled", refuse));
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "SeCu", refuse));
    EXPECT_FALSE(OVnode_enable(sep, 0));
    OVbase_removeallhandlers(sep);
    EXPECT_EQ(OVproperty_numhandlers(sep, "Enabled"), 0);
    EXPECT_TRUE(OVnode_enable(sep, 0));
    EXPECT_TRUE(OVsepnode_setcullmode(sep, 1));
    _OVevent_pass();
    EXPECT_TRUE(heard.empty());
    // The registries take the object again afterwards.
    EXPECT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    EXPECT_TRUE(OVnode_enable(sep, 1));
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"Enabled"});
}

TEST_F(HandlerRules, DeletingDynamicPropertiesKeepsTheStaticRowsHandlers) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVbase_addproperty(sep, "weight", OVFLOAT));
    ASSERT_TRUE(OVproperty_addhandler(sep, "weight", hear));
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    OVbase_deleteproperties(sep);
    EXPECT_EQ(OVproperty_numhandlers(sep, "weight"), 0);
    EXPECT_EQ(OVproperty_gettype(sep, "weight"), OVNOPROPERTY);
    EXPECT_EQ(OVproperty_numhandlers(sep, "Enabled"), 1);
    EXPECT_EQ(OVproperty_gettype(sep, "Enabled"), OVINT);
    // The name is free again.
    EXPECT_TRUE(OVbase_addproperty(sep, "weight", OVINT));
    EXPECT_EQ(OVproperty_gettype(sep, "weight"), OVINT);
}

TEST_F(HandlerRules, StaticNamesComeBeforeDynamicOnes) {
    OVnode *sep = OVsepnode_new(root);
    const int statics = OVbase_numproperties(sep);
    ASSERT_GT(statics, 0);
    bool enabled_listed = false;
    for (int i = 0; i < statics; ++i) {
        const char *name = OVbase_getpropertyname(sep, i);
        ASSERT_NE(name, nullptr) << i;
        EXPECT_NE(OVproperty_gettype(sep, name), OVNOPROPERTY) << name;
        enabled_listed |= std::strcmp(name, "Enabled") == 0;
    }
    EXPECT_TRUE(enabled_listed);
    ASSERT_TRUE(OVbase_addproperty(sep, "weight", OVFLOAT));
    EXPECT_EQ(OVbase_numproperties(sep), statics + 1);
    EXPECT_STREQ(OVbase_getpropertyname(sep, statics), "weight");
    EXPECT_EQ(OVbase_getpropertyname(sep, statics + 1), nullptr);
    EXPECT_EQ(OVbase_getpropertyname(sep, -1), nullptr);
    EXPECT_EQ(OVbase_numproperties(nullptr), 0);
}

TEST_F(HandlerRules, FreshDynamicValuesAreZero) {
    void *base = OVbase_new("fresh");
    const int types[] = {OVINT, OVUINT, OVFLOAT, OVDOUBLE, OVP2, OVP3, OVQ, OVSTRING, OVPOINTER};
    for (int type : types) {
        const std::string name = std::string("p") + std::to_string(type);
        ASSERT_TRUE(OVbase_addproperty(base, name.c_str(), type)) << type;
        EXPECT_EQ(OVproperty_gettype(base, name.c_str()), type);
        OVvalue v = OVproperty_get(base, name.c_str());
        ASSERT_EQ(v.type, type);
        if (type == OVSTRING) {
            EXPECT_TRUE(v.v.s == nullptr || v.v.s[0] == '\0');
        } else {
            const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&v.v);
            for (std::size_t i = 0; i < sizeof(OVq); ++i)
                EXPECT_EQ(bytes[i], 0) << type;
        }
        OVvalue_free(&v);
    }
    EXPECT_FALSE(OVbase_addproperty(base, "bad", 11));
    OVbase_delete(base);
}

TEST_F(HandlerRules, UnknownNamesAndValuesAreRefusedWithoutACall) {
    OVnode *s = OVswitchnode_new(root);
    OVvalue one = OVvalue_new(OVINT);
    one.v.i = 0;
    EXPECT_FALSE(OVproperty_set(s, "No such", &one));
    EXPECT_FALSE(OVproperty_set(s, "Active Child", nullptr));
    EXPECT_FALSE(OVproperty_set(nullptr, "Active Child", &one));
    EXPECT_FALSE(OVproperty_setraw(s, "Active Child", nullptr));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), -1);
    EXPECT_EQ(OVproperty_get(s, "No such").type, OVNOPROPERTY);
    EXPECT_EQ(OVproperty_get(nullptr, "Enabled").type, OVNOPROPERTY);
    EXPECT_EQ(OVproperty_gettype(s, nullptr), OVNOPROPERTY);
}

OVnode *g_second = nullptr;

// Told of the first node's change, it changes the second node.
void pass_it_on(void *, const char *name, void *, double) {
    heard.emplace_back(std::string("first ") + name);
    OVnode_enable(g_second, 0);
}

void hear_second(void *, const char *name, void *, double) {
    heard.emplace_back(std::string("second ") + name);
}

TEST_F(HandlerRules, EventsQueuedByAHandlerAreNotLost) {
    OVnode *first = OVsepnode_new(root);
    g_second = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(first, "Enabled", pass_it_on));
    ASSERT_TRUE(OVproperty_addhandler(g_second, "Enabled", hear_second));
    ASSERT_TRUE(OVnode_enable(first, 0));
    _OVevent_pass();
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"first Enabled", "second Enabled"}));
    EXPECT_EQ(OVnode_isenabled(g_second), 0);
}

TEST_F(HandlerRules, ADeletedNodesQueuedEventsAreNotDelivered) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *kept = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    ASSERT_TRUE(OVproperty_addhandler(kept, "SeCu", hear));
    ASSERT_TRUE(OVnode_enable(sep, 0));
    ASSERT_TRUE(OVsepnode_setcullmode(kept, 1));
    ASSERT_TRUE(OVnode_delete(sep));
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"SeCu"});
}

void hear_late(void *, const char *name, void *, double) {
    heard.emplace_back(std::string("late ") + name);
}

// Queued events go to the handlers registered when the event pass runs.
TEST_F(HandlerRules, DeliveryUsesTheHandlersOfTheEventPass) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    ASSERT_TRUE(OVnode_enable(sep, 0));
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear_late));
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"Enabled", "late Enabled"}));
    heard.clear();
    ASSERT_TRUE(OVnode_enable(sep, 1));
    ASSERT_TRUE(OVproperty_removehandler(sep, "Enabled", hear));
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"late Enabled"});
    // Pre-handlers are not counted among the handlers.
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "SeCu", refuse));
    EXPECT_EQ(OVproperty_numhandlers(sep, "SeCu"), 0);
    EXPECT_EQ(OVproperty_gethandler(sep, "SeCu", 0), nullptr);
}

TEST(ValueText, EveryTypeInItsForm) {
    char text[256];
    OVvalue i = OVvalue_new(OVINT);
    i.v.i = -12;
    EXPECT_STREQ(OVvalue_totext(&i, text, sizeof text), "-12");
    OVvalue f = OVvalue_new(OVFLOAT);
    f.v.f = 1.5f;
    EXPECT_STREQ(OVvalue_totext(&f, text, sizeof text), "1.500000");
    OVvalue d = OVvalue_new(OVDOUBLE);
    d.v.d = -0.25;
    EXPECT_STREQ(OVvalue_totext(&d, text, sizeof text), "-0.250000");
    OVvalue p3 = OVvalue_new(OVP3);
    p3.v.p3[2] = 3;
    EXPECT_STREQ(OVvalue_totext(&p3, text, sizeof text), "0.000000,0.000000,3.000000");
    OVvalue q = OVvalue_new(OVQ);
    q.v.q[3] = 1;
    EXPECT_STREQ(OVvalue_totext(&q, text, sizeof text), "0.000000,0.000000,0.000000,1.000000");
    OVvalue s = OVvalue_new(OVSTRING);
    s.v.s = OVstrdup("words, with commas");
    EXPECT_STREQ(OVvalue_totext(&s, text, sizeof text), "words, with commas");
    OVvalue_free(&s);
    OVvalue p = OVvalue_new(OVPOINTER);
    p.v.p = text;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%p", static_cast<void *>(text));
    char shown[64];
    EXPECT_STREQ(OVvalue_totext(&p, shown, sizeof shown), expected);
    OVvalue m = OVvalue_new(OVM3);
    EXPECT_STREQ(OVvalue_totext(&m, text, sizeof text),
                 "1.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,"
                 "1.000000");
    const char *const names[] = {"OVINT", "OVUINT", "OVFLOAT",  "OVDOUBLE",  "OVP2",
                                 "OVP3",  "OVQ",    "OVSTRING", "OVPOINTER", "OVM3"};
    for (int type = 0; type < 10; ++type)
        EXPECT_STREQ(OVvalue_typename(type), names[type]);
}

} // namespace
