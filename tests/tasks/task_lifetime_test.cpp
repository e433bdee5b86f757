// How long deleted tasks stay their owner's, repeated requests before a
// slot, many owners side by side and the universe's deletion.
#include "orv/task.h"
#include "orv/universe.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> ran;
int owners[8];

int record(void *owner) {
    ran.push_back(static_cast<int>(static_cast<int *>(owner) - owners));
    return 0;
}

class TaskLifetime : public ::testing::Test {
  protected:
    void SetUp() override { ran.clear(); }
    void TearDown() override { OVtask_clear(); }
};

TEST_F(TaskLifetime, ADeletedTaskIsTheOwnersUntilTheSlotFreesIt) {
    OVtask *t = OVtask_new(&owners[0], record, 0);
    ASSERT_TRUE(OVtask_delete(t));
    EXPECT_EQ(OVtask_get(&owners[0], 0), nullptr);
    EXPECT_TRUE(OVtask_suspendall(&owners[0]));
    EXPECT_TRUE(OVtask_resumeall(&owners[0]));
    OVtask_run();
    EXPECT_TRUE(ran.empty()); // resuming does not undo the deletion
    EXPECT_FALSE(OVtask_suspendall(&owners[0]));
    EXPECT_FALSE(OVtask_deleteall(&owners[0]));
}

// An owner's handle may be reused by a later object: its deleted tasks are
// freed at the next slot instead of staying linked under that handle.
TEST_F(TaskLifetime, TasksDeletedWithTheirOwnerAreFreedAtTheNextSlot) {
    OVtask_new(&owners[0], record, 0);
    OVtask_new(&owners[1], record, 1);
    ASSERT_TRUE(OVtask_deleteall(&owners[0]));
    EXPECT_EQ(OVtask_get(&owners[0], 0), nullptr);
    EXPECT_TRUE(OVtask_resumeall(&owners[0]));
    OVtask_run();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1, 1}));
    EXPECT_FALSE(OVtask_resumeall(&owners[0]));
    EXPECT_FALSE(OVtask_deleteall(&owners[0]));
    OVtask_clear();
    EXPECT_FALSE(OVtask_suspendall(&owners[1]));
    OVtask_run();
    EXPECT_EQ(ran.size(), 2u);
}

TEST_F(TaskLifetime, DeletingTwiceIsHarmless) {
    OVtask *t = OVtask_new(&owners[0], record, 0);
    OVtask_new(&owners[1], record, 1);
    EXPECT_TRUE(OVtask_delete(t));
    EXPECT_TRUE(OVtask_delete(t));
    EXPECT_EQ(OVtask_getfunction(t), record);
    OVtask_run();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1, 1}));
}

TEST_F(TaskLifetime, DeletedBeforeItsFirstSlotNeverRuns) {
    OVtask *t = OVtask_new(&owners[0], record, 0);
    OVtask_delete(t);
    OVtask_run();
    EXPECT_TRUE(ran.empty());
}

TEST_F(TaskLifetime, TheLastRequestBeforeTheSlotCounts) {
    OVtask *a = OVtask_new(&owners[0], record, 5);
    OVtask_new(&owners[1], record, 1);
    EXPECT_TRUE(OVtask_setpriority(a, 9));
    EXPECT_TRUE(OVtask_setpriority(a, 0));
    EXPECT_FLOAT_EQ(OVtask_getpriority(a), 0.0f);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 1}));
}

// Whether a task is placed by walking from the head (priority under the
// average) or from the tail (at or over it), it goes after its equals.
TEST_F(TaskLifetime, EitherWalkPlacesATaskAfterItsEquals) {
    OVtask_new(&owners[0], record, 0);
    OVtask_new(&owners[1], record, 0);
    OVtask_new(&owners[2], record, 10);
    OVtask_new(&owners[3], record, 10);
    OVtask_run();
    ran.clear();
    OVtask_new(&owners[4], record, 10); // average 6: from the tail
    OVtask_new(&owners[5], record, 0);  // average 5: from the head
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 5, 2, 3, 4}));
}

OVtask *other = nullptr;
int moves_other_forward(void *owner) {
    record(owner);
    OVtask_setpriority(other, -1);
    return 0;
}

TEST_F(TaskLifetime, ANewPriorityDoesNotReorderTheRunningWalk) {
    OVtask_new(&owners[0], moves_other_forward, 0);
    OVtask_new(&owners[2], record, 0.5f);
    other = OVtask_new(&owners[1], record, 1);
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{0, 2, 1}));
    ran.clear();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{1, 0, 2}));
}

OVtask *self = nullptr;
int suspends_itself(void *owner) {
    OVtask_suspend(self);
    record(owner);
    return 0;
}

TEST_F(TaskLifetime, ATaskSuspendingItselfFinishesAndThenRests) {
    self = OVtask_new(&owners[3], suspends_itself, 0);
    OVtask_run();
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{3}));
    EXPECT_TRUE(OVtask_resume(self));
    OVtask_run();
    EXPECT_EQ(ran, (std::vector<int>{3, 3}));
}

TEST_F(TaskLifetime, AnOwnersTasksCountInCreationOrderNotPriority) {
    OVtask *a = OVtask_new(&owners[0], record, 5);
    OVtask *b = OVtask_new(&owners[0], record, 1);
    OVtask *c = OVtask_new(&owners[0], record, 3);
    OVtask_run();
    EXPECT_EQ(OVtask_get(&owners[0], 0), a);
    EXPECT_EQ(OVtask_get(&owners[0], 1), b);
    EXPECT_EQ(OVtask_get(&owners[0], 2), c);
}

// More owners than hash buckets: every owner still finds only its own tasks.
TEST_F(TaskLifetime, ManyOwnersShareTheBuckets) {
    constexpr int kOwners = 100;
    static char place[kOwners * 40];
    std::vector<OVtask *> firsts, seconds;
    for (int i = 0; i < kOwners; ++i) {
        firsts.push_back(OVtask_new(&place[i * 40], record, static_cast<float>(i)));
        seconds.push_back(OVtask_new(&place[i * 40], record, static_cast<float>(-i)));
    }
    ASSERT_TRUE(OVtask_deleteall(&place[40]));
    for (int i = 0; i < kOwners; ++i) {
        if (i == 1) {
            EXPECT_EQ(OVtask_get(&place[i * 40], 0), nullptr);
            continue;
        }
        EXPECT_EQ(OVtask_get(&place[i * 40], 0), firsts[i]) << i;
        EXPECT_EQ(OVtask_get(&place[i * 40], 1), seconds[i]) << i;
        EXPECT_EQ(OVtask_get(&place[i * 40], 2), nullptr) << i;
    }
}

TEST(TaskUniverse, DeletingTheUniverseFreesEveryTask) {
    ran.clear();
    OVuniverse_new(OVDISPLAY_NONE, 0);
    OVtask_new(&owners[4], record, 0);
    OVuniverse_go1();
    EXPECT_EQ(ran, (std::vector<int>{4}));
    OVuniverse_delete();
    OVuniverse_new(OVDISPLAY_NONE, 0);
    EXPECT_EQ(OVtask_get(&owners[4], 0), nullptr);
    EXPECT_FALSE(OVtask_suspendall(&owners[4]));
    OVuniverse_go1();
    EXPECT_EQ(ran, (std::vector<int>{4}));
    OVuniverse_delete();
}

} // namespace
