// The one setter protocol seen through every class that has setters: a veto
// keeps the old value and queues nothing; an allowed change is heard once, in
// the next event pass; while events are off nothing is asked and nothing heard.
#include "orv/node.h"
#include "orv/property.h"
#include "orv/sensor.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"
#include "orv/window.h"
#include "scene/event_switch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> heard;
int asked = 0;

void hear(void *, const char *name, void *, double) {
    heard.emplace_back(name);
}
int refuse(void *, const char *, double) {
    ++asked;
    return 0;
}

// One class's setter of one float property, and its getter.
struct Case {
    const char *label;
    std::function<void *()> make;
    const char *property;
    std::function<int(void *, float)> set;
    std::function<float(void *)> get;
};

std::vector<Case> cases() {
    return {
        {"node", [] { return static_cast<void *>(OVxformnode_new(nullptr)); }, "Translation",
         [](void *o, float v) {
             const OVp3 p = {v, 0, 0};
             return OVnode_settranslation(static_cast<OVnode *>(o), p);
         },
         [](void *o) {
             OVp3 p;
             OVnode_gettranslation(static_cast<OVnode *>(o), p);
             return p[0];
         }},
        {"viewpoint", [] { return static_cast<void *>(OVviewpoint_new()); }, "Parallax",
         [](void *o, float v) { return OVviewpoint_setparallax(static_cast<OVviewpoint *>(o), v); },
         [](void *o) { return OVviewpoint_getparallax(static_cast<OVviewpoint *>(o)); }},
        {"window", [] { return static_cast<void *>(OVwindow_new(0, 0, 64, 48, 0)); },
         "Hither Clipping",
         [](void *o, float v) { return OVwindow_sethither(static_cast<OVwindow *>(o), v); },
         [](void *o) { return OVwindow_gethither(static_cast<OVwindow *>(o)); }},
        {"sensor",
         [] {
             return static_cast<void *>(
                 OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE));
         },
         "Sensitivity",
         [](void *o, float v) { return OVsensor_setsensitivity(static_cast<OVsensor *>(o), v); },
         [](void *o) { return OVsensor_getsensitivity(static_cast<OVsensor *>(o)); }},
    };
}

class ProtocolClasses : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        heard.clear();
        asked = 0;
    }
    void TearDown() override {
        orv::set_events_enabled(true);
        OVuniverse_delete();
    }
};

TEST_F(ProtocolClasses, VetoKeepsTheValueAndAllowedChangesAreHeardInTheNextPass) {
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.label);
        heard.clear();
        void *object = c.make();
        ASSERT_NE(object, nullptr);
        ASSERT_TRUE(OVproperty_addhandler(object, c.property, hear));
        EXPECT_TRUE(c.set(object, 2.5f));
        EXPECT_TRUE(heard.empty()) << "handlers run in the event pass, not in the setter";
        OVuniverse_go1();
        EXPECT_EQ(heard, std::vector<std::string>{c.property});

        ASSERT_TRUE(OVproperty_addhandler_pre(object, c.property, refuse));
        EXPECT_FALSE(c.set(object, 7.0f));
        EXPECT_FLOAT_EQ(c.get(object), 2.5f);
        OVuniverse_go1();
        EXPECT_EQ(heard.size(), 1u) << "a vetoed change queues nothing";
    }
}

TEST_F(ProtocolClasses, WhileEventsAreOffNothingIsAskedOrHeard) {
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.label);
        void *object = c.make();
        ASSERT_NE(object, nullptr);
        ASSERT_TRUE(OVproperty_addhandler(object, c.property, hear));
        ASSERT_TRUE(OVproperty_addhandler_pre(object, c.property, refuse));
        orv::set_events_enabled(false);
        EXPECT_TRUE(c.set(object, 3.5f));
        orv::set_events_enabled(true);
        EXPECT_FLOAT_EQ(c.get(object), 3.5f);
        OVuniverse_go1();
    }
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(heard.empty());
}

} // namespace
