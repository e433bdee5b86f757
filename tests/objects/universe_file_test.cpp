#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/path.h"
#include "orv/task.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"
#include "scene/traversal_state.h"
#include "state/universe_state.h"
#include "orv/orv_internal.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string g_log;
int capture(const char *text) {
    g_log += text;
    return 1;
}

int g_entries = 0, g_exits = 0;
void entered() {
    ++g_entries;
}
void left() {
    ++g_exits;
}

// A floor from (0, 0, 0) to (4, 0, 6) and a door: a one-sided square in the
// plane z = 3 facing -z, leading to "room2".
const char *kRoom = "nff\nviewpos 1 2 -5\nfloor\n8\n"
                    "0 0 0\n4 0 0\n4 0 6\n0 0 6\n"
                    "1 0 3\n3 0 3\n3 2 3\n1 2 3\n"
                    "2\n4 0 3 2 1 0x0f0 both\n4 4 7 6 5 0xfff -room2\n";

class UniverseFile : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        g_log.clear();
        g_entries = g_exits = 0;
        OVmessage_sethook(capture);
        dir_ = orv_test::scratch_dir(
            "orv_universe_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        OVfile_setmodelpath(dir_.string().c_str());
    }
    void TearDown() override {
        OVfile_setmodelpath("");
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
    }
    std::string write(const std::string &name, const std::string &text) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    bool logged(const std::string &s) const { return g_log.find(s) != std::string::npos; }

    // The object node under the first root, or null.
    static OVnode *object_node() {
        OVnode *root = OVuniverse_getrootnodes();
        for (int i = 0; i < OVnode_numchildren(root); ++i)
            if (OVnode_gettype(OVnode_getchild(root, i)) == OVNODE_OBJECT)
                return OVnode_getchild(root, i);
        return nullptr;
    }
    static int object_nodes() {
        int n = 0;
        OVnode *root = OVuniverse_getrootnodes();
        for (int i = 0; i < OVnode_numchildren(root); ++i)
            n += OVnode_gettype(OVnode_getchild(root, i)) == OVNODE_OBJECT;
        return n;
    }
    static OVpoly *portal_polygon(OVgeometry *g) {
        for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
            if (OVpoly_getportal(p)) return p;
        return nullptr;
    }

    fs::path dir_;
};

TEST_F(UniverseFile, LoadMakesTheUniverseObjectWithItsNodeBoundsAndPortal) {
    write("room1.nff", kRoom);
    OVuniverse_setentrycallback("", entered);
    OVpq placement;
    ASSERT_TRUE(OVuniverse_load("room1", &placement, 1.0f)) << g_log;
    EXPECT_EQ(g_entries, 1);
    EXPECT_FLOAT_EQ(placement.p[0], 1);
    EXPECT_FLOAT_EQ(placement.p[1], 2);
    EXPECT_FLOAT_EQ(placement.p[2], -5);
    EXPECT_STREQ(OVuniverse_getname(), "floor");

    OVnode *node = object_node();
    ASSERT_NE(node, nullptr);
    EXPECT_NE(OVnode_getobject(node), nullptr);
    OVgeometry *g = _OVobjectnode_geometry(node);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(OVgeometry_numpolys(g), 2);

    OVp3 box[2];
    OVuniverse_getextents(box);
    EXPECT_FLOAT_EQ(box[0][0], 0);
    EXPECT_FLOAT_EQ(box[0][1], 0);
    EXPECT_FLOAT_EQ(box[0][2], 0);
    EXPECT_FLOAT_EQ(box[1][0], 4);
    EXPECT_FLOAT_EQ(box[1][1], 2);
    EXPECT_FLOAT_EQ(box[1][2], 6);
    EXPECT_FLOAT_EQ(OVuniverse_getradius(), std::sqrt(16.0f + 4 + 36) / 2);
    EXPECT_TRUE(_OVuniverse_hasboundsources());

    OVp3 mid, ext;
    ASSERT_TRUE(_OVobjectnode_bounds(node, mid, ext));
    EXPECT_FLOAT_EQ(mid[1], 1);
    EXPECT_FLOAT_EQ(ext[2], 3);

    OVpoly *door = portal_polygon(g);
    ASSERT_NE(door, nullptr);
    EXPECT_STREQ(_OVportal_gettarget(OVpoly_getportal(door)), "room2");
    EXPECT_EQ(OVpoly_getportal(OVpoly_next(door) ? OVpoly_next(door) : OVgeometry_getpolys(g)),
              nullptr);
}

// Each callback notes which universe it saw.
std::string g_calls;
void note(const char *who) {
    g_calls += std::string(who) + "(" + OVuniverse_getname() + ") ";
}
void every_in() {
    note("every-in");
}
void floor_in() {
    note("floor-in");
}
void every_out() {
    note("every-out");
}
void floor_out() {
    note("floor-out");
}

// Leaving runs the named exit callback before the one for every universe;
// entering runs the one for every universe before the named one, once the
// new name is set.
TEST_F(UniverseFile, CallbacksOfLeavingAndEnteringInTheirOrders) {
    write("room1.nff", kRoom);
    OVuniverse_setentrycallback("", every_in);
    OVuniverse_setentrycallback("FLOOR", floor_in);
    OVuniverse_setexitcallback("", every_out);
    OVuniverse_setexitcallback("models/floor.nff", floor_out);
    g_calls.clear();
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f)) << g_log;
    EXPECT_EQ(g_calls, "every-out(untitled) every-in(floor) floor-in(floor) ");
    g_calls.clear();
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f)) << g_log;
    EXPECT_EQ(g_calls, "floor-out(floor) every-out(floor) every-in(floor) floor-in(floor) ");
    OVuniverse_setentrycallback("", nullptr);
    OVuniverse_setexitcallback("", nullptr);
}

int g_task_runs = 0;
int count_task_run(void *) {
    ++g_task_runs;
    return 0;
}

// Clearing the scene for the new universe frees every task and stops the
// recording paths.
TEST_F(UniverseFile, LoadingFreesTheTasksAndStopsThePaths) {
    write("room1.nff", kRoom);
    g_task_runs = 0;
    ASSERT_NE(OVtask_new(&g_task_runs, count_task_run, 0), nullptr);
    OVpath *path = OVpath_new(nullptr);
    ASSERT_TRUE(OVpath_record(path));
    OVuniverse_go1();
    ASSERT_EQ(g_task_runs, 1);
    ASSERT_EQ(OVpath_numelements(path), 1);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f)) << g_log;
    EXPECT_EQ(OVtask_get(&g_task_runs, 0), nullptr);
    OVuniverse_go1();
    EXPECT_EQ(g_task_runs, 1);
    EXPECT_EQ(OVpath_numelements(path), 1);
}

TEST_F(UniverseFile, ObjectNodeBoundsAreThoseOfTheGeometry) {
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    OVnode *node = object_node();
    OVp3 mid, ext;
    ASSERT_TRUE(OVnode_getmidpoint(node, mid));
    ASSERT_TRUE(OVnode_getextents(node, ext));
    const float want_mid[3] = {2, 1, 3}, want_ext[3] = {2, 1, 3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(mid[i], want_mid[i]);
        EXPECT_FLOAT_EQ(ext[i], want_ext[i]);
    }
    EXPECT_FLOAT_EQ(OVnode_getradius(node), std::sqrt(4.0f + 1 + 9));
    OVnode *root = OVuniverse_getrootnodes();
    ASSERT_TRUE(OVnode_getmidpoint(root, mid));
    EXPECT_FLOAT_EQ(mid[2], 3);
    EXPECT_EQ(OVnode_numpolys(root), 2);
}

TEST_F(UniverseFile, CollectionDrawsTheObjectsGeometryAtItsNode) {
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    auto *state = static_cast<orv::scene::TraversalState *>(_OVnode_newstate());
    _OVnode_initstate(state);
    state->near_distance = 0.5f;
    state->far_distance = 1000;
    state->view[3][2] = -20; // the room twenty units in front of the eye
    for (auto &plane : state->side_planes)
        plane[0] = plane[1] = plane[2] = 0; // no side culling
    orv::scene::collect(OVuniverse_getrootnodes(), state);
    ASSERT_EQ(state->opaque_count, 1);
    EXPECT_EQ(state->opaque[0].item, object_node());
    EXPECT_EQ(state->opaque[0].kind(), orv::scene::ENTRY_GEOMETRY);
    EXPECT_EQ(state->poly_count, 2);
    _OVnode_deletestate(state);
}

TEST_F(UniverseFile, ScaleZeroAndNullNameAreRefusedWithoutClearing) {
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    EXPECT_FALSE(OVuniverse_load("room1", nullptr, 0.0f));
    EXPECT_TRUE(logged("Nonsensical scale factor.\n"));
    EXPECT_FALSE(OVuniverse_load(nullptr, nullptr, 1.0f));
    EXPECT_FALSE(OVuniverse_load("no_such_universe", nullptr, 1.0f));
    EXPECT_TRUE(logged("Couldn't find file no_such_universe\n"));
    EXPECT_STREQ(OVuniverse_getname(), "floor");
    EXPECT_EQ(object_nodes(), 1);
}

TEST_F(UniverseFile, WithoutAutomaticInsertionTheObjectNodeWaitsInTheHoldingRoot) {
    write("room1.nff", kRoom);
    OVuniverse_setoption(11, 0);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    EXPECT_EQ(object_nodes(), 0);
    EXPECT_TRUE(_OVuniverse_hasboundsources());
    OVpq placement = {{9, 9, 9}, {1, 0, 0, 0}};
    EXPECT_FALSE(OVuniverse_load("nowhere", &placement, 1.0f));
    EXPECT_FLOAT_EQ(placement.p[0], 0); // reset before the search
    EXPECT_FLOAT_EQ(placement.q[3], 1);
}

TEST_F(UniverseFile, ScaleMultipliesTheBounds) {
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 0.5f));
    OVp3 box[2];
    OVuniverse_getextents(box);
    EXPECT_FLOAT_EQ(box[1][0], 2);
    EXPECT_FLOAT_EQ(box[1][2], 3);
}

// The file's view is the universe placement until the scene is cleared.
TEST_F(UniverseFile, TheViewIsKeptAsTheUniversePlacement) {
    write("room1.nff", kRoom);
    write("broken.nff", "nff\nbroken\n3\n0 0 0\n1 0 0\n");
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f)) << g_log;
    const OVpq *kept = orv::universe_placement();
    ASSERT_NE(kept, nullptr);
    EXPECT_FLOAT_EQ(kept->p[0], 1);
    EXPECT_FLOAT_EQ(kept->p[1], 2);
    EXPECT_FLOAT_EQ(kept->p[2], -5);
    EXPECT_FALSE(OVuniverse_load("broken", nullptr, 1.0f));
    kept = orv::universe_placement();
    EXPECT_EQ(kept->p[0], 0.0f);
    EXPECT_EQ(kept->p[1], 0.0f);
    EXPECT_EQ(kept->p[2], 0.0f);
    EXPECT_EQ(kept->q[3], 1.0f);
}

TEST_F(UniverseFile, FailedReadLeavesTheSceneCleared) {
    write("room1.nff", kRoom);
    write("broken.nff", "nff\nbroken\n3\n0 0 0\n1 0 0\n");
    OVuniverse_setexitcallback("floor", left);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    OVpoly *door = portal_polygon(_OVobjectnode_geometry(object_node()));
    ASSERT_NE(door, nullptr);
    EXPECT_FALSE(OVuniverse_load("broken", nullptr, 1.0f));
    EXPECT_EQ(g_exits, 1);
    EXPECT_STREQ(OVuniverse_getname(), "untitled");
    EXPECT_EQ(object_nodes(), 0);
    EXPECT_FALSE(_OVuniverse_hasboundsources());
    EXPECT_FLOAT_EQ(OVuniverse_getradius(), 0);
}

TEST_F(UniverseFile, ReloadReplacesTheObjectAndUntitledTakesTheFileName) {
    write("room1.nff", kRoom);
    write("plain.nff", "nff\nuntitled\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n");
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    ASSERT_TRUE(OVuniverse_load((dir_ / "plain.nff").string().c_str(), nullptr, 1.0f)) << g_log;
    EXPECT_EQ(object_nodes(), 1);
    EXPECT_STREQ(OVuniverse_getname(), "plain");
    EXPECT_EQ(OVgeometry_numpolys(_OVobjectnode_geometry(object_node())), 1);
}

TEST_F(UniverseFile, RetiredAndUnknownTypesFail) {
    write("old.bin", "2424 rest");
    write("paint.mat", "mat\nvalid diffuse\n");
    EXPECT_FALSE(OVuniverse_load("old.bin", nullptr, 1.0f));
    EXPECT_TRUE(logged("ORV 1.01 binary format is no longer supported.\n"));
    std::string mat = (dir_ / "paint.mat").string();
    EXPECT_FALSE(OVuniverse_load(mat.c_str(), nullptr, 1.0f));
    EXPECT_TRUE(logged("Unknown file type: " + mat));
    write("binary.bnff", "bnff....");
    EXPECT_FALSE(OVuniverse_load("binary.bnff", nullptr, 1.0f));
    EXPECT_TRUE(logged("has no readable geometries"));
}

TEST_F(UniverseFile, DeletingTheObjectNodeForgetsTheUniverseObject) {
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    OVnode *node = object_node();
    OVgeometry *g = _OVobjectnode_geometry(node);
    ASSERT_NE(portal_polygon(g), nullptr);
    OVnode_delete(node);
    EXPECT_FALSE(_OVuniverse_hasboundsources());
    EXPECT_FLOAT_EQ(OVuniverse_getradius(), 0);
    EXPECT_FALSE(OVuniverse_save((dir_ / "out.nff").string().c_str(), OVFILE_NFF));
    EXPECT_TRUE(logged("There is no universe object to save"));
}

TEST_F(UniverseFile, WalkingThroughTheDoorTakesThePortal) {
    write("room1.nff", kRoom);
    write("room2.nff", "nff\nhall\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n");
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    OVviewpoint *eye = OVuniverse_getviewpoint();
    ASSERT_NE(eye, nullptr);
    OVp3 front = {2, 1, 2}, beside = {5, 1, 4}, behind = {2, 1, 4};
    OVviewpoint_setposition(eye, front);
    OVuniverse_go1(); // remembers where the viewpoint stands
    OVviewpoint_setposition(eye, beside);
    OVuniverse_go1(); // passes the plane outside the door
    EXPECT_STREQ(OVuniverse_getname(), "floor");
    OVviewpoint_setposition(eye, front);
    OVuniverse_go1(); // back to the front, from behind: a one-sided door is not taken
    EXPECT_STREQ(OVuniverse_getname(), "floor");
    OVviewpoint_setposition(eye, behind);
    OVuniverse_go1();
    EXPECT_STREQ(OVuniverse_getname(), "hall") << g_log;
    EXPECT_EQ(object_nodes(), 1);
}

TEST_F(UniverseFile, ADeletedDoorIsNoPortal) {
    write("room1.nff", kRoom);
    write("room2.nff", "nff\nhall\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n");
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    OVgeometry *g = _OVobjectnode_geometry(object_node());
    ASSERT_TRUE(OVpoly_delete(portal_polygon(g)));
    EXPECT_EQ(portal_polygon(g), nullptr);
    OVgeometry_delete(OVgeometry_newblock(1, 1, 1, 0)); // closing restates the portals
    OVviewpoint *eye = OVuniverse_getviewpoint();
    OVp3 front = {2, 1, 2}, behind = {2, 1, 4};
    OVviewpoint_setposition(eye, front);
    OVuniverse_go1();
    OVviewpoint_setposition(eye, behind);
    OVuniverse_go1();
    EXPECT_STREQ(OVuniverse_getname(), "floor");
}

TEST_F(UniverseFile, PortalsAreSkippedWhenSwitchedOffAndFailuresReported) {
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    OVviewpoint *eye = OVuniverse_getviewpoint();
    OVp3 front = {2, 1, 2}, behind = {2, 1, 4};
    OVuniverse_setportals(0);
    OVviewpoint_setposition(eye, front);
    OVuniverse_go1();
    OVviewpoint_setposition(eye, behind);
    OVuniverse_go1();
    EXPECT_STREQ(OVuniverse_getname(), "floor");
    OVuniverse_setportals(1);
    OVviewpoint_setposition(eye, front);
    OVuniverse_go1();
    OVviewpoint_setposition(eye, behind);
    OVuniverse_go1(); // room2 does not exist: nothing is cleared before it is found
    EXPECT_TRUE(logged("Couldn't portal to universe room2\n"));
    EXPECT_STREQ(OVuniverse_getname(), "floor");
    g_log.clear();
    OVuniverse_go1(); // standing still behind the door crosses nothing
    EXPECT_FALSE(logged("Couldn't portal"));
}

TEST_F(UniverseFile, SaveRefusesOtherTypes) {
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    std::string out = (dir_ / "saved.nff").string();
    EXPECT_FALSE(OVuniverse_save(out.c_str(), OVFILE_WAVEFRONT));
    EXPECT_FALSE(OVuniverse_save(nullptr, OVFILE_NFF));
    EXPECT_FALSE(fs::exists(out));
    // A file that cannot be opened or written fails in both forms.
    for (int type : {OVFILE_NFF, OVFILE_BNFF}) {
        EXPECT_FALSE(OVuniverse_save((dir_ / "no" / "such.nff").string().c_str(), type)) << type;
        EXPECT_FALSE(OVuniverse_save("/dev/full", type)) << type;
    }
}

// Saved as text and as binary NFF, the universe reads back with the current
// viewpoint's pose as its placement, its name, its polygons and its portal.
TEST_F(UniverseFile, SavedUniverseReadsBackWithViewpointAndPortal) {
    fs::path previous = fs::current_path();
    fs::current_path(dir_); // the text form writes its material file here
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    OVp3 where = {3, 1, -7};
    OVviewpoint_setposition(OVuniverse_getviewpoint(), where);
    for (int type : {OVFILE_NFF, OVFILE_BNFF}) {
        std::string out = (dir_ / (type == OVFILE_NFF ? "saved.nff" : "saved.bnff")).string();
        ASSERT_TRUE(OVuniverse_save(out.c_str(), type)) << g_log;
        OVpq placement;
        ASSERT_TRUE(OVuniverse_load(out.c_str(), &placement, 1.0f)) << g_log;
        EXPECT_FLOAT_EQ(placement.p[0], 3);
        EXPECT_FLOAT_EQ(placement.p[2], -7);
        EXPECT_STREQ(OVuniverse_getname(), "floor");
        OVgeometry *g = _OVobjectnode_geometry(object_node());
        EXPECT_EQ(OVgeometry_numpolys(g), 2);
        EXPECT_NE(portal_polygon(g), nullptr) << type;
    }
    std::string text;
    std::getline(std::ifstream(dir_ / "saved.nff"), text, '\0');
    EXPECT_NE(text.find("viewpos  3.000000 1.000000 -7.000000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n\n\nfloor\n"), std::string::npos) << text; // blank line, then name
    EXPECT_NE(text.find(" -room2\n"), std::string::npos) << text;
    fs::current_path(previous);
}

// The text form gives the viewpoint's pose, a blank line and the universe's
// name; portal names go out only while portals are on, in either form.
TEST_F(UniverseFile, SavedTextViewLinesAndPortalNamesFollowThePortalOption) {
    fs::path previous = fs::current_path();
    fs::current_path(dir_);
    write("room1.nff", kRoom);
    ASSERT_TRUE(OVuniverse_load("room1", nullptr, 1.0f));
    OVviewpoint *eye = OVuniverse_getviewpoint();
    OVp3 where = {3, 1, -7}, towards = {0, 0.6f, -0.8f}, direction;
    OVviewpoint_setposition(eye, where);
    OVviewpoint_setdirection(eye, towards);
    OVviewpoint_getdirection(eye, direction);
    char view[160];
    std::snprintf(view, sizeof view, "viewpos  3.000000 1.000000 -7.000000\nviewdir  %f %f %f\n",
                  static_cast<double>(direction[0]), static_cast<double>(direction[1]),
                  static_cast<double>(direction[2]));
    auto saved = [&](const char *name, int type) {
        std::string out = (dir_ / name).string();
        EXPECT_TRUE(OVuniverse_save(out.c_str(), type)) << g_log;
        std::ifstream in(out, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::string text = saved("on.nff", OVFILE_NFF);
    EXPECT_EQ(text.rfind(std::string("nff\nversion 3.00\n") + view + "\n\nfloor\n", 0), 0u) << text;
    EXPECT_NE(text.find(" -room2\n"), std::string::npos) << text;
    EXPECT_NE(saved("on.bnff", OVFILE_BNFF).find(std::string("\x03\x05room2\x00", 8)),
              std::string::npos);
    OVuniverse_setoption(12, 1);
    EXPECT_EQ(saved("old.nff", OVFILE_NFF).rfind(std::string("nff\nversion 2.10\n") + view, 0), 0u);
    OVuniverse_setportals(0);
    text = saved("off.nff", OVFILE_NFF);
    EXPECT_EQ(text.find("room2"), std::string::npos) << text;
    EXPECT_EQ(saved("off.bnff", OVFILE_BNFF).find("room2"), std::string::npos);
    fs::current_path(previous);
}

// A read that fails has cleared the scene but enters no universe.
TEST_F(UniverseFile, AFailedReadRunsNoEntryCallback) {
    write("broken.nff", "nff\nbroken\n3\n0 0 0\n1 0 0\n");
    OVuniverse_setentrycallback("", entered);
    OVuniverse_setentrycallback("broken", entered);
    OVuniverse_setexitcallback("", left);
    EXPECT_FALSE(OVuniverse_load("broken", nullptr, 1.0f));
    EXPECT_EQ(g_entries, 0);
    EXPECT_EQ(g_exits, 1);
    // A file that cannot be found is failed before the scene is cleared.
    EXPECT_FALSE(OVuniverse_load("missing", nullptr, 1.0f));
    EXPECT_EQ(g_exits, 1);
    OVuniverse_setentrycallback("", nullptr);
    OVuniverse_setexitcallback("", nullptr);
}

} // namespace
