// Stopping and re-entering the loop from the later steps of a pass, and
// what a deleted universe leaves to the next one.
#include "universe_fixture.h"

#include <string>

using orvtest::messages;
using orvtest::UniverseTest;

namespace {

std::string steps;
void (*inside_task)() = nullptr;
int task_step(void *) {
    steps += 'T';
    if (inside_task) inside_task();
    return 0;
}
void action_step() {
    steps += 'A';
}

class LoopExits : public UniverseTest {
  protected:
    void SetUp() override {
        UniverseTest::SetUp();
        steps.clear();
        inside_task = nullptr;
        OVuniverse_setactions(action_step);
        ASSERT_NE(OVtask_new(&steps, task_step, 0), nullptr);
    }
};

// A stop from the tasks step lets the paths step of the same pass run.
TEST_F(LoopExits, StopFromATaskFinishesThePassWithItsPaths) {
    OVpath *recording = OVpath_new(nullptr);
    ASSERT_NE(recording, nullptr);
    ASSERT_TRUE(OVpath_record(recording));
    inside_task = OVuniverse_stop;
    OVuniverse_go();
    EXPECT_EQ(steps, "AT");
    EXPECT_EQ(OVpath_numelements(recording), 1);
    EXPECT_EQ(OVuniverse_framecount(), 1u);
}

// Inside a task the running flag is set: both loop functions are refused.
TEST_F(LoopExits, LoopFunctionsFromATaskAreRefused) {
    inside_task = OVuniverse_go1;
    OVuniverse_go1();
    EXPECT_EQ(messages, "ORV Warning: Function OVuniverse_go1 is not reentrant.\n");
    messages.clear();
    inside_task = OVuniverse_go;
    OVuniverse_go1();
    EXPECT_EQ(messages, "ORV Warning: Function OVuniverse_go is not reentrant");
    EXPECT_EQ(steps, "ATAT");
    EXPECT_EQ(OVuniverse_framecount(), 2u);
}

// A stop outside the loop changes nothing for the next go1.
TEST_F(LoopExits, AStopBeforeTheLoopIsForgotten) {
    OVuniverse_stop();
    OVuniverse_go1();
    EXPECT_EQ(steps, "AT");
    EXPECT_EQ(messages, "");
}

// Only a viewpoint of the list becomes current; anything else is ignored.
TEST_F(LoopExits, OnlyListedViewpointsBecomeCurrent) {
    OVviewpoint *first = OVuniverse_getviewpoint();
    ASSERT_NE(first, nullptr);
    OVsensor *not_a_viewpoint = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, 2);
    ASSERT_NE(not_a_viewpoint, nullptr);
    OVuniverse_setviewpoint(reinterpret_cast<OVviewpoint *>(not_a_viewpoint));
    EXPECT_EQ(OVuniverse_getviewpoint(), first);
    OVviewpoint *second = OVviewpoint_new();
    ASSERT_NE(second, nullptr);
    OVuniverse_setviewpoint(second);
    EXPECT_EQ(OVuniverse_getviewpoint(), second);
    OVuniverse_setviewpoint(first);
    EXPECT_EQ(OVuniverse_getviewpoint(), first);
}

// A stop from a sensor's update lets the rest of that pass run: the frame is
// timed and counted and the event steps run.
void stop_from_sensor(OVsensor *) {
    steps += 'S';
    OVuniverse_stop();
}

TEST_F(LoopExits, StopFromASensorFinishesThePass) {
    ASSERT_NE(OVsensor_new(nullptr, nullptr, stop_from_sensor, nullptr, 0, OVSENSOR_NODEVICE),
              nullptr);
    orvtest::clock_now += 40;
    OVuniverse_go();
    EXPECT_EQ(steps, "SAT");
    EXPECT_EQ(OVuniverse_framecount(), 1u);
    EXPECT_FLOAT_EQ(OVuniverse_time(), 0.04f);
}

int calls_of_old_action = 0;
void old_action() {
    ++calls_of_old_action;
}

// A new universe starts from the defaults, not from the settings of the
// one before it.
TEST(NextUniverse, StartsFromTheDefaults) {
    OVuniverse_new(OVDISPLAY_NONE, 0);
    OVuniverse_setoption(OVOPTION_WRITEUV, 1);
    OVuniverse_setoption(OVOPTION_PUMPMESSAGES, 0);
    OVuniverse_setoption(OVOPTION_WRITE12BIT, 1);
    OVuniverse_setbgrgb(1, 2, 3);
    OVuniverse_setrendering(0x80);
    OVuniverse_setportals(0);
    OVuniverse_setname("old");
    const short order[] = {4, 3, 2, 1};
    OVuniverse_seteventorder(4, order);
    OVuniverse_setactions(old_action);
    OVuniverse_go1();
    ASSERT_EQ(calls_of_old_action, 1);
    OVuniverse_delete();

    OVuniverse_new(OVDISPLAY_NONE, 0);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_WRITEUV), 0);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_PUMPMESSAGES), 1);
    EXPECT_EQ(OVuniverse_getoption(OVOPTION_WRITE12BIT), 0);
    EXPECT_EQ(OVuniverse_getbgcolor(), 0x00F);
    EXPECT_EQ(OVuniverse_getrendering(), 13);
    EXPECT_EQ(OVuniverse_getportals(), 1);
    EXPECT_STREQ(OVuniverse_getname(), "untitled");
    const short *now = OVuniverse_geteventorder();
    ASSERT_NE(now, nullptr);
    for (int i = 0; i <= 4; ++i)
        EXPECT_EQ(now[i], i == 0 ? 4 : i) << i;
    OVuniverse_go1();
    EXPECT_EQ(calls_of_old_action, 1);
    EXPECT_EQ(OVuniverse_framecount(), 1u);
    EXPECT_EQ(OVuniverse_getsensors(), nullptr);
    EXPECT_EQ(OVuniverse_getpaths(), nullptr);
    EXPECT_EQ(OVuniverse_getmotionlinks(), nullptr);
    OVuniverse_delete();
}

} // namespace
