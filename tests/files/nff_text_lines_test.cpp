// The text NFF writer line by line: view lines, names, the material table
// line and file, vertex and polygon attribute words in both versions, the
// placement thresholds, portal names, polygon order and texture marks.
#include "nff_save_fixture.h"

#include "orv/math.h"
#include "orv/texture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace nfftest {
namespace {

constexpr int kOldColours = 12, k12BitColours = 6, kTextureCoordinates = 5;

// "%f %f %f" of three floats.
std::string triple(const float *v) {
    char s[128];
    std::snprintf(s, sizeof s, "%f %f %f", static_cast<double>(v[0]), static_cast<double>(v[1]),
                  static_cast<double>(v[2]));
    return s;
}

// The polygon lines: everything after the polygon count line.
std::vector<std::string> polygon_lines(const std::string &text, OVgeometry *g) {
    std::vector<std::string> all;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        all.push_back(text.substr(at, end - at));
    }
    const std::size_t n = static_cast<std::size_t>(OVgeometry_numpolys(g));
    if (all.size() <= n || all[all.size() - n - 1] != std::to_string(n)) return {};
    return {all.end() - static_cast<long>(n), all.end()};
}

// A triangle built vertex by vertex, closed, without a name.
OVgeometry *unnamed_triangle() {
    OVgeometry *g = OVgeometry_begin();
    const OVp3 corners[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (const OVp3 &c : corners)
        OVgeometry_newvertex(g, c);
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int k = 0; k < 3; ++k)
        OVpoly_addvertex(p, k);
    OVpoly_close(p);
    OVgeometry_close(g);
    return g;
}

TEST_F(NffSave, ViewLinesGiveThePositionAndTheUnitViewDirection) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVp3 axis = {0, 1, 0};
    OVpq view = {{-1.5f, 0, 7}, {}};
    OVaxisangle_2q(axis, 0.5f, view.q);
    std::string text = contents(save(g, OVFILE_NFF, "view.nff", &view));
    OVp3 direction;
    OVq_2dir(view.q, direction);
    EXPECT_NEAR(direction[0] * direction[0] + direction[1] * direction[1] +
                    direction[2] * direction[2],
                1.0f, 1e-5f);
    EXPECT_EQ(text.rfind("nff\nversion 3.00\nviewpos  -1.500000 0.000000 7.000000\nviewdir  " +
                             triple(direction) + "\n\n" + OVgeometry_getname(g) + "\n",
                         0),
              0u)
        << text;
    OVgeometry_delete(g);
}

TEST_F(NffSave, UnnamedGeometryIsWrittenAsUntitled) {
    OVgeometry *g = unnamed_triangle();
    ASSERT_NE(g, nullptr) << g_log;
    std::string text = contents(save(g, OVFILE_NFF, "unnamed.nff"));
    EXPECT_NE(text.find("\nuntitled\n"), std::string::npos) << text;
    OVgeometry *read = load((dir_ / "unnamed.nff").string(), OVFILE_NFF);
    ASSERT_NE(read, nullptr) << g_log;
    EXPECT_STREQ(OVgeometry_getname(read), "untitled");
    OVgeometry_delete(g);
}

TEST_F(NffSave, TableLineAndMaterialFileOnlyInTheNewerForm) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    const std::string table = OVmtable_getname(OVgeometry_getmtable(g));
    OVuniverse_setoption(kOldColours, 1);
    std::string text = contents(save(g, OVFILE_NFF, "old.nff"));
    EXPECT_EQ(text.find("mtable"), std::string::npos) << text;
    EXPECT_EQ(text.find("matid"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(dir_ / (table + ".mat")));
    OVuniverse_setoption(kOldColours, 0);
    text = contents(save(g, OVFILE_NFF, "new.nff"));
    EXPECT_NE(text.find("\nmtable " + table + "\n"), std::string::npos) << text;
    EXPECT_TRUE(fs::exists(dir_ / (table + ".mat")));
    // Without a table there is neither a table line nor a material file.
    ASSERT_TRUE(OVgeometry_setmtable(g, nullptr));
    fs::remove(dir_ / (table + ".mat"));
    text = contents(save(g, OVFILE_NFF, "none.nff"));
    EXPECT_EQ(text.find("mtable"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(dir_ / (table + ".mat")));
    EXPECT_NE(load((dir_ / "none.nff").string(), OVFILE_NFF), nullptr) << g_log;
    OVgeometry_delete(g);
}

TEST_F(NffSave, VertexLinesCarryNormalAndOwnMaterial) {
    OVgeometry *g = OVgeometry_newrectangle(2, 2, 0);
    OVvertex *first = OVgeometry_getvertices(g);
    const OVp3 normal = {0, 0.6f, 0.8f};
    ASSERT_TRUE(OVgeometry_setvertexnormal(g, first, normal));
    ASSERT_TRUE(OVgeometry_setvertexrgb(g, first, 0x12, 0x34, 0x56));
    const int id = OVgeometry_getvertexmatid(g, first);
    ASSERT_GE(id, 0);
    OVp3 at;
    OVvertex_getposition(first, at);
    const std::string position = triple(at);
    std::string text = contents(save(g, OVFILE_NFF, "new.nff"));
    EXPECT_NE(text.find("\n" + position + " norm 0.000000 0.600000 0.800000 matid " +
                        std::to_string(id) + "\n"),
              std::string::npos)
        << text;
    // The older form writes the vertex colour in 24 bits even with 12-bit
    // polygon colours.
    OVuniverse_setoption(kOldColours, 1);
    OVuniverse_setoption(k12BitColours, 1);
    text = contents(save(g, OVFILE_NFF, "old.nff"));
    EXPECT_NE(text.find("\n" + position + " norm 0.000000 0.600000 0.800000 rgb 0x123456\n"),
              std::string::npos)
        << text;
    OVgeometry_delete(g);
}

TEST_F(NffSave, PolygonColourIdAndSidednessWords) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    _OVpoly_setcolor24(p, 0xA1B2C3);
    OVpoly_setbothsides(p, 0);
    const int id = OVpoly_getmatid(p);
    std::string corners = "4";
    for (int c = 0; c < 4; ++c)
        corners += " " + std::to_string(vertex_number(g, OVpoly_getvertex(p, c)));
    std::vector<std::string> lines = polygon_lines(contents(save(g, OVFILE_NFF, "a.nff")), g);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], corners + " matid " + std::to_string(id));
    OVpoly_setid(p, -7);
    OVpoly_setbothsides(p, 1);
    lines = polygon_lines(contents(save(g, OVFILE_NFF, "b.nff")), g);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], corners + " matid " + std::to_string(id) + " both id=-7");
    OVuniverse_setoption(kOldColours, 1);
    lines = polygon_lines(contents(save(g, OVFILE_NFF, "c.nff")), g);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], corners + " 0xa1b2c3 both id=-7");
    // 12 bits are each channel times 15, truncated: 0xa1 gives 9.
    OVuniverse_setoption(k12BitColours, 1);
    lines = polygon_lines(contents(save(g, OVFILE_NFF, "d.nff")), g);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], corners + " 0x9ab both id=-7");
    EXPECT_EQ(OVpoly_getcolor(p), 0x9ab);
    // The 12-bit option alone leaves the newer form as it is.
    OVuniverse_setoption(kOldColours, 0);
    lines = polygon_lines(contents(save(g, OVFILE_NFF, "e.nff")), g);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], corners + " matid " + std::to_string(id) + " both id=-7");
    OVgeometry_delete(g);
}

class TexturedLines : public NffSave {
  protected:
    void SetUp() override {
        NffSave::SetUp();
        unsigned char pixels[4 * 4 * 4] = {};
        ASSERT_TRUE(OVtexture_replace("wood", OVIMAGE_RGBA, 4, 4, pixels));
        g_ = OVgeometry_newrectangle(1, 1, 0);
        p_ = OVgeometry_getpolys(g_);
        ASSERT_TRUE(OVpoly_settexture(p_, "wood", 1, 0));
    }
    void TearDown() override {
        OVgeometry_delete(g_);
        NffSave::TearDown();
    }
    // The words after the texture name on the polygon line.
    std::string placement(const char *file) {
        std::vector<std::string> lines = polygon_lines(contents(save(g_, OVFILE_NFF, file)), g_);
        EXPECT_EQ(lines.size(), 1u);
        if (lines.empty()) return "";
        std::size_t at = lines[0].find(" _S_wood");
        EXPECT_NE(at, std::string::npos) << lines[0];
        return at == std::string::npos ? lines[0] : lines[0].substr(at + 8);
    }
    OVgeometry *g_ = nullptr;
    OVpoly *p_ = nullptr;
};

TEST_F(TexturedLines, PlacementBelowTheThresholdIsNotWritten) {
    EXPECT_EQ(placement("plain.nff"), "");
    OVpoly_rotatetexture(p_, 0.003f);
    OVpoly_scaletexture(p_, 1.003f);
    const float shift[2] = {0.003f, -0.003f};
    OVpoly_translatetexture(p_, shift);
    EXPECT_EQ(placement("small.nff"), "");
}

TEST_F(TexturedLines, NegativePlacementCountsByItsSize) {
    OVpoly_rotatetexture(p_, -0.25f);
    const float shift[2] = {0, -0.5f};
    OVpoly_translatetexture(p_, shift);
    OVtexinfo info;
    ASSERT_TRUE(OVpoly_gettextureinfo(p_, &info));
    char want[128];
    std::snprintf(want, sizeof want, " rot %f trans %f %f", static_cast<double>(info.rotation),
                  static_cast<double>(info.translation[0]),
                  static_cast<double>(info.translation[1]));
    EXPECT_EQ(placement("negative.nff"), want);
}

// The older form keeps the placement words too: the reader takes them in any
// version, and leaving them out would lose the placement on reading back.
TEST_F(TexturedLines, OlderFormKeepsThePlacement) {
    OVpoly_rotatetexture(p_, 0.5f);
    OVpoly_scaletexture(p_, 2);
    OVpoly_mirrortexture(p_);
    const float shift[2] = {1, 1};
    OVpoly_translatetexture(p_, shift);
    OVpoly_settexturestyle(p_, 1, 0, 1);
    const std::string newer = placement("new.nff");
    EXPECT_EQ(newer, " tint  rot 0.500000 mirror scale 2.000000 trans 1.000000 1.000000");
    OVuniverse_setoption(kOldColours, 1);
    EXPECT_EQ(placement("old.nff"), newer);
}

// Polygons are written oldest first, and the geometry's list is the same
// after the save as before it.
TEST_F(NffSave, PolygonsInCreationOrderAndTheListRestored) {
    OVgeometry *g = OVgeometry_newblock(1, 2, 3, 0);
    std::vector<OVpoly *> before;
    int i = 0;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        OVpoly_setid(p, ++i), before.push_back(p);
    std::vector<std::string> lines = polygon_lines(contents(save(g, OVFILE_NFF, "order.nff")), g);
    ASSERT_EQ(lines.size(), before.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string id = " id=" + std::to_string(before.size() - k);
        EXPECT_EQ(lines[k].substr(lines[k].size() - id.size()), id) << lines[k];
    }
    for (int type : {OVFILE_NFF, OVFILE_BNFF}) {
        save(g, type, type == OVFILE_NFF ? "again.nff" : "again.bnff");
        std::vector<OVpoly *> after;
        for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
            after.push_back(p);
        EXPECT_EQ(after, before) << type;
    }
    OVgeometry_delete(g);
}

// Every save starts from unmarked vertices: coordinates of a texture that
// has since been removed are not written again.
TEST_F(TexturedLines, TextureMarksAreClearedBeforeEachSave) {
    OVuniverse_setoption(kTextureCoordinates, 1);
    std::string text = contents(save(g_, OVFILE_NFF, "marked.nff"));
    EXPECT_NE(text.find(" uv "), std::string::npos) << text;
    ASSERT_TRUE(OVpoly_deletetexture(p_));
    text = contents(save(g_, OVFILE_NFF, "unmarked.nff"));
    EXPECT_EQ(text.find(" uv "), std::string::npos) << text;
}

// Many triangles over distinct vertices, then one polygon of 250 corners
// whose vertex numbers are large: its line is longer than a line the reader
// takes whole.
OVgeometry *wide_polygon_geometry() {
    constexpr int kTriangles = 3250, kRing = 250;
    constexpr float kTurn = 6.2831853f;
    OVgeometry *g = OVgeometry_begin();
    for (int t = 0; t < kTriangles; ++t) {
        const float x = static_cast<float>(t), z = 100;
        const OVp3 corners[] = {{x, 0, z}, {x + 0.5f, 0, z}, {x, 1, z}};
        for (const OVp3 &c : corners)
            OVgeometry_newvertex(g, c);
    }
    for (int k = 0; k < kRing; ++k) {
        const float a = kTurn * static_cast<float>(k) / kRing;
        const OVp3 c = {std::cos(a), std::sin(a), 0};
        OVgeometry_newvertex(g, c);
    }
    for (int t = 0; t < kTriangles; ++t) {
        OVpoly *p = OVgeometry_beginpoly(g);
        for (int c = 0; c < 3; ++c)
            OVpoly_addvertex(p, 3 * t + c);
        OVpoly_close(p);
    }
    OVpoly *ring = OVgeometry_beginpoly(g);
    for (int k = 0; k < kRing; ++k)
        OVpoly_addvertex(ring, 3 * kTriangles + k);
    OVpoly_close(ring);
    OVgeometry_close(g);
    return g;
}

TEST_F(NffSave, LongPolygonLinesContinueOnTheNextLine) {
    OVgeometry *g = wide_polygon_geometry();
    ASSERT_NE(g, nullptr) << g_log;
    ASSERT_EQ(OVpoly_numvertices(OVgeometry_getpolys(g)), 250);
    for (int old_form : {0, 1}) {
        OVuniverse_setoption(kOldColours, old_form);
        const std::string text = contents(save(g, OVFILE_NFF, "wide.nff"));
        std::size_t longest = 0;
        for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
            end = text.find('\n', at);
            longest = std::max(longest, end - at);
        }
        EXPECT_LT(longest, 1023u);
        EXPECT_NE(text.find(" \\\n"), std::string::npos);
        g_log.clear();
        expect_same_geometry(g, load((dir_ / "wide.nff").string(), OVFILE_NFF), "wide");
        EXPECT_EQ(g_log, "");
    }
    OVgeometry_delete(g);
}

// Names too long for a line are cut, with a warning, so the file reads.
TEST_F(NffSave, OverlongNamesAreCutSoTheFileReads) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    const std::string name(1500, 'q');
    OVgeometry_setname(g, name.c_str());
    unsigned char pixels[4 * 4 * 4] = {};
    ASSERT_TRUE(OVtexture_replace(name.c_str(), OVIMAGE_RGBA, 4, 4, pixels));
    ASSERT_TRUE(OVpoly_settexture(OVgeometry_getpolys(g), name.c_str(), 0, 0));
    std::string path = save(g, OVFILE_NFF, "long.nff");
    EXPECT_TRUE(logged("ORV Warning: Geometry name \"qqq")) << g_log;
    EXPECT_TRUE(logged("ORV Warning: Texture name \"qqq")) << g_log;
    g_log.clear();
    OVgeometry *read = load(path, OVFILE_NFF);
    ASSERT_NE(read, nullptr) << g_log;
    const std::string back = OVgeometry_getname(read);
    EXPECT_GT(back.size(), 900u);
    EXPECT_LT(back.size(), 1023u);
    EXPECT_EQ(name.rfind(back, 0), 0u);
    EXPECT_EQ(OVgeometry_numpolys(read), 1);
    EXPECT_FALSE(logged("Line ")) << g_log;
    OVgeometry_delete(g);
}

} // namespace
} // namespace nfftest
