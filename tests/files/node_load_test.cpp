#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/light.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/universe.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string g_log;
int capture(const char *text) {
    g_log += text;
    return 1;
}

class NodeLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        g_log.clear();
        OVmessage_sethook(capture);
        dir_ = orv_test::scratch_dir("orv_node_load");
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
    }
    std::string write(const std::string &name, const std::string &text) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::filesystem::path dir_;
};

TEST_F(NodeLoad, GeometryNodesNamedAfterTheirGeometries) {
    std::string path = write("two.nff", "nff distinct\nfirst\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n"
                                        "second\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n");
    OVnode *group = OVgroupnode_new(nullptr);
    OVnode *first = OVnode_load(group, path.c_str(), 1.0f);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(OVnode_gettype(first), OVNODE_GEOMETRY);
    EXPECT_EQ(OVnode_numchildren(group), 2);
    EXPECT_NE(OVgeometrynode_load(group, path.c_str(), 2.0f), nullptr);
    EXPECT_EQ(OVnode_numchildren(group), 4);
    OVnode *mov = OVmovnode_load(group, path.c_str(), 1.0f);
    ASSERT_NE(mov, nullptr);
    EXPECT_TRUE(OVnode_ismovable(mov));
}

TEST_F(NodeLoad, ManyGeometriesKeepTheFileOrderAndTheirTables) {
    std::string text = "nff distinct\n";
    const int count = 300;
    for (int i = 0; i < count; ++i)
        text += "g" + std::to_string(i) + "\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2 0x" +
                (i % 2 ? "f00" : "0f0") + "\n";
    std::string path = write("many.nff", text);
    OVnode *group = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *before = OVgroupnode_new(group);
    ASSERT_NE(OVnode_load(group, path.c_str(), 1.0f), nullptr);
    ASSERT_EQ(OVnode_numchildren(group), count + 1);
    EXPECT_EQ(OVnode_getchild(group, 0), before); // appended after what was there
    for (int i = 0; i < count; ++i) {
        OVnode *n = OVnode_getchild(group, i + 1);
        ASSERT_STREQ(OVnode_getname(n), ("g" + std::to_string(i)).c_str());
        int r, g, b;
        ASSERT_TRUE(OVpoly_getrgb(OVgeometry_getpolys(OVnode_getgeometry(n)), &r, &g, &b));
        EXPECT_EQ(r, i % 2 ? 255 : 0) << i;
    }
    // Inserting still places a child by index.
    OVnode *inserted = OVgroupnode_new(nullptr);
    ASSERT_TRUE(OVnode_insertchild(group, inserted, 2));
    EXPECT_EQ(OVnode_getchild(group, 2), inserted);
    EXPECT_STREQ(OVnode_getname(OVnode_getchild(group, 3)), "g1");
    EXPECT_FALSE(OVnode_insertchild(group, OVgroupnode_new(nullptr), count + 3));
    OVnode_delete(group);
}

TEST_F(NodeLoad, MovableLoadWrapsWhatTheFileHolds) {
    OVnode *group = OVgroupnode_new(nullptr);
    OVp3 to = {1, 2, 3}, at;

    std::string one = write("one.nff", "nff\ntri\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n");
    OVnode *geometry = OVmovnode_load(group, one.c_str(), 1.0f);
    ASSERT_NE(geometry, nullptr);
    EXPECT_EQ(OVnode_gettype(geometry), OVNODE_MGEOMETRY);
    EXPECT_STREQ(OVnode_getname(geometry), "tri");
    EXPECT_NE(OVnode_getgeometry(geometry), nullptr);
    EXPECT_TRUE(OVnode_settranslation(geometry, to));
    ASSERT_TRUE(OVnode_gettranslation(geometry, at));
    EXPECT_FLOAT_EQ(at[2], 3);
    EXPECT_EQ(OVnode_getparent(geometry, 0), group);

    std::string two = write("two.nff", "nff distinct\nfirst\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 "
                                       "2\nsecond\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n");
    OVnode *several = OVmovnode_load(group, two.c_str(), 1.0f);
    ASSERT_NE(several, nullptr);
    EXPECT_EQ(OVnode_gettype(several), OVNODE_MSEPARATOR);
    EXPECT_EQ(OVnode_numchildren(several), 2);
    EXPECT_TRUE(OVnode_settranslation(several, to));

    std::string lamp = write("lamp.lit", "//lights\npoint pos 0 5 0\n");
    OVnode *light = OVmovnode_load(group, lamp.c_str(), 1.0f);
    ASSERT_NE(light, nullptr) << g_log;
    EXPECT_EQ(OVnode_gettype(light), OVNODE_MLIGHT);
    EXPECT_TRUE(OVnode_settranslation(light, to));

    std::string lamps = write("lamps.lit", "//lights\npoint pos 0 5 0\npoint pos 5 0 0\n");
    OVnode *lights = OVmovnode_load(group, lamps.c_str(), 1.0f);
    ASSERT_NE(lights, nullptr);
    EXPECT_TRUE(OVnode_ismovable(lights));
    EXPECT_EQ(OVnode_numchildren(lights), 2);
    EXPECT_EQ(OVnode_gettype(OVnode_getchild(lights, 0)), OVNODE_LIGHT);
    EXPECT_TRUE(OVnode_settranslation(lights, to));

    EXPECT_EQ(OVnode_numchildren(group), 4);
    EXPECT_EQ(OVmovnode_load(OVxformnode_new(nullptr), one.c_str(), 1.0f), nullptr);
    EXPECT_EQ(OVmovnode_load(group, "/nonexistent/model.nff", 1.0f), nullptr);
    EXPECT_EQ(OVnode_numchildren(group), 4);
}

TEST_F(NodeLoad, LoadedModelBoundsAreTheGeometrys) {
    std::string box = write("box.nff", "nff\nbox\n4\n1 2 3\n5 2 3\n5 8 3\n1 8 7\n1\n4 0 1 2 3\n");
    OVnode *sep = OVsepnode_new(nullptr);
    OVnode *node = OVnode_load(sep, box.c_str(), 1.0f);
    ASSERT_NE(node, nullptr);
    OVgeometry *g = OVnode_getgeometry(node);
    OVp3 gmid, gsize, mid, ext;
    OVgeometry_getmidpoint(g, gmid);
    OVgeometry_getextents(g, gsize);
    for (OVnode *n : {node, sep}) {
        ASSERT_TRUE(OVnode_getmidpoint(n, mid));
        ASSERT_TRUE(OVnode_getextents(n, ext));
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(mid[i], gmid[i]);
            EXPECT_FLOAT_EQ(ext[i], gsize[i] / 2);
        }
        EXPECT_FLOAT_EQ(OVnode_getradius(n), OVgeometry_getradius(g));
    }
    EXPECT_FLOAT_EQ(gmid[1], 5);
}

TEST_F(NodeLoad, Refusals) {
    EXPECT_EQ(OVnode_load(nullptr, "x.nff", 0.0f), nullptr);
    EXPECT_NE(g_log.find("Nonsensical scale factor.\n"), std::string::npos);
    std::string retired = write("old.bin", "2424 rest");
    EXPECT_EQ(OVnode_load(nullptr, retired.c_str(), 1.0f), nullptr);
    EXPECT_NE(g_log.find("ORV 1.01 binary format is no longer supported.\n"), std::string::npos);
    EXPECT_EQ(OVnode_load(nullptr, "/nonexistent/model", 1.0f), nullptr);
    EXPECT_NE(g_log.find("Couldn't find file /nonexistent/model\n"), std::string::npos);
    std::string mat = write("paint.mat", "mat\nvalid diffuse\n");
    EXPECT_EQ(OVnode_load(nullptr, mat.c_str(), 1.0f), nullptr);
    EXPECT_NE(g_log.find("Unknown file type: " + mat + "\n"), std::string::npos);
    EXPECT_EQ(OVgeometrynode_load(nullptr, mat.c_str(), 1.0f), nullptr);
}

} // namespace

namespace {

TEST_F(NodeLoad, LightFilesGiveTheLastLightWithOrWithoutAParent) {
    std::string lights = write("pair.lit", "//lights\npoint int 0.5\nambient int 0.25\n");
    OVnode *sep = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *last = OVnode_load(sep, lights.c_str(), 1.0f);
    ASSERT_EQ(OVnode_numchildren(sep), 2);
    EXPECT_EQ(last, OVnode_getchild(sep, 1));
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(last), 0.25f);
    // Without a parent the lights wait in the holding root, the last one returned.
    OVnode *held = OVnode_load(nullptr, lights.c_str(), 1.0f);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(OVnode_numparents(held), 0);
    EXPECT_EQ(OVlightnode_gettype(held), OVLIGHT_AMBIENT);
    EXPECT_TRUE(OVnode_addchild(sep, held));
    EXPECT_EQ(OVnode_numchildren(sep), 3);
    // A parent that cannot hold children takes nothing.
    OVnode *geometry = OVgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
    EXPECT_EQ(OVnode_load(geometry, lights.c_str(), 1.0f), nullptr);
    EXPECT_EQ(OVnode_numchildren(sep), 4);
}

} // namespace

namespace {

const char *kTriangleFile = "nff\ntri\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n";

TEST_F(NodeLoad, NullPathAndNonsensicalScales) {
    EXPECT_EQ(OVnode_load(nullptr, nullptr, 1.0f), nullptr);
    EXPECT_EQ(OVgeometrynode_load(nullptr, nullptr, 1.0f), nullptr);
    const std::string path = write("tri.nff", kTriangleFile);
    for (float scale : {-1.0f, 1e-21f, 0.0f}) {
        g_log.clear();
        EXPECT_EQ(OVnode_load(nullptr, path.c_str(), scale), nullptr) << scale;
        EXPECT_NE(g_log.find("Nonsensical scale factor.\n"), std::string::npos) << scale;
    }
    EXPECT_EQ(OVuniverse_findnodebyname("tri", 0), nullptr);
    g_log.clear();
    OVnode_load(nullptr, path.c_str(), 1e-20f); // the smallest scale taken
    EXPECT_EQ(g_log.find("Nonsensical"), std::string::npos);
}

TEST_F(NodeLoad, RetiredAndUnknownTypes) {
    const std::string retired = write("old2.bin", "2323 rest");
    EXPECT_EQ(OVnode_load(nullptr, retired.c_str(), 1.0f), nullptr);
    EXPECT_NE(g_log.find("ORV 1.01 binary format is no longer supported.\n"), std::string::npos);
    const std::string wbdf = write("world.wbdf", "WBDF rest");
    EXPECT_EQ(OVnode_load(nullptr, wbdf.c_str(), 1.0f), nullptr);
    EXPECT_NE(g_log.find("Unknown file type: " + wbdf + "\n"), std::string::npos);
}

TEST_F(NodeLoad, WithoutAParentTheNodesWaitInTheHoldingRoot) {
    const std::string path = write("tri.nff", kTriangleFile);
    OVnode *node = OVnode_load(nullptr, path.c_str(), 1.0f);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(OVnode_gettype(node), OVNODE_GEOMETRY);
    EXPECT_STREQ(OVnode_getname(node), "tri");
    EXPECT_EQ(OVnode_numparents(node), 0);
    OVnode *sep = OVsepnode_new(OVuniverse_getrootnodes());
    EXPECT_TRUE(OVnode_addchild(sep, node));
}

TEST_F(NodeLoad, ParentMustHoldChildren) {
    const std::string path = write("tri.nff", kTriangleFile);
    OVnode *sep = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *leaf = OVgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
    EXPECT_EQ(OVnode_load(leaf, path.c_str(), 1.0f), nullptr);
    EXPECT_EQ(OVgeometrynode_load(leaf, path.c_str(), 1.0f), nullptr);
    EXPECT_EQ(OVnode_numchildren(sep), 1);
    EXPECT_EQ(OVuniverse_findnodebyname("tri", 0), nullptr);
    // A movable parent stands for the node it moves.
    OVnode *mov = OVmovsepnode_new(sep);
    OVnode *inside = OVnode_load(mov, path.c_str(), 1.0f);
    ASSERT_NE(inside, nullptr);
    EXPECT_EQ(OVnode_getparent(inside, 0), mov);
}

TEST_F(NodeLoad, BareNamesAreFoundAlongTheModelPathWithTheExtension) {
    write("chair.nff", "nff\nchair\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n");
    OVfile_setmodelpath(dir_.string().c_str());
    OVnode *node = OVnode_load(nullptr, "chair", 1.0f);
    OVnode *again = OVgeometrynode_load(nullptr, "chair", 1.0f);
    OVfile_setmodelpath("");
    ASSERT_NE(node, nullptr) << g_log;
    EXPECT_STREQ(OVnode_getname(node), "chair");
    EXPECT_NE(again, nullptr);
}

TEST_F(NodeLoad, ScaleReachesTheCoordinates) {
    const std::string path = write("tri.nff", kTriangleFile);
    OVnode *node = OVnode_load(nullptr, path.c_str(), 4.0f);
    ASSERT_NE(node, nullptr);
    OVp3 size;
    OVgeometry_getextents(OVnode_getgeometry(node), size);
    EXPECT_FLOAT_EQ(size[0], 4.0f);
    EXPECT_FLOAT_EQ(size[1], 4.0f);
}

TEST_F(NodeLoad, UnreadableModelsLeaveTheParentAsItWas) {
    OVnode *sep = OVsepnode_new(OVuniverse_getrootnodes());
    const std::string empty = write("empty.nff", "nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n0\n");
    EXPECT_EQ(OVnode_load(sep, empty.c_str(), 1.0f), nullptr);
    EXPECT_NE(g_log.find("has no readable geometries\n"), std::string::npos);
    const std::string junk = write("junk.nff", "nff\n");
    EXPECT_EQ(OVnode_load(sep, junk.c_str(), 1.0f), nullptr);
    EXPECT_EQ(OVnode_numchildren(sep), 0);
    // A geometry read before a failing one is kept.
    const std::string half =
        write("half.nff", std::string(kTriangleFile) + "bad\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 5\n");
    OVnode *first = OVnode_load(sep, half.c_str(), 1.0f);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(OVnode_getname(first), "tri");
    EXPECT_EQ(OVnode_numchildren(sep), 1);
}

TEST_F(NodeLoad, GeometryLoaderTakesGeometryFilesOnly) {
    OVnode *sep = OVsepnode_new(OVuniverse_getrootnodes());
    const std::string lights = write("one.lit", "//lights\npoint int 0.5\n");
    EXPECT_EQ(OVgeometrynode_load(sep, lights.c_str(), 1.0f), nullptr);
    const std::string vrml = write("scene.wrl", "#VRML V1.0 ascii\nSeparator { }\n");
    EXPECT_EQ(OVgeometrynode_load(sep, vrml.c_str(), 1.0f), nullptr);
    const std::string retired = write("old.bin", "2424 rest");
    EXPECT_EQ(OVgeometrynode_load(sep, retired.c_str(), 1.0f), nullptr);
    const std::string flight = write("scene.flt", std::string("\0\1rest", 6));
    EXPECT_EQ(OVgeometrynode_load(sep, flight.c_str(), 1.0f), nullptr);
    EXPECT_EQ(OVnode_numchildren(sep), 0);
}

} // namespace
