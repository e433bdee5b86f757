// Path files, interpolation and markers.
#include "path_fixture.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

std::string temp_name(const char *stem) {
    return std::string(::testing::TempDir()) + stem + std::to_string(getpid()) + ".pth";
}

void write_file(const std::string &name, const std::string &text) {
    std::ofstream(name) << text;
}

std::string read_file(const std::string &name) {
    std::ifstream in(name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST_F(PathTest, SaveWritesTheDocumentedLinesAndLeavesThePathIdle) {
    OVpath *path = OVpath_new(nullptr);
    OVpq pose = {{1.5f, -2, 0.25f}, {0, 0, 0.6f, 0.8f}};
    OVpath_appendelement(path, OVpathelement_new(&pose));
    ASSERT_TRUE(OVpath_record(path));
    const std::string name = temp_name("save");
    ASSERT_TRUE(OVpath_save(path, name.c_str()));
    EXPECT_EQ(OVpath_getstate(path), OVPATH_IDLE);
    EXPECT_EQ(read_file(name), "path record v.2\n1\n"
                               "Posi  1.500000 -2.000000 0.250000\n"
                               "Orie  0.000000 0.000000 0.600000 0.800000\n");
    std::remove(name.c_str());
}

TEST_F(PathTest, SavedPathReadsBackToTheSamePoses) {
    OVpath *path = OVpath_new(nullptr);
    for (int i = 0; i < 5; ++i) {
        const float a = 0.3f * static_cast<float>(i);
        OVpq pose = {{a, a * 2, -a}, {std::sin(a / 2), 0, 0, std::cos(a / 2)}};
        OVpath_appendelement(path, OVpathelement_new(&pose));
    }
    const std::string name = temp_name("trip");
    ASSERT_TRUE(OVpath_save(path, name.c_str()));
    OVpath *loaded = OVpath_load(name.c_str(), nullptr);
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(OVpath_numelements(loaded), 5);
    EXPECT_EQ(OVpath_getcurrent(loaded), OVpath_getfirst(loaded));
    EXPECT_EQ(OVpath_getstate(loaded), OVPATH_IDLE);
    for (OVpathelement *a = OVpath_getfirst(path), *b = OVpath_getfirst(loaded); a;
         a = OVpathelement_next(a), b = OVpathelement_next(b)) {
        OVpq pa, pb;
        OVpathelement_getposition(a, pa.p);
        OVpathelement_getposition(b, pb.p);
        OVpathelement_getorientation(a, pa.q);
        OVpathelement_getorientation(b, pb.q);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(pa.p[k], pb.p[k], 1e-6);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(pa.q[k], pb.q[k], 1e-6);
    }
    std::remove(name.c_str());
}

TEST_F(PathTest, HeaderMustBeginTheFirstLine) {
    const std::string name = temp_name("header");
    write_file(name, "path record v.2 and more\n0\n");
    OVpath *path = OVpath_load(name.c_str(), nullptr);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(OVpath_numelements(path), 0);
    write_file(name, "path record v.1\n0\n");
    EXPECT_EQ(OVpath_load(name.c_str(), nullptr), nullptr);
    EXPECT_NE(messages.find("File '" + name + "' is not a path file\n"), std::string::npos);
    std::remove(name.c_str());
}

TEST_F(PathTest, MissingFileIsReported) {
    EXPECT_EQ(OVpath_load("no-such-path-file.pth", nullptr), nullptr);
    EXPECT_NE(messages.find("Couldn't find file no-such-path-file.pth\n"), std::string::npos);
}

TEST_F(PathTest, FileCutAtEveryByteLoadsNothingPartial) {
    OVpath *path = row_path(3);
    const std::string whole_name = temp_name("whole");
    ASSERT_TRUE(OVpath_save(path, whole_name.c_str()));
    const std::string whole = read_file(whole_name);
    OVpath_delete(path);
    const std::string name = temp_name("cut");
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        write_file(name, whole.substr(0, cut));
        OVpath *loaded = OVpath_load(name.c_str(), nullptr);
        // Cuts inside the last number still parse; anything shorter fails.
        if (loaded) {
            EXPECT_EQ(OVpath_numelements(loaded), 3) << "cut at " << cut;
        }
    }
    int listed = 0;
    for (OVpath *p = OVuniverse_getpaths(); p; p = OVpath_next(p))
        ++listed;
    EXPECT_LE(listed, 8); // failed loads leave no path behind
    write_file(name, "path record v.2\n2\nPosi  1 2 3\nOrie  0 0 0 1\nPosi  nan 0 0\n"
                     "Orie  0 0 0 1\n");
    EXPECT_EQ(OVpath_load(name.c_str(), nullptr), nullptr);
    std::remove(name.c_str());
    std::remove(whole_name.c_str());
}

TEST_F(PathTest, InterpolationCountsForThreeElementsAndFourSteps) {
    OVpath *path = row_path(3);
    OVpath *bezier = OVpath_interpolate(path, 4, OVPATH_BEZIER);
    OVpath *bspline = OVpath_interpolate(path, 4, OVPATH_BSPLINE);
    OVpath *linear = OVpath_interpolate(path, 4, OVPATH_LINEAR);
    EXPECT_EQ(OVpath_numelements(bezier), 9);
    EXPECT_EQ(OVpath_numelements(bspline), 8);
    EXPECT_EQ(OVpath_numelements(linear), 9);
    EXPECT_EQ(OVpath_getcurrent(linear), OVpath_getfirst(linear));
    OVp3 p;
    OVpathelement_getposition(OVpathelement_next(OVpath_getfirst(linear)), p);
    EXPECT_P3_NEAR(p, 0.25f, 0, 0);
    OVpathelement_getposition(OVpath_getlast(bezier), p);
    EXPECT_P3_NEAR(p, 2, 0, 0);
    // A straight row stays straight under Bezier; the B-spline starts at the
    // weighted mean (P0 + 4 P1 + P2) / 6 with P0 = P1.
    OVpathelement_getposition(OVpathelement_next(OVpath_getfirst(bezier)), p);
    EXPECT_NEAR(p[1], 0, 1e-6);
    OVpathelement_getposition(OVpath_getfirst(bspline), p);
    EXPECT_NEAR(p[0], 1.0f / 6, 1e-6);
    EXPECT_EQ(OVpath_interpolate(path, 0, OVPATH_LINEAR), nullptr);
    EXPECT_EQ(OVpath_interpolate(path, 4, 4), nullptr);
    EXPECT_EQ(OVpath_interpolate(row_path(1), 4, OVPATH_LINEAR), nullptr);
}

TEST_F(PathTest, VisibleMarkersStandAtTheirElementsAndHideWithoutDeleting) {
    OVpath *path = row_path(3);
    OVgeometry *box = OVgeometry_newblock(1, 1, 1, 0);
    ASSERT_TRUE(OVpath_setmarkergeometry(path, box));
    OVgeometry_delete(box); // the path keeps its own copy
    ASSERT_TRUE(OVpath_setvisible(path, 1));
    OVnode *root = OVuniverse_getrootnodes();
    EXPECT_EQ(OVnode_numchildren(root), 3);
    OVpathelement *last = OVpath_getlast(path);
    OVnode *marker = OVpathelement_getmarker(last);
    ASSERT_NE(marker, nullptr);
    EXPECT_STREQ(OVnode_getname(marker), "OVMarker");
    EXPECT_EQ(OVpathelement_frommarker(marker), last);
    OVp3 t;
    OVnode_gettranslation(marker, t);
    EXPECT_P3_NEAR(t, 2, 0, 0);
    const OVp3 moved = {2, 7, 0};
    OVpathelement_setposition(last, moved);
    OVnode_gettranslation(marker, t);
    EXPECT_P3_NEAR(t, 2, 7, 0);
    // Appended while visible: shown at once.
    OVpath_appendelement(path, OVpathelement_new(nullptr));
    EXPECT_EQ(OVnode_numchildren(root), 4);
    ASSERT_TRUE(OVpath_setvisible(path, 0));
    EXPECT_EQ(OVnode_numchildren(root), 0);
    EXPECT_EQ(OVpathelement_getmarker(last), marker); // kept for the next show
    ASSERT_TRUE(OVpath_setvisible(path, 1));
    EXPECT_EQ(OVnode_numchildren(root), 4);
    OVpath_delete(path);
    EXPECT_EQ(OVnode_numchildren(root), 0);
}

TEST_F(PathTest, AMarkerNodeDeletedByTheApplicationIsForgotten) {
    OVpath *path = row_path(2);
    OVgeometry *box = OVgeometry_newblock(1, 1, 1, 0);
    ASSERT_TRUE(OVpath_setmarkergeometry(path, box));
    OVgeometry_delete(box);
    ASSERT_TRUE(OVpath_setvisible(path, 1));
    OVpathelement *first = OVpath_getfirst(path);
    OVnode *marker = OVpathelement_getmarker(first);
    ASSERT_NE(marker, nullptr);
    OVnode_delete(marker);
    EXPECT_EQ(OVpathelement_getmarker(first), nullptr);
    // Moving, hiding and showing again must not reach the freed node; the
    // next show makes a new marker.
    const OVp3 moved = {0, 3, 0};
    EXPECT_TRUE(OVpathelement_setposition(first, moved));
    ASSERT_TRUE(OVpath_setvisible(path, 0));
    ASSERT_TRUE(OVpath_setvisible(path, 1));
    OVnode *again = OVpathelement_getmarker(first);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(OVpathelement_frommarker(again), first);
    OVp3 t;
    OVnode_gettranslation(again, t);
    EXPECT_P3_NEAR(t, 0, 3, 0);
    OVpath_delete(path);
    EXPECT_EQ(OVnode_numchildren(OVuniverse_getrootnodes()), 0);
}

TEST_F(PathTest, ANodeMerelyNamedLikeAMarkerIsNoMarker) {
    OVnode *node = OVsepnode_new(nullptr);
    OVnode_setname(node, "OVMarker");
    int not_an_element = 7;
    OVnode_setdata(node, &not_an_element);
    EXPECT_EQ(OVpathelement_frommarker(node), nullptr);
    OVnode_delete(node);
}

TEST_F(PathTest, LoadFindsFilesAlongTheModelPath) {
    const std::string dir = ::testing::TempDir();
    const std::string stem = "along" + std::to_string(getpid()) + ".pth";
    write_file(dir + "/" + stem, "path record v.2\n2\nPosi  1 2 3\nOrie  0 0 0 1\n"
                                 "Posi  4 5 6\nOrie  0 0 1 0\n");
    OVfile_setmodelpath(dir.c_str());
    OVpath *path = OVpath_load(stem.c_str(), nullptr);
    OVfile_setmodelpath("");
    std::remove((dir + "/" + stem).c_str());
    ASSERT_NE(path, nullptr) << messages;
    ASSERT_EQ(OVpath_numelements(path), 2);
    EXPECT_EQ(OVpath_getcurrent(path), OVpath_getfirst(path));
    EXPECT_FALSE(OVpath_isplaying(path) || OVpath_isrecording(path));
    OVp3 p;
    OVq q;
    OVpathelement_getposition(OVpath_getlast(path), p);
    OVpathelement_getorientation(OVpath_getlast(path), q);
    EXPECT_P3_NEAR(p, 4, 5, 6);
    EXPECT_FLOAT_EQ(q[2], 1);
    EXPECT_FLOAT_EQ(q[3], 0);
}

TEST_F(PathTest, FailedSavesReturnFalseAndKeepTheState) {
    OVpath *path = row_path(2);
    ASSERT_TRUE(OVpath_record(path));
    EXPECT_FALSE(OVpath_save(path, "/no/such/dir/x.pth"));
    EXPECT_FALSE(OVpath_save(path, "/dev/full")); // a write that fails part-way
    EXPECT_TRUE(OVpath_isrecording(path));
    EXPECT_FALSE(OVpath_save(nullptr, "x.pth"));
    EXPECT_FALSE(OVpath_save(path, nullptr));
    EXPECT_EQ(OVpath_load(nullptr, nullptr), nullptr);
}
