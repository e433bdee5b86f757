// Order and timing of pre-handlers and queued events on real nodes, the
// results of firing, and the printed property lines of a node tree.
#include "orv/orv.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> log;
std::vector<double> times;
std::string printed;

int capture(const char *text) {
    printed += text;
    return 1;
}

int first_allows(void *, const char *name, double time) {
    log.push_back(std::string("first:") + name);
    times.push_back(time);
    return 1;
}
int second_refuses(void *, const char *name, double time) {
    log.push_back(std::string("second:") + name);
    times.push_back(time);
    return 0;
}
int third_allows(void *, const char *, double) {
    log.push_back("third");
    return 1;
}

void hear_int(void *, const char *name, void *value, double time) {
    log.push_back(std::string(name) + "=" + std::to_string(*static_cast<int *>(value)));
    times.push_back(time);
}
void hear_again(void *, const char *name, void *, double) {
    log.push_back(std::string(name) + "#2");
}
void hear_text(void *, const char *name, void *value, double) {
    log.push_back(std::string(name) + "=" + static_cast<const char *>(value));
}

class EventOrder : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        root = OVuniverse_getrootnodes();
        log.clear();
        times.clear();
        printed.clear();
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
    }
    OVnode *root = nullptr;
};

TEST_F(EventOrder, PreHandlersRunInOrderUntilTheFirstRefusal) {
    OVnode *x = OVxformnode_new(root);
    EXPECT_TRUE(OVproperty_firehandlers_pre(x, "Translation")); // none registered
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Translation", first_allows));
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Translation", second_refuses));
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Translation", third_allows));
    double before = OVevent_gettime();
    EXPECT_FALSE(OVproperty_firehandlers_pre(x, "Translation"));
    double after = OVevent_gettime();
    EXPECT_EQ(log, (std::vector<std::string>{"first:Translation", "second:Translation"}));
    ASSERT_EQ(times.size(), 2u);
    EXPECT_GE(times[0], before);
    EXPECT_LE(times[0], after);
    EXPECT_EQ(times[0], times[1]); // one time for the whole round
}

TEST_F(EventOrder, VetoedTranslationKeepsTheNodeAndTellsNoHandler) {
    OVnode *x = OVxformnode_new(root);
    const OVp3 start = {1, 2, 3};
    ASSERT_TRUE(OVnode_settranslation(x, start));
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear_again));
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Translation", second_refuses));
    const OVp3 moved = {7, 8, 9};
    EXPECT_FALSE(OVnode_settranslation(x, moved));
    OVp3 now;
    OVnode_gettranslation(x, now);
    EXPECT_FLOAT_EQ(now[0], 1);
    EXPECT_FLOAT_EQ(now[2], 3);
    OVuniverse_go1();
    EXPECT_EQ(log, std::vector<std::string>{"second:Translation"});
}

TEST_F(EventOrder, FiringQueuesOnlyWhenThePropertyHasHandlers) {
    OVnode *g = OVgroupnode_new(root);
    int on = 1;
    EXPECT_EQ(OVproperty_firehandlers(g, "Enabled", &on), 0);
    EXPECT_EQ(OVproperty_firehandlers(g, "No such", &on), 0);
    ASSERT_TRUE(OVproperty_addhandler(g, "Enabled", hear_int));
    double before = OVevent_gettime();
    EXPECT_NE(OVproperty_firehandlers(g, "Enabled", &on), 0);
    on = 5; // the event holds its own copy
    double after = OVevent_gettime();
    EXPECT_TRUE(log.empty());
    _OVevent_pass();
    EXPECT_EQ(log, std::vector<std::string>{"Enabled=1"});
    ASSERT_EQ(times.size(), 1u);
    EXPECT_GE(times[0], before); // the time of queuing, not of delivery
    EXPECT_LE(times[0], after);
}

TEST_F(EventOrder, EachEnableInAPassIsHeardOnceInTheNextEventPass) {
    OVnode *g = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(g, "Enabled", hear_int));
    ASSERT_TRUE(OVnode_enable(g, 1));
    EXPECT_TRUE(log.empty()); // never inside the setter
    OVuniverse_go1();
    EXPECT_EQ(log, std::vector<std::string>{"Enabled=1"});
    log.clear();
    ASSERT_TRUE(OVnode_enable(g, 1));
    ASSERT_TRUE(OVnode_enable(g, 1));
    OVuniverse_go1();
    EXPECT_EQ(log, (std::vector<std::string>{"Enabled=1", "Enabled=1"}));
    log.clear();
    OVuniverse_go1();
    EXPECT_TRUE(log.empty());
}

TEST_F(EventOrder, EventsInQueueOrderEachToAllHandlersInRegistrationOrder) {
    OVnode *s = OVswitchnode_new(root);
    OVgroupnode_new(s);
    OVgroupnode_new(s);
    ASSERT_TRUE(OVproperty_addhandler(s, "Active Child", hear_int));
    ASSERT_TRUE(OVproperty_addhandler(s, "Active Child", hear_again));
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear_int));
    OVvalue wrong = OVvalue_new(OVFLOAT);
    wrong.v.f = 1;
    EXPECT_FALSE(OVproperty_set(s, "Active Child", &wrong));
    OVvalue one = OVvalue_new(OVINT);
    one.v.i = 1;
    ASSERT_TRUE(OVproperty_set(s, "Active Child", &one));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), 1);
    ASSERT_TRUE(OVnode_enable(sep, 0));
    OVvalue zero = OVvalue_new(OVINT);
    ASSERT_TRUE(OVproperty_set(s, "Active Child", &zero));
    _OVevent_pass();
    EXPECT_EQ(log, (std::vector<std::string>{"Active Child=1", "Active Child#2", "Enabled=0",
                                             "Active Child=0", "Active Child#2"}));
}

TEST_F(EventOrder, TextValuesReachTheSetterAndAreFreed) {
    OVnode *in = OVinlinenode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(in, "Location", hear_text));
    OVvalue text = OVvalue_new(OVSTRING);
    text.v.s = OVstrdup("cube.nff");
    ASSERT_TRUE(OVproperty_set(in, "Location", &text));
    EXPECT_EQ(text.v.s, nullptr);
    OVvalue back = OVproperty_get(in, "Location");
    ASSERT_EQ(back.type, OVSTRING);
    EXPECT_STREQ(back.v.s, "cube.nff");
    OVvalue_free(&back);
    _OVevent_pass();
    EXPECT_EQ(log, std::vector<std::string>{"Location=cube.nff"});
}

TEST_F(EventOrder, PrintIndentsChildrenTwoSpacesPerLevel) {
    OVnode *top = OVgroupnode_new(nullptr);
    OVnode_setname(top, "top");
    OVnode *mid = OVgroupnode_new(top);
    OVnode_setname(mid, "mid");
    OVnode *leaf = OVgroupnode_new(mid);
    OVnode_setname(leaf, "leaf");
    OVnode *last = OVgroupnode_new(top);
    OVnode_setname(last, "last");
    OVmessage_sethook(capture);
    OVbase_print(top);
    OVmessage_sethook(nullptr);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = printed.find('\n', start)) != std::string::npos;
         start = end + 1)
        lines.push_back(printed.substr(start, end - start));
    ASSERT_EQ(lines.size(), 4u);
    const char *const prefixes[] = {"top      ", "  mid      ", "    leaf      ", "  last      "};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[i].rfind(prefixes[i], 0), 0u) << lines[i];
    // Each property follows as "  name=value".
    EXPECT_NE(lines[0].find("  BoundingBox=0"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("  Children=mid,last"), std::string::npos) << lines[0];
}

} // namespace
