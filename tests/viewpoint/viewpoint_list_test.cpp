// Creation defaults, the list order, copies, deletion and lookup by name.
#include "viewpoint_fixture.h"

#include <cstring>

TEST_F(ViewpointTest, NewViewpointTakesTheUniverseDefaults) {
    OVviewpoint *v = OVviewpoint_new();
    EXPECT_FLOAT_EQ(OVviewpoint_getviewangle(v), 0.6981317f);
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(v), 1.0f);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(v), 65536.0f);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(v), 1.0f);
    EXPECT_FLOAT_EQ(OVviewpoint_getconvergencedist(v), 100.0f);
    EXPECT_EQ(OVviewpoint_getprojection(v), OVVIEWPOINT_MONO);
    EXPECT_EQ(OVviewpoint_getname(v), nullptr);
    OVp3 d;
    OVviewpoint_getdirection(v, d);
    EXPECT_P3_NEAR(d, 0, 0, 1);
    EXPECT_FLOAT_EQ(OVviewpoint_getviewangle(vp), 0.6981317f);
}

TEST_F(ViewpointTest, ListRunsFromNewestToOldest) {
    OVviewpoint *a = OVviewpoint_new();
    OVviewpoint *b = OVviewpoint_new();
    EXPECT_EQ(OVuniverse_getviewpoints(), b);
    EXPECT_EQ(OVviewpoint_next(b), a);
    EXPECT_EQ(OVviewpoint_next(a), vp);
    EXPECT_EQ(OVviewpoint_next(vp), nullptr);
}

TEST_F(ViewpointTest, CopyTakesEveryFieldAndItsOwnName) {
    const OVp3 p = {1, 2, 3};
    OVviewpoint_setposition(vp, p);
    OVviewpoint_sethither(vp, 5);
    OVviewpoint_setname(vp, "eye");
    int token;
    OVviewpoint_setdata(vp, &token);
    OVviewpoint *c = OVviewpoint_copy(vp);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(OVuniverse_getviewpoints(), c);
    OVp3 q;
    OVviewpoint_getposition(c, q);
    EXPECT_P3_NEAR(q, 1, 2, 3);
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(c), 5);
    EXPECT_EQ(OVviewpoint_getdata(c), &token);
    ASSERT_NE(OVviewpoint_getname(c), nullptr);
    EXPECT_STREQ(OVviewpoint_getname(c), "eye");
    EXPECT_NE(OVviewpoint_getname(c), OVviewpoint_getname(vp));
    OVviewpoint_setname(vp, nullptr);
    EXPECT_STREQ(OVviewpoint_getname(c), "eye");
    EXPECT_EQ(OVviewpoint_copy(nullptr), nullptr);
}

TEST_F(ViewpointTest, CurrentViewpointIsNeverDeleted) {
    OVviewpoint *other = OVviewpoint_new();
    OVviewpoint_delete(vp);
    EXPECT_EQ(OVuniverse_getviewpoint(), vp);
    EXPECT_EQ(OVviewpoint_next(other), vp);
    OVviewpoint_delete(other);
    EXPECT_EQ(OVuniverse_getviewpoints(), vp);
    OVviewpoint_delete(nullptr);
}

namespace {
int task_runs = 0;
int count_run(void *) {
    ++task_runs;
    return 0;
}
int veto_everything(void *, const char *, double) {
    return 0;
}
} // namespace

TEST_F(ViewpointTest, DeletionTakesTasksHandlersAndPropertiesAlong) {
    OVviewpoint *other = OVviewpoint_new();
    OVviewpoint_setname(other, "gone");
    ASSERT_NE(OVtask_new(other, count_run, 1), nullptr);
    task_runs = 0;
    OVuniverse_go1();
    EXPECT_EQ(task_runs, 1);
    ASSERT_TRUE(OVproperty_addhandler_pre(other, "Position", veto_everything));
    OVviewpoint_delete(other);
    EXPECT_EQ(OVuniverse_findviewpoint("gone", 4), nullptr);
    OVuniverse_go1();
    EXPECT_EQ(task_runs, 1);
    // A new viewpoint, possibly at the same address, starts without them.
    OVviewpoint *fresh = OVviewpoint_new();
    EXPECT_EQ(OVtask_get(fresh, 0), nullptr);
    const OVp3 p = {1, 0, 0};
    EXPECT_EQ(OVviewpoint_setposition(fresh, p), 1);
}

TEST_F(ViewpointTest, SetViewpointAcceptsOnlyListedViewpoints) {
    OVviewpoint *other = OVviewpoint_new();
    OVuniverse_setviewpoint(other);
    EXPECT_EQ(OVuniverse_getviewpoint(), other);
    OVuniverse_setviewpoint(nullptr);
    EXPECT_EQ(OVuniverse_getviewpoint(), other);
    // Now the first one may go.
    OVviewpoint_delete(vp);
    EXPECT_EQ(OVuniverse_getviewpoints(), other);
    EXPECT_EQ(OVviewpoint_next(other), nullptr);
}

TEST_F(ViewpointTest, FindComparesTheGivenLength) {
    OVviewpoint *a = OVviewpoint_new();
    OVviewpoint_setname(a, "camera");
    OVviewpoint *b = OVviewpoint_new();
    OVviewpoint_setname(b, "other");
    EXPECT_EQ(OVuniverse_findviewpoint("cam", 3), a);
    EXPECT_EQ(OVuniverse_findviewpoint("camx", 4), nullptr);
    EXPECT_EQ(OVuniverse_findviewpoint("oth", 3), b);
    EXPECT_EQ(OVuniverse_findviewpoint(nullptr, 3), nullptr);
}

TEST_F(ViewpointTest, PassStartCopiesThePoseToThePreviousPose) {
    const OVp3 p = {4, 5, 6};
    OVviewpoint_setposition(vp, p);
    OVp3 last;
    OVviewpoint_getlastposition(vp, last);
    EXPECT_P3_NEAR(last, 0, 0, 0);
    OVuniverse_go1();
    OVviewpoint_getlastposition(vp, last);
    EXPECT_P3_NEAR(last, 4, 5, 6);
}

TEST_F(ViewpointTest, NullViewpointGivesNeutralResults) {
    OVp3 p = {9, 9, 9};
    OVq q = {9, 9, 9, 9};
    OVviewpoint_getposition(nullptr, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVviewpoint_getorientation(nullptr, q);
    EXPECT_FLOAT_EQ(q[3], 1);
    EXPECT_FLOAT_EQ(q[0], 0);
    EXPECT_EQ(OVviewpoint_setposition(nullptr, p), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(nullptr), 1.0f);
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(nullptr), 0.0f);
    EXPECT_EQ(OVviewpoint_getprojection(nullptr), 0);
    EXPECT_EQ(OVviewpoint_getdata(nullptr), nullptr);
}

TEST_F(ViewpointTest, NullVectorsAreRefusedWithoutTouchingThePose) {
    OVviewpoint_getposition(vp, nullptr);
    OVviewpoint_getorientation(vp, nullptr);
    OVviewpoint_getdirection(vp, nullptr);
    OVviewpoint_getaxis(vp, 0, nullptr);
    OVviewpoint_getm4(vp, nullptr, 0);
    OVviewpoint_worldtolocal(vp, nullptr, nullptr);
    OVviewpoint_localtoworld(vp, nullptr, nullptr);
    EXPECT_EQ(OVviewpoint_setposition(vp, nullptr), 0);
    EXPECT_EQ(OVviewpoint_setorientation(vp, nullptr), 0);
    OVviewpoint_translate(vp, nullptr, 1);
    OVviewpoint_setdirection(vp, nullptr);
    OVviewpoint_setpositionorientation(vp, nullptr);
    OVviewpoint_move(vp, nullptr, 0);
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVviewpoint_getdirection(vp, p);
    EXPECT_P3_NEAR(p, 0, 0, 1);
}
