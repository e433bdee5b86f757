// The event steps of a pass: where motion links run against the action
// function, and which targets the motion-link step moves first.
#include "universe_fixture.h"

#include "orv/property.h"

#include <string>
#include <vector>

using orvtest::UniverseTest;

namespace {

// A sensor whose every pass moves its targets three units along x.
void step_x3(OVsensor *s) {
    const OVp3 t = {3, 0, 0};
    const OVq q = {0, 0, 0, 1};
    OVsensor_setrecord(s, t, q);
}

OVsensor *moving_sensor() {
    return OVsensor_new(nullptr, nullptr, step_x3, nullptr, 0, OVSENSOR_NODEVICE);
}

float x_seen_by_action = -1;
void note_viewpoint_x() {
    OVp3 p;
    OVviewpoint_getposition(OVuniverse_getviewpoint(), p);
    x_seen_by_action = p[0];
}

class EventSteps : public UniverseTest {
  protected:
    void SetUp() override {
        UniverseTest::SetUp();
        x_seen_by_action = -1;
        OVsensor *s = moving_sensor();
        ASSERT_NE(s, nullptr);
        ASSERT_NE(OVmotionlink_new(s, OVuniverse_getviewpoint(), 0, OVLINK_VIEWPOINT), nullptr);
        OVuniverse_setactions(note_viewpoint_x);
    }
};

TEST_F(EventSteps, ByDefaultTheActionSeesTheViewpointBeforeItsLinkMovesIt) {
    OVuniverse_go1();
    EXPECT_FLOAT_EQ(x_seen_by_action, 0.0f);
    OVuniverse_go1();
    EXPECT_FLOAT_EQ(x_seen_by_action, 3.0f);
}

TEST_F(EventSteps, LinksFirstLetTheActionSeeThisPassesMotion) {
    const short links_first[] = {2, 1, 3, 4};
    ASSERT_TRUE(OVuniverse_seteventorder(4, links_first));
    OVuniverse_go1();
    EXPECT_FLOAT_EQ(x_seen_by_action, 3.0f);
}

TEST_F(EventSteps, AnOrderOfThreeMayPutTheLinksFirst) {
    const short three[] = {2, 3, 1};
    ASSERT_TRUE(OVuniverse_seteventorder(3, three));
    const short *order = OVuniverse_geteventorder();
    EXPECT_EQ(std::vector<short>(order, order + 5), (std::vector<short>{3, 2, 3, 1, 4}));
    OVuniverse_go1();
    EXPECT_FLOAT_EQ(x_seen_by_action, 3.0f);
    // A later order of four replaces the count and every entry.
    const short four[] = {1, 2, 3, 4};
    ASSERT_TRUE(OVuniverse_seteventorder(4, four));
    order = OVuniverse_geteventorder();
    EXPECT_EQ(std::vector<short>(order, order + 5), (std::vector<short>{4, 1, 2, 3, 4}));
}

// The step moves viewpoints before nodes, whatever the order of the links in
// their list: a node's pre-handler, asked while its link is applied, already
// finds the viewpoint moved.
float viewpoint_x_at_node = -1;
int node_prehandler(void *, const char *, double) {
    OVp3 p;
    OVviewpoint_getposition(OVuniverse_getviewpoint(), p);
    viewpoint_x_at_node = p[0];
    return 1;
}

TEST_F(EventSteps, ViewpointLinksRunBeforeNodeLinksListedEarlier) {
    // Start over with the node's link first in the list.
    while (OVmotionlink *link = OVuniverse_getmotionlinks())
        OVmotionlink_delete(link);
    OVuniverse_setactions(nullptr);
    OVnode *node = OVxformnode_new(OVuniverse_getrootnodes());
    ASSERT_NE(node, nullptr);
    OVsensor *s = OVuniverse_getsensors();
    ASSERT_NE(OVnode_addsensor(node, s), nullptr);
    ASSERT_NE(OVmotionlink_new(s, OVuniverse_getviewpoint(), 0, OVLINK_VIEWPOINT), nullptr);
    OVmotionlink *first = OVuniverse_getmotionlinks();
    void *target = nullptr;
    int type = -1;
    ASSERT_TRUE(OVmotionlink_gettarget(first, &target, &type));
    ASSERT_EQ(target, node);
    ASSERT_TRUE(OVproperty_addhandler_pre(node, "Translation", node_prehandler));
    viewpoint_x_at_node = -1;
    OVuniverse_go1();
    EXPECT_FLOAT_EQ(viewpoint_x_at_node, 3.0f);
    OVp3 t;
    ASSERT_TRUE(OVnode_gettranslation(node, t));
    EXPECT_FLOAT_EQ(t[0], 3.0f);
}

// A disabled link is passed over by every walk of the step.
TEST_F(EventSteps, DisabledLinksAreNotApplied) {
    OVmotionlink_enable(OVuniverse_getmotionlinks(), 0);
    OVuniverse_go1();
    OVuniverse_go1();
    EXPECT_FLOAT_EQ(x_seen_by_action, 0.0f);
}

} // namespace
