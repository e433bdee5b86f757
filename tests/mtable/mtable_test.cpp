#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "support/scratch_dir.h"

#include "mtable_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using mtabletest::g_log;
using mtabletest::triangle;

class Mtable : public mtabletest::MtableFixture {};

TEST_F(Mtable, OpacityAloneGivesDiffuseAndFirstGeneratedName) {
    OVmtable *t = OVmtable_new(0x40, 0, nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getproperties(t), OVDIFFUSE | OVOPACITY);
    EXPECT_STREQ(OVmtable_getname(t), "mt1");
    OVmtable *u = OVmtable_new(OVAMBIENTDIFFUSE, 1, nullptr);
    EXPECT_STREQ(OVmtable_getname(u), "mt2");
    EXPECT_EQ(OVuniverse_getfirstmtable(), u);
    EXPECT_EQ(OVmtable_getnext(u), t);
    int i = OVmtable_newentry(t);
    float rgb[3], a;
    ASSERT_TRUE(OVmtable_getvalue(t, i, rgb, OVDIFFUSE));
    ASSERT_TRUE(OVmtable_getvalue(t, i, &a, OVOPACITY));
    EXPECT_EQ(a, 1.0f);
    EXPECT_FALSE(OVmtable_getvalue(t, i, rgb, OVSPECULAR));
    EXPECT_FALSE(OVmtable_getvalue(t, 5, rgb, OVDIFFUSE));
}

TEST_F(Mtable, GeneratedNumbersFollowTheHighestLiveName) {
    OVmtable *first = OVmtable_new(OVDIFFUSE, 1, nullptr);
    OVmtable *second = OVmtable_new(OVDIFFUSE, 1, nullptr);
    OVmtable *third = OVmtable_new(OVDIFFUSE, 1, nullptr);
    EXPECT_STREQ(OVmtable_getname(third), "mt3");
    OVmtable_delete(third); // the highest number is free again
    EXPECT_STREQ(OVmtable_getname(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt3");
    OVmtable_delete(first); // a lower one is not reused
    EXPECT_STREQ(OVmtable_getname(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt4");
    // A renamed table no longer holds its number.
    OVmtable *last = OVmtable_new(OVDIFFUSE, 1, nullptr);
    ASSERT_STREQ(OVmtable_getname(last), "mt5");
    ASSERT_TRUE(OVmtable_setname(last, "wood"));
    EXPECT_STREQ(OVmtable_getname(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt5");
    // A merge takes the first table's name, number included.
    OVmtable *merged = OVmtable_merge(second, OVmtable_new(OVDIFFUSE, 1, nullptr));
    ASSERT_NE(merged, nullptr);
    EXPECT_STREQ(OVmtable_getname(merged), "mt2");
    EXPECT_STREQ(OVmtable_getname(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt7");
}

TEST_F(Mtable, GrowsFromThreeToTwentyNineAndKeepsMatches) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 2, nullptr);
    unsigned colours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
    int ids[4];
    for (int i = 0; i < 4; ++i)
        ids[i] = OVmtable_matchcolor24(t, colours[i]);
    EXPECT_EQ(OVmtable_getnumentries(t), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ids[i], i);
        EXPECT_EQ(OVmtable_matchcolor24(t, colours[i]), i); // found, not appended
        EXPECT_EQ(OVmtable_getcolor24(t, i), colours[i]);
    }
    EXPECT_EQ(OVmtable_getnumentries(t), 4);
    EXPECT_EQ(OVmtable_getcolor24(t, 5), colours[1]); // index modulo the count
    EXPECT_EQ(OVmtable_getcolor24(t, -1), 0u);
    EXPECT_EQ(OVmtable_matchcolor12(t, 0xF00), 0);
    EXPECT_EQ(OVmtable_matchrgb(t, 0, 255, 0), 1);
}

TEST_F(Mtable, MatchWithoutColourComponentFails) {
    OVmtable *t = OVmtable_new(OVSPECULAR, 1, nullptr);
    EXPECT_EQ(OVmtable_matchcolor24(t, 0xFFFFFF), -1);
    EXPECT_EQ(OVmtable_getnumentries(t), 0);
    EXPECT_EQ(OVmtable_newentry(nullptr), -1);
    EXPECT_EQ(g_log, "ORV Warning: Null material table passed into OVmtable_newentry\n");
    EXPECT_EQ(OVmtable_getnumentries(nullptr), -1);
}

TEST_F(Mtable, NamingRules) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 1, nullptr);
    g_log.clear();
    EXPECT_FALSE(OVmtable_setname(t, "mt7"));
    EXPECT_NE(g_log.find("Do not use name mt7 for this table"), std::string::npos);
    EXPECT_TRUE(OVmtable_setname(t, "mtx"));
    g_log.clear();
    EXPECT_TRUE(OVmtable_setname(t, "models/wood.mat"));
    EXPECT_STREQ(OVmtable_getname(t), "wood");
    EXPECT_NE(g_log.find("file delimiters and extensions not allowed in mtable name\n"),
              std::string::npos);
    EXPECT_NE(g_log.find("mtable name shortened from given \"models/wood.mat\" to \"wood\"\n"),
              std::string::npos);
    EXPECT_FALSE(OVmtable_setname(t, "a b"));
    EXPECT_EQ(OVmtable_new(OVAMBIENTDIFFUSE, 1, "wood"), nullptr);
    EXPECT_NE(g_log.find("A material table with name wood already exists\n"), std::string::npos);
    EXPECT_FALSE(OVmtable_setname(t, std::string(300, 'a').c_str()));
    EXPECT_STREQ(OVmtable_getname(t), "wood");
    EXPECT_FALSE(OVmtable_setname(nullptr, "x"));
    EXPECT_FALSE(OVmtable_setname(t, nullptr));
}

TEST_F(Mtable, AmbientDiffuseWithDiffuseWarns) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE | OVDIFFUSE, 1, nullptr);
    EXPECT_NE(g_log.find("Attempt to use property OVAMBIENTDIFFUSE"), std::string::npos);
    EXPECT_FALSE(OVmtable_getproperties(t) & OVDIFFUSE);
}

TEST_F(Mtable, EntryNamesAndMerge) {
    OVmtable *a = OVmtable_new(OVAMBIENTDIFFUSE, 1, "first");
    OVmtable *b = OVmtable_new(OVDIFFUSE | OVSPECULAR, 1, "second");
    OVmtable_matchcolor24(a, 0xFF0000);
    OVmtable_matchcolor24(b, 0x0000FF);
    EXPECT_TRUE(OVmtable_setentryname(b, 0, "blue"));
    EXPECT_EQ(OVmtable_findentry(b, "blue"), 0);
    EXPECT_EQ(OVmtable_findentry(b, "red"), -1);
    EXPECT_EQ(OVmtable_merge(a, nullptr), a);
    EXPECT_EQ(OVmtable_merge(a, a), a);
    OVmtable *m = OVmtable_merge(a, b);
    ASSERT_NE(m, nullptr);
    EXPECT_STREQ(OVmtable_getname(m), "first");
    EXPECT_EQ(OVmtable_getproperties(m), OVAMBIENT | OVDIFFUSE | OVSPECULAR);
    EXPECT_EQ(OVmtable_getnumentries(m), 2);
    EXPECT_EQ(OVmtable_getcolor24(m, 0), 0xFF0000u);
    EXPECT_EQ(OVmtable_getcolor24(m, 1), 0x0000FFu);
    EXPECT_STREQ(OVmtable_getentryname(m, 1), "blue");
}

TEST_F(Mtable, SaveAndLoadRoundTrip) {
    auto dir = orv_test::scratch_dir("orv_mtable_test");
    std::filesystem::current_path(dir);
    OVmtable *t = OVmtable_new(OVDIFFUSE | OVOPACITY, 1, "paint");
    OVp3 red = {1, 0, 0};
    OVmtable_matchcoloralpha(t, red, 0.5f);
    OVmtable_matchcolor24(t, 0x00FF00);
    OVmtable_setentryname(t, 1, "green");
    ASSERT_TRUE(OVmtable_save(t));
    std::ifstream in(dir / "paint.mat");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "mat\nversion 3.00\nvalid diffuse opacity\n"
                          "\nmatdef // id 0\ndiffuse 1.000000 0.000000 0.000000\nopacity 0.500000\n"
                          "\nmatdef green // id 1\ndiffuse 0.000000 1.000000 0.000000\n"
                          "opacity 1.000000\n");
    OVmtable_delete(t);
    OVmtable *back = OVmtable_load("paint");
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(OVmtable_getname(back), "paint");
    EXPECT_EQ(OVmtable_getnumentries(back), 2);
    float a = 0;
    OVmtable_getvalue(back, 0, &a, OVOPACITY);
    EXPECT_FLOAT_EQ(a, 0.5f);
    EXPECT_EQ(OVmtable_findentry(back, "green"), 1);
}

// Entry names are single tokens in the file: one with blanks or a comment
// marker is written so that the whole of it reads back, with a warning.
TEST_F(Mtable, EntryNamesThatAreNotOneTokenReadBackWhole) {
    auto dir = orv_test::scratch_dir("orv_mtable_names");
    std::filesystem::current_path(dir);
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, "names");
    const char *given[] = {"red wood", "a//b", "tail\\", ""};
    for (int i = 0; i < 4; ++i)
        OVmtable_setentryname(t, OVmtable_matchcolor24(t, 0x100000u * (i + 1)), given[i]);
    g_log.clear();
    ASSERT_TRUE(OVmtable_save(t));
    EXPECT_NE(
        g_log.find("Material name \"red wood\" written as \"red_wood\" so that it reads back\n"),
        std::string::npos);
    OVmtable_delete(t);
    OVmtable *back = OVmtable_load("names");
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(OVmtable_getnumentries(back), 4);
    EXPECT_STREQ(OVmtable_getentryname(back, 0), "red_wood");
    EXPECT_STREQ(OVmtable_getentryname(back, 1), "a/_b");
    EXPECT_STREQ(OVmtable_getentryname(back, 2), "tail_");
    EXPECT_EQ(OVmtable_getentryname(back, 3), nullptr);
    float v[3] = {};
    ASSERT_TRUE(OVmtable_getvalue(back, 3, v, OVDIFFUSE)); // the entry after them is whole
    EXPECT_NEAR(v[0], 64.0f / 255, 1e-6);                  // written with six decimals
}

TEST_F(Mtable, LoadReportsBadFiles) {
    auto dir = orv_test::scratch_dir("orv_mtable_bad");
    std::filesystem::current_path(dir);
    std::ofstream(dir / "empty.mat") << "mat\nversion 3\nvalid diffuse\n";
    EXPECT_EQ(OVmtable_load("empty"), nullptr);
    std::ofstream(dir / "early.mat") << "mat\nvalid diffuse\nstray\nmatdef\ndiffuse 1 x 0\n";
    g_log.clear();
    OVmtable *t = OVmtable_load("early");
    ASSERT_NE(t, nullptr);
    EXPECT_NE(g_log.find("stray precedes expected 'matdef' token: it will be ignored.\n"),
              std::string::npos);
    EXPECT_NE(g_log.find("diffuse value invalid.  Remember not to use punctuation.\n"),
              std::string::npos);
    std::ofstream(dir / "novalid.mat") << "mat\nmatdef\n";
    g_log.clear();
    EXPECT_EQ(OVmtable_load("novalid"), nullptr);
    EXPECT_NE(g_log.find("no 'valid' token found in .mat file\n"), std::string::npos);
    EXPECT_EQ(OVmtable_load("does-not-exist"), nullptr);
}

} // namespace

#include "geometry/mtable_record.h"

namespace {

TEST_F(Mtable, CapacityGrowsThroughTheListedPrimes) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 2, nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->capacity, 3);
    std::vector<int> seen{t->capacity};
    for (unsigned c = 0; OVmtable_getnumentries(t) < 102; ++c) {
        ASSERT_EQ(OVmtable_matchcolor24(t, c * 0x010101u + 1), static_cast<int>(c));
        if (t->capacity != seen.back()) seen.push_back(t->capacity);
    }
    // 3 + 20 -> 29, 29 + 20 -> 67, 67 + 20 -> 101, 101 + 50 -> 503.
    EXPECT_EQ(seen, (std::vector<int>{3, 29, 67, 101, 503}));
    for (unsigned c = 0; c < 102; ++c) // every entry is still found through the rebuilt hash
        EXPECT_EQ(OVmtable_matchcolor24(t, c * 0x010101u + 1), static_cast<int>(c));
    EXPECT_EQ(OVmtable_getnumentries(t), 102);
}

class MtableFiles : public Mtable {
  protected:
    void SetUp() override {
        Mtable::SetUp();
        dir_ = orv_test::scratch_dir("orv_mtable_corrupt");
        std::filesystem::current_path(dir_);
    }
    OVmtable *load(const std::string &name, const std::string &text) {
        std::ofstream(dir_ / (name + ".mat"), std::ios::binary) << text;
        g_log.clear();
        return OVmtable_load(name.c_str());
    }
    bool logged(const std::string &s) const { return g_log.find(s) != std::string::npos; }
    static std::vector<float> diffuse(OVmtable *t, int i) {
        float v[3] = {-1, -1, -1};
        OVmtable_getvalue(t, i, v, OVDIFFUSE);
        return {v[0], v[1], v[2]};
    }
    std::filesystem::path dir_;
};

TEST_F(MtableFiles, JunkTokensAreSkipped) {
    OVmtable *t = load("junk", "mat\nvalid diffuse sparkle\nmatdef\nfoo bar 1 2\ndiffuse 1 0 0\n"
                               "baz // comment diffuse 0 1 0\n");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(OVmtable_getproperties(t), OVDIFFUSE);
    ASSERT_EQ(OVmtable_getnumentries(t), 1);
    EXPECT_EQ(diffuse(t, 0), (std::vector<float>{1, 0, 0}));
}

TEST_F(MtableFiles, MissingNumbersSkipTheKeyword) {
    OVmtable *t = load("short", "mat\nvalid diffuse opacity\nmatdef\ndiffuse 1 0\nopacity\n"
                                "matdef second\ndiffuse 0 1 0\nopacity 0.25\n");
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(logged("diffuse value missing.\n"));
    EXPECT_TRUE(logged("Alpha value missing.\n"));
    ASSERT_EQ(OVmtable_getnumentries(t), 2);
    EXPECT_EQ(diffuse(t, 0), (std::vector<float>{0, 0, 0})); // the defaults stay
    EXPECT_EQ(diffuse(t, 1), (std::vector<float>{0, 1, 0}));
    float a = 0;
    ASSERT_TRUE(OVmtable_getvalue(t, 1, &a, OVOPACITY));
    EXPECT_FLOAT_EQ(a, 0.25f);
    EXPECT_EQ(OVmtable_findentry(t, "second"), 1);
}

TEST_F(MtableFiles, WrongMagicNoPropertiesAndNoEntries) {
    OVmtable *t = load("magic", "material\nvalid ambient\nmatdef\nambient 0 0 1\n");
    ASSERT_NE(t, nullptr); // reading goes on with the word that was found
    EXPECT_TRUE(logged("'material' is not the magic string ('mat')\n"));
    EXPECT_EQ(OVmtable_getnumentries(t), 1);
    EXPECT_EQ(OVmtable_getcolor24(t, 0), 0x0000FFu);

    load("bare", "mat\nvalid glitter\nmatdef\n");
    EXPECT_TRUE(logged("no valid properties defined for material table\n"));

    EXPECT_EQ(load("nodefs", "mat\nversion 3.00\nvalid diffuse\ndiffuse 1 1 1\n"), nullptr);
    EXPECT_TRUE(logged("diffuse precedes expected 'matdef' token: it will be ignored.\n"));
    EXPECT_EQ(OVuniverse_findmtable("nodefs"), nullptr); // the table was freed

    EXPECT_EQ(load("version", "mat\nversion x\nvalid diffuse\nmatdef\n") != nullptr, true);
    EXPECT_TRUE(logged("Version number invalid."));
}

TEST_F(MtableFiles, UnusableFileNameGetsAGeneratedTableName) {
    OVmtable *t = load("my paint", "mat\nvalid diffuse\nmatdef\ndiffuse 1 1 1\n");
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(logged("invalid mtable name my paint: no spaces allowed in name\n"));
    EXPECT_TRUE(logged("generated table name " + std::string(OVmtable_getname(t)) +
                       " used instead of given name my paint\n"));
    EXPECT_EQ(std::string(OVmtable_getname(t)).substr(0, 2), "mt");
}

TEST_F(MtableFiles, BinaryJunkNeverCrashes) {
    unsigned seed = 99;
    for (int round = 0; round < 20; ++round) {
        std::string text = "mat\nvalid diffuse ambient\n";
        for (int i = 0; i < 3000; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += static_cast<char>(seed >> 16);
        }
        OVmtable *t = load("noise", text);
        if (t) {
            EXPECT_GE(OVmtable_getnumentries(t), 1);
            OVmtable_delete(t);
        }
    }
}

} // namespace

namespace {

TEST_F(Mtable, TableLeftWithoutUsersIsDeleted) {
    OVmtable *shared = OVmtable_new(OVAMBIENTDIFFUSE, 1, "shared");
    OVmtable *other = OVmtable_new(OVAMBIENTDIFFUSE, 1, "other");
    OVgeometry *a = triangle(), *b = triangle();
    ASSERT_TRUE(OVgeometry_setmtable(a, shared));
    ASSERT_TRUE(OVgeometry_setmtable(b, shared));
    ASSERT_TRUE(OVgeometry_setmtable(a, other));
    EXPECT_EQ(OVuniverse_findmtable("shared"), shared); // b still uses it
    ASSERT_TRUE(OVgeometry_setmtable(b, other));
    EXPECT_EQ(OVuniverse_findmtable("shared"), nullptr);
    EXPECT_EQ(OVgeometry_getmtable(a), other);
    OVmtable_delete(other); // its users lose their table
    EXPECT_EQ(OVgeometry_getmtable(a), nullptr);
    EXPECT_EQ(OVgeometry_getmtable(b), nullptr);
    OVgeometry_delete(a);
    OVgeometry_delete(b);
}

} // namespace
