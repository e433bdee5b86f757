// Null handles, changes made by tasks during a run, and re-prioritisation
// among equal priorities.
#include "orv/message.h"
#include "orv/task.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<int> ran;
int owners[8];
std::string messages;

int record(void *owner) {
    ran.push_back(static_cast<int>(static_cast<int *>(owner) - owners));
    return 0;
}

int hook(const char *text) {
    messages += text;
    return 0;
}

class TaskRules : public ::testing::Test {
  protected:
    void SetUp() override {
        ran.clear();
        messages.clear();
        OVmessage_sethook(hook);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVtask_clear();
    }
};

TEST_F(TaskRules, NullTasksAndOwnersGiveNeutralResults) {
    EXPECT_FLOAT_EQ(OVtask_getpriority(nullptr), -999999.0f);
    EXPECT_FALSE(OVtask_setpriority(nullptr, 1));
    EXPECT_FALSE(OVtask_suspend(nullptr));
    EXPECT_FALSE(OVtask_resume(nullptr));
    EXPECT_EQ(OVtask_get(nullptr, 0), nullptr);
    EXPECT_FALSE(OVtask_suspendall(nullptr));
    EXPECT_FALSE(OVtask_resumeall(nullptr));
    EXPECT_FALSE(OVtask_deleteall(nullptr));
    // An owner without tasks, while another owner has some.
    OVtask_new(&owners[1], record, 0);
    EXPECT_FALSE(OVtask_resumeall(&owners[0]));
    EXPECT_FALSE(OVtask_deleteall(&owners[0]));
    EXPECT_EQ(OVtask_get(&owners[0], 0), nullptr);
    EXPECT_EQ(messages, "");
}

TEST_F(TaskRules, PriorityIsTheRequestedOneBeforeTheSlot) {
    OVtask *t = OVtask_new(&owners[0], record, 2.5f);
    EXPECT_FLOAT_EQ(OVtask_getpriority(t), 2.5f);
    EXPECT_TRUE(OVtask_setpriority(t, -4));
    EXPECT_FLOAT_EQ(OVtask_getpriority(t), -4.0f);
    EXPECT_TRUE(OVtask_suspend(t));
    EXPECT_TRUE(OVtask_suspend(t)); // suspending twice is harmless
    OVtask_run();
    EXPECT_TRUE(ran.empty());
    EXPECT_TRUE(OVtask_resume(t));
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0}));
}

// A re-prioritised task goes after the tasks that already have its new
// priority, and a second request before the slot counts once.
TEST_F(TaskRules, NewPriorityEqualToOthersGoesAfterThem) {
    OVtask *a = OVtask_new(&owners[0], record, 1);
    OVtask_new(&owners[1], record, 2);
    OVtask_new(&owners[2], record, 2);
    OVtask *d = OVtask_new(&owners[3], record, 3);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3}));
    OVtask_setpriority(a, 7);
    OVtask_setpriority(a, 2);
    OVtask_setpriority(d, 0);
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{3, 1, 2, 0}));
}

OVtask *victim;
int suspend_victim(void *owner) {
    record(owner);
    OVtask_suspend(victim);
    return 0;
}
int delete_victim(void *owner) {
    record(owner);
    OVtask_delete(victim);
    return 0;
}

// Flags set by a task are seen by the rest of the same walk.
TEST_F(TaskRules, ALaterTaskSuspendedOrDeletedByAnEarlierOneIsSkipped) {
    OVtask *first = OVtask_new(&owners[0], suspend_victim, 0);
    victim = OVtask_new(&owners[1], record, 1);
    OVtask_new(&owners[2], record, 2);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 2}));
    OVtask_resume(victim);
    OVtask_delete(first);
    OVtask_new(&owners[3], delete_victim, 0);
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{3, 2}));
    EXPECT_EQ(OVtask_get(&owners[1], 0), nullptr);
}

int owner_tasks_deleted(void *owner) {
    record(owner);
    OVtask_deleteall(owner);
    return 0;
}

TEST_F(TaskRules, TasksDeletedWithTheirOwnerNeverRunAgain) {
    OVtask *t = OVtask_new(&owners[0], owner_tasks_deleted, 0);
    OVtask_new(&owners[0], record, 1);
    OVtask_new(&owners[1], record, 2);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 1}));
    EXPECT_FLOAT_EQ(OVtask_getpriority(t), -999999.0f);
    EXPECT_FALSE(OVtask_resume(t));
    EXPECT_FALSE(OVtask_setpriority(t, 5));
    EXPECT_EQ(OVtask_get(&owners[0], 0), nullptr);
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1}));
}

int runs_the_slot(void *owner) {
    record(owner);
    OVtask_delete(victim);
    OVtask_run();
    return 0;
}

// Running the slot from inside a task would free the running task under
// the walk.
TEST_F(TaskRules, TheSlotIsNotReentrant) {
    victim = OVtask_new(&owners[0], runs_the_slot, 0);
    OVtask_new(&owners[1], record, 1);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 1}));
    EXPECT_EQ(messages, "ORV Warning: Function OVtask_run is not reentrant.\n");
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1}));
}

// A task re-prioritised and then deleted before the slot is freed there
// and never runs; the others keep their order.
TEST_F(TaskRules, ReprioritisedThenDeletedBeforeTheSlotNeverRuns) {
    OVtask *a = OVtask_new(&owners[0], record, 3);
    OVtask_new(&owners[1], record, 2);
    OVtask_new(&owners[2], record, 4);
    OVtask_run();
    ASSERT_TRUE(OVtask_setpriority(a, 1));
    ASSERT_TRUE(OVtask_delete(a));
    EXPECT_EQ(OVtask_getpriority(a), -999999.0f);
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(OVtask_get(&owners[0], 0), nullptr);
    EXPECT_FALSE(OVtask_suspendall(&owners[0]));
}

// Suspending and resuming a live task succeed any number of times.
TEST_F(TaskRules, SuspendAndResumeOfALiveTaskSucceed) {
    OVtask *t = OVtask_new(&owners[0], record, 0);
    EXPECT_TRUE(OVtask_resume(t)); // not suspended: nothing to undo
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(OVtask_suspend(t));
        OVtask_run();
        EXPECT_TRUE(OVtask_resume(t));
        OVtask_run();
    }
    EXPECT_EQ(ran, (std::vector<int>{0, 0, 0}));
}

// The priority order holds across negative and fractional priorities.
TEST_F(TaskRules, NegativeAndFractionalPrioritiesSort) {
    OVtask_new(&owners[0], record, 0.5f);
    OVtask_new(&owners[1], record, -2.0f);
    OVtask_new(&owners[2], record, 0.25f);
    OVtask_new(&owners[3], record, -2.5f);
    OVtask_new(&owners[4], record, 100.0f);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{3, 1, 2, 0, 4}));
}

// The tasks of several owners each count only their own in creation
// order, and suspending one owner leaves the others running.
TEST_F(TaskRules, OwnersAreIndependent) {
    OVtask *a0 = OVtask_new(&owners[0], record, 5);
    OVtask *b0 = OVtask_new(&owners[1], record, 1);
    OVtask *a1 = OVtask_new(&owners[0], record, 0);
    EXPECT_EQ(OVtask_get(&owners[0], 0), a0);
    EXPECT_EQ(OVtask_get(&owners[0], 1), a1);
    EXPECT_EQ(OVtask_get(&owners[1], 0), b0);
    EXPECT_EQ(OVtask_get(&owners[1], 1), nullptr);
    EXPECT_TRUE(OVtask_suspendall(&owners[0]));
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1}));
    EXPECT_TRUE(OVtask_resumeall(&owners[0]));
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 0}));
}

} // namespace
