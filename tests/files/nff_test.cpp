#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/math.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string g_log;
int capture(const char *text) {
    g_log += text;
    return 1;
}

namespace fs = std::filesystem;

class Nff : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = orv_test::scratch_dir("orv_nff_test");
        g_log.clear();
        OVmessage_sethook(capture);
    }
    void TearDown() override {
        for (OVgeomlist *l : loaded_) {
            for (OVgeomlist *e = l; e; e = _OVgeomlist_next(e))
                OVgeometry_delete(_OVgeomlist_geometry(e));
            _OVgeomlist_delete(l);
        }
        OVmessage_sethook(nullptr);
    }

    OVgeomlist *load(const std::string &text, int merge = 0, OVpq *view = nullptr) {
        std::string path = (dir_ / "model.nff").string();
        std::ofstream(path, std::ios::binary) << text;
        OVpq v;
        OVgeomlist *l = _OVgeometry_load(std::fopen(path.c_str(), "rb"), "model.nff", OVFILE_NFF,
                                         view ? view : &v, 1.0f, merge);
        if (l) loaded_.push_back(l);
        return l;
    }
    bool logged(const std::string &s) const { return g_log.find(s) != std::string::npos; }

    fs::path dir_;
    std::vector<OVgeomlist *> loaded_;
};

const char *kSquare = "nff\nsquare\n4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n1\n";

int count(OVgeomlist *l) {
    int n = 0;
    for (; l; l = _OVgeomlist_next(l))
        ++n;
    return n;
}

TEST_F(Nff, MagicWordMustComeFirst) {
    EXPECT_EQ(load("obj\nx\n"), nullptr);
    EXPECT_TRUE(logged("File model.nff. 'obj' is not the magic string ('nff')\n"));
    g_log.clear();
    EXPECT_EQ(load("   \n// only a comment\n"), nullptr);
    EXPECT_TRUE(logged("File model.nff has no data\n"));
}

TEST_F(Nff, RedTwoSidedSquare) {
    OVgeomlist *l = load(std::string(kSquare) + "4 0 1 2 3 0xf00 both\n");
    ASSERT_EQ(count(l), 1);
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_STREQ(OVgeometry_getname(g), "square");
    ASSERT_EQ(OVgeometry_numpolys(g), 1);
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_TRUE(OVpoly_getbothsides(p));
    EXPECT_EQ(OVpoly_numvertices(p), 4);
    EXPECT_EQ(OVmtable_getcolor24(OVgeometry_getmtable(g), OVpoly_getmatid(p)), 0xFF0000u);
}

TEST_F(Nff, BothBeforeColourFails) {
    EXPECT_EQ(load(std::string(kSquare) + "4 0 1 2 3 both 0xf00\n"), nullptr);
    EXPECT_TRUE(logged("Polygon color invalid.\n"));
    EXPECT_TRUE(logged("Line 9 in 'model.nff'.\n"));
}

TEST_F(Nff, CaretUnderTheOffendingToken) {
    load("nff\nsquare\n4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n1\n3 0 1 2 0xfff\tidx=7\n");
    EXPECT_TRUE(logged("3 0 1 2 0xfff\tidx=7\n" + std::string(16, ' ') +
                       "^\n"
                       "Polygon assignment unknown.\n"));
}

TEST_F(Nff, NonFiniteNumbersAreMalformedNumbers) {
    EXPECT_EQ(load("nff\nsquare\n4\n0 0 0\nnan 0 0\n1 1 0\n0 1 0\n1\n4 0 1 2 3\n"), nullptr);
    EXPECT_TRUE(logged("Line 5 in 'model.nff'.\n"));
    EXPECT_TRUE(logged("Vertex coordinate invalid.  Remember not to use punctuation.\n"));
    g_log.clear();
    EXPECT_EQ(load("nff\nsquare\n4\n0 0 0\n1 -inf 0\n1 1 0\n0 1 0\n1\n4 0 1 2 3\n"), nullptr);
    EXPECT_TRUE(logged("Vertex coordinate invalid.  Remember not to use punctuation.\n"));
    // A header view of NaN is refused with the rest of the file.
    g_log.clear();
    OVpq view;
    EXPECT_EQ(
        load(std::string("nff\nviewpos nan nan nan\n") + (kSquare + 4) + "4 0 1 2 3\n", 0, &view),
        nullptr);
    EXPECT_TRUE(logged("Vertex coordinate invalid.  Remember not to use punctuation.\n"));
    EXPECT_FLOAT_EQ(view.p[0], 0.0f);
    // Finite, but too large for the extents to be.
    g_log.clear();
    EXPECT_EQ(load("nff\nsquare\n4\n0 0 0\n3e38 0 0\n1 1 0\n-3e38 1 0\n1\n4 0 1 2 3\n"), nullptr);
    EXPECT_TRUE(logged("Line 5 in 'model.nff'.\n"));
    EXPECT_TRUE(logged("Vertex coordinate invalid.\n"));
}

TEST_F(Nff, PolygonIds) {
    OVgeomlist *l = load(std::string(kSquare) + "3 0 1 2 0xfff id=7\n");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(OVpoly_getid(OVgeometry_getpolys(_OVgeomlist_geometry(l))), 7);
    EXPECT_EQ(load(std::string(kSquare) + "3 0 1 2 id=7\n"), nullptr);
    EXPECT_TRUE(logged("Polygon color invalid.\n"));
    g_log.clear();
    EXPECT_EQ(load(std::string(kSquare) + "3 0 1 2 0xfff id=x\n"), nullptr);
    EXPECT_TRUE(logged("ID number invalid.\n"));
    g_log.clear();
    EXPECT_EQ(load(std::string(kSquare) + "3 0 1 2 0xfff a=b=c\n"), nullptr);
    EXPECT_TRUE(logged("Polygon attribute unknown.\n"));
}

TEST_F(Nff, Version3RefusesVertexRgb) {
    EXPECT_EQ(load("nff version 3.0\ng\n3\n0 0 0 rgb 0xf00\n1 0 0\n0 1 0\n1\n3 0 1 2\n"), nullptr);
    EXPECT_TRUE(logged("nff file format v3.0 does not allow rgb"));
}

TEST_F(Nff, OldVersionNormalWithoutKeyword) {
    OVgeomlist *l = load("nff\ng\n3\n0 0 0 0 1 0\n1 0 0\n0 0 1\n1\n3 0 1 2 0xfff\n");
    ASSERT_NE(l, nullptr);
    OVgeometry *g = _OVgeomlist_geometry(l);
    bool found = false;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 p, n;
        OVvertex_getposition(v, p);
        if (p[0] == 0 && p[1] == 0 && p[2] == 0 && OVgeometry_getvertexnormal(g, v, n)) {
            EXPECT_FLOAT_EQ(n[1], 1.0f);
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(Nff, ContinuationAndComments) {
    OVgeomlist *l = load("nff // magic\ng\n3\n0 0 0\n1 0\\\n 0\n0 1 0//tail\n1\n3 0 1 2 0xfff\n");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(OVgeometry_numpolys(_OVgeomlist_geometry(l)), 1);
}

TEST_F(Nff, ShortPolygonsAreIgnoredEmptyOnesFail) {
    OVgeomlist *l = load("nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n2\n2 0 1\n3 0 1 2\n");
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(logged("A polygon cannot have fewer than 3 vertices.\n"));
    EXPECT_TRUE(logged("1 polygons were ignored.\n"));
    g_log.clear();
    EXPECT_EQ(load("nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n1\n0\n"), nullptr);
    EXPECT_TRUE(logged("This polygon does not have any vertices.\n"));
    g_log.clear();
    EXPECT_EQ(load("nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 9\n"), nullptr);
    EXPECT_TRUE(logged("Vertex index invalid.\n"));
}

TEST_F(Nff, HugeDeclaredCountsAreRefused) {
    EXPECT_EQ(load("nff\ng\n2000000000\n0 0 0\n"), nullptr);
    EXPECT_TRUE(logged("Number of vertices invalid.\n"));
    EXPECT_TRUE(logged("File 'model.nff' has no readable geometries\n"));
}

TEST_F(Nff, MergeJoinsGeometriesUnlessDistinct) {
    std::string two = "g1\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2 0xf00\n"
                      "g2\n3\n0 0 5\n1 0 5\n0 1 5\n1\n3 0 1 2 0x0f0\n";
    OVgeomlist *merged = load("nff\n" + two, 1);
    ASSERT_EQ(count(merged), 1);
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(merged)), "g1");
    EXPECT_EQ(OVgeometry_numpolys(_OVgeomlist_geometry(merged)), 2);
    EXPECT_EQ(count(load("nff distinct\n" + two, 1)), 2);
    EXPECT_EQ(count(load("nff\n" + two, 0)), 2);
}

TEST_F(Nff, HeaderView) {
    OVpq view;
    ASSERT_NE(
        load("nff viewpos 1 2 3 viewdir 0 0 -1\ng\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n", 0, &view),
        nullptr);
    EXPECT_FLOAT_EQ(view.p[2], 3.0f);
    EXPECT_EQ(load("nff viewpos 1 x 3\n", 0, &view), nullptr);
}

TEST_F(Nff, UnknownTypeCode) {
    std::string path = (dir_ / "x.bin").string();
    std::ofstream(path) << "x";
    OVpq v;
    EXPECT_EQ(_OVgeometry_load(std::fopen(path.c_str(), "rb"), "x.bin", 3, &v, 1, 0), nullptr);
    EXPECT_TRUE(logged("Unknown file type: 3 of file x.bin\n"));
}

TEST_F(Nff, FileTypeFromFirstBytes) {
    struct Case {
        const char *bytes;
        int code;
    } cases[] = {{"//lights", 15}, {"2424", 6},  {"2323", 7},    {"  0\n", 1},  {"0\r\n", 1},
                 {"999\n", 1},     {"3DG1", 5},  {"nff\n", 2},   {"zq", 2},     {"bnff", 11},
                 {"mat\n", 13},    {"MM", 9},    {"==", 9},      {"solid", 12}, {"#VRML V1", 14},
                 {"#VRML V2", 17}, {"WBDF", 16}, {"o cube\n", 4}};
    for (const Case &c : cases) {
        std::string path = (dir_ / "type").string();
        std::ofstream(path, std::ios::binary) << c.bytes;
        EXPECT_EQ(_OVfile_type(path.c_str()), c.code) << c.bytes;
    }
    std::string path = (dir_ / "type").string();
    std::ofstream(path, std::ios::binary) << std::string("\0\1xx", 4);
    EXPECT_EQ(_OVfile_type(path.c_str()), 8);
    EXPECT_EQ(_OVfile_type((dir_ / "missing").string().c_str()), 0);
}

TEST_F(Nff, SearchTriesDirectoriesInOrder) {
    fs::remove_all(dir_ / "a");
    fs::create_directories(dir_ / "a");
    fs::create_directories(dir_ / "b");
    std::ofstream(dir_ / "b" / "thing.nff") << "nff";
    std::string list = (dir_ / "a").string() + ";" + (dir_ / "b").string();
    setenv("OVMODELS", list.c_str(), 1);
    const char *found = _OVfile_findpath("thing.nff", "OVMODELS");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(std::string(found), (dir_ / "b" / "thing.nff").string());
    EXPECT_NE(_OVfile_findmodel("thing"), nullptr);
    std::ofstream(dir_ / "a" / "thing.nff") << "nff";
    EXPECT_EQ(std::string(_OVfile_findpath("thing.nff", "OVMODELS")),
              (dir_ / "a" / "thing.nff").string());
    OVfile_setmodelpath((dir_ / "b").string().c_str());
    EXPECT_EQ(std::string(_OVfile_findpath("thing.nff", "OVMODELS")),
              (dir_ / "b" / "thing.nff").string());
    OVfile_setmodelpath("");
    unsetenv("OVMODELS");
    EXPECT_EQ(_OVfile_findpath("thing.nff", "OVMODELS"), nullptr);
}

} // namespace

namespace {

TEST_F(Nff, MtableLinesAreLoadedAndJoinedWithTheSharedTable) {
    std::ofstream(dir_ / "wood.mat") << "mat\nvalid ambientdiffuse\nmatdef\nambientdiffuse 0 0 1\n";
    std::string list = dir_.string();
    OVfile_setmodelpath(list.c_str());
    OVgeomlist *l = load("nff\ng1\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2 0xf00\n"
                         "g2\nmtable wood\n3\n0 0 5\n1 0 5\n0 1 5\n1\n3 0 1 2 matid 0\n",
                         1);
    OVfile_setmodelpath("");
    ASSERT_NE(l, nullptr);
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVmtable *t = OVgeometry_getmtable(g);
    ASSERT_NE(t, nullptr);
    // The shared entries come first; the loaded table's id 0 follows them.
    ASSERT_EQ(OVmtable_getnumentries(t), 2); // red, then the loaded blue
    bool blue = false;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        blue = blue || OVmtable_getcolor24(t, OVpoly_getmatid(p)) == 0x0000FFu;
    EXPECT_TRUE(blue);
    g_log.clear();
    EXPECT_NE(load("nff version 3.0\ng\nmtable nosuch\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n"),
              nullptr);
    EXPECT_TRUE(logged("Couldn't load mtable 'nosuch' for geometry 'g' in file 'model.nff'.\n"));
}

} // namespace

namespace {

const char *kTriangle = "a\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n";

TEST_F(Nff, TruncatedFilesKeepTheGeometriesBefore) {
    OVgeomlist *l = load(std::string("nff\n") + kTriangle + "b\n3\n0 0 0\n1 0 0\n0 1");
    ASSERT_EQ(count(l), 1);
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(l)), "a");
    EXPECT_TRUE(logged("Vertex coordinate missing.\n"));
    g_log.clear();
    // Three vertex lines cannot fit in what is left of the file.
    EXPECT_EQ(count(load(std::string("nff\n") + kTriangle + "b\n3\n0 0 0\n1 0")), 1);
    EXPECT_TRUE(logged("Number of vertices invalid.\n"));
    g_log.clear();
    EXPECT_EQ(load("nff\na\n3\n0 0 0\n1 0 0\n0 1 0\n"), nullptr);
    EXPECT_TRUE(logged("Number of polygons missing.\n"));
    EXPECT_TRUE(logged("File 'model.nff' has no readable geometries\n"));
    g_log.clear();
    l = load(std::string("nff\n") + kTriangle + "b\n3\n0 0 0\n1 0 0\n0 1 0\n3\n3 0 1 2\n");
    EXPECT_EQ(count(l), 1);
    EXPECT_TRUE(logged("Number of vertices missing.\n"));
    g_log.clear();
    EXPECT_EQ(load("nff\n"), nullptr); // the header never ends
    EXPECT_EQ(load("nff version"), nullptr);
    EXPECT_TRUE(logged("Version missing.\n"));
}

TEST_F(Nff, HugeAndMalformedCounts) {
    // A polygon count costs nothing until polygons are read: the missing one is reported.
    EXPECT_EQ(load("nff\na\n3\n0 0 0\n1 0 0\n0 1 0\n2000000000\n3 0 1 2\n"), nullptr);
    EXPECT_TRUE(logged("Number of vertices missing.\n"));
    g_log.clear();
    EXPECT_EQ(load("nff\na\n3\n0 0 0\n1 0 0\n0 1 0\n1\n2000000000 0 1 2\n"), nullptr);
    EXPECT_TRUE(logged("Vertex index missing.\n"));
    for (const char *bad : {"-5", "12x", "99999999999999999999", "+-3"}) {
        g_log.clear();
        EXPECT_EQ(load(std::string("nff\na\n") + bad + "\n0 0 0\n"), nullptr) << bad;
        EXPECT_TRUE(logged("Number of vertices invalid.\n")) << bad << g_log;
    }
}

TEST_F(Nff, VertexNumbersOutOfRange) {
    for (const char *line : {"3 0 1 3\n", "3 0 -1 2\n", "3 0 1 2.0\n"}) {
        g_log.clear();
        EXPECT_EQ(load(std::string("nff\na\n3\n0 0 0\n1 0 0\n0 1 0\n1\n") + line), nullptr);
        EXPECT_TRUE(logged("Vertex index invalid.\n")) << line;
    }
}

TEST_F(Nff, OverlongLinesAreReportedAndReadOn) {
    std::string wide = "3 0 1 2" + std::string(1500, ' ') + "both\n";
    OVgeomlist *l =
        load(std::string("nff\n") + kTriangle + "b\n3\n0 0 0\n1 0 0\n0 1 0\n1\n" + wide);
    EXPECT_TRUE(logged("Line 15 in 'model.nff'.\n"));
    EXPECT_TRUE(logged("Line longer than 1023 characters: the rest is read as the next line.\n"));
    // The polygon was complete within the limit; the rest of its line, "both",
    // is then taken for the name of a geometry that has nothing more.
    ASSERT_EQ(count(l), 2);
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(_OVgeomlist_next(l))), "b");
    EXPECT_FALSE(
        OVpoly_getbothsides(OVgeometry_getpolys(_OVgeomlist_geometry(_OVgeomlist_next(l)))));
    EXPECT_TRUE(logged("Number of vertices missing.\n"));
    g_log.clear();
    std::string exact = "3 0 1 2" + std::string(1015, ' ') + "\n"; // 1023 bytes with its line feed
    EXPECT_EQ(count(load("nff\na\n3\n0 0 0\n1 0 0\n0 1 0\n1\n" + exact)), 1);
    EXPECT_FALSE(logged("Line longer"));
}

TEST_F(Nff, BinaryJunkGivesMessagesNotCrashes) {
    unsigned seed = 12345;
    auto junk = [&seed](std::size_t n) {
        std::string s;
        for (std::size_t i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            s += static_cast<char>(seed >> 16);
        }
        return s;
    };
    for (int round = 0; round < 20; ++round) {
        g_log.clear();
        EXPECT_EQ(load(junk(4096)), nullptr);
        EXPECT_FALSE(g_log.empty());
        g_log.clear();
        OVgeomlist *l = load(std::string("nff\n") + kTriangle + junk(4096));
        EXPECT_GE(count(l), 1) << round; // the geometry before the junk stays
        EXPECT_FALSE(g_log.empty());
    }
}

TEST_F(Nff, FirstEightBytesWithoutCarriageReturnsDecide) {
    struct Case {
        std::string bytes;
        int code;
    } cases[] = {{"2\r424", 6},         {"\rnff\r\n", 2},          {"\r#VRML V1", 4},
                 {"#VRML V1 utf8", 14}, {"  #VRML V1", 4},         {"0\n", 1},
                 {"999\r\n", 1},        {"\r\r\r\r\r\r\r\rnff", 4}};
    for (const Case &c : cases) {
        std::string path = (dir_ / "type").string();
        std::ofstream(path, std::ios::binary) << c.bytes;
        EXPECT_EQ(_OVfile_type(path.c_str()), c.code) << c.bytes;
    }
}

} // namespace

namespace {

TEST_F(Nff, ManyDegeneratePolygonsAreDroppedAtClose) {
    std::string text = "nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n30001\n";
    for (int i = 0; i < 30000; ++i)
        text += "3 0 0 1\n"; // a repeated corner leaves two
    text += "3 0 1 2\n";
    OVgeomlist *l = load(text);
    ASSERT_EQ(count(l), 1);
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    int listed = 0;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        ++listed;
    EXPECT_EQ(listed, 1);
}

} // namespace

namespace {

// Everything a reader result says about its polygons and vertices, in list order.
std::string describe(OVgeometry *g) {
    std::string out;
    char line[160];
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 at;
        OVvertex_getposition(v, at);
        std::snprintf(line, sizeof line, "v %g %g %g\n", at[0], at[1], at[2]);
        out += line;
    }
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p)) {
        OVp3 n;
        OVpoly_getnormal(p, n);
        std::snprintf(line, sizeof line,
                      "p %06x id %d both %d normal %g %g %g:", _OVpoly_getcolor24(p),
                      OVpoly_getid(p), OVpoly_getbothsides(p), n[0], n[1], n[2]);
        out += line;
        for (int i = 0; i < OVpoly_numvertices(p); ++i) {
            OVp3 at;
            OVvertex_getposition(OVpoly_getvertex(p, i), at);
            std::snprintf(line, sizeof line, " (%g %g %g)", at[0], at[1], at[2]);
            out += line;
        }
        out += "\n";
    }
    return out;
}

// A fan of `corners` triangles-worth around the origin as one polygon line's numbers.
std::string ring(int first, int corners) {
    std::string out = std::to_string(corners);
    for (int i = 0; i < corners; ++i)
        out += " " + std::to_string(first + i);
    return out;
}

// Vertex and polygon lines of every form: plain ones, which are read at
// once, and ones with comments, attributes, tabs, carriage returns or many
// corners, which take the token calls.
std::string mixed_model(const std::string &tail) {
    std::string text = "nff\nmixed\n20\n";
    for (int i = 0; i < 20; ++i) {
        const float angle = static_cast<float>(i) * 6.2831853f / 20;
        char line[96];
        std::snprintf(line, sizeof line, "%.4f\t%.4f  0%s%s", std::cos(angle), std::sin(angle),
                      i % 3 ? "" : "\r", tail.c_str());
        text += line;
        text += "\n";
    }
    text += "7\n";
    const std::string polys[] = {"3 0 1 2",
                                 "3 2 3 4 0xf00",
                                 " 4 4 5 6 7\t0x00ff80",
                                 "3 8 9 10 0x0f0 both",
                                 "3 10 11 12 0x123 id=9",
                                 ring(0, 20),
                                 "5 12 13 14 15 16 0xabc\r"};
    for (const std::string &p : polys)
        text += p + tail + "\n";
    return text;
}

TEST_F(Nff, QuickAndTokenReadLinesGiveTheSameGeometry) {
    OVgeomlist *quick = load(mixed_model(""));
    OVgeomlist *tokens = load(mixed_model(" // every line through the token calls"));
    ASSERT_EQ(count(quick), 1);
    ASSERT_EQ(count(tokens), 1);
    const std::string a = describe(_OVgeomlist_geometry(quick));
    EXPECT_EQ(a, describe(_OVgeomlist_geometry(tokens)));
    // Vertices in file order; polygons newest first, each ring in file order.
    EXPECT_EQ(a.rfind("v 1 0 0\n", 0), 0u) << a;
    const std::size_t first_poly = a.find("\np ") + 1;
    EXPECT_EQ(a.compare(first_poly, 9, "p aabbcc "), 0)
        << a; // the last line, 12-bit colour widened
    EXPECT_NE(a.find("p ff0000 id 0"), std::string::npos) << a;
    EXPECT_NE(a.find("p 00ff80 id 0"), std::string::npos) << a;
    EXPECT_NE(a.find("p 00ff00 id 0 both 1"), std::string::npos) << a;
    EXPECT_NE(a.find("p 112233 id 9"), std::string::npos) << a;
    EXPECT_EQ(OVgeometry_numpolys(_OVgeomlist_geometry(quick)), 7);
}

TEST_F(Nff, BadNumbersOnPlainLinesAreReportedWithTheirLine) {
    EXPECT_EQ(load("nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n2\n3 0 1 2\n3 0 1 3\n"), nullptr);
    EXPECT_TRUE(logged("Line 9 in 'model.nff'.\n3 0 1 3\n      ^\nVertex index invalid.\n"))
        << g_log;
    g_log.clear();
    EXPECT_EQ(load("nff\ng\n3\n0 0 0\n1 0 0\n0 1.5.2 0\n1\n3 0 1 2\n"), nullptr);
    EXPECT_TRUE(logged("Line 6 in 'model.nff'.\n0 1.5.2 0\n  ^\n"
                       "Vertex coordinate invalid.  Remember not to use punctuation.\n"))
        << g_log;
    g_log.clear();
    EXPECT_EQ(load("nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2 0xfg0\n"), nullptr);
    EXPECT_TRUE(
        logged("Line 8 in 'model.nff'.\n3 0 1 2 0xfg0\n        ^\nPolygon color invalid.\n"))
        << g_log;
}

} // namespace

namespace {

const char *kTri = "3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n";

TEST_F(Nff, ViewDirectionIsNormalisedAndAZeroOneIsIgnored) {
    OVpq view = {{9, 9, 9}, {1, 0, 0, 0}};
    ASSERT_NE(load(std::string("nff viewdir 0 0 -2\ng\n") + kTri, 0, &view), nullptr);
    OVq want;
    OVp3 unit = {0, 0, -1};
    OVdir_2q(unit, want);
    for (int k = 0; k < 4; ++k)
        EXPECT_FLOAT_EQ(view.q[k], want[k]) << k;
    EXPECT_FLOAT_EQ(view.p[0], 0.0f); // the defaults come first
    ASSERT_NE(load(std::string("nff\nviewdir 0 0 0\ng\n") + kTri, 0, &view), nullptr);
    EXPECT_FLOAT_EQ(view.q[3], 1.0f);
    EXPECT_FLOAT_EQ(view.q[2], 0.0f);
    EXPECT_EQ(load("nff viewdir 0 y 0\ng\n", 0, &view), nullptr);
    EXPECT_TRUE(logged("Viewdirection coordinate invalid.  Remember not to use punctuation.\n"));
    g_log.clear();
    EXPECT_EQ(load("nff version 3.x\ng\n", 0, &view), nullptr);
    EXPECT_TRUE(logged("Version invalid.  Remember not to use punctuation.\n"));
}

TEST_F(Nff, NameLineTakesOnlyKeyValuePairs) {
    OVgeomlist *l = load(std::string("nff\ng colour=red size=2\n") + kTri);
    ASSERT_EQ(count(l), 1);
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(l)), "g");
    for (const char *bad : {"g red\n", "g a=b=c\n", "g =b\n"}) {
        g_log.clear();
        EXPECT_EQ(load(std::string("nff\n") + bad + kTri), nullptr) << bad;
        EXPECT_TRUE(logged("Line 2 in 'model.nff'.\n")) << bad;
        EXPECT_TRUE(logged("Geometry attribute unknown.\n")) << bad;
    }
}

// The vertex of the given position, or null.
OVvertex *vertex_at(OVgeometry *g, float x, float y, float z) {
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVvertex_getposition(v, p);
        if (p[0] == x && p[1] == y && p[2] == z) return v;
    }
    return nullptr;
}

TEST_F(Nff, VertexItemsInAnyOrder) {
    OVgeomlist *l = load("nff\ng\n4\n0 0 0 N matid 1\n1 0 0 rgb 0xf80\n1 1 0 rgb 0x123456 N\n"
                         "0 1 0 matid -2\n1\n4 0 1 2 3 0xfff\n");
    ASSERT_EQ(count(l), 1) << g_log;
    EXPECT_TRUE(logged("negative material index parsed from nff file\n"));
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVmtable *t = OVgeometry_getmtable(g);
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, vertex_at(g, 0, 0, 0), n)); // smooth: made at close
    EXPECT_NEAR(std::fabs(n[2]), 1.0f, 1e-6f);
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, vertex_at(g, 1, 0, 0), n));
    EXPECT_EQ(OVgeometry_getvertexmatid(g, vertex_at(g, 0, 0, 0)), 1);
    EXPECT_EQ(OVmtable_getcolor24(t, OVgeometry_getvertexmatid(g, vertex_at(g, 1, 0, 0))),
              0xFF8800u);
    EXPECT_EQ(OVmtable_getcolor24(t, OVgeometry_getvertexmatid(g, vertex_at(g, 1, 1, 0))),
              0x123456u);
    EXPECT_EQ(OVgeometry_getvertexmatid(g, vertex_at(g, 0, 1, 0)), -1);
}

TEST_F(Nff, BadVertexValues) {
    // A bad "uv" or "norm" value is reported and the line goes on.
    OVgeomlist *l = load("nff version 2.0\ng\n3\n0 0 0 uv 1 x N\n1 0 0 norm 0 q 1\n"
                         "0 1 0 norm 0 0 0\n1\n3 0 1 2\n");
    ASSERT_EQ(count(l), 1) << g_log;
    EXPECT_TRUE(logged("Vertex uv invalid.  Remember not to use punctuation.\n"));
    EXPECT_TRUE(logged("Vertex normal invalid.  Remember not to use punctuation.\n"));
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVp3 n;
    EXPECT_TRUE(OVgeometry_getvertexnormal(g, vertex_at(g, 0, 0, 0), n));  // "N" after the bad uv
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, vertex_at(g, 0, 1, 0), n)); // zero normal dropped
    // A bad colour or material id fails the geometry.
    struct Case {
        const char *line, *message;
    } cases[] = {{"0 0 0 rgb 0xfg0\n", "Vertex color invalid.\n"},
                 {"0 0 0 rgb\n", "Vertex color missing.\n"},
                 {"0 0 0 matid one\n", "Material index invalid.\n"}};
    for (const Case &c : cases) {
        g_log.clear();
        EXPECT_EQ(load(std::string("nff\ng\n3\n") + c.line + "1 0 0\n0 1 0\n1\n3 0 1 2\n"), nullptr)
            << c.line;
        EXPECT_TRUE(logged("Line 4 in 'model.nff'.\n")) << c.line;
        EXPECT_TRUE(logged(c.message)) << c.line << g_log;
    }
}

TEST_F(Nff, VersionTwoReadsNormalsByKeyword) {
    OVgeomlist *l = load("nff version 2.0\ng\n3\n0 0 0 norm 0 1 0\n1 0 0 0 0 1\n0 1 0\n1\n"
                         "3 0 1 2\n");
    ASSERT_EQ(count(l), 1) << g_log;
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVp3 n;
    ASSERT_TRUE(OVgeometry_getvertexnormal(g, vertex_at(g, 0, 0, 0), n));
    EXPECT_FLOAT_EQ(n[1], 1.0f);
    // Without the keyword the numbers are other tokens, ignored.
    EXPECT_FALSE(OVgeometry_getvertexnormal(g, vertex_at(g, 1, 0, 0), n));
    // Below 2.0 "norm" is no keyword: it starts a normal, which is invalid.
    g_log.clear();
    ASSERT_EQ(count(load("nff\ng\n3\n0 0 0 norm 0 1 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n")), 1);
    EXPECT_TRUE(logged("Vertex normal invalid.  Remember not to use punctuation.\n"));
}

TEST_F(Nff, PolygonColoursAndMaterialIds) {
    OVgeomlist *l = load("nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n4\n3 0 1 2 matid 3\n3 0 1 2 0x00ff0\n"
                         "3 0 1 2 0x0000ff both\n3 0 1 2 matid -1\n");
    ASSERT_EQ(count(l), 1) << g_log;
    EXPECT_TRUE(logged("negative material index parsed from nff file\n"));
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVmtable *t = OVgeometry_getmtable(g);
    std::vector<OVpoly *> polys; // newest first
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        polys.insert(polys.begin(), p);
    ASSERT_EQ(polys.size(), 4u);
    EXPECT_EQ(OVpoly_getmatid(polys[0]), 3);
    // Only a token of five characters is 12-bit; "0x00ff0" is 24-bit.
    EXPECT_EQ(OVmtable_getcolor24(t, OVpoly_getmatid(polys[1])), 0x000FF0u);
    EXPECT_EQ(OVmtable_getcolor24(t, OVpoly_getmatid(polys[2])), 0x0000FFu);
    EXPECT_TRUE(OVpoly_getbothsides(polys[2]));
    EXPECT_EQ(OVpoly_getmatid(polys[3]), 0); // ignored: as created
    g_log.clear();
    EXPECT_EQ(load("nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n1\nx 0 1 2\n"), nullptr);
    EXPECT_TRUE(logged("Number of vertices invalid.\n"));
    g_log.clear();
    EXPECT_EQ(load("nff\ng\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2 matid\n"), nullptr);
    EXPECT_TRUE(logged("Material index missing.\n"));
}

TEST_F(Nff, TablesByVersion) {
    // Below 2.99 a geometry gets a table of its own; from 2.99 on only through "mtable".
    OVgeomlist *l = load(std::string("nff version 2.98\ng\n") + kTri);
    ASSERT_EQ(count(l), 1);
    OVmtable *t = OVgeometry_getmtable(_OVgeomlist_geometry(l));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getproperties(t), OVAMBIENTDIFFUSE);
    l = load(std::string("nff version 2.99\ng\n") + kTri);
    ASSERT_EQ(count(l), 1);
    EXPECT_EQ(OVgeometry_getmtable(_OVgeomlist_geometry(l)), nullptr);
    // Merging shares one table from geometry to geometry, even when "distinct"
    // keeps the geometries apart.
    l = load(std::string("nff distinct\na\n") + kTri + "b\n" + kTri, 1);
    ASSERT_EQ(count(l), 2);
    EXPECT_EQ(OVgeometry_getmtable(_OVgeomlist_geometry(l)),
              OVgeometry_getmtable(_OVgeomlist_geometry(_OVgeomlist_next(l))));
    l = load(std::string("nff\na\n") + kTri + "b\n" + kTri, 0);
    ASSERT_EQ(count(l), 2);
    EXPECT_NE(OVgeometry_getmtable(_OVgeomlist_geometry(l)),
              OVgeometry_getmtable(_OVgeomlist_geometry(_OVgeomlist_next(l))));
}

TEST_F(Nff, TheOtherMagicWord) {
    OVgeomlist *l = load(std::string("zq\ng\n") + kTri);
    ASSERT_EQ(count(l), 1) << g_log;
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(l)), "g");
}

TEST_F(Nff, ModelSearchAddsTheExtensionOnlyToBareNames) {
    fs::create_directories(dir_ / "models");
    std::ofstream(dir_ / "models" / "chair.nff") << "nff";
    std::ofstream(dir_ / "models" / "chair.x.nff") << "nff";
    OVfile_setmodelpath((dir_ / "models").string().c_str());
    const char *found = _OVfile_findmodel("chair");
    EXPECT_EQ(found ? std::string(found) : "", (dir_ / "models" / "chair.nff").string());
    EXPECT_EQ(_OVfile_findmodel("chair.x"), nullptr); // has an extension: tried as given
    OVfile_setmodelpath("");
}

TEST_F(Nff, ScaleMultipliesEveryCoordinate) {
    std::string path = (dir_ / "scaled.nff").string();
    std::ofstream(path, std::ios::binary) << "nff\ng\n3\n0 0 0\n1 0 0\n0 1 -2\n1\n3 0 1 2\n";
    OVpq v;
    OVgeomlist *l =
        _OVgeometry_load(std::fopen(path.c_str(), "rb"), "scaled.nff", OVFILE_NFF, &v, 2.5f, 0);
    ASSERT_NE(l, nullptr);
    loaded_.push_back(l);
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_NE(vertex_at(g, 2.5f, 0, 0), nullptr);
    EXPECT_NE(vertex_at(g, 0, 2.5f, -5), nullptr);
}

} // namespace
