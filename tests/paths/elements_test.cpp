// Path lists and elements: links, the current element, seeking, names.
#include "path_fixture.h"

TEST_F(PathTest, UniverseFindsPathClassFunctions) {
    ASSERT_NE(first_universe_output().find("Orvane Release"), std::string::npos);
    EXPECT_EQ(first_universe_output().find("Error initializing"), std::string::npos);
}

TEST_F(PathTest, NewPathsGoToTheFrontOfTheListWithDefaults) {
    OVpath *a = OVpath_new(nullptr);
    OVpath *b = OVpath_new(nullptr);
    EXPECT_EQ(OVuniverse_getpaths(), b);
    EXPECT_EQ(OVpath_next(b), a);
    EXPECT_EQ(OVpath_getmode(a), 0);
    EXPECT_EQ(OVpath_getdirection(a), 1);
    EXPECT_EQ(OVpath_getspeed(a), 1);
    EXPECT_EQ(OVpath_getsampling(a), 1);
    EXPECT_EQ(OVpath_getstate(a), OVPATH_IDLE);
    EXPECT_EQ(OVpath_numelements(a), 0);
    EXPECT_EQ(OVpath_numelements(nullptr), -1);
    EXPECT_EQ(OVpath_getspeed(nullptr), -1);
    EXPECT_EQ(OVpath_getsampling(nullptr), -1);
    OVpath_delete(b);
    EXPECT_EQ(OVuniverse_getpaths(), a);
}

TEST_F(PathTest, FindComparesTheGivenLength) {
    OVpath *a = OVpath_new(nullptr);
    OVpath_new(nullptr); // unnamed paths are skipped
    ASSERT_TRUE(OVpath_setname(a, "flight"));
    EXPECT_EQ(OVuniverse_findpath("flightless", 6), a);
    EXPECT_EQ(OVuniverse_findpath("flx", 3), nullptr);
    EXPECT_STREQ(OVpath_getname(a), "flight");
    EXPECT_TRUE(OVpath_setname(a, nullptr));
    EXPECT_EQ(OVpath_getname(a), nullptr);
}

TEST_F(PathTest, AppendMakesLastAndCurrentAndRefusesLinkedElements) {
    OVpath *path = row_path(2);
    OVpathelement *first = OVpath_getfirst(path);
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getlast(path));
    EXPECT_FALSE(OVpath_appendelement(path, first));
    OVpath *other = OVpath_new(nullptr);
    EXPECT_FALSE(OVpath_appendelement(other, first));
    EXPECT_EQ(OVpathelement_getpath(first), path);
}

TEST_F(PathTest, AppendWithoutElementTakesTheViewpointPose) {
    OVpath *path = OVpath_new(nullptr);
    const OVp3 at = {3, 4, 5};
    OVviewpoint_setposition(OVuniverse_getviewpoint(), at);
    ASSERT_TRUE(OVpath_appendelement(path, nullptr));
    OVp3 p;
    OVpathelement_getposition(OVpath_getfirst(path), p);
    EXPECT_P3_NEAR(p, 3, 4, 5);
}

TEST_F(PathTest, InsertGoesAfterTheCurrentElementWhichStays) {
    OVpath *path = row_path(3);
    ASSERT_TRUE(OVpath_seek(path, 0, OVPATH_FROM_FIRST));
    OVpq pose = {{9, 0, 0}, {0, 0, 0, 1}};
    OVpathelement *inserted = OVpathelement_new(&pose);
    ASSERT_TRUE(OVpath_insertelement(path, inserted));
    EXPECT_EQ(OVpathelement_next(OVpath_getfirst(path)), inserted);
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getfirst(path));
    // Inserting after the last makes the new element the last.
    OVpath_seek(path, 0, OVPATH_FROM_LAST);
    OVpathelement *tail = OVpathelement_new(nullptr);
    ASSERT_TRUE(OVpath_insertelement(path, tail));
    EXPECT_EQ(OVpath_getlast(path), tail);
    EXPECT_EQ(OVpath_numelements(path), 5);
}

TEST_F(PathTest, RemovingTheCurrentElementMovesCurrentForwardOrToTheLast) {
    OVpath *path = row_path(3);
    OVpathelement *first = OVpath_getfirst(path);
    OVpathelement *middle = OVpathelement_next(first);
    OVpathelement *last = OVpath_getlast(path);
    OVpath_setcurrent(path, middle);
    ASSERT_TRUE(OVpath_removeelement(middle));
    EXPECT_EQ(OVpath_getcurrent(path), last);
    ASSERT_TRUE(OVpath_removeelement(last));
    EXPECT_EQ(OVpath_getcurrent(path), first);
    EXPECT_EQ(OVpath_getlast(path), first);
    ASSERT_TRUE(OVpath_removeelement(first));
    EXPECT_EQ(OVpath_getfirst(path), nullptr);
    EXPECT_EQ(OVpath_getlast(path), nullptr);
    EXPECT_EQ(OVpath_getcurrent(path), nullptr);
    EXPECT_FALSE(OVpath_removeelement(first)); // no longer linked
    for (OVpathelement *e : {first, middle, last})
        OVpathelement_delete(e);
}

TEST_F(PathTest, SeekStepsFromEachOriginAndRefusesRunningOff) {
    OVpath *path = row_path(4);
    OVp3 p;
    ASSERT_TRUE(OVpath_seek(path, 2, OVPATH_FROM_FIRST));
    OVpathelement_getposition(OVpath_getcurrent(path), p);
    EXPECT_EQ(p[0], 2);
    ASSERT_TRUE(OVpath_seek(path, -1, OVPATH_FROM_CURRENT));
    OVpathelement_getposition(OVpath_getcurrent(path), p);
    EXPECT_EQ(p[0], 1);
    EXPECT_FALSE(OVpath_seek(path, 1, OVPATH_FROM_LAST));
    EXPECT_FALSE(OVpath_seek(path, -5, OVPATH_FROM_CURRENT));
    EXPECT_FALSE(OVpath_seek(path, 0, 4));
    OVpathelement_getposition(OVpath_getcurrent(path), p);
    EXPECT_EQ(p[0], 1); // unchanged by the refusals
}

TEST_F(PathTest, OrientationSetterRefusesAnInvalidQuaternion) {
    OVpathelement *e = OVpathelement_new(nullptr);
    const OVq tiny = {0.001f, 0, 0, 0.001f};
    EXPECT_FALSE(OVpathelement_setorientation(e, tiny));
    EXPECT_NE(messages.find("Invalid quaternion passed to OVpathelement_setorientation.\n"),
              std::string::npos);
    OVq q;
    OVpathelement_getorientation(e, q);
    EXPECT_EQ(q[3], 1);
    OVpathelement_getorientation(nullptr, q);
    EXPECT_EQ(q[3], 1);
    OVpathelement_delete(e);
}

TEST_F(PathTest, CopyKeepsPosesAndDataInOrder) {
    OVpath *path = row_path(3);
    OVpathelement_setdata(OVpath_getfirst(path), path);
    OVpath *copy = OVpath_copy(path);
    ASSERT_EQ(OVpath_numelements(copy), 3);
    EXPECT_EQ(OVpathelement_getdata(OVpath_getfirst(copy)), path);
    OVp3 p;
    OVpathelement_getposition(OVpath_getlast(copy), p);
    EXPECT_EQ(p[0], 2);
    EXPECT_NE(OVpath_getfirst(copy), OVpath_getfirst(path));
}

TEST_F(PathTest, PropertiesReachTheCurrentElementAndRefuseWithoutOne) {
    OVpath *path = OVpath_new(nullptr);
    OVvalue v = OVvalue_new(OVP3);
    v.v.p3[0] = 7;
    EXPECT_FALSE(OVproperty_set(path, "PtTr", &v));
    OVpath_appendelement(path, OVpathelement_new(nullptr));
    EXPECT_TRUE(OVproperty_set(path, "PtTr", &v));
    OVp3 p;
    OVpathelement_getposition(OVpath_getcurrent(path), p);
    EXPECT_EQ(p[0], 7);
    OVvalue mode = OVvalue_new(OVINT);
    mode.v.i = 4;
    EXPECT_FALSE(OVproperty_set(path, "PtMo", &mode));
    mode.v.i = 3;
    EXPECT_TRUE(OVproperty_set(path, "PtMo", &mode));
    EXPECT_EQ(OVpath_getmode(path), 3);
    OVvalue speed = OVvalue_new(OVINT);
    speed.v.i = -4;
    EXPECT_TRUE(OVproperty_set(path, "Speed", &speed));
    EXPECT_EQ(OVpath_getspeed(path), 1);
    EXPECT_EQ(OVproperty_gettype(path, "Record From"), OVPOINTER);
}
