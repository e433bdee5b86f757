// Where recorded poses come from and where played poses go, the settings as
// properties, marker visibility as a switch, and the path list.
#include "path_fixture.h"

#include <vector>

namespace {

using pathtest::heard;
using pathtest::note;

OVvalue int_value(int i) {
    OVvalue v = OVvalue_new(OVINT);
    v.v.i = i;
    return v;
}

OVvalue pointer_value(void *p) {
    OVvalue v = OVvalue_new(OVPOINTER);
    v.v.p = p;
    return v;
}

OVpath *path_with_markers(PathTest *, OVpath *path) {
    OVgeometry *box = OVgeometry_newblock(1, 1, 1, 0);
    EXPECT_TRUE(OVpath_setmarkergeometry(path, box));
    OVgeometry_delete(box);
    return path;
}

} // namespace

TEST_F(PathTest, RecordingAndPlaybackFollowTheCurrentViewpoint) {
    OVviewpoint *first = OVuniverse_getviewpoint();
    OVviewpoint *second = OVviewpoint_new();
    const OVp3 here = {1, 0, 0}, there = {2, 0, 0};
    OVviewpoint_setposition(first, here);
    OVviewpoint_setposition(second, there);
    OVpath *path = OVpath_new(nullptr);
    ASSERT_TRUE(OVpath_recordelement(path));
    OVuniverse_setviewpoint(second);
    ASSERT_TRUE(OVpath_recordelement(path));
    OVp3 p;
    OVpathelement_getposition(OVpath_getfirst(path), p);
    EXPECT_P3_NEAR(p, 1, 0, 0);
    OVpathelement_getposition(OVpath_getlast(path), p);
    EXPECT_P3_NEAR(p, 2, 0, 0);
    // Played back onto whichever viewpoint is current now.
    OVpath_setdirection(path, 0);
    ASSERT_TRUE(OVpath_play(path));
    passes(1);
    OVviewpoint_getposition(second, p);
    EXPECT_P3_NEAR(p, 1, 0, 0);
    OVviewpoint_getposition(first, p);
    EXPECT_P3_NEAR(p, 1, 0, 0);
}

TEST_F(PathTest, EveryEnabledLinkFromThePathTakesThePose) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *a = OVmovsepnode_new(root);
    OVnode *b = OVmovsepnode_new(root);
    OVpath *path = OVpath_new(nullptr);
    const OVpq pose = {{3, 2, 1}, {0, 0, 0, 1}};
    OVpath_appendelement(path, OVpathelement_new(&pose));
    for (OVnode *target : {a, b})
        ASSERT_NE(OVmotionlink_new(reinterpret_cast<OVsensor *>(path), target, OVLINK_SOURCE_PATH,
                                   OVLINK_MOVABLE),
                  nullptr);
    ASSERT_TRUE(OVpath_play(path));
    passes(1);
    for (OVnode *target : {a, b}) {
        OVp3 t;
        OVnode_gettranslation(target, t);
        EXPECT_P3_NEAR(t, 3, 2, 1);
    }
    EXPECT_FLOAT_EQ(viewpoint_x(), 0);
}

TEST_F(PathTest, ShowingOrHidingTwiceChangesNothingTheSecondTime) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = path_with_markers(this, row_path(2));
    ASSERT_TRUE(OVproperty_addhandler(path, "PtVi", note));
    OVnode *root = OVuniverse_getrootnodes();
    ASSERT_TRUE(OVpath_setvisible(path, 0)); // already hidden
    EXPECT_EQ(OVnode_numchildren(root), 0);
    ASSERT_TRUE(OVpath_setvisible(path, 1));
    ASSERT_TRUE(OVpath_setvisible(path, 1));
    EXPECT_EQ(OVnode_numchildren(root), 2);
    passes(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"PtVi=1"}));
    heard = nullptr;
}

TEST_F(PathTest, ElementsJoiningOrLeavingAVisiblePathShowOrHideTheirMarkers) {
    OVpath *path = path_with_markers(this, row_path(2));
    ASSERT_TRUE(OVpath_setvisible(path, 1));
    OVnode *root = OVuniverse_getrootnodes();
    OVpath_rewind(path);
    const OVpq pose = {{0.5f, 1, 0}, {0, 0, 0, 1}};
    ASSERT_TRUE(OVpath_insertelement(path, OVpathelement_new(&pose)));
    EXPECT_EQ(OVnode_numchildren(root), 3);
    OVpathelement *inserted = OVpathelement_next(OVpath_getfirst(path));
    OVnode *marker = OVpathelement_getmarker(inserted);
    ASSERT_NE(marker, nullptr);
    OVp3 t;
    OVnode_gettranslation(marker, t);
    EXPECT_P3_NEAR(t, 0.5f, 1, 0);
    ASSERT_TRUE(OVpath_record(path));
    passes(2);
    EXPECT_EQ(OVnode_numchildren(root), 5) << "recorded samples are marked at once";
    ASSERT_TRUE(OVpath_stop(path));
    ASSERT_TRUE(OVpath_removeelement(inserted));
    EXPECT_EQ(OVnode_numchildren(root), 4);
    OVpathelement_delete(inserted);
}

TEST_F(PathTest, SettingsSetAsPropertiesTakeEffect) {
    OVpath *path = row_path(3);
    OVvalue backward = int_value(0);
    ASSERT_TRUE(OVproperty_set(path, "Forward", &backward));
    EXPECT_EQ(OVpath_getdirection(path), 0);
    OVvalue zero = int_value(0);
    ASSERT_TRUE(OVproperty_set(path, "PtSa", &zero));
    EXPECT_EQ(OVpath_getsampling(path), 1);
    OVvalue constraints = int_value(0x09);
    ASSERT_TRUE(OVproperty_set(path, "PtCo", &constraints));
    EXPECT_EQ(OVpath_getconstraints(path), 0x09);
    OVvalue none = pointer_value(nullptr);
    EXPECT_FALSE(OVproperty_set(path, "Record From", &none));
    EXPECT_FALSE(OVproperty_set(path, "PtMa", &none));
    EXPECT_EQ(OVpath_getmarkergeometry(path), nullptr);
    OVgeometry *box = OVgeometry_newblock(1, 1, 1, 0);
    OVvalue geometry = pointer_value(box);
    ASSERT_TRUE(OVproperty_set(path, "PtMa", &geometry));
    EXPECT_NE(OVpath_getmarkergeometry(path), nullptr);
    EXPECT_NE(OVpath_getmarkergeometry(path), box);
    OVgeometry_delete(box);
    OVvalue shown = int_value(1);
    ASSERT_TRUE(OVproperty_set(path, "PtVi", &shown));
    EXPECT_EQ(OVpath_getvisible(path), 1);
    EXPECT_EQ(OVnode_numchildren(OVuniverse_getrootnodes()), 3);
    OVvalue speed = int_value(2);
    ASSERT_TRUE(OVproperty_set(path, "Speed", &speed));
    EXPECT_EQ(OVpath_getspeed(path), 2);
    OVvalue got = OVproperty_get(path, "PtTr");
    EXPECT_EQ(got.type, OVP3);
    EXPECT_FLOAT_EQ(got.v.p3[0], 2) << "the current element is the last appended";
    OVvalue turned = OVvalue_new(OVQ);
    turned.v.q[0] = 0.6f;
    turned.v.q[3] = 0.8f;
    ASSERT_TRUE(OVproperty_set(path, "PtRo", &turned));
    OVq q;
    OVpathelement_getorientation(OVpath_getlast(path), q);
    EXPECT_FLOAT_EQ(q[0], 0.6f);
    OVvalue invalid = OVvalue_new(OVQ);
    EXPECT_FALSE(OVproperty_set(path, "PtRo", &invalid));
    EXPECT_NE(messages.find("Invalid quaternion passed to OVpathelement_setorientation.\n"),
              std::string::npos);
}

TEST_F(PathTest, ASingleStepAtTheEndStopsByTheEndRule) {
    std::vector<std::string> seen;
    heard = &seen;
    OVpath *path = row_path(3); // the last element is current
    ASSERT_TRUE(OVproperty_addhandler(path, "Playing", note));
    ASSERT_TRUE(OVpath_playstep(path));
    passes(1);
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_FLOAT_EQ(viewpoint_x(), 2);
    // The end of the list made the path idle before the single-step ending.
    EXPECT_EQ(seen, (std::vector<std::string>{"Playing=1"}));
    heard = nullptr;
}

TEST_F(PathTest, DeletingAPathInTheMiddleKeepsTheRestOfTheList) {
    OVpath *a = OVpath_new(nullptr);
    OVpath *b = OVpath_new(nullptr);
    OVpath *c = OVpath_new(nullptr);
    OVpath_setname(a, "alpha");
    OVpath_setname(b, "beta");
    OVpath_setname(c, "alphabet");
    EXPECT_EQ(OVuniverse_findpath("alpha", 5), c) << "newest first";
    EXPECT_EQ(OVuniverse_findpath("alpha", 6), a);
    OVpath_delete(b);
    EXPECT_EQ(OVuniverse_getpaths(), c);
    EXPECT_EQ(OVpath_next(c), a);
    EXPECT_EQ(OVpath_next(a), nullptr);
    EXPECT_EQ(OVuniverse_findpath("beta", 4), nullptr);
    char name[] = "gamma";
    OVpath_setname(a, name);
    name[0] = 'X';
    EXPECT_STREQ(OVpath_getname(a), "gamma");
    OVpath_setname(a, nullptr);
    EXPECT_EQ(OVpath_getname(a), nullptr);
    EXPECT_EQ(OVuniverse_findpath("gamma", 5), nullptr);
}

TEST_F(PathTest, ACopyHasElementsOfItsOwn) {
    OVpath *path = row_path(3);
    OVpath *copy = OVpath_copy(path);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(OVuniverse_getpaths(), copy);
    ASSERT_EQ(OVpath_numelements(copy), 3);
    EXPECT_NE(OVpath_getfirst(copy), OVpath_getfirst(path));
    EXPECT_EQ(OVpathelement_getpath(OVpath_getfirst(copy)), copy);
    EXPECT_EQ(OVpath_getstate(copy), OVPATH_IDLE);
    const OVp3 moved = {9, 9, 9};
    OVpathelement_setposition(OVpath_getfirst(copy), moved);
    OVp3 p;
    OVpathelement_getposition(OVpath_getfirst(path), p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
    OVpath_delete(path);
    EXPECT_EQ(OVpath_numelements(copy), 3);
}
