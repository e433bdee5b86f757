// Material files word by word: the property words and lines written for each
// layout, files that read back to the same bytes, the labels of number
// errors, which file a name finds, and the name a loaded table gets.
#include "mtable_fixture.h"

#include "orv/file.h"
#include "orv/mtable.h"
#include "support/scratch_dir.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using mtabletest::g_log;

class MtableFileWords : public mtabletest::MtableFixture {
  protected:
    void SetUp() override {
        MtableFixture::SetUp();
        home_ = std::filesystem::current_path();
        dir_ = orv_test::scratch_dir("orv_mtable_file_words");
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(home_);
        OVfile_setmodelpath(nullptr);
        MtableFixture::TearDown();
    }
    std::string saved(OVmtable *t) const {
        EXPECT_TRUE(OVmtable_save(t));
        std::ifstream in(dir_ / (std::string(OVmtable_getname(t)) + ".mat"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void put(const std::string &file, const std::string &text) const {
        std::ofstream(dir_ / file, std::ios::binary) << text;
    }
    OVmtable *load(const std::string &name, const std::string &text) {
        put(name + ".mat", text);
        g_log.clear();
        return OVmtable_load(name.c_str());
    }
    bool said(const std::string &s) const { return g_log.find(s) != std::string::npos; }
    std::filesystem::path home_, dir_;
};

std::vector<float> value(OVmtable *t, int index, int type, int n) {
    std::vector<float> out(static_cast<std::size_t>(n), -1.0f);
    if (!OVmtable_getvalue(t, index, out.data(), type)) return {};
    return out;
}

TEST_F(MtableFileWords, JointColourWithAmbientOrOpacity) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE | OVAMBIENT, 1, "layered");
    const int i = OVmtable_newentry(t);
    const float low[3] = {0.125f, 0, 1}, joint[3] = {0.5f, 0.25f, 0};
    OVmtable_setvalue(t, i, low, OVAMBIENT);
    OVmtable_setvalue(t, i, joint, OVAMBIENTDIFFUSE);
    EXPECT_EQ(saved(t), "mat\nversion 3.00\nvalid ambient ambientdiffuse\n"
                        "\nmatdef // id 0\n"
                        "ambient 0.125000 0.000000 1.000000\n"
                        "ambientdiffuse 0.500000 0.250000 0.000000\n");

    OVmtable *glass = OVmtable_new(OVAMBIENTDIFFUSE | OVOPACITY, 1, "glass");
    const OVp3 white = {1, 1, 1};
    OVmtable_matchcoloralpha(glass, white, 0.25f);
    OVmtable_matchcoloralpha(glass, white, 1);
    EXPECT_EQ(saved(glass), "mat\nversion 3.00\nvalid ambientdiffuse opacity\n"
                            "\nmatdef // id 0\n"
                            "ambientdiffuse 1.000000 1.000000 1.000000\nopacity 0.250000\n"
                            "\nmatdef // id 1\n"
                            "ambientdiffuse 1.000000 1.000000 1.000000\nopacity 1.000000\n");
}

TEST_F(MtableFileWords, NumbersAreWrittenWithSixDecimalsAndTheirSign) {
    OVmtable *t = OVmtable_new(OVSPECULAR | OVSHININESS, 1, "signs");
    const int i = OVmtable_newentry(t);
    const float odd[3] = {-0.5f, 2.0f, 1e-7f}, shine = 128;
    OVmtable_setvalue(t, i, odd, OVSPECULAR);
    OVmtable_setvalue(t, i, &shine, OVSHININESS);
    EXPECT_EQ(saved(t), "mat\nversion 3.00\nvalid specular shininess\n"
                        "\nmatdef // id 0\n"
                        "specular -0.500000 2.000000 0.000000\nshininess 128.000000\n");
    // A table without properties still writes its entries.
    OVmtable *bare = OVmtable_new(0, 1, "bare");
    OVmtable_newentry(bare);
    OVmtable_newentry(bare);
    EXPECT_EQ(saved(bare), "mat\nversion 3.00\nvalid\n\nmatdef // id 0\n\nmatdef // id 1\n");
}

TEST_F(MtableFileWords, EveryPropertyReadsBackToTheSameBytes) {
    OVmtable *t = OVmtable_new(
        OVAMBIENT | OVDIFFUSE | OVSPECULAR | OVSHININESS | OVEMISSION | OVOPACITY, 1, "every");
    for (int k = 0; k < 5; ++k) {
        const int i = OVmtable_newentry(t);
        const float f = static_cast<float>(k) / 8;
        const float a[3] = {f, 0, 0}, d[3] = {0, f, 0}, s[3] = {0, 0, f}, e[3] = {f, f, 0};
        const float shine = 10.0f * static_cast<float>(k), alpha = 1 - f;
        OVmtable_setvalue(t, i, a, OVAMBIENT);
        OVmtable_setvalue(t, i, d, OVDIFFUSE);
        OVmtable_setvalue(t, i, s, OVSPECULAR);
        OVmtable_setvalue(t, i, &shine, OVSHININESS);
        OVmtable_setvalue(t, i, e, OVEMISSION);
        OVmtable_setvalue(t, i, &alpha, OVOPACITY);
        if (k % 2) OVmtable_setentryname(t, i, ("m" + std::to_string(k)).c_str());
    }
    const std::string first = saved(t);
    OVmtable_delete(t);
    g_log.clear();
    OVmtable *back = OVmtable_load("every");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(g_log, ""); // a file the toolkit wrote reads without a word
    EXPECT_STREQ(OVmtable_getname(back), "every");
    EXPECT_EQ(OVmtable_getproperties(back),
              OVAMBIENT | OVDIFFUSE | OVSPECULAR | OVSHININESS | OVEMISSION | OVOPACITY);
    ASSERT_EQ(OVmtable_getnumentries(back), 5);
    EXPECT_EQ(OVmtable_findentry(back, "m3"), 3);
    EXPECT_EQ(OVmtable_getentryname(back, 2), nullptr);
    EXPECT_EQ(value(back, 4, OVEMISSION, 3), (std::vector<float>{0.5f, 0.5f, 0}));
    EXPECT_EQ(value(back, 4, OVOPACITY, 1), (std::vector<float>{0.5f}));
    EXPECT_EQ(saved(back), first);
}

TEST_F(MtableFileWords, EachKeywordNamesItsNumbersInErrors) {
    const char *words[] = {"ambient", "specular", "emission", "ambientdiffuse"};
    for (const char *w : words) {
        const std::string word = w;
        OVmtable *t = load("labels", "mat\nvalid " + word + "\nmatdef\n" + word + " 1 0\n");
        ASSERT_NE(t, nullptr) << word;
        EXPECT_TRUE(said(word + " value missing.\n")) << g_log;
        OVmtable_delete(t);
        t = load("labels", "mat\nvalid " + word + "\nmatdef\n" + word + " 1 0 1,\n");
        ASSERT_NE(t, nullptr) << word;
        EXPECT_TRUE(said(word + " value invalid.  Remember not to use punctuation.\n")) << g_log;
        EXPECT_TRUE(said("Line 4 in '")) << g_log;
        EXPECT_EQ(value(t, 0,
                        word == "ambientdiffuse" ? OVAMBIENTDIFFUSE
                        : word == "ambient"      ? OVAMBIENT
                        : word == "specular"     ? OVSPECULAR
                                                 : OVEMISSION,
                        3),
                  (std::vector<float>{0, 0, 0}))
            << word; // the keyword was skipped
        OVmtable_delete(t);
    }
    OVmtable *t = load("labels", "mat\nvalid shininess opacity\nmatdef\nshininess x\nalpha 0.5.\n");
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(said("shininess value invalid.  Remember not to use punctuation.\n")) << g_log;
    EXPECT_TRUE(said("Alpha value invalid.  Remember not to use punctuation.\n")) << g_log;
    EXPECT_EQ(value(t, 0, OVSHININESS, 1), (std::vector<float>{0}));
    EXPECT_EQ(value(t, 0, OVOPACITY, 1), (std::vector<float>{1}));
}

TEST_F(MtableFileWords, PropertiesComeOnlyFromTheValidLine) {
    // Words before "valid" are passed over; the next line is not part of it.
    OVmtable *t = load("lines", "mat\nversion 3.00\nmade by hand\nvalid\ndiffuse\nmatdef\n");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getproperties(t), 0);
    EXPECT_EQ(g_log, "ORV Warning: no valid properties defined for material table\n"
                     "ORV Warning: diffuse precedes expected 'matdef' token: it will be "
                     "ignored.\n");
    OVmtable_delete(t);
    t = load("alpha", "mat\nvalid alpha\nmatdef\nalpha 0.5\n");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getproperties(t), OVDIFFUSE | OVOPACITY);
    EXPECT_EQ(value(t, 0, OVOPACITY, 1), (std::vector<float>{0.5f}));
    EXPECT_EQ(g_log, "");
}

TEST_F(MtableFileWords, KeywordsOfPropertiesTheTableLacksAreReadPast) {
    OVmtable *t = load("lacking", "mat\nvalid diffuse\nmatdef\nspecular 1 1 1\nshininess 5\n"
                                  "diffuse 0 0 1\nmatdef\ndiffuse 1 0 0\n");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(OVmtable_getnumentries(t), 2);
    EXPECT_EQ(value(t, 0, OVDIFFUSE, 3), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(value(t, 1, OVDIFFUSE, 3), (std::vector<float>{1, 0, 0}));
    EXPECT_EQ(value(t, 0, OVSPECULAR, 3), (std::vector<float>{}));
}

TEST_F(MtableFileWords, TheWrongMagicWordIsReportedWithThePath) {
    OVmtable *t = load("magic", "matte\nvalid diffuse\nmatdef\n");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(g_log, "ORV Warning: File magic.mat. 'matte' is not the magic string ('mat')\n");
}

TEST_F(MtableFileWords, TheNameWithTheExtensionIsTriedFirst) {
    put("paint.mat", "mat\nvalid diffuse\nmatdef\ndiffuse 1 0 0\n");
    put("paint", "mat\nvalid diffuse\nmatdef\ndiffuse 0 1 0\n");
    OVmtable *t = OVmtable_load("paint");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getcolor24(t, 0), 0xFF0000u);
    OVmtable_delete(t);
    std::filesystem::remove(dir_ / "paint.mat");
    t = OVmtable_load("paint"); // then the name as given
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getcolor24(t, 0), 0x00FF00u);
    EXPECT_STREQ(OVmtable_getname(t), "paint");
}

TEST_F(MtableFileWords, ATableIsNamedAfterItsFileWithoutAWord) {
    std::filesystem::create_directories(dir_ / "sub");
    put("sub/brick.mat", "mat\nvalid diffuse\nmatdef\ndiffuse 1 0 0\n");
    g_log.clear();
    OVmtable *t = OVmtable_load("sub/brick");
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(OVmtable_getname(t), "brick");
    EXPECT_EQ(g_log, "");
    // The same file again cannot take the name: a generated one, said so.
    g_log.clear();
    OVmtable *again = OVmtable_load("sub/brick");
    ASSERT_NE(again, nullptr);
    EXPECT_STREQ(OVmtable_getname(again), "mt1");
    EXPECT_TRUE(said("A material table with name brick already exists\n")) << g_log;
    EXPECT_TRUE(said("generated table name mt1 used instead of given name brick\n")) << g_log;
    EXPECT_EQ(OVuniverse_getfirstmtable(), again);
}

TEST_F(MtableFileWords, AFileWithoutEntriesLeavesNoTable) {
    EXPECT_EQ(load("hollow", "mat\nvalid diffuse opacity\n// nothing else\n"), nullptr);
    EXPECT_EQ(OVuniverse_getfirstmtable(), nullptr);
    EXPECT_EQ(load("novalid", "mat\n"), nullptr);
    EXPECT_TRUE(said("no 'valid' token found in .mat file\n"));
    EXPECT_EQ(OVuniverse_getfirstmtable(), nullptr);
}

TEST_F(MtableFileWords, MergedTablesConvertTheJointColourAndKeepEveryName) {
    OVmtable *a = OVmtable_new(OVDIFFUSE | OVOPACITY, 1, "glassy");
    OVmtable *b = OVmtable_new(OVAMBIENTDIFFUSE, 1, "painted");
    const OVp3 red = {1, 0, 0}, blue = {0, 0, 1};
    OVmtable_setentryname(a, OVmtable_matchcoloralpha(a, red, 0.5f), "ruby");
    OVmtable_matchcolor(b, red);
    OVmtable_setentryname(b, OVmtable_matchcolor(b, blue), "ink");
    OVmtable *m = OVmtable_merge(a, b);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(OVmtable_getproperties(m), OVAMBIENT | OVDIFFUSE | OVOPACITY);
    ASSERT_EQ(OVmtable_getnumentries(m), 3);
    EXPECT_STREQ(OVmtable_getentryname(m, 0), "ruby");
    EXPECT_EQ(OVmtable_getentryname(m, 1), nullptr);
    EXPECT_STREQ(OVmtable_getentryname(m, 2), "ink");
    // a's entry had no ambient; b's joint colour fills ambient and diffuse.
    EXPECT_EQ(value(m, 0, OVAMBIENT, 3), (std::vector<float>{0, 0, 0}));
    EXPECT_EQ(value(m, 0, OVOPACITY, 1), (std::vector<float>{0.5f}));
    EXPECT_EQ(value(m, 2, OVAMBIENT, 3), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(value(m, 2, OVDIFFUSE, 3), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(value(m, 2, OVOPACITY, 1), (std::vector<float>{1}));
    // The converted entries are found by content.
    EXPECT_EQ(OVmtable_matchcolor(m, blue), 2);
    EXPECT_EQ(OVmtable_matchcolor(m, red), 1);
    EXPECT_EQ(OVmtable_getnumentries(m), 3);
}

} // namespace
