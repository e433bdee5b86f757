#include "orv/font3d.h"
#include "orv/geometry.h"
#include "orv/file.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "orv/orv_internal.h"
#include "orv/universe.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" void _OVfont3d_deleteall(void);

namespace {

std::string g_log;
int capture(const char *text) {
    g_log += text;
    return 1;
}

namespace fs = std::filesystem;

// A unit square glyph in the cell [0, 1] x [0, 1].
std::string glyph(const std::string &name) {
    return name + "\n4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n1\n4 0 1 2 3 0xfff\n";
}

class Text3d : public ::testing::Test {
  protected:
    void SetUp() override {
        g_log.clear();
        OVmessage_sethook(capture);
        dir_ = orv_test::scratch_dir("orv_text3d_test");
    }
    void TearDown() override {
        _OVfont3d_deleteall();
        OVmessage_sethook(nullptr);
    }
    std::string write(const std::string &file, const std::string &text) {
        std::string path = (dir_ / file).string();
        std::ofstream(path) << text;
        return path;
    }
    bool logged(const std::string &s) const { return g_log.find(s) != std::string::npos; }
    fs::path dir_;
};

TEST_F(Text3d, LaysOutCopiesAlongX) {
    std::string path = write("ab.nff", "nff\n" + glyph("char65") + glyph("char66"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(OVfont3d_find(path.c_str()), font);
    EXPECT_TRUE(OVfont3d_haschar(font, 'A'));
    EXPECT_TRUE(OVfont3d_haschar(font, 'B' + 256));
    EXPECT_FALSE(OVfont3d_haschar(font, 'C'));
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 1.1f);
    OVfont3d_setspacingfactor(font, 1);
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 1.0f);
    OVfont3d_setspacing(font, 2);
    OVgeometry *text = OVgeometry_newtext3d(font, "A B");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(OVgeometry_getname(text), "text");
    EXPECT_EQ(OVgeometry_numpolys(text), 2);
    float maxx = -1;
    for (OVvertex *v = OVgeometry_getvertices(text); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVvertex_getposition(v, p);
        maxx = std::max(maxx, p[0]);
    }
    EXPECT_FLOAT_EQ(maxx, 5.0f); // B moved by twice the advance
    OVgeometry *newline = OVgeometry_newtext3d(font, "A\nB");
    float nx = -1;
    for (OVvertex *v = OVgeometry_getvertices(newline); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVvertex_getposition(v, p);
        nx = std::max(nx, p[0]);
    }
    EXPECT_FLOAT_EQ(nx, 3.0f);
    EXPECT_EQ(OVgeometry_newtext3d(font, "   "), nullptr);
    EXPECT_EQ(OVgeometry_newtext3d(nullptr, "A"), nullptr);
    float e[6];
    OVfont3d_getextents(font, e);
    EXPECT_FLOAT_EQ(e[0], 0.0f);
    EXPECT_FLOAT_EQ(e[3], 1.0f);
    OVfont3d_delete(font);
    EXPECT_EQ(OVfont3d_find(path.c_str()), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(text), 2); // text holds copies
    OVgeometry_delete(text);
    OVgeometry_delete(newline);
}

TEST_F(Text3d, FontFileProblems) {
    std::string none = write("none.nff", "nff\n" + glyph("letterA") + glyph("char300"));
    EXPECT_EQ(OVfont3d_load(none.c_str()), nullptr);
    EXPECT_TRUE(logged("File " + none + " doesn't contain any usable 3D letters\n"));
    std::string extra =
        write("extra.nff", "nff\n" + glyph("char65") + glyph("base") + glyph("char65"));
    g_log.clear();
    EXPECT_NE(OVfont3d_load(extra.c_str()), nullptr);
    EXPECT_TRUE(logged("Font file " + extra + " contains 1 non-character objects\n"));
    EXPECT_TRUE(logged("contains more than one object for character 65\n"));
    g_log.clear();
    EXPECT_EQ(OVfont3d_load("no-such-font"), nullptr);
    EXPECT_TRUE(logged("Couldn't find 3D font file no-such-font\n"));
    std::string bad = write("bad.nff", "obj\n");
    g_log.clear();
    EXPECT_EQ(OVfont3d_load(bad.c_str()), nullptr);
    EXPECT_TRUE(logged("doesn't contain usable 3D letters\n"));
}

TEST_F(Text3d, FirstCopyStaysAndEachCharacterKeepsItsCell) {
    std::string path = write("ab.nff", "nff\n" + glyph("char65") + glyph("char66"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    OVgeometry *text = OVgeometry_newtext3d(font, "A\tB  A"); // the tab takes no cell
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(OVgeometry_numpolys(text), 3);
    std::vector<float> xs;
    for (OVvertex *v = OVgeometry_getvertices(text); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVvertex_getposition(v, p);
        xs.push_back(p[0]);
        EXPECT_GE(p[1], 0.0f);
        EXPECT_LE(p[1], 1.0f); // nothing moves off the baseline
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    // Cells at columns 0, 1 and 4 with the advance 1.1.
    EXPECT_EQ(xs.size(), 6u);
    EXPECT_FLOAT_EQ(xs.front(), 0.0f);
    EXPECT_FLOAT_EQ(xs[2], 1.1f);
    EXPECT_FLOAT_EQ(xs.back(), 4 * 1.1f + 1);
    OVgeometry_delete(text);
}

TEST_F(Text3d, VerticesAndPolygonsComeInReadingOrder) {
    // The glyphs' polygon ids tell their copies apart.
    auto numbered = [](const std::string &name, int id) {
        return name +
               "\n4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n1\n4 0 1 2 3 0xfff id=" + std::to_string(id) +
               "\n";
    };
    std::string path = write("order.nff", "nff\n" + numbered("char65", 1) + numbered("char66", 2));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    OVfont3d_setspacing(font, 2);
    OVgeometry *text = OVgeometry_newtext3d(font, "ABB");
    ASSERT_NE(text, nullptr);
    std::vector<float> cells; // the cell of each vertex, in list order
    for (OVvertex *v = OVgeometry_getvertices(text); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVvertex_getposition(v, p);
        cells.push_back(std::floor(p[0] / 2));
    }
    ASSERT_EQ(cells.size(), 12u);
    for (std::size_t i = 1; i < cells.size(); ++i)
        EXPECT_LE(cells[i - 1], cells[i]) << "vertex " << i;
    std::vector<int> ids;
    for (OVpoly *p = OVgeometry_getpolys(text); p; p = OVpoly_next(p))
        ids.push_back(OVpoly_getid(p));
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 2}));
    EXPECT_STREQ(OVgeometry_getname(text), "text");
    OVgeometry_delete(text);
}

TEST_F(Text3d, FontsAreFoundAlongTheModelPathAndKeptByTheirGivenName) {
    write("glyphs.nff", "nff\n" + glyph("char65"));
    OVfile_setmodelpath(dir_.string().c_str());
    OVfont3d *first = OVfont3d_load("glyphs");
    OVfont3d *second = OVfont3d_load("glyphs");
    OVfile_setmodelpath("");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second); // two independent fonts
    EXPECT_EQ(OVfont3d_find("glyphs"), second);
    EXPECT_EQ(OVfont3d_find("glyphs.nff"), nullptr);
    OVfont3d_delete(second);
    EXPECT_EQ(OVfont3d_find("glyphs"), first);
}

TEST_F(Text3d, DeletingTheUniverseDeletesItsFonts) {
    std::string path = write("ab.nff", "nff\n" + glyph("char65"));
    OVuniverse_new(512, 0);
    ASSERT_NE(OVfont3d_load(path.c_str()), nullptr);
    OVgeometry *text = OVgeometry_newtext3d(OVfont3d_find(path.c_str()), "A");
    OVuniverse_delete();
    EXPECT_EQ(OVfont3d_find(path.c_str()), nullptr);
    EXPECT_EQ(OVgeometry_numpolys(text), 1); // text is independent of its font
    OVgeometry_delete(text);
}

// A unit square glyph at x0 .. x1 with one polygon per colour.
std::string coloured(const std::string &name, std::vector<const char *> colours, float x0 = 0,
                     float x1 = 1) {
    std::string text = name + "\n4\n" + std::to_string(x0) + " 0 0\n" + std::to_string(x1) +
                       " 0 0\n" + std::to_string(x1) + " 1 0\n" + std::to_string(x0) + " 1 0\n" +
                       std::to_string(colours.size()) + "\n";
    for (const char *c : colours)
        text += std::string("4 0 1 2 3 ") + c + "\n";
    return text;
}

std::vector<unsigned> colours_of(OVgeometry *g) {
    std::vector<unsigned> out;
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        out.push_back(_OVpoly_getcolor24(p));
    return out;
}

std::vector<unsigned> text_colours(OVfont3d *font, const char *string) {
    OVgeometry *text = OVgeometry_newtext3d(font, string);
    std::vector<unsigned> out = colours_of(text);
    OVgeometry_delete(text);
    return out;
}

std::vector<unsigned> joined(std::initializer_list<std::vector<unsigned>> parts) {
    std::vector<unsigned> out;
    for (const std::vector<unsigned> &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Each glyph comes with its own material table; the merged text must not
// read one glyph's material ids in another glyph's table.
TEST_F(Text3d, MergedTextKeepsEveryGlyphsColours) {
    std::string path = write("colours.nff", "nff\n" + coloured("char65", {"0xf00", "0x00f"}) +
                                                coloured("char66", {"0x0f0"}) +
                                                coloured("char67", {"0xff0", "0x0ff", "0xf0f"}));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    // One character is one copy, with its glyph's own table.
    std::vector<unsigned> a = text_colours(font, "A"), b = text_colours(font, "B"),
                          c = text_colours(font, "C");
    std::vector<unsigned> sorted_a = a;
    std::sort(sorted_a.begin(), sorted_a.end());
    EXPECT_EQ(sorted_a, (std::vector<unsigned>{0x0000FF, 0xFF0000}));
    EXPECT_EQ(b, (std::vector<unsigned>{0x00FF00}));
    EXPECT_EQ(c.size(), 3u);
    EXPECT_EQ(text_colours(font, "AB"), joined({a, b}));
    EXPECT_EQ(text_colours(font, "CBAC"), joined({c, b, a, c}));
    OVgeometry *mixed = OVgeometry_newtext3d(font, "CBA");
    const int entries = OVmtable_getnumentries(OVgeometry_getmtable(mixed));
    for (OVpoly *p = OVgeometry_getpolys(mixed); p; p = OVpoly_next(p))
        EXPECT_LT(OVpoly_getmatid(p), entries);
    OVgeometry_delete(mixed);
    // The glyphs themselves are untouched by the texts made from them.
    EXPECT_EQ(text_colours(font, "A"), a);
}

TEST_F(Text3d, GlyphNamesAreCharFollowedByACodeFrom1To255) {
    std::string path =
        write("names.nff", "nff\n" + glyph("char0") + glyph("char256") + glyph("charA") +
                               glyph("char4294967361") + glyph("char66") + glyph("char200"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(g_log, "ORV Warning: Font file " + path + " contains 4 non-character objects\n");
    EXPECT_FALSE(OVfont3d_haschar(font, 0));
    EXPECT_FALSE(OVfont3d_haschar(font, 'A')); // a code beyond int does not wrap to 65
    EXPECT_TRUE(OVfont3d_haschar(font, 'B'));
    EXPECT_TRUE(OVfont3d_haschar(font, 200));
    EXPECT_TRUE(OVfont3d_haschar(font, 200 - 256)); // the low 8 bits
    // Bytes above 127 are characters too, taken as unsigned.
    OVgeometry *text = OVgeometry_newtext3d(font, "\xC8"
                                                  "B");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(OVgeometry_numpolys(text), 2);
    OVgeometry_delete(text);
    EXPECT_EQ(OVgeometry_newtext3d(font, "A"), nullptr); // no glyph at all
}

TEST_F(Text3d, ExtentsAndCellWidthSpanEveryGlyph) {
    std::string path = write("wide.nff", "nff\n" + coloured("char65", {"0xfff"}, 0, 1) +
                                             coloured("char66", {"0xfff"}, 0.5f, 2) +
                                             coloured("base", {"0xfff"}, -5, 9));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    float e[6];
    OVfont3d_getextents(font, e);
    const float expected[6] = {0, 0, 0, 2, 1, 0}; // the non-character object does not count
    for (int k = 0; k < 6; ++k)
        EXPECT_FLOAT_EQ(e[k], expected[k]) << k;
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 2.2f);
    OVfont3d_setspacingfactor(font, 1);
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 2.0f);
    OVfont3d_setspacingfactor(font, 0.5f);
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 1.0f);
}

TEST_F(Text3d, NullFontsAndStrings) {
    EXPECT_EQ(OVfont3d_load(nullptr), nullptr);
    EXPECT_EQ(OVfont3d_find(nullptr), nullptr);
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(nullptr), 0.0f);
    EXPECT_FALSE(OVfont3d_haschar(nullptr, 'A'));
    OVfont3d_setspacing(nullptr, 1);
    OVfont3d_setspacingfactor(nullptr, 1);
    float e[6] = {7, 7, 7, 7, 7, 7};
    OVfont3d_getextents(nullptr, e);
    EXPECT_FLOAT_EQ(e[0], 7.0f);
    OVfont3d_delete(nullptr);
    std::string path = write("a.nff", "nff\n" + glyph("char65"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(OVgeometry_newtext3d(font, nullptr), nullptr);
    EXPECT_EQ(OVgeometry_newtext3d(font, ""), nullptr);
    EXPECT_EQ(OVgeometry_newtext3d(font, "\t\n"), nullptr);
    EXPECT_EQ(g_log, "");
}

// ".nff" is tried only for a name without an extension in its last part.
TEST_F(Text3d, TheModelExtensionIsAddedOnlyToBareNames) {
    fs::create_directories(dir_ / "fonts.d");
    write("fonts.d/bare.nff", "nff\n" + glyph("char65"));
    write("fonts.d/dotted.x.nff", "nff\n" + glyph("char65"));
    const std::string bare = (dir_ / "fonts.d" / "bare").string();
    EXPECT_NE(OVfont3d_load(bare.c_str()), nullptr);
    EXPECT_EQ(OVfont3d_find(bare.c_str()), OVfont3d_find(bare.c_str()));
    EXPECT_NE(OVfont3d_find(bare.c_str()), nullptr); // kept under the name as given
    const std::string dotted = (dir_ / "fonts.d" / "dotted.x").string();
    EXPECT_EQ(OVfont3d_load(dotted.c_str()), nullptr);
    EXPECT_EQ(g_log, "ORV Warning: Couldn't find 3D font file " + dotted + "\n");
}

} // namespace

#ifdef ORV_FONT_MODEL
namespace {

TEST(GeneratedFont, HoldsEveryPrintableCharacterInOneCell) {
    OVfont3d *font = OVfont3d_load(ORV_FONT_MODEL);
    ASSERT_NE(font, nullptr);
    for (int c = 33; c <= 126; ++c)
        EXPECT_TRUE(OVfont3d_haschar(font, c)) << c;
    float e[6];
    OVfont3d_getextents(font, e);
    EXPECT_NEAR(e[3] - e[0], 8.0f, 1.5f);  // cell width
    EXPECT_NEAR(e[4] - e[1], 12.0f, 3.0f); // glyph height
    EXPECT_FLOAT_EQ(e[2], 0.0f);           // front face at z = 0, depth towards +z
    OVgeometry *text = OVgeometry_newtext3d(font, "Red   = 255 ( 1.000000 )");
    ASSERT_NE(text, nullptr);
    EXPECT_GT(OVgeometry_numpolys(text), 100);
    OVgeometry_delete(text);
    _OVfont3d_deleteall();
}

} // namespace
#endif
