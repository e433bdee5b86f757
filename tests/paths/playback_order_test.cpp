// Playback running backward, speed against the end rules, constraints on the
// current viewpoint, the handlers of the end of playback, and recording order.
#include "path_fixture.h"

#include <vector>

namespace {

using pathtest::asked;
using pathtest::count_asked;
using pathtest::heard;
using pathtest::note;

std::vector<float> play_xs(PathTest *, int count, void (*pass)()) {
    std::vector<float> xs;
    for (int i = 0; i < count; ++i) {
        pass();
        OVp3 p;
        OVviewpoint_getposition(OVuniverse_getviewpoint(), p);
        xs.push_back(p[0]);
    }
    return xs;
}

void one_pass() {
    OVuniverse_go1();
}

} // namespace

TEST_F(PathTest, BackwardPlaybackWalksTowardsTheFirstAndStops) {
    OVpath *path = row_path(3); // the last element is current
    ASSERT_TRUE(OVpath_setdirection(path, 0));
    EXPECT_EQ(OVpath_getdirection(path), 0);
    ASSERT_TRUE(OVpath_play(path));
    EXPECT_EQ(play_xs(this, 3, one_pass), (std::vector<float>{1, 0, 0}));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_EQ(OVpath_getdirection(path), 0) << "mode 0 keeps the direction";
}

TEST_F(PathTest, BackwardRepeatWrapsToTheLast) {
    OVpath *path = row_path(3);
    OVpath_setdirection(path, 0);
    OVpath_setmode(path, OVPATH_REPEAT);
    ASSERT_TRUE(OVpath_play(path));
    EXPECT_EQ(play_xs(this, 5, one_pass), (std::vector<float>{1, 0, 2, 1, 0}));
    EXPECT_TRUE(OVpath_isplaying(path));
}

TEST_F(PathTest, ModeTwoBackwardStopsAtTheFirstAndTurnsForward) {
    OVpath *path = row_path(3);
    OVpath_setdirection(path, 0);
    OVpath_setmode(path, OVPATH_REVERSE);
    ASSERT_TRUE(OVpath_play(path));
    EXPECT_EQ(play_xs(this, 3, one_pass), (std::vector<float>{1, 0, 0}));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_EQ(OVpath_getdirection(path), 1);
}

TEST_F(PathTest, ASpeedStepThatWrapsEndsTheAdvanceOnTheFirstElement) {
    OVpath *path = row_path(5);
    OVpath_setspeed(path, 3);
    OVpath_setmode(path, OVPATH_REPEAT);
    OVpath_rewind(path);
    ASSERT_TRUE(OVpath_play(path));
    // 0 -> 3; 3 -> 4, then the end wraps to 0 and the advance stops there.
    EXPECT_EQ(play_xs(this, 4, one_pass), (std::vector<float>{3, 0, 3, 0}));
}

TEST_F(PathTest, ASpeedStepThatBouncesTurnsAndStaysAtTheEnd) {
    OVpath *path = row_path(5);
    OVpath_setspeed(path, 3);
    OVpath_setmode(path, OVPATH_REPEAT | OVPATH_REVERSE);
    OVpath_rewind(path);
    ASSERT_TRUE(OVpath_play(path));
    EXPECT_EQ(play_xs(this, 4, one_pass), (std::vector<float>{3, 4, 1, 0}));
    EXPECT_EQ(OVpath_getdirection(path), 1) << "turned at both ends";
}

TEST_F(PathTest, PlaybackStartsFromTheCurrentElementsNeighbour) {
    OVpath *path = row_path(5);
    ASSERT_TRUE(OVpath_seek(path, 2, OVPATH_FROM_FIRST));
    ASSERT_TRUE(OVpath_play(path));
    EXPECT_EQ(play_xs(this, 1, one_pass), (std::vector<float>{3}));
}

TEST_F(PathTest, TheEndOfPlaybackIsNotAnnouncedButTheEndOfASingleStepIs) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = row_path(2);
    ASSERT_TRUE(OVproperty_addhandler(path, "Playing", note));
    OVpath_rewind(path);
    ASSERT_TRUE(OVpath_play(path));
    passes(3);
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_EQ(seen, (std::vector<std::string>{"Playing=1"}));
    seen.clear();
    OVpath_rewind(path);
    ASSERT_TRUE(OVpath_playstep(path));
    passes(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"Playing=1", "Playing=0"}));
    heard = nullptr;
}

TEST_F(PathTest, ASingleStepAsksThePlayingPreHandlersAgainAtItsEnd) {
    OVpath *path = row_path(3);
    asked = 0;
    ASSERT_TRUE(OVproperty_addhandler_pre(path, "Playing", count_asked));
    OVpath_rewind(path);
    ASSERT_TRUE(OVpath_playstep(path));
    EXPECT_EQ(asked, 1);
    passes(1);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
}

TEST_F(PathTest, ConstraintsKeepTheCurrentViewpointsPositionOrOrientation) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    OVpath *path = OVpath_new(nullptr);
    const OVpq pose = {{4, 5, 6}, {0, 0.6f, 0, 0.8f}};
    OVpath_appendelement(path, OVpathelement_new(&pose));
    ASSERT_TRUE(OVpath_setconstraints(path, 0x04)); // a position bit
    ASSERT_TRUE(OVpath_play(path));
    passes(1);
    OVp3 p;
    OVq q;
    OVviewpoint_getposition(vp, p);
    OVviewpoint_getorientation(vp, q);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    EXPECT_FLOAT_EQ(q[1], 0.6f);
    const OVq identity = {0, 0, 0, 1};
    ASSERT_TRUE(OVviewpoint_setorientation(vp, identity));
    ASSERT_TRUE(OVpath_setconstraints(path, 0x20)); // an orientation bit
    ASSERT_TRUE(OVpath_play(path));
    passes(1);
    OVviewpoint_getposition(vp, p);
    OVviewpoint_getorientation(vp, q);
    EXPECT_P3_NEAR(p, 4, 5, 6);
    EXPECT_FLOAT_EQ(q[1], 0);
    EXPECT_FLOAT_EQ(q[3], 1);
    EXPECT_EQ(OVpath_getconstraints(path), 0x20);
}

TEST_F(PathTest, ThePlayingPropertyStartsAndStopsPlaybackAndTellsOnce) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = row_path(3);
    ASSERT_TRUE(OVproperty_addhandler(path, "Playing", note));
    OVvalue on = OVvalue_new(OVINT);
    on.v.i = 1;
    ASSERT_TRUE(OVproperty_set(path, "Playing", &on));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_PLAYING);
    EXPECT_TRUE(OVproperty_set(path, "Playing", &on)) << "already playing";
    OVvalue off = OVvalue_new(OVINT);
    off.v.i = 0;
    ASSERT_TRUE(OVproperty_set(path, "Playing", &off));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_TRUE(OVproperty_set(path, "Playing", &off)) << "already idle";
    passes(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"Playing=1", "Playing=0"}));
    heard = nullptr;
}

TEST_F(PathTest, TheRecordingPropertySetToFalseStops) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = OVpath_new(nullptr);
    ASSERT_TRUE(OVpath_record(path));
    ASSERT_TRUE(OVproperty_addhandler(path, "Recording", note));
    OVvalue off = OVvalue_new(OVINT);
    off.v.i = 0;
    ASSERT_TRUE(OVproperty_set(path, "Recording", &off));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    passes(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"Recording=0"}));
    EXPECT_EQ(OVpath_numelements(path), 0) << "stopped before the pass";
    heard = nullptr;
}

TEST_F(PathTest, StoppingAnIdlePathAsksAndTellsNobody) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = row_path(2);
    asked = 0;
    ASSERT_TRUE(OVproperty_addhandler_pre(path, "Recording", count_asked));
    ASSERT_TRUE(OVproperty_addhandler_pre(path, "Playing", count_asked));
    ASSERT_TRUE(OVproperty_addhandler(path, "Recording", note));
    ASSERT_TRUE(OVproperty_addhandler(path, "Playing", note));
    EXPECT_TRUE(OVpath_stop(path));
    passes(1);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(seen.empty());
    heard = nullptr;
}

TEST_F(PathTest, RecordingOneElementAsksTheRecordingPreHandlersTwice) {
    OVpath *path = OVpath_new(nullptr);
    asked = 0;
    ASSERT_TRUE(OVproperty_addhandler_pre(path, "Recording", count_asked));
    ASSERT_TRUE(OVpath_recordelement(path));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_EQ(OVpath_numelements(path), 1);
    ASSERT_TRUE(OVpath_play(path));
    EXPECT_FALSE(OVpath_recordelement(path)) << "only from idle";
    EXPECT_EQ(OVpath_numelements(path), 1);
}

TEST_F(PathTest, RecordingSamplesEveryPassFromTheFirstInOrder) {
    OVviewpoint *vp = OVuniverse_getviewpoint();
    OVpath *path = OVpath_new(nullptr);
    ASSERT_TRUE(OVpath_record(path));
    for (int i = 1; i <= 3; ++i) {
        const OVp3 at = {static_cast<float>(i), 0, 0};
        OVviewpoint_setposition(vp, at);
        const OVq turned = {0, 0, static_cast<float>(i) / 10, 1};
        OVviewpoint_setorientation(vp, turned);
        passes(1);
    }
    ASSERT_EQ(OVpath_numelements(path), 3);
    float x = 1;
    for (OVpathelement *e = OVpath_getfirst(path); e; e = OVpathelement_next(e), x += 1) {
        OVp3 p;
        OVq q;
        OVpathelement_getposition(e, p);
        OVpathelement_getorientation(e, q);
        EXPECT_FLOAT_EQ(p[0], x);
        EXPECT_FLOAT_EQ(q[2], x / 10);
    }
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getlast(path));
    ASSERT_TRUE(OVpath_stop(path));
    passes(1);
    EXPECT_EQ(OVpath_numelements(path), 3);
}

TEST_F(PathTest, NullPathsGiveTheirNeutralValues) {
    EXPECT_EQ(OVpath_getspeed(nullptr), -1);
    EXPECT_EQ(OVpath_getsampling(nullptr), -1);
    EXPECT_EQ(OVpath_numelements(nullptr), -1);
    EXPECT_EQ(OVpath_getdirection(nullptr), 0);
    EXPECT_EQ(OVpath_getconstraints(nullptr), 0);
    EXPECT_EQ(OVpath_getvisible(nullptr), 0);
    EXPECT_EQ(OVpath_getcurrent(nullptr), nullptr);
    EXPECT_EQ(OVpath_getname(nullptr), nullptr);
    EXPECT_EQ(OVpath_getmarkergeometry(nullptr), nullptr);
    EXPECT_EQ(_OVpath_gethaseventhandlers(nullptr), 0);
    EXPECT_FALSE(OVpath_isplaying(nullptr));
    EXPECT_FALSE(OVpath_isrecording(nullptr));
    EXPECT_FALSE(OVpath_play(nullptr));
    EXPECT_FALSE(OVpath_record(nullptr));
    EXPECT_FALSE(OVpath_stop(nullptr));
    EXPECT_FALSE(OVpath_seek(nullptr, 0, OVPATH_FROM_FIRST));
    EXPECT_EQ(OVpath_copy(nullptr), nullptr);
    OVpath *path = OVpath_new(nullptr);
    EXPECT_EQ(OVpath_getspeed(path), 1);
    EXPECT_EQ(OVpath_getsampling(path), 1);
    EXPECT_EQ(OVpath_getdirection(path), 1);
    EXPECT_EQ(OVpath_getmode(path), 0);
    EXPECT_EQ(OVpath_numelements(path), 0);
    _OVpath_sethaseventhandlers(path, 1);
    EXPECT_EQ(_OVpath_gethaseventhandlers(path), 1);
}

TEST_F(PathTest, InterpolatedPathsAreIdleFromTheirFirstElementWhateverTheKind) {
    OVpath *path = row_path(5);
    for (int kind : {OVPATH_BEZIER, OVPATH_BSPLINE, OVPATH_LINEAR}) {
        OVpath *result = OVpath_interpolate(path, 3, kind);
        ASSERT_NE(result, nullptr) << kind;
        EXPECT_EQ(OVuniverse_getpaths(), result);
        EXPECT_EQ(OVpath_getcurrent(result), OVpath_getfirst(result)) << kind;
        EXPECT_EQ(OVpath_getstate(result), OVPATH_IDLE) << kind;
        EXPECT_EQ(OVpath_numelements(result), kind == OVPATH_BSPLINE ? 12 : 13) << kind;
    }
    OVpath *two = row_path(2);
    EXPECT_EQ(OVpath_numelements(OVpath_interpolate(two, 4, OVPATH_BSPLINE)), 4);
    EXPECT_EQ(OVpath_interpolate(two, 4, 0), nullptr);
    EXPECT_EQ(OVpath_interpolate(two, 4, -1), nullptr);
    EXPECT_EQ(OVpath_interpolate(OVpath_new(nullptr), 4, OVPATH_LINEAR), nullptr);
}

TEST_F(PathTest, AMarkerGeometryIsTheCopyThePathOwns) {
    OVpath *path = OVpath_new(nullptr);
    OVgeometry *box = OVgeometry_newblock(1, 1, 1, 0);
    ASSERT_TRUE(OVpath_setmarkergeometry(path, box));
    OVgeometry *kept = OVpath_getmarkergeometry(path);
    ASSERT_NE(kept, nullptr);
    EXPECT_NE(kept, box);
    EXPECT_EQ(OVgeometry_numpolys(kept), OVgeometry_numpolys(box));
    OVgeometry_delete(box);
    OVgeometry *ball = OVgeometry_newsphere(1, 4, 4, 0, 0);
    ASSERT_TRUE(OVpath_setmarkergeometry(path, ball));
    EXPECT_EQ(OVgeometry_numpolys(OVpath_getmarkergeometry(path)), OVgeometry_numpolys(ball));
    OVgeometry_delete(ball);
}
