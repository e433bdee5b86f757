// Material table rules at their edges: reserved and generated names, value
// slots, colour components, merging, the full table, and the exact words of
// material files.
#include "geometry/mtable_record.h"
#include "orv/file.h"
#include "orv/mtable.h"
#include "support/scratch_dir.h"

#include "mtable_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using mtabletest::g_log;

class MtableRules : public mtabletest::MtableFixture {
  protected:
    std::string read_file(const std::string &path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

std::vector<float> value(OVmtable *t, int index, int type, int n) {
    std::vector<float> out(static_cast<std::size_t>(n), -1.0f);
    if (!OVmtable_getvalue(t, index, out.data(), type)) return {};
    return out;
}

TEST_F(MtableRules, AnyNameStartingWithMtAndANumberIsReserved) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
    g_log.clear();
    EXPECT_FALSE(OVmtable_setname(t, "mt7b"));
    EXPECT_EQ(g_log, "ORV Warning: material table names beginning with \"mt\" and followed by a "
                     "number are reserved\n"
                     "ORV Warning: for use by ORV internal functions. Do not use name mt7b for "
                     "this table\n");
    EXPECT_STREQ(OVmtable_getname(t), "mt1");
    EXPECT_FALSE(OVmtable_setname(t, "mt03.mat"));
    // No number of one or more follows.
    EXPECT_TRUE(OVmtable_setname(t, "mt0"));
    EXPECT_TRUE(OVmtable_setname(t, "mt-3"));
    EXPECT_TRUE(OVmtable_setname(t, "mtx9"));
}

TEST_F(MtableRules, ANumberInAShortenedNameCountsForGeneratedNames) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
    // Only the given name is checked for the reserved form.
    ASSERT_TRUE(OVmtable_setname(t, "dir/mt5x.mat"));
    EXPECT_STREQ(OVmtable_getname(t), "mt5x");
    EXPECT_STREQ(OVmtable_getname(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt6");
}

TEST_F(MtableRules, NoNameIsGeneratedPastTheLimit) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
    ASSERT_TRUE(OVmtable_setname(t, "dir/mt999999"));
    g_log.clear();
    EXPECT_EQ(OVmtable_new(OVDIFFUSE, 1, nullptr), nullptr);
    EXPECT_EQ(g_log, "ORV Warning: Cannot generate more than 1000000 material names\n");
    EXPECT_EQ(OVuniverse_getfirstmtable(), t); // nothing was listed
    // Freeing the highest number makes names again.
    ASSERT_TRUE(OVmtable_setname(t, "plain"));
    EXPECT_STREQ(OVmtable_getname(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt1");
}

TEST_F(MtableRules, ValueSlotsAndTheirSizes) {
    OVmtable *t = OVmtable_new(OVSHININESS | OVSPECULAR | OVOPACITY, 1, "slots");
    ASSERT_EQ(OVmtable_getproperties(t), OVSHININESS | OVSPECULAR | OVDIFFUSE | OVOPACITY);
    int i = OVmtable_newentry(t);
    EXPECT_EQ(value(t, i, OVSPECULAR, 3), (std::vector<float>{0, 0, 0}));
    EXPECT_EQ(value(t, i, OVSHININESS, 1), (std::vector<float>{0}));
    EXPECT_EQ(value(t, i, OVOPACITY, 1), (std::vector<float>{1}));
    const float shine = 40, colour[3] = {0.25f, 0.5f, 0.75f}, alpha = 0.125f;
    EXPECT_TRUE(OVmtable_setvalue(t, i, &shine, OVSHININESS));
    EXPECT_TRUE(OVmtable_setvalue(t, i, colour, OVDIFFUSE));
    EXPECT_TRUE(OVmtable_setvalue(t, i, &alpha, OVOPACITY));
    // Diffuse moves its RGB part only: the opacity stays.
    EXPECT_EQ(value(t, i, OVDIFFUSE, 3), (std::vector<float>{0.25f, 0.5f, 0.75f}));
    EXPECT_EQ(value(t, i, OVOPACITY, 1), (std::vector<float>{0.125f}));
    EXPECT_EQ(value(t, i, OVSHININESS, 1), (std::vector<float>{40}));
    // One property bit at a time, one the table has, an index in range.
    EXPECT_FALSE(OVmtable_setvalue(t, i, colour, OVDIFFUSE | OVSPECULAR));
    EXPECT_FALSE(OVmtable_setvalue(t, i, colour, OVAMBIENT));
    EXPECT_FALSE(OVmtable_setvalue(t, 1, colour, OVDIFFUSE));
    EXPECT_FALSE(OVmtable_setvalue(t, -1, colour, OVDIFFUSE));
    EXPECT_FALSE(OVmtable_setvalue(nullptr, 0, colour, OVDIFFUSE));
    EXPECT_EQ(g_log, "");
}

TEST_F(MtableRules, MatchFillsEveryColourComponentThereIs) {
    OVmtable *both = OVmtable_new(OVAMBIENT | OVDIFFUSE, 1, "both");
    const OVp3 c = {0.5f, 0.25f, 1};
    int i = OVmtable_matchcolor(both, c);
    EXPECT_EQ(value(both, i, OVAMBIENT, 3), (std::vector<float>{0.5f, 0.25f, 1}));
    EXPECT_EQ(value(both, i, OVDIFFUSE, 3), (std::vector<float>{0.5f, 0.25f, 1}));

    OVmtable *mixed = OVmtable_new(OVAMBIENTDIFFUSE | OVAMBIENT, 1, "mixed");
    i = OVmtable_matchcolor(mixed, c);
    EXPECT_EQ(value(mixed, i, OVAMBIENTDIFFUSE, 3), (std::vector<float>{0.5f, 0.25f, 1}));
    EXPECT_EQ(value(mixed, i, OVAMBIENT, 3), (std::vector<float>{0, 0, 0}));

    OVmtable *ambient = OVmtable_new(OVAMBIENT | OVEMISSION, 1, "ambient");
    EXPECT_EQ(OVmtable_matchcolor24(ambient, 0x336699), 0);
    EXPECT_EQ(OVmtable_getcolor24(ambient, 0), 0x336699u);
}

TEST_F(MtableRules, MatchWithOpacityKeepsColoursApartByAlpha) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE | OVOPACITY, 1, "glass");
    const OVp3 c = {1, 1, 1};
    EXPECT_EQ(OVmtable_matchcoloralpha(t, c, 0.5f), 0);
    EXPECT_EQ(OVmtable_matchcolor(t, c), 1); // opacity 1 is another entry
    EXPECT_EQ(OVmtable_matchcoloralpha(t, c, 0.5f), 0);
    EXPECT_EQ(OVmtable_matchcoloralpha(t, c, 1.0f), 1);
    EXPECT_EQ(OVmtable_getnumentries(t), 2);
    // Without opacity the alpha is not part of the entry.
    OVmtable *plain = OVmtable_new(OVAMBIENTDIFFUSE, 1, "plain");
    EXPECT_EQ(OVmtable_matchcoloralpha(plain, c, 0.5f), 0);
    EXPECT_EQ(OVmtable_matchcolor(plain, c), 0);
    EXPECT_EQ(value(plain, 0, OVOPACITY, 1), (std::vector<float>{}));
}

TEST_F(MtableRules, ByteFormsDivideTheirChannels) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, "bytes");
    int i = OVmtable_matchcolor12(t, 0xF80);
    EXPECT_EQ(value(t, i, OVDIFFUSE, 3), (std::vector<float>{1, 8 / 15.0f, 0}));
    EXPECT_EQ(OVmtable_getcolor24(t, i), 0xFF8800u);
    EXPECT_EQ(OVmtable_matchcolor24(t, 0xFF8800), i); // the same floats
    i = OVmtable_matchrgb(t, 255, 0, 51);
    EXPECT_EQ(value(t, i, OVDIFFUSE, 3), (std::vector<float>{1, 0, 51 / 255.0f}));
}

TEST_F(MtableRules, Colour24TakesDiffuseBeforeAmbientAndTruncates) {
    OVmtable *t = OVmtable_new(OVAMBIENT | OVDIFFUSE, 1, "pick");
    int i = OVmtable_newentry(t);
    const float ambient[3] = {1, 1, 1}, diffuse[3] = {0.999f, 0.5f, 0.0019f};
    OVmtable_setvalue(t, i, ambient, OVAMBIENT);
    OVmtable_setvalue(t, i, diffuse, OVDIFFUSE);
    // 0.999 * 255 = 254.7 and 0.5 * 255 = 127.5 truncate.
    EXPECT_EQ(OVmtable_getcolor24(t, i), 0xFE7F00u);
    EXPECT_EQ(OVmtable_getcolor24(nullptr, 0), 0u);
    EXPECT_EQ(OVmtable_getcolor24(OVmtable_new(OVSPECULAR, 1, "dull"), 0), 0u);
}

TEST_F(MtableRules, EntryNamesOutsideTheTable) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, "names");
    OVmtable_newentry(t);
    EXPECT_EQ(OVmtable_getentryname(t, 0), nullptr);
    EXPECT_EQ(OVmtable_findentry(t, "x"), -1);
    EXPECT_FALSE(OVmtable_setentryname(t, 1, "x"));
    char name[] = "wood";
    ASSERT_TRUE(OVmtable_setentryname(t, 0, name));
    name[0] = 'g'; // the table keeps its own copy
    EXPECT_STREQ(OVmtable_getentryname(t, 0), "wood");
    OVmtable_newentry(t);
    ASSERT_TRUE(OVmtable_setentryname(t, 1, "wood"));
    EXPECT_EQ(OVmtable_findentry(t, "wood"), 0); // the first of that name
    for (int k = 0; k < 40; ++k)                 // names survive growth
        OVmtable_newentry(t);
    EXPECT_STREQ(OVmtable_getentryname(t, 1), "wood");
    EXPECT_EQ(OVmtable_getentryname(t, 41), nullptr);
}

TEST_F(MtableRules, MergeConvertsToTheJointLayout) {
    OVmtable *a = OVmtable_new(OVAMBIENTDIFFUSE | OVOPACITY, 1, "first");
    OVmtable *b = OVmtable_new(OVAMBIENT | OVSHININESS, 1, "second");
    const OVp3 red = {1, 0, 0};
    OVmtable_matchcoloralpha(a, red, 0.25f);
    OVmtable_matchcolor24(b, 0x0000FF);
    const float shine = 12;
    OVmtable_setvalue(b, 0, &shine, OVSHININESS);
    for (int k = 0; k < 4; ++k)
        OVmtable_matchcolor24(b, 0x010101u * static_cast<unsigned>(k + 1));
    OVmtable *m = OVmtable_merge(a, b);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(OVuniverse_getfirstmtable(), m);
    EXPECT_EQ(OVmtable_getproperties(m), OVAMBIENT | OVDIFFUSE | OVSHININESS | OVOPACITY);
    EXPECT_EQ(m->capacity, orv::mtable_prime(6));
    ASSERT_EQ(OVmtable_getnumentries(m), 6);
    // Ambient-and-diffuse gives both ambient and diffuse.
    EXPECT_EQ(value(m, 0, OVAMBIENT, 3), (std::vector<float>{1, 0, 0}));
    EXPECT_EQ(value(m, 0, OVDIFFUSE, 3), (std::vector<float>{1, 0, 0}));
    EXPECT_EQ(value(m, 0, OVOPACITY, 1), (std::vector<float>{0.25f}));
    EXPECT_EQ(value(m, 0, OVSHININESS, 1), (std::vector<float>{0}));
    EXPECT_EQ(value(m, 1, OVAMBIENT, 3), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(value(m, 1, OVDIFFUSE, 3), (std::vector<float>{0, 0, 0}));
    EXPECT_EQ(value(m, 1, OVOPACITY, 1), (std::vector<float>{1}));
    EXPECT_EQ(value(m, 1, OVSHININESS, 1), (std::vector<float>{12}));
    // The sources are left as they were.
    EXPECT_EQ(OVmtable_getnumentries(a), 1);
    EXPECT_EQ(OVmtable_getnumentries(b), 5);
    EXPECT_EQ(OVmtable_merge(nullptr, b), b);
    EXPECT_EQ(OVmtable_merge(nullptr, nullptr), nullptr);
}

TEST_F(MtableRules, ChangedEntriesAreFoundByTheirNewContent) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 1, "moving");
    constexpr unsigned kColours = 300;
    for (unsigned c = 0; c < kColours; ++c)
        ASSERT_EQ(OVmtable_matchcolor24(t, c), static_cast<int>(c));
    // Every entry takes another entry's old colour, shifted by one.
    for (unsigned c = 0; c < kColours; ++c) {
        const float rgb[3] = {1, 0, static_cast<float>(c) / 255.0f};
        ASSERT_TRUE(OVmtable_setvalue(t, static_cast<int>(c), rgb, OVAMBIENTDIFFUSE));
    }
    for (unsigned c = 0; c < kColours; ++c) {
        const OVp3 rgb = {1, 0, static_cast<float>(c) / 255.0f};
        EXPECT_EQ(OVmtable_matchcolor(t, rgb), static_cast<int>(c));
    }
    EXPECT_EQ(OVmtable_getnumentries(t), static_cast<int>(kColours));
    // The old colours are gone: matching one appends.
    EXPECT_EQ(OVmtable_matchcolor24(t, 5), static_cast<int>(kColours));
}

TEST_F(MtableRules, FullTableRefusesMoreEntries) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 70001, "huge");
    ASSERT_EQ(t->capacity, 70001);
    for (int i = 0; i < 70001; ++i)
        ASSERT_EQ(OVmtable_newentry(t), i);
    g_log.clear();
    EXPECT_EQ(OVmtable_newentry(t), -1);
    EXPECT_EQ(g_log, "ORV Warning: Material table huge is full: it holds at most 70001 entries\n");
    EXPECT_EQ(OVmtable_getnumentries(t), 70001);
    EXPECT_EQ(OVmtable_matchcolor24(t, 0), 0); // the defaults are still found
}

TEST_F(MtableRules, SavedFileListsThePropertiesInFileOrder) {
    auto dir = orv_test::scratch_dir("orv_mtable_rules");
    std::filesystem::current_path(dir);
    OVmtable *t = OVmtable_new(
        OVOPACITY | OVEMISSION | OVSHININESS | OVSPECULAR | OVDIFFUSE | OVAMBIENT, 1, "full");
    int i = OVmtable_newentry(t);
    const float highlight[3] = {0.5f, 0.5f, 0.5f}, shine = 64, glow[3] = {0, 0.25f, 0};
    OVmtable_setvalue(t, i, highlight, OVSPECULAR);
    OVmtable_setvalue(t, i, &shine, OVSHININESS);
    OVmtable_setvalue(t, i, glow, OVEMISSION);
    OVmtable_setentryname(t, i, "metal");
    ASSERT_TRUE(OVmtable_save(t));
    EXPECT_EQ(read_file((dir / "full.mat").string()),
              "mat\nversion 3.00\nvalid ambient diffuse specular shininess emission opacity\n"
              "\nmatdef metal // id 0\n"
              "ambient 0.000000 0.000000 0.000000\n"
              "diffuse 0.000000 0.000000 0.000000\n"
              "specular 0.500000 0.500000 0.500000\n"
              "shininess 64.000000\n"
              "emission 0.000000 0.250000 0.000000\n"
              "opacity 1.000000\n");

    OVmtable *ad = OVmtable_new(OVAMBIENTDIFFUSE, 1, "joint");
    OVmtable_matchcolor24(ad, 0xFF0000);
    ASSERT_TRUE(OVmtable_save(ad));
    EXPECT_EQ(read_file((dir / "joint.mat").string()),
              "mat\nversion 3.00\nvalid ambientdiffuse\n"
              "\nmatdef // id 0\nambientdiffuse 1.000000 0.000000 0.000000\n");
    EXPECT_FALSE(OVmtable_save(nullptr));
}

TEST_F(MtableRules, LoadReadsAlphaAndNamesOnlyFromTheMatdefLine) {
    auto dir = orv_test::scratch_dir("orv_mtable_rules_load");
    std::filesystem::current_path(dir);
    std::ofstream(dir / "glass.mat", std::ios::binary)
        << "mat\nvalid alpha ambientdiffuse\nmatdef clear\nambientdiffuse 1 1 1\nalpha 0.5\n"
           "matdef\nfrosted\nopacity 0.75\n";
    OVmtable *t = OVmtable_load("glass");
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(OVmtable_getname(t), "glass");
    EXPECT_EQ(OVmtable_getproperties(t), OVAMBIENTDIFFUSE | OVOPACITY);
    EXPECT_EQ(t->capacity, 11); // initial size 10
    ASSERT_EQ(OVmtable_getnumentries(t), 2);
    EXPECT_STREQ(OVmtable_getentryname(t, 0), "clear");
    EXPECT_EQ(OVmtable_getentryname(t, 1), nullptr);
    EXPECT_EQ(value(t, 0, OVOPACITY, 1), (std::vector<float>{0.5f}));
    EXPECT_EQ(value(t, 1, OVOPACITY, 1), (std::vector<float>{0.75f}));
    EXPECT_EQ(value(t, 0, OVAMBIENTDIFFUSE, 3), (std::vector<float>{1, 1, 1}));
    // Loaded entries are found by content.
    const OVp3 white = {1, 1, 1};
    EXPECT_EQ(OVmtable_matchcoloralpha(t, white, 0.5f), 0);
    // The same file again: the name is taken, so the table gets a generated one.
    g_log.clear();
    OVmtable *again = OVmtable_load("glass.mat");
    ASSERT_NE(again, nullptr);
    EXPECT_NE(g_log.find("A material table with name glass already exists\n"), std::string::npos);
    EXPECT_STREQ(OVmtable_getname(again), "mt1");
}

TEST_F(MtableRules, LoadSearchesTheModelPathForMaterialFilesOnly) {
    auto dir = orv_test::scratch_dir("orv_mtable_rules_path");
    std::filesystem::create_directories(dir / "models");
    std::filesystem::create_directories(dir / "elsewhere");
    std::ofstream(dir / "models" / "brick.mat", std::ios::binary)
        << "mat\nvalid diffuse\nmatdef\ndiffuse 1 0 0\n";
    std::ofstream(dir / "models" / "model.mat", std::ios::binary) << "nff\nversion 3.0\n";
    std::filesystem::current_path(dir / "elsewhere");
    EXPECT_EQ(OVmtable_load("brick"), nullptr); // not on the path yet
    OVfile_setmodelpath((dir / "models").string().c_str());
    OVmtable *t = OVmtable_load("brick");
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(OVmtable_getname(t), "brick");
    EXPECT_EQ(OVmtable_getcolor24(t, 0), 0xFF0000u);
    OVmtable_delete(t);
    t = OVmtable_load("brick.mat"); // the name as given
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(OVmtable_getname(t), "brick");
    // A file that is not a material file is not read.
    EXPECT_EQ(OVmtable_load("model"), nullptr);
    EXPECT_EQ(OVmtable_load(nullptr), nullptr);
    OVfile_setmodelpath(nullptr);
}

TEST_F(MtableRules, HighPropertyBitsAreDroppedAndCapacityIsAListedPrime) {
    OVmtable *t = OVmtable_new(0x380 | OVAMBIENT, 12, nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getproperties(t), OVAMBIENT);
    EXPECT_EQ(t->entry_size, 3);
    EXPECT_EQ(t->capacity, 17);
    EXPECT_EQ(OVmtable_new(OVDIFFUSE, 70002, "big")->capacity, 70001);
    EXPECT_EQ(OVmtable_new(OVDIFFUSE, -5, "small")->capacity, 3);
    EXPECT_EQ(OVmtable_getname(nullptr), nullptr);
    EXPECT_EQ(g_log, "");
}

} // namespace
