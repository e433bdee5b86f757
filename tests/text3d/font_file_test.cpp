// Font files from the loader's side: the exact reports and their order, what
// a font that is refused or deleted leaves behind, and where files are found.
#include "orv/file.h"
#include "orv/font3d.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" void _OVfont3d_deleteall(void);

namespace {

std::string g_said;
int hear(const char *text) {
    g_said += text;
    return 1;
}

// A unit square glyph at x0 .. x0 + 1 with one grey polygon.
std::string square(const std::string &name, int x0 = 0) {
    const std::string a = std::to_string(x0), b = std::to_string(x0 + 1);
    return name + "\n4\n" + a + " 0 0\n" + b + " 0 0\n" + b + " 1 0\n" + a + " 1 0\n1\n" +
           "4 0 1 2 3 0x888\n";
}

int table_count() {
    int n = 0;
    for (OVmtable *t = OVuniverse_getfirstmtable(); t; t = OVmtable_getnext(t))
        ++n;
    return n;
}

// The smallest x of each vertex quadruple, in vertex order.
std::vector<float> cells(OVgeometry *g) {
    std::vector<float> out;
    int i = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v), ++i) {
        OVp3 p;
        OVvertex_getposition(v, p);
        if (i % 4 == 0)
            out.push_back(p[0]);
        else if (p[0] < out.back())
            out.back() = p[0];
    }
    return out;
}

class FontFile : public ::testing::Test {
  protected:
    void SetUp() override {
        g_said.clear();
        OVmessage_sethook(hear);
        dir_ = orv_test::scratch_dir("orv_font_file_test");
    }
    void TearDown() override {
        _OVfont3d_deleteall();
        OVfile_setmodelpath(nullptr);
        OVmessage_sethook(nullptr);
    }
    std::string write(const std::string &file, const std::string &body) {
        const std::string path = (dir_ / file).string();
        std::ofstream(path) << "nff\n" << body;
        return path;
    }
    std::filesystem::path dir_;
};

TEST_F(FontFile, NoUsableLetterIsTheOnlyReportAndLeavesNothing) {
    const std::string path = write("none.nff", square("letterA") + square("char300"));
    const int before = table_count();
    EXPECT_EQ(OVfont3d_load(path.c_str()), nullptr);
    // The stray objects are not counted aloud when no font is made.
    EXPECT_EQ(g_said, "ORV Warning: File " + path + " doesn't contain any usable 3D letters\n");
    EXPECT_EQ(table_count(), before); // the geometries read went with their tables
    EXPECT_EQ(OVfont3d_find(path.c_str()), nullptr);
}

TEST_F(FontFile, AFileWithoutGeometryIsReportedAlone) {
    const std::string path = write("empty.nff", "");
    EXPECT_EQ(OVfont3d_load(path.c_str()), nullptr);
    EXPECT_EQ(g_said, "ORV Warning: File " + path + " doesn't contain usable 3D letters\n");
    EXPECT_EQ(OVfont3d_find(path.c_str()), nullptr);
}

TEST_F(FontFile, DuplicatesAreReportedAsReadAndStrayObjectsCountedAtTheEnd) {
    const std::string path =
        write("dups.nff", square("char66") + square("base") + square("char66") + square("char67") +
                              square("char67") + square("char9999"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    const std::string head = "ORV Warning: Font file " + path;
    EXPECT_EQ(g_said, head + " contains more than one object for character 66\n" + head +
                          " contains more than one object for character 67\n" + head +
                          " contains 2 non-character objects\n");
    EXPECT_TRUE(OVfont3d_haschar(font, 'B'));
    EXPECT_TRUE(OVfont3d_haschar(font, 'C'));
}

TEST_F(FontFile, TheFifthCharacterOfAGlyphNameIsADigit) {
    const std::string path =
        write("signs.nff", square("char+66") + square("char-67") + square("Char68") +
                               square("chars") + square("char") + square("char69"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(g_said, "ORV Warning: Font file " + path + " contains 5 non-character objects\n");
    for (int c : {'B', 'C', 'D', '\0'})
        EXPECT_FALSE(OVfont3d_haschar(font, c)) << c;
    EXPECT_TRUE(OVfont3d_haschar(font, 'E'));
}

TEST_F(FontFile, AGoodFontLoadsSilently) {
    const std::string path = write("quiet.nff", square("char65") + square("char66", 2));
    ASSERT_NE(OVfont3d_load(path.c_str()), nullptr);
    EXPECT_EQ(g_said, "");
}

TEST_F(FontFile, DeletingAFontTakesEveryGeometryOfItsFileWithIt) {
    const int before = table_count();
    const std::string path = write("all.nff", square("char65") + square("base") + square("char65"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(table_count(), before + 3); // each geometry keeps a table of its own
    OVgeometry *text = OVgeometry_newtext3d(font, "AA");
    ASSERT_NE(text, nullptr);
    OVfont3d_delete(font);
    // Only the table the text uses is left of them.
    EXPECT_EQ(table_count(), before + 1);
    bool listed = false;
    for (OVmtable *t = OVuniverse_getfirstmtable(); t; t = OVmtable_getnext(t))
        listed |= t == OVgeometry_getmtable(text);
    EXPECT_TRUE(listed);
    EXPECT_EQ(OVfont3d_find(path.c_str()), nullptr);
    // The text still shows its two copies in their cells.
    EXPECT_EQ(cells(text), (std::vector<float>{0, 1.1f}));
    EXPECT_EQ(OVgeometry_numpolys(text), 2);
    OVgeometry_delete(text);
}

TEST_F(FontFile, TheNewestOfTwoFontsIsFoundFirst) {
    const std::string path = write("two.nff", square("char65"));
    OVfont3d *older = OVfont3d_load(path.c_str());
    OVfont3d *newer = OVfont3d_load(path.c_str());
    ASSERT_NE(older, nullptr);
    ASSERT_NE(newer, nullptr);
    EXPECT_EQ(OVfont3d_find(path.c_str()), newer);
    OVfont3d_delete(older); // unlinking from behind the head keeps the head
    EXPECT_EQ(OVfont3d_find(path.c_str()), newer);
    OVfont3d_delete(newer);
    EXPECT_EQ(OVfont3d_find(path.c_str()), nullptr);
}

TEST_F(FontFile, ANameWithItsExtensionIsFoundAlongTheModelPath) {
    write("letters.nff", square("char65"));
    OVfile_setmodelpath(("/no/such/dir;" + dir_.string()).c_str());
    OVfont3d *font = OVfont3d_load("letters.nff");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(OVfont3d_find("letters.nff"), font);
    EXPECT_EQ(OVfont3d_find("letters"), nullptr); // kept under the name given
    EXPECT_EQ(g_said, "");
    EXPECT_EQ(OVfont3d_load("missing.nff"), nullptr);
    EXPECT_EQ(g_said, "ORV Warning: Couldn't find 3D font file missing.nff\n");
}

TEST_F(FontFile, LayingOutTextLeavesTheGlyphsWhereTheyWere) {
    const std::string path = write("still.nff", square("char65") + square("char66"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    OVfont3d_setspacing(font, 3);
    OVgeometry *first = OVgeometry_newtext3d(font, "?BA");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cells(first), (std::vector<float>{3, 6}));
    OVgeometry *second = OVgeometry_newtext3d(font, "A");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(cells(second), (std::vector<float>{0}));
    // A changed advance applies to the next text, not to one already made.
    OVfont3d_setspacing(font, 0.5f);
    OVgeometry *third = OVgeometry_newtext3d(font, "AB");
    EXPECT_EQ(cells(third), (std::vector<float>{0, 0.5f}));
    EXPECT_EQ(cells(first), (std::vector<float>{3, 6}));
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 0.5f);
    float e[6];
    OVfont3d_getextents(font, e);
    EXPECT_EQ(std::vector<float>(e, e + 6), (std::vector<float>{0, 0, 0, 1, 1, 0}));
    OVgeometry_delete(first);
    OVgeometry_delete(second);
    OVgeometry_delete(third);
}

TEST_F(FontFile, TextIsAClosedGeometryOfItsOwn) {
    const std::string path = write("closed.nff", square("char65"));
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    OVgeometry *text = OVgeometry_newtext3d(font, "AAA");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(OVgeometry_getname(text), "text");
    EXPECT_EQ(OVgeometry_numpolys(text), 3);
    // Closed already: it is not the open geometry.
    g_said.clear();
    EXPECT_FALSE(OVgeometry_close(text));
    EXPECT_EQ(g_said, "ORV Warning: OVgeometry_close called on non-open geometry.\n");
    ASSERT_NE(OVgeometry_getmtable(text), nullptr);
    EXPECT_EQ(OVpoly_getcolor(OVgeometry_getpolys(text)), 0x888);
    OVgeometry_delete(text);
}

TEST_F(FontFile, ExtentsSpanTheGlyphBoxesOnEveryAxis) {
    // A glyph standing in depth and one hanging below the baseline.
    const std::string deep = "char65\n4\n0 0 0\n0.5 0 0\n0.5 0 2\n0 0 2\n1\n4 0 1 2 3 0xfff\n";
    const std::string low = "char103\n4\n-0.25 -1 -1\n1 -1 -1\n1 3 -1\n-0.25 3 -1\n1\n"
                            "4 0 1 2 3 0xfff\n";
    const std::string path = write("boxes.nff", deep + low);
    OVfont3d *font = OVfont3d_load(path.c_str());
    ASSERT_NE(font, nullptr);
    float e[6];
    OVfont3d_getextents(font, e);
    EXPECT_EQ(std::vector<float>(e, e + 6), (std::vector<float>{-0.25f, -1, -1, 1, 3, 2}));
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 1.1f * 1.25f);
    OVfont3d_setspacingfactor(font, 1);
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 1.25f);
    // Copies move along x only: depth and height stay the glyph's own.
    OVgeometry *text = OVgeometry_newtext3d(font, "gA");
    ASSERT_NE(text, nullptr);
    std::vector<float> second;
    int i = 0;
    for (OVvertex *v = OVgeometry_getvertices(text); v; v = OVvertex_next(v), ++i) {
        OVp3 p;
        OVvertex_getposition(v, p);
        if (i >= 4) second.insert(second.end(), p, p + 3);
    }
    EXPECT_EQ(second, (std::vector<float>{1.25f, 0, 0, 1.75f, 0, 0, 1.75f, 0, 2, 1.25f, 0, 2}));
    OVgeometry_delete(text);
}

} // namespace
