// The text NFF writer: the documented lines, both versions, round trips of
// every primitive, names that must stay one token, and failing writes.
#include "nff_save_fixture.h"

#include "orv/node.h"
#include "orv/math.h"
#include "orv/viewpoint.h"

#include <cstdio>

namespace nfftest {
namespace {

// The lines from the start of the file up to the first polygon line.
std::vector<std::string> lines(const std::string &text, std::size_t count) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (out.size() < count && at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

TEST_F(NffSave, BlockWritesTheDocumentedLines) {
    OVgeometry *block = OVgeometry_newblock(50, 50, 50, 1);
    std::string text = contents(save(block, OVFILE_NFF, "block.nff"));
    std::string table = OVmtable_getname(OVgeometry_getmtable(block));
    std::vector<std::string> l = lines(text, 16);
    ASSERT_EQ(l.size(), 16u) << text;
    EXPECT_EQ(l[0], "nff");
    EXPECT_EQ(l[1], "version 3.00");
    EXPECT_EQ(l[2], "");
    EXPECT_EQ(l[3], "block");
    EXPECT_EQ(l[4], "mtable " + table);
    EXPECT_EQ(l[5], "8");
    EXPECT_EQ(l[6], "25.000000 25.000000 25.000000");
    EXPECT_EQ(l[14], "6");
    EXPECT_EQ(l[15], "4 6 2 0 4 matid 0 both");
    // The material table went to its own file beside the working directory.
    EXPECT_EQ(contents(table + ".mat").rfind("mat\nversion 3.00\nvalid ambientdiffuse\n", 0), 0u);
    OVgeometry_delete(block);
}

TEST_F(NffSave, ViewLinesAndTheOldColourForm) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    _OVpoly_setcolor24(OVgeometry_getpolys(g), 0xFF8800);
    OVvertex *v = OVgeometry_getvertices(g);
    OVgeometry_setvertexrgb(g, v, 0x12, 0x34, 0x56);
    OVpq view = {{1, 2, 3}, {0, 0, 0, 1}};
    OVuniverse_setoption(12, 1);
    std::string text = contents(save(g, OVFILE_NFF, "old.nff", &view));
    EXPECT_EQ(text.rfind("nff\nversion 2.10\nviewpos  1.000000 2.000000 3.000000\nviewdir  ", 0),
              0u)
        << text;
    EXPECT_NE(text.find(" rgb 0x123456\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" 0xff8800\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("mtable"), std::string::npos) << text;
    OVuniverse_setoption(6, 1); // 12-bit polygon colours
    text = contents(save(g, OVFILE_NFF, "old12.nff"));
    EXPECT_NE(text.find(" 0xf80\n"), std::string::npos) << text;
    OVpq back;
    OVgeometry *read = load((dir_ / "old.nff").string(), OVFILE_NFF, &back);
    ASSERT_NE(read, nullptr) << g_log;
    EXPECT_FLOAT_EQ(back.p[2], 3);
    OVp3 d, want;
    OVq_2dir(back.q, d);
    OVq_2dir(view.q, want);
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(d[k], want[k], 1e-5f);
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(read)), 0xFF8800u);
    EXPECT_EQ(
        _OVpoly_getcolor24(OVgeometry_getpolys(load((dir_ / "old12.nff").string(), OVFILE_NFF))),
        0xFF8800u);
    OVgeometry_delete(g);
}

TEST_F(NffSave, EveryPrimitiveReadsBackFromBothTextForms) {
    std::vector<OVgeometry *> shapes = decorated_primitives();
    for (int old_form : {0, 1}) {
        OVuniverse_setoption(12, old_form);
        int i = 0;
        for (OVgeometry *g : shapes) {
            std::string file = "shape" + std::to_string(i++) + ".nff";
            std::string what = std::string(OVgeometry_getname(g)) + (old_form ? " 2.10" : " 3.00");
            expect_same_geometry(g, load(save(g, OVFILE_NFF, file.c_str()), OVFILE_NFF), what);
        }
    }
    EXPECT_FALSE(logged("invalid")) << g_log;
    for (OVgeometry *g : shapes)
        OVgeometry_delete(g);
}

// The material file is found again when the table is no longer in memory.
TEST_F(NffSave, MaterialFileReadsBackInAnotherUniverse) {
    OVgeometry *g = OVgeometry_newblock(1, 2, 3, 0);
    _OVpoly_setcolor24(OVgeometry_getpolys(g), 0x336699);
    std::string path = save(g, OVFILE_NFF, "coloured.nff");
    OVgeometry_delete(g);
    OVmessage_sethook(nullptr);
    OVuniverse_delete();
    OVuniverse_new(512, 0);
    OVfile_setmodelpath(dir_.string().c_str());
    OVgeometry *read = load(path, OVFILE_NFF);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(read)), 0x336699u);
    OVfile_setmodelpath("");
}

// Six decimals in the material file do not shift a colour's bytes when it is
// written again as a hexadecimal or binary colour.
TEST_F(NffSave, ColoursKeepTheirBytesThroughTheMaterialFile) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    _OVpoly_setcolor24(OVgeometry_getpolys(g), 0x123456);
    OVgeometry_setvertexrgb(g, OVgeometry_getvertices(g), 0x12, 0x34, 0x56);
    std::string path = save(g, OVFILE_NFF, "v3.nff");
    OVgeometry_delete(g);
    OVmessage_sethook(nullptr);
    OVuniverse_delete();
    OVuniverse_new(512, 0);
    OVfile_setmodelpath(dir_.string().c_str());
    OVgeometry *read = load(path, OVFILE_NFF);
    ASSERT_NE(read, nullptr);
    OVuniverse_setoption(12, 1);
    std::string text = contents(save(read, OVFILE_NFF, "old.nff"));
    EXPECT_NE(text.find(" 0x123456\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" rgb 0x123456\n"), std::string::npos) << text;
    OVgeometry *binary = load(save(read, OVFILE_BNFF, "v3.bnff"), OVFILE_BNFF);
    ASSERT_NE(binary, nullptr);
    int r, gg, b;
    ASSERT_TRUE(OVgeometry_getvertexrgb(binary, OVgeometry_getvertices(binary), &r, &gg, &b));
    EXPECT_EQ(r << 16 | gg << 8 | b, 0x123456);
    OVfile_setmodelpath("");
}

TEST_F(NffSave, NamesWithBlanksStayOneToken) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVgeometry_setname(g, "my box//x\\");
    OVgeometry *read = load(save(g, OVFILE_NFF, "named.nff"), OVFILE_NFF);
    ASSERT_NE(read, nullptr) << g_log;
    EXPECT_STREQ(OVgeometry_getname(read), "my_box/_x_");
    EXPECT_TRUE(logged("Geometry name \"my box//x\\\" written as \"my_box/_x_\" so that it reads "
                       "back\n"))
        << g_log;
    OVgeometry_setname(g, "version"); // a header word would end the header wrongly
    read = load(save(g, OVFILE_NFF, "keyword.nff"), OVFILE_NFF);
    ASSERT_NE(read, nullptr) << g_log;
    EXPECT_STREQ(OVgeometry_getname(read), "version_");
    OVgeometry_delete(g);
}

TEST_F(NffSave, FullDiskIsAFailure) {
    OVgeometry *g = OVgeometry_newsphere(1, 8, 8, 0, 1);
    EXPECT_FALSE(OVgeometry_save(g, "/dev/full", nullptr, OVFILE_NFF));
    EXPECT_TRUE(logged("Couldn't write file /dev/full\n")) << g_log;
    g_log.clear();
    // The binary magic itself cannot be written.
    EXPECT_FALSE(OVgeometry_save(g, "/dev/full", nullptr, OVFILE_BNFF));
    EXPECT_TRUE(logged("Unable to write to file.\n")) << g_log;
    EXPECT_FALSE(
        OVgeometry_save(g, (dir_ / "no" / "such.nff").string().c_str(), nullptr, OVFILE_NFF));
    EXPECT_TRUE(logged("Couldn't open file ")) << g_log;
    OVgeometry_delete(g);
}

TEST_F(NffSave, RefusesWhatItCannotWrite) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    std::string path = (dir_ / "none.out").string();
    EXPECT_FALSE(OVgeometry_save(nullptr, path.c_str(), nullptr, OVFILE_NFF));
    EXPECT_FALSE(OVgeometry_save(g, nullptr, nullptr, OVFILE_NFF));
    EXPECT_FALSE(OVgeometry_save(g, path.c_str(), nullptr, OVFILE_WAVEFRONT));
    EXPECT_FALSE(OVgeometry_save(g, path.c_str(), nullptr, OVFILE_DXF));
    EXPECT_TRUE(logged("The DXF writer is not available yet"));
    EXPECT_FALSE(fs::exists(path));
    OVgeometry_delete(g);
}

TEST_F(NffSave, GeometryNodesSaveTheirGeometry) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *node = OVgeometrynode_new(root, OVgeometry_newcone(1, 1, 5, 0));
    std::string path = (dir_ / "node.bnff").string();
    ASSERT_TRUE(OVnode_save(node, path.c_str(), nullptr, OVFILE_BNFF, 0)) << g_log;
    OVnode *loaded = OVnode_load(root, path.c_str(), 1.0f);
    ASSERT_NE(loaded, nullptr) << g_log;
    expect_same_geometry(OVnode_getgeometry(node), OVnode_getgeometry(loaded), "cone node");
    EXPECT_STREQ(OVnode_getname(loaded), "cone");
    path = (dir_ / "node.nff").string();
    ASSERT_TRUE(OVnode_save(node, path.c_str(), nullptr, OVFILE_NFF, 0)) << g_log;
    EXPECT_EQ(contents(path).rfind("nff\n", 0), 0u);
}

} // namespace
} // namespace nfftest
