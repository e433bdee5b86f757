// Path settings and their bounds, seeking edges, the current element, the
// long header line, and the handlers around stopping and deletion.
#include "path_fixture.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

using pathtest::asked;
using pathtest::count_asked;
using pathtest::heard;
using pathtest::note;

} // namespace

TEST_F(PathTest, SpeedAndSamplingBelowOneBecomeOneAndModesAboveThreeAreRefused) {
    OVpath *path = OVpath_new(nullptr);
    EXPECT_TRUE(OVpath_setspeed(path, 0));
    EXPECT_EQ(OVpath_getspeed(path), 1);
    EXPECT_TRUE(OVpath_setspeed(path, -5));
    EXPECT_EQ(OVpath_getspeed(path), 1);
    EXPECT_TRUE(OVpath_setsampling(path, 0));
    EXPECT_EQ(OVpath_getsampling(path), 1);
    EXPECT_TRUE(OVpath_setsampling(path, 7));
    EXPECT_EQ(OVpath_getsampling(path), 7);
    EXPECT_TRUE(OVpath_setmode(path, 3));
    EXPECT_FALSE(OVpath_setmode(path, 4));
    EXPECT_EQ(OVpath_getmode(path), 3);
    EXPECT_EQ(OVpath_getvisible(path), 0);
    EXPECT_EQ(OVpath_getconstraints(path), 0);
    EXPECT_FALSE(OVpath_setrecordfrom(path, nullptr));
    EXPECT_EQ(OVpath_getrecordfrom(path), nullptr);
    EXPECT_FALSE(OVpath_setmarkergeometry(path, nullptr));
    int word = 0;
    OVpath_setdata(path, &word);
    EXPECT_EQ(OVpath_getdata(path), &word);
    EXPECT_EQ(OVpath_getdata(nullptr), nullptr);
    EXPECT_EQ(OVpath_getmode(nullptr), 0);
    EXPECT_EQ(OVpath_getfirst(nullptr), nullptr);
}

TEST_F(PathTest, SeekRefusesUnknownOriginsAndEmptyPaths) {
    OVpath *path = row_path(3);
    OVpathelement *first = OVpath_getfirst(path);
    OVpathelement *last = OVpath_getlast(path);
    EXPECT_TRUE(OVpath_seek(path, 0, OVPATH_FROM_FIRST));
    EXPECT_EQ(OVpath_getcurrent(path), first);
    EXPECT_FALSE(OVpath_seek(path, 1, 0));
    EXPECT_FALSE(OVpath_seek(path, 1, 4));
    EXPECT_EQ(OVpath_getcurrent(path), first);
    EXPECT_TRUE(OVpath_seek(path, -2, OVPATH_FROM_LAST));
    EXPECT_EQ(OVpath_getcurrent(path), first);
    EXPECT_FALSE(OVpath_seek(path, -1, OVPATH_FROM_CURRENT));
    EXPECT_TRUE(OVpath_seek(path, 2, OVPATH_FROM_CURRENT));
    EXPECT_EQ(OVpath_getcurrent(path), last);
    OVpath *empty = OVpath_new(nullptr);
    for (int from : {OVPATH_FROM_FIRST, OVPATH_FROM_CURRENT, OVPATH_FROM_LAST})
        EXPECT_FALSE(OVpath_seek(empty, 0, from));
}

TEST_F(PathTest, SetCurrentAcceptsOnlyElementsOfThePath) {
    OVpath *path = row_path(2);
    OVpath *other = row_path(2);
    EXPECT_FALSE(OVpath_setcurrent(path, OVpath_getfirst(other)));
    EXPECT_FALSE(OVpath_setcurrent(path, nullptr));
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getlast(path));
    EXPECT_TRUE(OVpath_setcurrent(path, OVpath_getfirst(path)));
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getfirst(path));
    OVpathelement *loose = OVpathelement_new(nullptr);
    EXPECT_FALSE(OVpath_setcurrent(path, loose));
    OVpathelement_delete(loose);
}

TEST_F(PathTest, RemovingTheEndsMovesFirstAndLast) {
    OVpath *path = row_path(3);
    OVpathelement *first = OVpath_getfirst(path);
    OVpathelement *middle = OVpathelement_next(first);
    OVpathelement *last = OVpath_getlast(path);
    ASSERT_TRUE(OVpath_removeelement(first));
    EXPECT_EQ(OVpath_getfirst(path), middle);
    EXPECT_EQ(OVpathelement_previous(middle), nullptr);
    EXPECT_EQ(OVpathelement_getpath(first), nullptr);
    ASSERT_TRUE(OVpath_removeelement(last));
    EXPECT_EQ(OVpath_getlast(path), middle);
    EXPECT_EQ(OVpath_getcurrent(path), middle) << "the removed last was current";
    ASSERT_TRUE(OVpath_removeelement(middle));
    EXPECT_EQ(OVpath_getfirst(path), nullptr);
    EXPECT_EQ(OVpath_getlast(path), nullptr);
    EXPECT_EQ(OVpath_getcurrent(path), nullptr);
    EXPECT_EQ(OVpath_numelements(path), 0);
    EXPECT_FALSE(OVpath_removeelement(middle)) << "no longer linked";
    for (OVpathelement *e : {first, middle, last})
        OVpathelement_delete(e);
}

TEST_F(PathTest, NewElementsStartAtTheOriginUnlinked) {
    OVpathelement *e = OVpathelement_new(nullptr);
    OVp3 p = {9, 9, 9};
    OVq q = {9, 9, 9, 9};
    OVpathelement_getposition(e, p);
    OVpathelement_getorientation(e, q);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    EXPECT_FLOAT_EQ(q[3], 1);
    EXPECT_EQ(OVpathelement_getpath(e), nullptr);
    EXPECT_EQ(OVpathelement_next(e), nullptr);
    EXPECT_EQ(OVpathelement_getdata(e), nullptr);
    OVpathelement_getposition(nullptr, p);
    OVpathelement_getorientation(nullptr, q);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    EXPECT_FLOAT_EQ(q[0], 0);
    EXPECT_FLOAT_EQ(q[3], 1);
    OVpathelement_delete(e);
}

TEST_F(PathTest, RecordFromNeedsALinkAndFiresNoHandlers) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = OVpath_new(nullptr);
    ASSERT_TRUE(OVproperty_addhandler(path, "Recording", note));
    EXPECT_FALSE(OVpath_recordfrom(path, nullptr));
    OVsensor *sensor = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    OVmotionlink *link = OVnode_addsensor(OVxformnode_new(OVuniverse_getrootnodes()), sensor);
    ASSERT_NE(link, nullptr);
    ASSERT_TRUE(OVpath_recordfrom(path, link));
    EXPECT_TRUE(OVpath_isrecording(path));
    EXPECT_EQ(OVpath_getrecordfrom(path), link);
    EXPECT_FALSE(OVpath_recordfrom(path, link)) << "only from idle";
    passes(1);
    EXPECT_TRUE(seen.empty());
    heard = nullptr;
}

TEST_F(PathTest, StopTellsOnlyWhatWasRunningAndDeletionStopsFirst) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = row_path(2);
    ASSERT_TRUE(OVproperty_addhandler(path, "Recording", note));
    ASSERT_TRUE(OVproperty_addhandler(path, "Playing", note));
    ASSERT_TRUE(OVpath_play(path));
    ASSERT_TRUE(OVpath_stop(path));
    EXPECT_TRUE(OVpath_stop(path)) << "idle already";
    passes(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"Playing=1", "Playing=0"}));
    // Deleting a recording path stops it, asking the pre-handlers first.
    asked = 0;
    ASSERT_TRUE(OVproperty_addhandler_pre(path, "Recording", count_asked));
    ASSERT_TRUE(OVpath_record(path));
    EXPECT_EQ(asked, 1);
    OVpath_delete(path);
    EXPECT_EQ(asked, 2);
    heard = nullptr;
}

TEST_F(PathTest, ALongHeaderLineIsReadPastItsEighthColumn) {
    const std::string name =
        std::string(::testing::TempDir()) + "long" + std::to_string(getpid()) + ".pth";
    std::ofstream(name) << "path record v.2" << std::string(120, '-') << "\n1\n"
                        << "Posi  1 2 3\nOrie  0 0 0 1\n";
    OVpath *path = OVpath_load(name.c_str(), nullptr);
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(OVpath_numelements(path), 1);
    OVp3 p;
    OVpathelement_getposition(OVpath_getfirst(path), p);
    EXPECT_P3_NEAR(p, 1, 2, 3);
    std::remove(name.c_str());
}

TEST_F(PathTest, StoppingASingleStepTellsBothRecordingAndPlaying) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = row_path(2);
    ASSERT_TRUE(OVproperty_addhandler(path, "Recording", note));
    ASSERT_TRUE(OVproperty_addhandler(path, "Playing", note));
    ASSERT_TRUE(OVpath_playstep(path));
    ASSERT_TRUE(OVpath_stop(path));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    passes(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"Playing=1", "Recording=0", "Playing=0"}));
    heard = nullptr;
}

TEST_F(PathTest, InsertingIntoAnEmptyPathAppendsAndMakesItCurrent) {
    OVpath *path = OVpath_new(nullptr);
    const OVp3 at = {7, 8, 9};
    OVviewpoint_setposition(OVuniverse_getviewpoint(), at);
    ASSERT_TRUE(OVpath_insertelement(path, nullptr));
    OVpathelement *only = OVpath_getfirst(path);
    ASSERT_NE(only, nullptr);
    EXPECT_EQ(OVpath_getlast(path), only);
    EXPECT_EQ(OVpath_getcurrent(path), only);
    OVp3 p;
    OVpathelement_getposition(only, p);
    EXPECT_P3_NEAR(p, 7, 8, 9);
    EXPECT_FALSE(OVpath_insertelement(path, only)) << "already linked";
    EXPECT_FALSE(OVpath_insertelement(nullptr, nullptr));
}

TEST_F(PathTest, MarkersTakeAndFollowTheElementsOrientation) {
    OVpath *path = OVpath_new(nullptr);
    OVpq pose = {{1, 0, 0}, {0, 0.6f, 0, 0.8f}};
    OVpath_appendelement(path, OVpathelement_new(&pose));
    OVgeometry *box = OVgeometry_newblock(1, 1, 1, 0);
    ASSERT_TRUE(OVpath_setmarkergeometry(path, box));
    OVgeometry_delete(box);
    ASSERT_TRUE(OVpath_setvisible(path, 1));
    EXPECT_EQ(OVpath_getvisible(path), 1);
    OVpathelement *element = OVpath_getfirst(path);
    OVnode *marker = OVpathelement_getmarker(element);
    ASSERT_NE(marker, nullptr);
    OVq q;
    OVnode_getorientation(marker, q);
    EXPECT_NEAR(q[1], 0.6f, 1e-5);
    EXPECT_NEAR(q[3], 0.8f, 1e-5);
    const OVq turned = {0.8f, 0, 0, 0.6f};
    ASSERT_TRUE(OVpathelement_setorientation(element, turned));
    OVnode_getorientation(marker, q);
    EXPECT_NEAR(q[0], 0.8f, 1e-5);
    EXPECT_NEAR(q[3], 0.6f, 1e-5);
}

TEST_F(PathTest, RewindMakesTheFirstElementCurrentWhenIdle) {
    OVpath *path = row_path(3);
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getlast(path));
    EXPECT_TRUE(OVpath_rewind(path));
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getfirst(path));
    EXPECT_FALSE(OVpath_rewind(nullptr));
}
