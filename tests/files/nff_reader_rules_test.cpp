// Rules of the text model reader beyond the common cases: the view record's
// defaults, header values across lines, corner counts, geometries without
// valid polygons, portals and colours through merging.
#include "files/nff_reader.h"
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
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

const char *kTri = "3\n0 0 0\n1 0 0\n0 1 0\n";

class NffRules : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = orv_test::scratch_dir("orv_nff_rules");
        g_log.clear();
        OVmessage_sethook(capture);
    }
    void TearDown() override {
        for (OVgeomlist *l : loaded_)
            free_list(l);
        OVmessage_sethook(nullptr);
    }
    static void free_list(OVgeomlist *l) {
        for (OVgeomlist *e = l; e; e = _OVgeomlist_next(e))
            OVgeometry_delete(_OVgeomlist_geometry(e));
        _OVgeomlist_delete(l);
    }
    std::string write(const std::string &text) {
        const std::string path = (dir_ / "model.nff").string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    OVgeomlist *load(const std::string &text, int merge = 0, OVpq *view = nullptr, int type = 2) {
        const std::string path = write(text);
        OVpq v;
        OVgeomlist *l = _OVgeometry_load(std::fopen(path.c_str(), "rb"), "model.nff", type,
                                         view ? view : &v, 1.0f, merge);
        if (l) loaded_.push_back(l);
        return l;
    }
    bool logged(const std::string &s) const { return g_log.find(s) != std::string::npos; }
    static int count(OVgeomlist *l) {
        int n = 0;
        for (; l; l = _OVgeomlist_next(l))
            ++n;
        return n;
    }
    static void expect_default_view(const OVpq &view) {
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(view.p[k], 0.0f) << k;
        EXPECT_EQ(view.q[0], 0.0f);
        EXPECT_EQ(view.q[1], 0.0f);
        EXPECT_EQ(view.q[2], 0.0f);
        EXPECT_EQ(view.q[3], 1.0f);
    }

    std::filesystem::path dir_;
    std::vector<OVgeomlist *> loaded_;
};

TEST_F(NffRules, ViewGetsItsDefaultsWhateverIsRead) {
    OVpq view = {{7, 8, 9}, {1, 0, 0, 0}};
    ASSERT_NE(load(std::string("nff\ng\n") + kTri + "1\n3 0 1 2\n", 0, &view), nullptr);
    expect_default_view(view);
    view = {{7, 8, 9}, {1, 0, 0, 0}};
    EXPECT_EQ(load("obj\n", 0, &view), nullptr);
    expect_default_view(view);
    view = {{7, 8, 9}, {1, 0, 0, 0}};
    EXPECT_EQ(load("nff\n", 0, &view, 3), nullptr); // unknown type code
    expect_default_view(view);
}

TEST_F(NffRules, EveryOtherTypeCodeIsUnknown) {
    for (int type : {0, 3, 6, 10, 13, 15, 17, -1}) {
        g_log.clear();
        EXPECT_EQ(load("nff\n", 0, nullptr, type), nullptr) << type;
        EXPECT_TRUE(logged("Unknown file type: " + std::to_string(type) + " of file model.nff\n"))
            << type << g_log;
    }
}

TEST_F(NffRules, HeaderValuesMayFollowOnLaterLines) {
    OVpq view;
    OVgeomlist *l = load(std::string("nff\nviewpos\n1\n2 // two\n3\nversion\n2.0\ng\n3\n") +
                             "0 0 0 norm 0 1 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n",
                         0, &view);
    ASSERT_EQ(count(l), 1) << g_log;
    EXPECT_EQ(view.p[0], 1.0f);
    EXPECT_EQ(view.p[1], 2.0f);
    EXPECT_EQ(view.p[2], 3.0f);
    // Version 2.0 took effect: "norm" is a keyword.
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVp3 n;
    bool found = false;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
        found = found || (OVgeometry_getvertexnormal(g, v, n) && n[1] == 1.0f);
    EXPECT_TRUE(found);
    EXPECT_FALSE(logged("invalid"));
}

TEST_F(NffRules, VersionThreeRgbMessageAndTheGeometryBefore) {
    OVgeomlist *l = load(std::string("nff version 3.0\nfirst\n") + kTri + "1\n3 0 1 2\n" +
                         "second\n3\n0 0 0 rgb 0xf00\n1 0 0\n0 1 0\n1\n3 0 1 2\n");
    ASSERT_EQ(count(l), 1);
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(l)), "first");
    EXPECT_TRUE(
        logged("nff file format v3.0 does not allow rgb \t\t\t\t\t\t\t\tcolors for vertices\n"))
        << g_log;
    // Just below 3.0 the colour is taken.
    g_log.clear();
    EXPECT_EQ(count(load("nff version 2.98\ng\n3\n0 0 0 rgb 0xf00\n1 0 0\n0 1 0\n1\n3 0 1 2\n")),
              1);
    EXPECT_FALSE(logged("does not allow"));
}

TEST_F(NffRules, ColoursWithoutATableAreReportedOnce) {
    // From 2.99 on a geometry has a table only through an "mtable" line:
    // its colours cannot be kept, and that is said once per geometry.
    OVgeomlist *l = load("nff version 2.99\ng\n3\n0 0 0 rgb 0xf00\n1 0 0\n0 1 0\n2\n"
                         "3 0 1 2 0x00ff00\n3 0 1 2 0xf00 both\nh\n" +
                         std::string(kTri) + "1\n3 0 1 2 0x0f0\n");
    ASSERT_EQ(count(l), 2) << g_log;
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_EQ(OVgeometry_getmtable(g), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(g), 2);
    const std::string said = "Geometry 'g' in file 'model.nff' has no material table: its colors "
                             "are ignored.\n";
    EXPECT_EQ(g_log.find(said), g_log.rfind(said));
    EXPECT_TRUE(logged(said));
    EXPECT_TRUE(logged("Geometry 'h' in file 'model.nff' has no material table"));
    g_log.clear();
    EXPECT_EQ(count(load(std::string("nff version 2.99\ng\n") + kTri + "1\n3 0 1 2 matid 2\n")), 1);
    EXPECT_FALSE(logged("no material table"));
}

TEST_F(NffRules, CornerCounts) {
    EXPECT_EQ(load(std::string("nff\ng\n") + kTri + "1\n-1 0 1 2\n"), nullptr);
    EXPECT_TRUE(logged("Line 8 in 'model.nff'.\n"));
    EXPECT_TRUE(logged("This polygon does not have any vertices.\n"));
    g_log.clear();
    OVgeomlist *l = load(std::string("nff\ng\n") + kTri + "3\n1 0\n3 0 1 2\n2 1 2 // short\n");
    ASSERT_EQ(count(l), 1);
    EXPECT_EQ(OVgeometry_numpolys(_OVgeomlist_geometry(l)), 1);
    EXPECT_TRUE(logged("Line 8 in 'model.nff'.\n1 0\n"));
    EXPECT_TRUE(logged("Line 10 in 'model.nff'.\n"));
    EXPECT_TRUE(logged("A polygon cannot have fewer than 3 vertices.\n"));
    EXPECT_TRUE(logged("2 polygons were ignored.\n"));
}

TEST_F(NffRules, GeometryWithoutValidPolygonsEndsTheRead) {
    const std::string good = std::string("b\n") + kTri + "1\n3 0 1 2\n";
    EXPECT_EQ(load(std::string("nff\na\n") + kTri + "1\n2 0 1\n" + good), nullptr);
    EXPECT_TRUE(logged("1 polygons were ignored.\n"));
    EXPECT_TRUE(logged("No valid polygons in object.\n"));
    EXPECT_TRUE(logged("File 'model.nff' has no readable geometries\n"));
    g_log.clear();
    EXPECT_EQ(load(std::string("nff\na\n") + kTri + "0\n" + good), nullptr);
    EXPECT_TRUE(logged("No valid polygons in object.\n"));
    EXPECT_FALSE(logged("polygons were ignored"));
    g_log.clear();
    OVgeomlist *l = load("nff\n" + good + "c\n" + kTri + "0\n" + good);
    ASSERT_EQ(count(l), 1);
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(l)), "b");
    EXPECT_TRUE(logged("No valid polygons in object.\n"));
}

TEST_F(NffRules, OldVersionZeroNormalIsNotKept) {
    OVgeomlist *l = load(std::string("nff\ng\n3\n0 0 0 0 0 0\n1 0 0 0 0 1\n0 1 0\n1\n3 0 1 2\n"));
    ASSERT_EQ(count(l), 1);
    OVgeometry *g = _OVgeomlist_geometry(l);
    int with_normal = 0;
    OVp3 n;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
        with_normal += OVgeometry_getvertexnormal(g, v, n) ? 1 : 0;
    EXPECT_EQ(with_normal, 1);
}

TEST_F(NffRules, ColourLengthsDecideTheirWidth) {
    // Polygons: only five characters are 12-bit. Vertices: only eight are 24-bit.
    OVgeomlist *l = load("nff\ng\n3\n0 0 0 rgb f80\n1 0 0 rgb 0x00ff80\n0 1 0\n3\n"
                         "3 0 1 2 f80\n3 0 1 2 0xf80\n3 0 1 2 0x0ff\n");
    ASSERT_EQ(count(l), 1) << g_log;
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVmtable *t = OVgeometry_getmtable(g);
    std::vector<unsigned> colours; // newest polygon first
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        colours.push_back(OVmtable_getcolor24(t, OVpoly_getmatid(p)));
    ASSERT_EQ(colours.size(), 3u);
    EXPECT_EQ(colours[2], 0x000F80u);
    EXPECT_EQ(colours[1], 0xFF8800u);
    EXPECT_EQ(colours[0], 0x00FFFFu);
    std::vector<unsigned> vertex_colours;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
        if (OVgeometry_getvertexmatid(g, v) >= 0)
            vertex_colours.push_back(OVmtable_getcolor24(t, OVgeometry_getvertexmatid(g, v)));
    ASSERT_EQ(vertex_colours.size(), 2u);
    EXPECT_EQ(vertex_colours[0], 0xFF8800u);
    EXPECT_EQ(vertex_colours[1], 0x00FF80u);
}

TEST_F(NffRules, PortalAttributes) {
    const std::string text = std::string("nff\ng\n") + kTri +
                             "3\n3 0 1 2 0xf00 -door\n3 0 1 2 0x0f0 both -hall id=3\n"
                             "3 0 1 2 0x00f\n";
    // Without a portal list the attribute is accepted and nothing more.
    OVgeomlist *plain = load(text);
    ASSERT_EQ(count(plain), 1) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(_OVgeomlist_geometry(plain)), 3);

    const std::string path = write(text);
    std::FILE *f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    OVpq view;
    std::vector<orv::PortalRequest> portals;
    OVgeomlist *l = orv::nff_read(f, "model.nff", &view, 1.0f, false, &portals);
    std::fclose(f);
    ASSERT_EQ(count(l), 1) << g_log;
    loaded_.push_back(l);
    ASSERT_EQ(portals.size(), 2u);
    EXPECT_EQ(portals[0].target, "door");
    EXPECT_EQ(portals[1].target, "hall");
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVmtable *t = OVgeometry_getmtable(g);
    EXPECT_EQ(OVmtable_getcolor24(t, OVpoly_getmatid(portals[0].poly)), 0xFF0000u);
    EXPECT_EQ(OVmtable_getcolor24(t, OVpoly_getmatid(portals[1].poly)), 0x00FF00u);
    EXPECT_EQ(OVpoly_getid(portals[1].poly), 3);
    EXPECT_TRUE(OVpoly_getbothsides(portals[1].poly));

    // Attributes need the colour first.
    g_log.clear();
    EXPECT_EQ(load(std::string("nff\ng\n") + kTri + "1\n3 0 1 2 -door\n"), nullptr);
    EXPECT_TRUE(logged("Polygon color invalid.\n"));
}

TEST_F(NffRules, MergedGeometriesKeepEveryPolygonsColour) {
    OVgeomlist *l = load(std::string("nff\na\n") + kTri + "1\n3 0 1 2 0xf00\nb\n" + kTri +
                             "2\n3 0 1 2 0x0f0\n3 0 1 2 0xf00\nc\n" + kTri + "1\n3 0 1 2 0x00f\n",
                         1);
    ASSERT_EQ(count(l), 1) << g_log;
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_STREQ(OVgeometry_getname(g), "a");
    OVmtable *t = OVgeometry_getmtable(g);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getnumentries(t), 3); // one shared table: red, green, blue once each
    int red = 0, green = 0, blue = 0;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p)) {
        const unsigned c = OVmtable_getcolor24(t, OVpoly_getmatid(p));
        red += c == 0xFF0000u;
        green += c == 0x00FF00u;
        blue += c == 0x0000FFu;
    }
    EXPECT_EQ(red, 2);
    EXPECT_EQ(green, 1);
    EXPECT_EQ(blue, 1);
}

TEST_F(NffRules, TableAlreadyInTheUniverseIsTakenByName) {
    OVmtable *paint = OVmtable_new(OVAMBIENTDIFFUSE, 2, "paintpot");
    ASSERT_NE(paint, nullptr);
    ASSERT_EQ(OVmtable_matchcolor24(paint, 0x336699), 0);
    OVgeomlist *l =
        load(std::string("nff version 3.0\ng\nmtable paintpot\n") + kTri + "1\n3 0 1 2 matid 0\n");
    ASSERT_EQ(count(l), 1) << g_log;
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_EQ(OVgeometry_getmtable(g), paint);
    EXPECT_EQ(OVmtable_getcolor24(paint, OVpoly_getmatid(OVgeometry_getpolys(g))), 0x336699u);
    EXPECT_FALSE(logged("Couldn't load mtable"));
}

TEST_F(NffRules, TheFileIsClosedWhateverHappens) {
    const std::string path = write(std::string("nff\ng\n") + kTri + "1\n3 0 1 2\n");
    for (int type : {static_cast<int>(OVFILE_NFF), 3}) {
        std::FILE *f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr);
        const int fd = fileno(f);
        OVpq view;
        OVgeomlist *l = _OVgeometry_load(f, "model.nff", type, &view, 1.0f, 0);
        if (l) loaded_.push_back(l);
        EXPECT_EQ(fcntl(fd, F_GETFD), -1) << type; // no longer open
    }
}

TEST_F(NffRules, FailedTableLineIsSilentWhileTheGeometryHasATable) {
    OVgeomlist *l =
        load(std::string("nff version 2.0\ng\nmtable nosuchtable\n") + kTri + "1\n3 0 1 2 0xf00\n");
    ASSERT_EQ(count(l), 1) << g_log;
    EXPECT_FALSE(logged("Couldn't load mtable"));
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_EQ(OVmtable_getcolor24(OVgeometry_getmtable(g), OVpoly_getmatid(OVgeometry_getpolys(g))),
              0xFF0000u);
}

TEST_F(NffRules, PlacementWordsWithoutValuesEndTheLineQuietly) {
    for (const char *tail : {"rot", "scale", "trans", "trans 1", "rot x"}) {
        g_log.clear();
        OVgeomlist *l = load(std::string("nff\ng\n") + kTri + "1\n3 0 1 2 0xf00 " + tail + "\n");
        ASSERT_EQ(count(l), 1) << tail << g_log;
        EXPECT_EQ(OVgeometry_numpolys(_OVgeomlist_geometry(l)), 1) << tail;
    }
}

TEST_F(NffRules, BlankCommentAndContinuedLinesAnywhere) {
    OVgeomlist *l = load("nff // model\n\n// header done\nversion \\\n 2.0\n\n"
                         "sq // name\n// count next\n\n4\n\n0 0 0\n  // between vertices\n"
                         "1 0 0 norm \\\n0 0 1\n1 1 0\n\t\n0 1 0\n\n1 // one polygon\n\n"
                         "4 0 1 \\\n 2 3 0xf00 \\\nboth\n// after\n\n");
    ASSERT_EQ(count(l), 1) << g_log;
    OVgeometry *g = _OVgeomlist_geometry(l);
    EXPECT_STREQ(OVgeometry_getname(g), "sq");
    ASSERT_EQ(OVgeometry_numpolys(g), 1);
    OVpoly *p = OVgeometry_getpolys(g);
    EXPECT_EQ(OVpoly_numvertices(p), 4);
    EXPECT_TRUE(OVpoly_getbothsides(p));
    EXPECT_EQ(OVmtable_getcolor24(OVgeometry_getmtable(g), OVpoly_getmatid(p)), 0xFF0000u);
    int normals = 0;
    OVp3 n;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
        normals += OVgeometry_getvertexnormal(g, v, n) ? 1 : 0;
    EXPECT_EQ(normals, 1); // the continued "norm" of version 2.0
    EXPECT_TRUE(g_log.empty()) << g_log;
}

TEST_F(NffRules, IntegersAreDecimalWholeTokens) {
    OVgeomlist *l = load("nff\ng\n03\n0 0 0\n1 0 0\n0 1 0\n+1\n3 00 01 010\n");
    EXPECT_EQ(l, nullptr); // 010 is ten, not eight: out of range
    EXPECT_TRUE(logged("Vertex index invalid.\n"));
    g_log.clear();
    l = load("nff\ng\n03\n0 0 0\n1 0 0\n0 1 0\n+1\n3 00 01 02\n");
    ASSERT_EQ(count(l), 1) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(_OVgeomlist_geometry(l)), 1);
}

TEST_F(NffRules, GeometriesThatCannotCloseLeaveTheList) {
    const std::string flat = std::string("flat\n") + kTri + "1\n3 0 0 1\n"; // two distinct corners
    OVgeomlist *l = load(std::string("nff\na\n") + kTri + "1\n3 0 1 2\n" + flat);
    ASSERT_EQ(count(l), 1) << g_log;
    EXPECT_STREQ(OVgeometry_getname(_OVgeomlist_geometry(l)), "a");
    EXPECT_EQ(load("nff\n" + flat), nullptr) << g_log;
}

TEST_F(NffRules, JoinedTablesServeEveryGeometryThatSharedThem) {
    std::ofstream(dir_ / "duo.mat") << "mat\nvalid ambientdiffuse\nmatdef\nambientdiffuse 0 0 1\n"
                                       "matdef\nambientdiffuse 1 1 0\n";
    OVfile_setmodelpath(dir_.string().c_str());
    OVgeomlist *l = load(std::string("nff distinct\na\n") + kTri + "2\n3 0 1 2 0xf00\n" +
                             "3 0 1 2 0x0f0\nb\nmtable duo\n3\n0 0 0 matid 2\n1 0 0\n0 1 0\n"
                             "2\n3 0 1 2 matid 0\n3 0 1 2 matid 3\n",
                         1);
    OVfile_setmodelpath("");
    ASSERT_EQ(count(l), 2) << g_log;
    OVgeometry *a = _OVgeomlist_geometry(l);
    OVgeometry *b = _OVgeomlist_geometry(_OVgeomlist_next(l));
    OVmtable *joined = OVgeometry_getmtable(a);
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(OVgeometry_getmtable(b), joined);
    ASSERT_EQ(OVmtable_getnumentries(joined), 4); // red, green, then the file's blue, yellow
    EXPECT_EQ(OVmtable_getcolor24(joined, 2), 0x0000FFu);
    EXPECT_EQ(OVmtable_getcolor24(joined, 3), 0xFFFF00u);
    std::vector<int> ids; // b's polygons, newest first
    for (OVpoly *p = OVgeometry_getpolys(b); p; p = OVpoly_next(p))
        ids.push_back(OVpoly_getmatid(p));
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(ids[1], 2); // 0 of the file's table
    EXPECT_EQ(ids[0], 3); // 3 modulo 2 is 1 of the file's table
    std::vector<int> vertex_ids;
    for (OVvertex *v = OVgeometry_getvertices(b); v; v = OVvertex_next(v))
        vertex_ids.push_back(OVgeometry_getvertexmatid(b, v));
    EXPECT_EQ(vertex_ids, (std::vector<int>{2, -1, -1})); // 2 modulo 2 is 0
    std::vector<unsigned> a_colours;
    for (OVpoly *p = OVgeometry_getpolys(a); p; p = OVpoly_next(p))
        a_colours.push_back(OVmtable_getcolor24(joined, OVpoly_getmatid(p)));
    EXPECT_EQ(a_colours, (std::vector<unsigned>{0x00FF00u, 0xFF0000u}));
}

TEST_F(NffRules, SmoothVertexTakesTheMeanOfItsPolygonsNormals) {
    OVgeomlist *l = load("nff\ng\n4\n0 0 0 N\n1 0 0\n0 1 0\n0 0 1\n2\n3 0 1 2\n3 0 2 3\n");
    ASSERT_EQ(count(l), 1) << g_log;
    OVgeometry *g = _OVgeomlist_geometry(l);
    OVp3 sum = {0, 0, 0};
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p)) {
        OVp3 n;
        OVpoly_getnormal(p, n);
        for (int k = 0; k < 3; ++k)
            sum[k] += n[k];
    }
    const float length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
    ASSERT_GT(length, 1.0f); // two perpendicular unit normals
    int smooth = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 n;
        if (!OVgeometry_getvertexnormal(g, v, n)) continue;
        ++smooth;
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(n[k], sum[k] / length, 1e-5f) << k;
    }
    EXPECT_EQ(smooth, 1); // only the vertex marked N
}

TEST_F(NffRules, MissingValueIsReportedWithItsLine) {
    EXPECT_EQ(load(std::string("nff\ng\n") + kTri + "1\n3 0 1\n"), nullptr);
    EXPECT_TRUE(logged("Line 8 in 'model.nff'.\n3 0 1\n"));
    EXPECT_TRUE(logged("^\nVertex index missing.\n"));
}

} // namespace
