// Laying out text: columns for missing glyphs and control bytes, bytes above
// 127, and which geometries of a font file shape its extents.
#include "orv/font3d.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" void _OVfont3d_deleteall(void);

namespace {

std::string g_messages;
int keep(const char *text) {
    g_messages += text;
    return 1;
}

// A square glyph of the given size in the cell [0, size] x [0, size].
std::string glyph(const std::string &name, int size = 1) {
    const std::string s = std::to_string(size);
    return name + "\n4\n0 0 0\n" + s + " 0 0\n" + s + " " + s + " 0\n0 " + s + " 0\n1\n" +
           "4 0 1 2 3 0xfff\n";
}

// The smallest x of every square copy in the text, in vertex order.
std::vector<float> cell_starts(OVgeometry *g) {
    std::vector<float> out;
    int i = 0;
    float lowest = 0;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v), ++i) {
        OVp3 p;
        OVvertex_getposition(v, p);
        lowest = i % 4 == 0 ? p[0] : std::min(lowest, p[0]);
        if (i % 4 == 3) out.push_back(lowest);
    }
    return out;
}

class TextLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        g_messages.clear();
        OVmessage_sethook(keep);
        dir_ = orv_test::scratch_dir("orv_text_layout_test");
    }
    void TearDown() override {
        _OVfont3d_deleteall();
        OVmessage_sethook(nullptr);
    }
    OVfont3d *load(const std::string &file, const std::string &text) {
        path_ = (dir_ / file).string();
        std::ofstream(path_) << "nff\n" << text;
        return OVfont3d_load(path_.c_str());
    }
    std::filesystem::path dir_;
    std::string path_;
};

TEST_F(TextLayout, MissingGlyphsTakeACellAndControlBytesNone) {
    OVfont3d *font = load("ab.nff", glyph("char65") + glyph("char66"));
    ASSERT_NE(font, nullptr);
    OVfont3d_setspacing(font, 2);
    OVgeometry *g = OVgeometry_newtext3d(font, "AZ\t\x01 B");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(cell_starts(g), (std::vector<float>{0, 6}));
    EXPECT_EQ(OVgeometry_numpolys(g), 2);
    OVgeometry_delete(g);
    // Only characters without glyphs: nothing to show.
    EXPECT_EQ(OVgeometry_newtext3d(font, "xyz"), nullptr);
    EXPECT_EQ(OVgeometry_newtext3d(font, ""), nullptr);
    EXPECT_EQ(OVgeometry_newtext3d(font, nullptr), nullptr);
    // One character is a copy named text.
    OVgeometry *one = OVgeometry_newtext3d(font, "\nB");
    ASSERT_NE(one, nullptr);
    EXPECT_STREQ(OVgeometry_getname(one), "text");
    EXPECT_EQ(cell_starts(one), (std::vector<float>{0}));
    OVgeometry_delete(one);
}

TEST_F(TextLayout, BytesAbove127AreCharacterCodes) {
    OVfont3d *font = load("high.nff", glyph("char200") + glyph("char255") + glyph("char1"));
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(OVfont3d_haschar(font, 200));
    EXPECT_TRUE(OVfont3d_haschar(font, -1)); // low 8 bits: 255
    EXPECT_TRUE(OVfont3d_haschar(font, 1));
    EXPECT_FALSE(OVfont3d_haschar(font, 0));
    OVfont3d_setspacing(font, 3);
    OVgeometry *g = OVgeometry_newtext3d(font, "\xC8\xFF");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(cell_starts(g), (std::vector<float>{0, 3}));
    OVgeometry_delete(g);
}

TEST_F(TextLayout, OnlyGlyphsWidenTheExtents) {
    // The second "char65" and the stray object are larger than the glyph.
    OVfont3d *font = load("dup.nff", glyph("char65") + glyph("char65", 4) + glyph("base", 9) +
                                         glyph("char0", 7) + glyph("charX", 7));
    ASSERT_NE(font, nullptr);
    EXPECT_NE(
        g_messages.find("Font file " + path_ + " contains more than one object for character 65\n"),
        std::string::npos);
    EXPECT_NE(g_messages.find("Font file " + path_ + " contains 3 non-character objects\n"),
              std::string::npos);
    float e[6];
    OVfont3d_getextents(font, e);
    EXPECT_EQ(std::vector<float>(e, e + 6), (std::vector<float>{0, 0, 0, 1, 1, 0}));
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(font), 1.1f);
    // The first object of a code is its glyph.
    OVgeometry *g = OVgeometry_newtext3d(font, "A");
    ASSERT_NE(g, nullptr);
    OVp3 size;
    OVgeometry_getextents(g, size);
    EXPECT_FLOAT_EQ(size[0], 1);
    OVgeometry_delete(g);
}

TEST_F(TextLayout, NullFontsGiveNeutralResults) {
    EXPECT_EQ(OVfont3d_getspacing(nullptr), 0);
    EXPECT_FALSE(OVfont3d_haschar(nullptr, 'A'));
    EXPECT_EQ(OVfont3d_find(nullptr), nullptr);
    EXPECT_EQ(OVfont3d_load(nullptr), nullptr);
    OVfont3d_setspacing(nullptr, 1);
    OVfont3d_setspacingfactor(nullptr, 1);
    OVfont3d_delete(nullptr);
    EXPECT_EQ(g_messages, "");
}

TEST_F(TextLayout, TheSameFileLoadedTwiceMakesTwoFonts) {
    OVfont3d *first = load("twice.nff", glyph("char65"));
    OVfont3d *second = OVfont3d_load(path_.c_str());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    OVfont3d_setspacing(first, 5);
    EXPECT_FLOAT_EQ(OVfont3d_getspacing(second), 1.1f);
    OVfont3d_delete(second);
    EXPECT_EQ(OVfont3d_find(path_.c_str()), first);
    // A name that differs only in spelling is another name.
    EXPECT_EQ(OVfont3d_find((dir_ / "TWICE.NFF").string().c_str()), nullptr);
}

} // namespace
