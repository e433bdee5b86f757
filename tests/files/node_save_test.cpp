// Saving nodes and geometries dispatches by type; writers that do not exist
// yet say so and leave no file behind.
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/universe.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string g_log;
int capture(const char *text) {
    g_log += text;
    return 1;
}

class NodeSave : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        g_log.clear();
        OVmessage_sethook(capture);
        path_ = orv_test::scratch_file("orv_node_save.out");
        std::filesystem::remove(path_);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
        std::filesystem::remove(path_);
    }
    std::string path_;
};

TEST_F(NodeSave, RefusesWhatItCannotSave) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *group = OVgroupnode_new(root);
    EXPECT_FALSE(OVnode_save(nullptr, path_.c_str(), nullptr, OVFILE_NFF, 0));
    EXPECT_FALSE(OVnode_save(group, nullptr, nullptr, OVFILE_NFF, 0));
    // Only geometry nodes have a geometry to write.
    EXPECT_FALSE(OVnode_save(group, path_.c_str(), nullptr, OVFILE_NFF, 0));
    OVgeometry *block = OVgeometry_newblock(1, 1, 1, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_FALSE(OVgeometry_save(nullptr, path_.c_str(), nullptr, OVFILE_NFF));
    EXPECT_FALSE(OVgeometry_save(block, nullptr, nullptr, OVFILE_NFF));
    EXPECT_FALSE(OVgeometry_save(block, path_.c_str(), nullptr, OVFILE_WAVEFRONT));
    EXPECT_EQ(g_log, "");
    EXPECT_FALSE(std::filesystem::exists(path_));
    OVgeometry_delete(block);
}

TEST_F(NodeSave, MissingWritersAreReportedBeforeAFileIsMade) {
    OVnode *root = OVuniverse_getrootnodes();
    EXPECT_FALSE(OVnode_save(root, path_.c_str(), nullptr, OVFILE_VRML2, 0));
    EXPECT_NE(g_log.find("No VRML97 plug-in is installed"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path_));
}

// A geometry node goes through the geometry save, which writes only its
// types: another type fails and leaves no file.
TEST_F(NodeSave, GeometryNodeOfAnotherTypeFails) {
    OVnode *node = OVgeometrynode_new(OVuniverse_getrootnodes(), OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_NE(node, nullptr);
    for (int type :
         std::initializer_list<int>{0, OVFILE_WAVEFRONT, OVFILE_3DS, OVFILE_MAT, -1, 255})
        EXPECT_FALSE(OVnode_save(node, path_.c_str(), nullptr, type, 0)) << type;
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_TRUE(OVnode_save(node, path_.c_str(), nullptr, OVFILE_BNFF, 0)) << g_log;
    EXPECT_GT(std::filesystem::file_size(path_), 8u);
}

} // namespace
