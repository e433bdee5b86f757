// Run order, pending changes and the per-owner queries of tasks.
#include "orv/task.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

std::vector<int> ran;
int owners[64];

int record(void *owner) {
    ran.push_back(static_cast<int>(static_cast<int *>(owner) - owners));
    return 0;
}

class Tasks : public ::testing::Test {
  protected:
    void SetUp() override { ran.clear(); }
    void TearDown() override { OVtask_clear(); }
};

TEST_F(Tasks, RunInAscendingPriorityFromTheFirstSlot) {
    OVtask_new(&owners[5], record, 5);
    OVtask_new(&owners[1], record, 1);
    OVtask_new(&owners[3], record, 3);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1, 3, 5}));
}

TEST_F(Tasks, EqualPrioritiesKeepCreationOrder) {
    for (int i = 0; i < 4; ++i)
        OVtask_new(&owners[i], record, 2);
    OVtask_new(&owners[9], record, 1);
    OVtask_run();
    OVtask_new(&owners[4], record, 2);
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{9, 0, 1, 2, 3, 4}));
}

int spawn(void *owner) {
    record(owner);
    OVtask_new(&owners[7], record, -10);
    return 0;
}

TEST_F(Tasks, TaskCreatedByATaskWaitsForTheNextPass) {
    OVtask *t = OVtask_new(&owners[0], spawn, 0);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0}));
    OVtask_delete(t);
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{7}));
}

OVtask *self_task;
int after_delete = 0;
int delete_self(void *owner) {
    OVtask_delete(self_task);
    record(owner);
    ++after_delete;
    return 0;
}

TEST_F(Tasks, SelfDeletionRunsToItsEndAndIsThenSkipped) {
    self_task = OVtask_new(&owners[2], delete_self, 0);
    OVtask_run();
    OVtask_run();
    EXPECT_EQ(after_delete, 1);
    EXPECT_EQ(OVtask_get(&owners[2], 0), nullptr);
}

int clear_all(void *owner) {
    record(owner);
    OVtask_clear();
    return 0;
}

// Universe deletion from inside a task frees every task mid-run.
TEST_F(Tasks, ClearFromInsideATaskEndsTheRun) {
    OVtask_new(&owners[0], clear_all, 0);
    OVtask_new(&owners[1], record, 1);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0}));
    EXPECT_EQ(OVtask_get(&owners[1], 0), nullptr);
}

TEST_F(Tasks, PriorityChangesTakeEffectAtTheNextSlot) {
    OVtask *a = OVtask_new(&owners[0], record, 1);
    OVtask_new(&owners[1], record, 2);
    OVtask_run();
    EXPECT_TRUE(OVtask_setpriority(a, 3));
    EXPECT_FLOAT_EQ(OVtask_getpriority(a), 3);
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1, 0}));
    EXPECT_TRUE(OVtask_delete(a));
    EXPECT_FLOAT_EQ(OVtask_getpriority(a), -999999.0f);
    EXPECT_FALSE(OVtask_setpriority(a, 1));
    EXPECT_FALSE(OVtask_resume(a));
}

// Many creations and re-prioritisations in one batch, some tasks changed
// twice: after the drain the run order must be sorted.
TEST_F(Tasks, MixedPendingBatchEndsSorted) {
    std::srand(7);
    OVtask *tasks[40];
    for (int i = 0; i < 40; ++i)
        tasks[i] = OVtask_new(&owners[i], record, std::rand() % 10);
    OVtask_run();
    for (int i = 0; i < 40; i += 3)
        OVtask_setpriority(tasks[i], std::rand() % 10);
    for (int i = 40; i < 64; ++i)
        OVtask_new(&owners[i], record, std::rand() % 10);
    for (int i = 0; i < 40; i += 5)
        OVtask_setpriority(tasks[i], std::rand() % 10 - 5);
    for (int i = 1; i < 40; i += 7)
        OVtask_delete(tasks[i]);
    ran.clear();
    OVtask_run();
    ASSERT_EQ(ran.size(), 64u - 6u);
    float previous = -1e9f;
    for (int owner : ran) {
        float p = OVtask_getpriority(OVtask_get(&owners[owner], 0));
        EXPECT_LE(previous, p) << "owner " << owner;
        previous = p;
    }
}

TEST_F(Tasks, RefusesNullsAndCountsOwnersTasks) {
    EXPECT_EQ(OVtask_new(nullptr, record, 0), nullptr);
    EXPECT_EQ(OVtask_new(&owners[0], nullptr, 0), nullptr);
    EXPECT_FALSE(OVtask_delete(nullptr));
    EXPECT_EQ(OVtask_getfunction(nullptr), nullptr);
    EXPECT_FALSE(OVtask_suspendall(&owners[0]));
    OVtask *a = OVtask_new(&owners[0], record, 0);
    OVtask *b = OVtask_new(&owners[0], record, 0);
    OVtask *c = OVtask_new(&owners[0], record, 0);
    EXPECT_EQ(OVtask_getfunction(a), record);
    EXPECT_EQ(OVtask_get(&owners[0], 1), b);
    OVtask_delete(b);
    EXPECT_EQ(OVtask_get(&owners[0], 1), c);
    EXPECT_EQ(OVtask_get(&owners[0], 2), nullptr);
    EXPECT_EQ(OVtask_get(&owners[0], -1), nullptr);
}

TEST_F(Tasks, SuspensionAndDeleteAll) {
    OVtask *a = OVtask_new(&owners[0], record, 0);
    OVtask_new(&owners[0], record, 1);
    OVtask_new(&owners[1], record, 2);
    EXPECT_TRUE(OVtask_suspendall(&owners[0]));
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1}));
    EXPECT_TRUE(OVtask_resume(a));
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 1}));
    EXPECT_TRUE(OVtask_resumeall(&owners[0]));
    EXPECT_TRUE(OVtask_deleteall(&owners[0]));
    EXPECT_FALSE(OVtask_resume(a));
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1}));
    EXPECT_EQ(OVtask_get(&owners[0], 0), nullptr);
}

} // namespace
