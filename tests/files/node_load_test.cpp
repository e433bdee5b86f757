#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/universe.h"

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
        dir_ = std::filesystem::temp_directory_path() / "orv_node_load";
        std::filesystem::create_directories(dir_);
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
