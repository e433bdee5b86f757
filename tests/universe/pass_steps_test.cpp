// The steps of one pass around the application's event steps: sensors and
// frame timing before them, the event pass after them, the viewpoints'
// previous pose taken at the very start.
#include "universe_fixture.h"

#include <string>

using orvtest::UniverseTest;

namespace {

std::string steps;
unsigned count_seen_by_action = 0;
OVnode *moved = nullptr;

void sensor_update(OVsensor *) {
    steps += 'S';
}
int task_step(void *) {
    steps += 'T';
    return 1;
}
void translation_heard(void *, const char *, void *, double) {
    steps += 'H';
}
// Moves a node, so that its "Translation" event is queued for the event pass.
void action_moves_node() {
    steps += 'A';
    count_seen_by_action = OVuniverse_framecount();
    const OVp3 t = {1, 2, 3};
    OVnode_settranslation(moved, t);
}

class PassSteps : public UniverseTest {
  protected:
    void SetUp() override {
        UniverseTest::SetUp();
        steps.clear();
        count_seen_by_action = 0;
        moved = OVmovsepnode_new(OVuniverse_getrootnodes());
        ASSERT_NE(moved, nullptr);
        ASSERT_TRUE(OVproperty_addhandler(moved, "Translation", translation_heard));
        ASSERT_NE(OVsensor_new(nullptr, nullptr, sensor_update, nullptr, 0, OVSENSOR_NODEVICE),
                  nullptr);
        ASSERT_NE(OVtask_new(&steps, task_step, 1.0f), nullptr);
        OVuniverse_setactions(action_moves_node);
    }
};

TEST_F(PassSteps, SensorsThenTimingThenEventStepsThenTheEventPass) {
    OVuniverse_go1();
    EXPECT_EQ(steps, "SATH");
    // The frame was counted before the action ran.
    EXPECT_EQ(count_seen_by_action, 1u);
}

void stop_after_moving() {
    action_moves_node();
    OVuniverse_stop();
}

TEST_F(PassSteps, StopInTheActionStillDeliversThatPassesEvents) {
    OVuniverse_setactions(stop_after_moving);
    OVuniverse_go();
    EXPECT_EQ(steps, "SATH");
    EXPECT_EQ(OVuniverse_framecount(), 1u);
}

OVviewpoint *watched = nullptr;
OVp3 last_seen_in_action = {-1, -1, -1};
void action_moves_viewpoint() {
    OVviewpoint_getlastposition(watched, last_seen_in_action);
    const OVp3 p = {4, 5, 6};
    OVviewpoint_setposition(watched, p);
}

TEST_F(PassSteps, PreviousPoseIsTakenAtTheStartOfEachPass) {
    watched = OVuniverse_getviewpoint();
    ASSERT_NE(watched, nullptr);
    const OVp3 start = {1, 1, 1};
    OVviewpoint_setposition(watched, start);
    OVuniverse_setactions(action_moves_viewpoint);
    OVuniverse_go1();
    EXPECT_EQ(last_seen_in_action[0], 1.0f);
    EXPECT_EQ(last_seen_in_action[2], 1.0f);
    OVuniverse_go1();
    EXPECT_EQ(last_seen_in_action[0], 4.0f);
    EXPECT_EQ(last_seen_in_action[1], 5.0f);
    EXPECT_EQ(last_seen_in_action[2], 6.0f);
}

} // namespace
