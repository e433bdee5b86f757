// Recording, playback, the modes, speed, sampling and the handler protocol.
#include "path_fixture.h"

#include <cmath>
#include <vector>

TEST_F(PathTest, OneElementInModeZeroStopsAtTheFirstStepAfterApplyingIt) {
    OVpath *path = OVpath_new(nullptr);
    OVpq pose = {{5, 0, 0}, {0, 0, 0, 1}};
    OVpath_appendelement(path, OVpathelement_new(&pose));
    ASSERT_TRUE(OVpath_play(path));
    EXPECT_TRUE(OVpath_isplaying(path));
    passes(1);
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_FLOAT_EQ(viewpoint_x(), 5);
}

TEST_F(PathTest, PlaybackAdvancesBeforeApplying) {
    OVpath *path = row_path(4);
    OVpath_rewind(path);
    OVpath_play(path);
    std::vector<float> seen;
    for (int i = 0; i < 4; ++i) {
        passes(1);
        seen.push_back(viewpoint_x());
    }
    EXPECT_EQ(seen, (std::vector<float>{1, 2, 3, 3}));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
}

TEST_F(PathTest, RepeatWrapsToTheFirstElement) {
    OVpath *path = row_path(3);
    OVpath_setmode(path, OVPATH_REPEAT);
    OVpath_rewind(path);
    OVpath_play(path);
    std::vector<float> seen;
    for (int i = 0; i < 5; ++i) {
        passes(1);
        seen.push_back(viewpoint_x());
    }
    EXPECT_EQ(seen, (std::vector<float>{1, 2, 0, 1, 2}));
    EXPECT_TRUE(OVpath_isplaying(path));
}

TEST_F(PathTest, ModeThreeBouncesAtBothEnds) {
    OVpath *path = row_path(3);
    OVpath_setmode(path, OVPATH_REPEAT | OVPATH_REVERSE);
    OVpath_rewind(path);
    OVpath_play(path);
    std::vector<float> seen;
    for (int i = 0; i < 7; ++i) {
        passes(1);
        seen.push_back(viewpoint_x());
    }
    // At the last element the direction flips and the last is applied again.
    EXPECT_EQ(seen, (std::vector<float>{1, 2, 2, 1, 0, 0, 1}));
}

TEST_F(PathTest, ModeTwoStopsAndFlipsSoTheNextPlayRunsBack) {
    OVpath *path = row_path(3);
    OVpath_setmode(path, OVPATH_REVERSE);
    OVpath_rewind(path);
    OVpath_play(path);
    passes(3);
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_EQ(OVpath_getdirection(path), 0);
    EXPECT_FLOAT_EQ(viewpoint_x(), 2);
    ASSERT_TRUE(OVpath_play(path));
    passes(1);
    EXPECT_FLOAT_EQ(viewpoint_x(), 1);
}

TEST_F(PathTest, SpeedThreeAppliesEveryThirdElementUntilTheEnd) {
    OVpath *path = row_path(8);
    OVpath_setspeed(path, 3);
    OVpath_rewind(path);
    OVpath_play(path);
    std::vector<float> seen;
    for (int i = 0; i < 3; ++i) {
        passes(1);
        seen.push_back(viewpoint_x());
    }
    EXPECT_EQ(seen, (std::vector<float>{3, 6, 7}));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
}

TEST_F(PathTest, PlayStepAppliesOnceAndReturnsToIdle) {
    OVpath *path = row_path(3);
    OVpath_rewind(path);
    ASSERT_TRUE(OVpath_playstep(path));
    EXPECT_TRUE(OVpath_isplaying(path));
    EXPECT_TRUE(OVpath_isrecording(path)); // state 3 answers both
    passes(1);
    EXPECT_FLOAT_EQ(viewpoint_x(), 1);
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    passes(1);
    EXPECT_FLOAT_EQ(viewpoint_x(), 1);
}

TEST_F(PathTest, OnlyIdlePathsWithElementsStart) {
    OVpath *empty = OVpath_new(nullptr);
    EXPECT_FALSE(OVpath_play(empty));
    OVpath *path = row_path(2);
    ASSERT_TRUE(OVpath_record(path));
    EXPECT_FALSE(OVpath_play(path));
    EXPECT_FALSE(OVpath_record(path));
    EXPECT_FALSE(OVpath_rewind(path));
    EXPECT_TRUE(OVpath_stop(path));
    EXPECT_TRUE(OVpath_play(path));
}

TEST_F(PathTest, SamplingIntervalFiveRecordsEveryFifthPass) {
    OVpath *path = OVpath_new(nullptr);
    OVpath_setsampling(path, 5);
    ASSERT_TRUE(OVpath_record(path));
    std::vector<int> counts;
    for (int i = 1; i <= 11; ++i) {
        const OVp3 at = {static_cast<float>(i), 0, 0};
        OVviewpoint_setposition(OVuniverse_getviewpoint(), at);
        passes(1);
        counts.push_back(OVpath_numelements(path));
    }
    EXPECT_EQ(counts, (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 2}));
    OVp3 p;
    OVpathelement_getposition(OVpath_getfirst(path), p);
    EXPECT_EQ(p[0], 5);
}

TEST_F(PathTest, RecordFromTakesTheLinkTargetPose) {
    OVnode *node = OVxformnode_new(OVuniverse_getrootnodes());
    const OVp3 at = {1, 2, 3};
    OVnode_settranslation(node, at);
    OVsensor *sensor = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    OVmotionlink *link = OVnode_addsensor(node, sensor);
    ASSERT_NE(link, nullptr);
    OVpath *path = OVpath_new(nullptr);
    ASSERT_TRUE(OVpath_recordfrom(path, link));
    passes(1);
    ASSERT_EQ(OVpath_numelements(path), 1);
    OVp3 p;
    OVpathelement_getposition(OVpath_getfirst(path), p);
    EXPECT_P3_NEAR(p, 1, 2, 3);
    // A deleted link is forgotten, not read.
    OVsensor_delete(sensor);
    passes(1);
    EXPECT_EQ(OVpath_getrecordfrom(path), nullptr);
}

namespace {
int refuse(void *, const char *, double) {
    return 0;
}
std::vector<int> *events = nullptr;
void note(void *, const char *, void *value, double) {
    events->push_back(*static_cast<int *>(value));
}
} // namespace

TEST_F(PathTest, PreHandlersVetoRecordingAndPlaying) {
    OVpath *path = row_path(2);
    ASSERT_TRUE(OVproperty_addhandler_pre(path, "Recording", refuse));
    ASSERT_TRUE(OVproperty_addhandler_pre(path, "Playing", refuse));
    EXPECT_FALSE(OVpath_record(path));
    EXPECT_FALSE(OVpath_recordelement(path));
    EXPECT_FALSE(OVpath_play(path));
    EXPECT_FALSE(OVpath_playstep(path));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_EQ(OVpath_numelements(path), 2);
    OVproperty_removehandler_pre(path, "Playing", refuse);
    ASSERT_TRUE(OVpath_play(path));
    // Stopping a playing path asks only the "Playing" pre-handlers.
    EXPECT_TRUE(OVpath_stop(path));
}

TEST_F(PathTest, HandlersHearStartAndStopInThePassesEventStep) {
    std::vector<int> seen;
    events = &seen;
    OVpath *path = row_path(2);
    ASSERT_TRUE(OVproperty_addhandler(path, "Recording", note));
    ASSERT_TRUE(OVpath_recordelement(path));
    EXPECT_TRUE(seen.empty()); // queued, delivered in the event pass
    passes(1);
    EXPECT_EQ(seen, (std::vector<int>{1, 0}));
    EXPECT_EQ(OVpath_numelements(path), 3);
    events = nullptr;
}

TEST_F(PathTest, RecordingPropertyStartsOnceAndFiresOnce) {
    std::vector<int> seen;
    events = &seen;
    OVpath *path = OVpath_new(nullptr);
    ASSERT_TRUE(OVproperty_addhandler(path, "Recording", note));
    OVvalue on = OVvalue_new(OVINT);
    on.v.i = 1;
    ASSERT_TRUE(OVproperty_set(path, "Recording", &on));
    EXPECT_TRUE(OVproperty_set(path, "Recording", &on)); // already recording: nothing
    EXPECT_TRUE(OVpath_isrecording(path));
    passes(1);
    EXPECT_EQ(seen, (std::vector<int>{1}));
    events = nullptr;
}

TEST_F(PathTest, PlaybackMovesLinkedNodesUnderConstraints) {
    OVnode *node = OVmovsepnode_new(OVuniverse_getrootnodes());
    OVpath *path = OVpath_new(nullptr);
    OVpq pose = {{4, 5, 6}, {0, 0.7071068f, 0, 0.7071068f}};
    OVpath_appendelement(path, OVpathelement_new(&pose));
    ASSERT_NE(OVmotionlink_new(reinterpret_cast<OVsensor *>(path), node, OVLINK_SOURCE_PATH,
                               OVLINK_MOVABLE),
              nullptr);
    OVpath_setconstraints(path, OVPATH_ORIENTATION_CONSTRAINTS & 0x08);
    const OVp3 before = {0, 0, 0};
    OVviewpoint_setposition(OVuniverse_getviewpoint(), before);
    OVpath_play(path);
    passes(1);
    OVp3 t;
    OVnode_gettranslation(node, t);
    EXPECT_P3_NEAR(t, 4, 5, 6);
    OVq q;
    OVnode_getorientation(node, q);
    EXPECT_NEAR(q[3], 1, 1e-5);        // orientation suppressed
    EXPECT_FLOAT_EQ(viewpoint_x(), 0); // a linked path leaves the viewpoint alone
}

TEST_F(PathTest, NodePathTargetGetsTheElementPoseAsItsAccumulatedTransform) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *sep = OVsepnode_new(root);
    // The separator's frame: a quarter turn about Z, then 10 along X.
    OVnode *frame = OVxformnode_new(sep);
    const OVm4 placed = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {10, 0, 0, 1}};
    OVnode_settransform(frame, placed);
    OVnode *movable = OVmovsepnode_new(sep);
    OVnodepath *nodepath = OVnodepath_new(root);
    ASSERT_TRUE(OVnodepath_push(nodepath, sep));
    ASSERT_TRUE(OVnodepath_push(nodepath, movable));
    OVpath *path = OVpath_new(nullptr);
    OVpq pose = {{1, 2, 3}, {0.7071068f, 0, 0, 0.7071068f}};
    OVpath_appendelement(path, OVpathelement_new(&pose));
    ASSERT_NE(OVmotionlink_new(reinterpret_cast<OVsensor *>(path), nodepath, OVLINK_SOURCE_PATH,
                               OVLINK_NODEPATH),
              nullptr);
    OVpath_play(path);
    passes(1);
    OVm4 world;
    ASSERT_TRUE(OVnodepath_getmatrix(nodepath, world));
    OVpq got;
    OVm4_2pq(world, &got);
    EXPECT_P3_NEAR(got.p, 1, 2, 3);
    const float dot =
        got.q[0] * pose.q[0] + got.q[1] * pose.q[1] + got.q[2] * pose.q[2] + got.q[3] * pose.q[3];
    EXPECT_NEAR(std::abs(dot), 1, 1e-4);
    OVnodepath_delete(nodepath);
}

TEST_F(PathTest, EmptyPathReportsWhilePlaying) {
    OVpath *path = row_path(1);
    OVpath_play(path);
    OVpathelement_delete(OVpath_getfirst(path));
    passes(1);
    EXPECT_NE(messages.find("Invalid path or path list\n"), std::string::npos);
}

namespace {
OVpath *doomed = nullptr;
int delete_path(void *, const char *, double) {
    OVpath_delete(doomed);
    return 1;
}
} // namespace

TEST_F(PathTest, APreHandlerDeletingItsPathStopsThePassCleanly) {
    doomed = row_path(3);
    OVnode *node = OVmovsepnode_new(OVuniverse_getrootnodes());
    OVmotionlink_new(reinterpret_cast<OVsensor *>(doomed), node, OVLINK_SOURCE_PATH,
                     OVLINK_MOVABLE);
    ASSERT_TRUE(OVproperty_addhandler_pre(node, "Translation", delete_path));
    OVpath_rewind(doomed);
    OVpath_play(doomed);
    passes(2);
    EXPECT_EQ(OVuniverse_getpaths(), nullptr);
}

TEST_F(PathTest, ALinkedViewpointTakesThePoseAndADisabledLinkLeavesItToTheCurrentOne) {
    OVviewpoint *other = OVviewpoint_new();
    OVpath *path = OVpath_new(nullptr);
    OVpq pose = {{4, 5, 6}, {0, 0.6f, 0, 0.8f}};
    OVpath_appendelement(path, OVpathelement_new(&pose));
    OVmotionlink *link = OVmotionlink_new(reinterpret_cast<OVsensor *>(path), other,
                                          OVLINK_SOURCE_PATH, OVLINK_VIEWPOINT);
    ASSERT_NE(link, nullptr);
    OVpath_setconstraints(path, 0x02); // any position bit: orientation only
    ASSERT_TRUE(OVpath_play(path));
    passes(1);
    OVp3 p;
    OVq q;
    OVviewpoint_getposition(other, p);
    OVviewpoint_getorientation(other, q);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    EXPECT_FLOAT_EQ(q[1], 0.6f);
    EXPECT_FLOAT_EQ(q[3], 0.8f);
    EXPECT_FLOAT_EQ(viewpoint_x(), 0);
    OVmotionlink_enable(link, 0);
    OVpath_setconstraints(path, 0);
    ASSERT_TRUE(OVpath_play(path));
    passes(1);
    EXPECT_FLOAT_EQ(viewpoint_x(), 4);
    OVviewpoint_getposition(other, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
}
