// The readers' bulk building: polygons made at once and measured at the
// geometry's close give what polygons closed one at a time give, and lines
// read at once from the buffer behave at its edges as the token calls do.
#include "geometry/geometry_access.h"
#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string g_log;
int capture(const char *text) {
    g_log += text;
    return 1;
}

class NffBulk : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = orv_test::scratch_dir("orv_nff_bulk_test");
        g_log.clear();
        OVmessage_sethook(capture);
    }
    void TearDown() override {
        for (OVgeomlist *l : loaded_) {
            for (OVgeomlist *e = l; e; e = _OVgeomlist_next(e))
                OVgeometry_delete(_OVgeomlist_geometry(e));
            _OVgeomlist_delete(l);
        }
        for (OVgeometry *g : built_)
            OVgeometry_delete(g);
        OVmessage_sethook(nullptr);
    }
    OVgeometry *load(const std::string &text) {
        std::string path = (dir_ / "bulk.nff").string();
        std::ofstream(path, std::ios::binary) << text;
        OVpq view;
        OVgeomlist *l = _OVgeometry_load(std::fopen(path.c_str(), "rb"), "bulk.nff", OVFILE_NFF,
                                         &view, 1.0f, 0);
        if (!l) return nullptr;
        loaded_.push_back(l);
        return _OVgeomlist_geometry(l);
    }
    std::filesystem::path dir_;
    std::vector<OVgeomlist *> loaded_;
    std::vector<OVgeometry *> built_;
};

// Corner positions of a fan of polygons, some skewed, some with repeated or
// collinear corners, some not convex.
const float kPoints[][3] = {{0, 0, 0},       {1, 0, 0},    {1, 1, 0.1f},  {0, 1, 0},
                            {0.5f, 0.5f, 2}, {2, 0.3f, 0}, {2, 2, 2},     {3, 1, 0},
                            {0.5f, 0.2f, 0}, {1, 0, 0},    {-1, -1, 0.5f}};
const std::vector<std::vector<int>> kRings = {
    {0, 1, 2},    {0, 1, 2, 3}, {1, 5, 6, 7},     {0, 4, 6}, {2, 3, 4},
    {0, 9, 1, 2}, {0, 8, 1, 3}, {3, 10, 5, 6, 7}, {0, 1, 5}, {4, 5, 6, 7, 8, 10}};

std::string model_text(bool smooth) {
    std::string text = "nff\nfan\n" + std::to_string(std::size(kPoints)) + "\n";
    char line[128];
    for (const auto &p : kPoints) {
        std::snprintf(line, sizeof line, "%.9g %.9g %.9g%s\n", p[0], p[1], p[2],
                      smooth ? " N" : "");
        text += line;
    }
    text += std::to_string(kRings.size()) + "\n";
    for (const auto &r : kRings) {
        text += std::to_string(r.size());
        for (int i : r)
            text += " " + std::to_string(i);
        text += "\n";
    }
    return text;
}

OVgeometry *built_one_at_a_time(bool smooth) {
    OVgeometry *g = OVgeometry_begin();
    for (const auto &p : kPoints)
        OVgeometry_newvertex(g, p);
    for (const auto &r : kRings) {
        OVpoly *p = OVgeometry_beginpoly(g);
        for (int i : r)
            OVpoly_addvertex(p, i);
        OVpoly_close(p);
    }
    smooth ? OVgeometry_closesmooth(g) : OVgeometry_close(g);
    return g;
}

// Every statistic of every polygon and every vertex normal, bit for bit.
void expect_same_statistics(OVgeometry *a, OVgeometry *b) {
    using namespace orv::geom;
    ASSERT_EQ(OVgeometry_numpolys(a), OVgeometry_numpolys(b));
    for (OVpoly *p = OVgeometry_getpolys(a), *q = OVgeometry_getpolys(b); p && q;
         p = OVpoly_next(p), q = OVpoly_next(q)) {
        EXPECT_EQ(std::memcmp(poly_normal(p), poly_normal(q), 3 * sizeof(float)), 0);
        float cp[3], cq[3];
        EXPECT_EQ(poly_bounds(p, cp), poly_bounds(q, cq));
        EXPECT_EQ(std::memcmp(cp, cq, sizeof cp), 0);
        EXPECT_EQ(poly_flags(p), poly_flags(q));
        EXPECT_EQ(poly_render_flags(p), poly_render_flags(q));
        EXPECT_EQ(poly_corner_count(p), poly_corner_count(q));
    }
    for (OVvertex *v = OVgeometry_getvertices(a), *w = OVgeometry_getvertices(b); v && w;
         v = OVvertex_next(v), w = OVvertex_next(w)) {
        const float *n = vertex_normal(v), *m = vertex_normal(w);
        ASSERT_EQ(n == nullptr, m == nullptr);
        if (n) {
            EXPECT_EQ(std::memcmp(n, m, 3 * sizeof(float)), 0);
        }
    }
}

TEST_F(NffBulk, LoadedPolygonsGetTheStatisticsOfPolygonsClosedOneAtATime) {
    for (bool smooth : {false, true}) {
        OVgeometry *loaded = load(model_text(smooth));
        ASSERT_NE(loaded, nullptr) << g_log;
        built_.push_back(built_one_at_a_time(smooth));
        expect_same_statistics(loaded, built_.back());
    }
}

// A model of nothing but sound triangles is measured as it is read, and the
// close leaves its polygons alone: the result must still be what polygons
// closed one at a time give, with and without vertex normals.
TEST_F(NffBulk, SoundTrianglesMeasuredWhileReadMatchPolygonsClosedOneAtATime) {
    constexpr int kSide = 6;
    for (bool normals : {false, true}) {
        std::string text = "nff\ngrid\n" + std::to_string(kSide * kSide) + "\n";
        OVgeometry *g = OVgeometry_begin();
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const float pos[3] = {x * 0.5f, y * 0.25f, (x * y) * 0.125f};
                const float normal[3] = {0, 0.6f, 0.8f};
                OVvertex *v = OVgeometry_newvertex(g, pos);
                char line[96];
                std::snprintf(line, sizeof line, "%.9g %.9g %.9g", pos[0], pos[1], pos[2]);
                text += line;
                if (normals) {
                    OVgeometry_setvertexnormal(g, v, normal);
                    text += " norm 0 0.6 0.8";
                }
                text += "\n";
            }
        text += std::to_string(2 * (kSide - 1) * (kSide - 1)) + "\n";
        for (int y = 0; y + 1 < kSide; ++y)
            for (int x = 0; x + 1 < kSide; ++x) {
                const int a = y * kSide + x, b = a + 1, c = a + kSide, d = c + 1;
                for (const auto &t : {std::vector<int>{a, b, d}, std::vector<int>{a, d, c}}) {
                    OVpoly *p = OVgeometry_beginpoly(g);
                    text += "3";
                    for (int i : t) {
                        OVpoly_addvertex(p, i);
                        text += " " + std::to_string(i);
                    }
                    text += "\n";
                    OVpoly_close(p);
                }
            }
        OVgeometry_close(g);
        built_.push_back(g);
        OVgeometry *loaded = load(text);
        ASSERT_NE(loaded, nullptr) << g_log;
        expect_same_statistics(loaded, g);
        float e[3], f[3];
        OVgeometry_getextents(loaded, e);
        OVgeometry_getextents(g, f);
        EXPECT_EQ(std::memcmp(e, f, sizeof e), 0);
    }
}

// Merging joins a geometry of sound triangles with one whose polygons still
// need the close: a triangle with a repeated corner and a quadrilateral out
// of its plane. The close must reach them whichever geometry comes first.
TEST_F(NffBulk, MergedGeometriesStillCleanThePolygonsThatNeedIt) {
    const std::string sound = "sound\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n";
    const std::string rough = "rough\n5\n0 0 0\n1 0 0\n1 1 1\n0 1 0\n5 5 5\n2\n"
                              "3 0 1 1\n4 0 1 2 3\n";
    for (const std::string &text : {"nff\n" + sound + rough, "nff\n" + rough + sound}) {
        std::string path = (dir_ / "merged.nff").string();
        std::ofstream(path, std::ios::binary) << text;
        OVpq view;
        OVgeomlist *l = _OVgeometry_load(std::fopen(path.c_str(), "rb"), "merged.nff", OVFILE_NFF,
                                         &view, 1.0f, 1);
        ASSERT_NE(l, nullptr) << g_log;
        loaded_.push_back(l);
        OVgeometry *g = _OVgeomlist_geometry(l);
        // The repeated corner's triangle is gone and the quadrilateral is two
        // triangles: one sound triangle and two pieces.
        EXPECT_EQ(OVgeometry_numpolys(g), 3) << text;
        int vertices = 0; // the unused 5 5 5 is dropped
        for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v))
            ++vertices;
        EXPECT_EQ(vertices, 7) << text;
        for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
            EXPECT_EQ(orv::geom::poly_corner_count(p), 3);
    }
}

TEST_F(NffBulk, LastLineWithoutLineFeedIsRead) {
    OVgeometry *g = load("nff\nt\n3\n0 0 0\n1 0 0\n0 1 0\n2\n3 0 1 2\n3 2 1 0 0xf00");
    ASSERT_NE(g, nullptr) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(g), 2);
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(g)), 0xff0000u);
    g = load("nff\nt\n3\n0 0 0\n1 0 0\n0 1 0.25");
    EXPECT_EQ(g, nullptr);
    EXPECT_NE(g_log.find("Number of polygons missing.\n"), std::string::npos) << g_log;
}

TEST_F(NffBulk, CarriageReturnsTabsAndCommentsOnEveryLine) {
    const std::string plain =
        "nff\nt\n4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n2\n3 0 1 2\n4 0 1 2 3 0x0f0\n";
    const std::string odd = "nff\r\nt\r\n4\r\n0\t0 0\r\n1 0 0 // one\n\t1 1\t0\r\n0 1 0\\\n\n2\n"
                            "3 0 1 2\r\n4\t0 1 2 3 0x0f0 //\r\n";
    OVgeometry *a = load(plain);
    OVgeometry *b = load(odd);
    ASSERT_NE(a, nullptr) << g_log;
    ASSERT_NE(b, nullptr) << g_log;
    expect_same_statistics(a, b);
    EXPECT_EQ(_OVpoly_getcolor24(OVgeometry_getpolys(b)), 0x00ff00u);
}

TEST_F(NffBulk, PolygonOverTheCornerLimitIsReportedThenIgnored) {
    std::string text = "nff\nbig\n300\n";
    for (int i = 0; i < 300; ++i)
        text += std::to_string(i) + " " + std::to_string(i % 7) + " 0\n";
    text += "2\n300";
    for (int i = 0; i < 300; ++i) // continued lines: one line would pass the length limit
        text += (i % 50 == 49 ? " \\\n" : " ") + std::to_string(i);
    text += " 0xfff -gate\n3 0 1 2\n";
    OVgeometry *g = load(text);
    ASSERT_NE(g, nullptr) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    const std::size_t limit = g_log.find("has 300 vertices -- outside [3,256]\n");
    const std::size_t located = g_log.find("Line 311 in 'bulk.nff'.\n");
    const std::size_t problem = g_log.find("Problem is with this polygon.\n");
    const std::size_t ignored = g_log.find("1 polygons were ignored.\n");
    ASSERT_NE(ignored, std::string::npos) << g_log;
    EXPECT_LT(limit, located);
    EXPECT_LT(located, problem);
    EXPECT_LT(problem, ignored);
}

TEST_F(NffBulk, CountsThatLieAreCaught) {
    // More vertices declared than the lines give: the first polygon count is
    // read as a vertex line and fails.
    EXPECT_EQ(load("nff\nt\n4\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n"), nullptr);
    EXPECT_NE(g_log.find("Vertex coordinate missing.\n"), std::string::npos) << g_log;
    g_log.clear();
    // Fewer polygons declared than given: the next line names a geometry.
    OVgeometry *g = load("nff\nt\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n3 2 1 0\n");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(OVgeometry_numpolys(g), 1);
    g_log.clear();
    // A vertex count no file of this size can hold is refused before allocating.
    EXPECT_EQ(load("nff\nt\n2000000000\n0 0 0\n"), nullptr);
    EXPECT_NE(g_log.find("Number of vertices invalid.\n"), std::string::npos) << g_log;
}

} // namespace

namespace {

// Vertex and polygon lines of varied lengths, enough of them that the
// reader's buffer refills in the middle of lines many times; with a comment
// on every line, the same model goes through the token calls instead.
std::string long_model(const char *tail) {
    const int side = 120;
    std::string text = "nff\nsheet\n" + std::to_string(side * side) + "\n";
    char line[160];
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            std::snprintf(line, sizeof line, "%.*f %d.%d %.3f%s\n", x % 7, x * 0.37, y, x % 13,
                          (x ^ y) * 0.001, tail);
            text += line;
        }
    text += std::to_string(2 * (side - 1) * (side - 1)) + "\n";
    for (int y = 0; y + 1 < side; ++y)
        for (int x = 0; x + 1 < side; ++x) {
            const int a = y * side + x, b = a + 1, c = a + side, d = c + 1;
            std::snprintf(line, sizeof line, "3 %d %d %d%s%s\n3 %d %d %d%s\n", a, b, d,
                          x % 3 ? "" : " 0x8f0", tail, a, d, c, tail);
            text += line;
        }
    return text;
}

TEST_F(NffBulk, LinesAcrossBufferRefillsReadAsThroughTheTokenCalls) {
    OVgeometry *quick = load(long_model(""));
    OVgeometry *tokens = load(long_model(" // through the token calls"));
    ASSERT_NE(quick, nullptr) << g_log;
    ASSERT_NE(tokens, nullptr) << g_log;
    EXPECT_EQ(OVgeometry_numpolys(quick), 2 * 119 * 119);
    expect_same_statistics(quick, tokens);
    for (OVvertex *v = OVgeometry_getvertices(quick), *w = OVgeometry_getvertices(tokens); v && w;
         v = OVvertex_next(v), w = OVvertex_next(w)) {
        OVp3 a, b;
        OVvertex_getposition(v, a);
        OVvertex_getposition(w, b);
        ASSERT_EQ(std::memcmp(a, b, sizeof a), 0);
    }
    for (OVpoly *p = OVgeometry_getpolys(quick), *q = OVgeometry_getpolys(tokens); p && q;
         p = OVpoly_next(p), q = OVpoly_next(q))
        ASSERT_EQ(_OVpoly_getcolor24(p), _OVpoly_getcolor24(q));
    EXPECT_TRUE(g_log.empty()) << g_log;
}

} // namespace
