#include "universe_fixture.h"

#include "orv/path.h"

#include <vector>

using orvtest::messages;
using orvtest::UniverseTest;

namespace {
std::vector<char> steps;
void (*inside_action)() = nullptr;
void record_action() {
    steps.push_back('A');
    if (inside_action) inside_action();
}
// A task, so that the place of the tasks step among the event steps shows.
int record_task(void *) {
    steps.push_back('T');
    return 1;
}

class Loop : public UniverseTest {
  protected:
    void SetUp() override {
        UniverseTest::SetUp();
        steps.clear();
        inside_action = nullptr;
        OVuniverse_setactions(record_action);
        ASSERT_NE(OVtask_new(&steps, record_task, 1.0f), nullptr);
    }
};

TEST_F(Loop, DefaultOrderRunsActionsBeforeTasks) {
    const short *order = OVuniverse_geteventorder();
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(std::vector<short>(order, order + 5), (std::vector<short>{4, 1, 2, 3, 4}));
    OVuniverse_go1();
    EXPECT_EQ(steps, (std::vector<char>{'A', 'T'}));
}

TEST_F(Loop, OrderOfThreeEndsWithPaths) {
    const short three[] = {3, 1, 2};
    EXPECT_EQ(OVuniverse_seteventorder(3, three), 1);
    const short *order = OVuniverse_geteventorder();
    EXPECT_EQ(std::vector<short>(order, order + 5), (std::vector<short>{3, 3, 1, 2, 4}));
    OVuniverse_go1();
    EXPECT_EQ(steps, (std::vector<char>{'T', 'A'}));
}

OVpath *recording = nullptr;
int samples_seen_by_action = -1;
void count_samples() {
    samples_seen_by_action = OVpath_numelements(recording);
}

// With three entries the paths still run, after the three given steps.
TEST_F(Loop, OrderOfThreeRecordsPathsLast) {
    const short three[] = {2, 3, 1};
    ASSERT_EQ(OVuniverse_seteventorder(3, three), 1);
    recording = OVpath_new(nullptr);
    ASSERT_TRUE(OVpath_record(recording));
    OVuniverse_setactions(count_samples);
    OVuniverse_go1();
    EXPECT_EQ(samples_seen_by_action, 0);
    EXPECT_EQ(OVpath_numelements(recording), 1);
    OVuniverse_go1();
    EXPECT_EQ(samples_seen_by_action, 1);
}

TEST_F(Loop, OrderOfFour) {
    const short four[] = {4, 3, 2, 1};
    EXPECT_EQ(OVuniverse_seteventorder(4, four), 1);
    OVuniverse_go1();
    EXPECT_EQ(steps, (std::vector<char>{'T', 'A'}));
}

TEST_F(Loop, BadOrdersChangeNothing) {
    const short repeat[] = {1, 1, 2, 3}, outside[] = {1, 2, 5, 3}, four_in_three[] = {1, 2, 4};
    EXPECT_EQ(OVuniverse_seteventorder(4, repeat), 0);
    EXPECT_EQ(OVuniverse_seteventorder(4, outside), 0);
    EXPECT_EQ(OVuniverse_seteventorder(3, four_in_three), 0);
    EXPECT_EQ(OVuniverse_seteventorder(2, repeat), 0);
    EXPECT_EQ(OVuniverse_seteventorder(5, repeat), 0);
    EXPECT_EQ(OVuniverse_seteventorder(4, nullptr), 0);
    const short *order = OVuniverse_geteventorder();
    EXPECT_EQ(std::vector<short>(order, order + 5), (std::vector<short>{4, 1, 2, 3, 4}));
}

TEST_F(Loop, StopInsideActionLetsThePassFinish) {
    inside_action = OVuniverse_stop;
    OVuniverse_go();
    // The tasks step after the action still ran, and go returned after one pass.
    EXPECT_EQ(steps, (std::vector<char>{'A', 'T'}));
    EXPECT_EQ(OVuniverse_framecount(), 1u);
    // A stopped universe may run again.
    OVuniverse_go();
    EXPECT_EQ(OVuniverse_framecount(), 2u);
}

TEST_F(Loop, Go1InsideActionIsRefusedAndTheLoopGoesOn) {
    inside_action = OVuniverse_go1;
    OVuniverse_go1();
    EXPECT_EQ(messages, "ORV Warning: Function OVuniverse_go1 is not reentrant.\n");
    EXPECT_EQ(steps, (std::vector<char>{'A', 'T'}));
    EXPECT_EQ(OVuniverse_framecount(), 1u);
}

int go_passes = 0;
void go_then_stop() {
    OVuniverse_go();
    if (++go_passes == 3) OVuniverse_stop();
}

TEST_F(Loop, GoInsideGoIsRefused) {
    go_passes = 0;
    inside_action = go_then_stop;
    OVuniverse_go();
    EXPECT_EQ(go_passes, 3);
    EXPECT_EQ(messages, "ORV Warning: Function OVuniverse_go is not reentrantORV Warning: Function "
                        "OVuniverse_go is not reentrantORV Warning: Function OVuniverse_go is not "
                        "reentrant");
}

void go1_then_stop() {
    OVuniverse_go1();
    OVuniverse_stop();
}

// Either loop function inside the other is refused with its own warning.
TEST_F(Loop, EachLoopFunctionIsRefusedInsideTheOther) {
    inside_action = go1_then_stop;
    OVuniverse_go();
    EXPECT_EQ(messages, "ORV Warning: Function OVuniverse_go1 is not reentrant.\n");
    messages.clear();
    inside_action = OVuniverse_go;
    OVuniverse_go1();
    EXPECT_EQ(messages, "ORV Warning: Function OVuniverse_go is not reentrant");
    EXPECT_EQ(OVuniverse_framecount(), 2u);
}

TEST_F(Loop, NullActionIsTheDoNothingFunction) {
    OVuniverse_setactions(nullptr);
    OVuniverse_go1();
    EXPECT_EQ(steps, (std::vector<char>{'T'}));
}

} // namespace
