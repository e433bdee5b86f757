// Material entries by value: the defaults of every component, how many floats
// each value call moves, which colour an entry shows, what makes two entries
// the same, and calls given no table.
#include "mtable_fixture.h"

#include "orv/mtable.h"

#include <vector>

namespace {

using mtabletest::g_log;

class MtableValues : public mtabletest::MtableFixture {};

// Reads n floats of a property into a buffer of 5 that starts as -7s.
std::vector<float> read(OVmtable *t, int index, int type) {
    std::vector<float> out(5, -7.0f);
    if (!OVmtable_getvalue(t, index, out.data(), type)) return {};
    return out;
}

constexpr float kUntouched = -7.0f;

TEST_F(MtableValues, EveryComponentStartsAtItsDefault) {
    OVmtable *t = OVmtable_new(
        OVAMBIENT | OVDIFFUSE | OVSPECULAR | OVSHININESS | OVEMISSION | OVOPACITY, 1, "defaults");
    ASSERT_NE(t, nullptr);
    const int i = OVmtable_newentry(t);
    ASSERT_EQ(i, 0);
    const float u = kUntouched;
    EXPECT_EQ(read(t, i, OVAMBIENT), (std::vector<float>{0, 0, 0, u, u}));
    EXPECT_EQ(read(t, i, OVDIFFUSE), (std::vector<float>{0, 0, 0, u, u}));
    EXPECT_EQ(read(t, i, OVSPECULAR), (std::vector<float>{0, 0, 0, u, u}));
    EXPECT_EQ(read(t, i, OVSHININESS), (std::vector<float>{0, u, u, u, u}));
    EXPECT_EQ(read(t, i, OVEMISSION), (std::vector<float>{0, 0, 0, u, u}));
    EXPECT_EQ(read(t, i, OVOPACITY), (std::vector<float>{1, u, u, u, u}));
    EXPECT_EQ(read(t, i, OVAMBIENTDIFFUSE), (std::vector<float>{}));
    EXPECT_EQ(g_log, "");
}

TEST_F(MtableValues, JointColourMovesItsRgbAndOpacityItsFourthFloat) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE | OVOPACITY, 1, "joint");
    const int i = OVmtable_newentry(t);
    const float u = kUntouched;
    EXPECT_EQ(read(t, i, OVAMBIENTDIFFUSE), (std::vector<float>{0, 0, 0, u, u}));
    EXPECT_EQ(read(t, i, OVOPACITY), (std::vector<float>{1, u, u, u, u}));
    const float rgba[4] = {0.25f, 0.5f, 0.75f, 0.125f};
    ASSERT_TRUE(OVmtable_setvalue(t, i, rgba, OVAMBIENTDIFFUSE));
    EXPECT_EQ(read(t, i, OVOPACITY), (std::vector<float>{1, u, u, u, u})); // the 4th float stays
    const float alpha = 0.5f;
    ASSERT_TRUE(OVmtable_setvalue(t, i, &alpha, OVOPACITY));
    EXPECT_EQ(read(t, i, OVAMBIENTDIFFUSE), (std::vector<float>{0.25f, 0.5f, 0.75f, u, u}));
    EXPECT_EQ(read(t, i, OVOPACITY), (std::vector<float>{0.5f, u, u, u, u}));
    // No separate diffuse or ambient is laid out beside the joint colour.
    EXPECT_EQ(read(t, i, OVDIFFUSE), (std::vector<float>{}));
    EXPECT_EQ(read(t, i, OVAMBIENT), (std::vector<float>{}));
    EXPECT_EQ(OVmtable_getproperties(t), OVAMBIENTDIFFUSE | OVOPACITY);
}

TEST_F(MtableValues, OpacityNeedsTheOpacityProperty) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, "solid");
    const int i = OVmtable_newentry(t);
    const float alpha = 0.5f;
    EXPECT_FALSE(OVmtable_setvalue(t, i, &alpha, OVOPACITY));
    EXPECT_EQ(read(t, i, OVOPACITY), (std::vector<float>{}));
    EXPECT_FALSE(OVmtable_getvalue(t, 1, std::vector<float>(5).data(), OVDIFFUSE));
    EXPECT_FALSE(OVmtable_getvalue(t, -1, std::vector<float>(5).data(), OVDIFFUSE));
    EXPECT_FALSE(OVmtable_getvalue(nullptr, 0, std::vector<float>(5).data(), OVDIFFUSE));
    EXPECT_FALSE(OVmtable_getvalue(t, i, std::vector<float>(5).data(), 0));
    EXPECT_EQ(g_log, "");
}

TEST_F(MtableValues, JointColourWithASeparateOneIsReportedExactly) {
    const std::string said = "ORV Warning: Attempt to use property OVAMBIENTDIFFUSE as well as one "
                             "of OVAMBIENT or OVDIFFUSE\n";
    ASSERT_NE(OVmtable_new(OVAMBIENTDIFFUSE | OVAMBIENT, 1, "one"), nullptr);
    EXPECT_EQ(g_log, said);
    g_log.clear();
    OVmtable *both = OVmtable_new(OVAMBIENTDIFFUSE | OVAMBIENT | OVDIFFUSE, 1, "two");
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(g_log, said);
    EXPECT_TRUE(OVmtable_getproperties(both) & OVAMBIENTDIFFUSE);
    EXPECT_FALSE(OVmtable_getproperties(both) & OVDIFFUSE);
    g_log.clear();
    ASSERT_NE(OVmtable_new(OVAMBIENTDIFFUSE | OVOPACITY | OVSPECULAR, 1, "three"), nullptr);
    EXPECT_EQ(g_log, "");
}

TEST_F(MtableValues, MatchingComparesEveryFloatOfTheEntry) {
    OVmtable *t = OVmtable_new(OVDIFFUSE | OVSPECULAR, 1, "shiny");
    const OVp3 grey = {0.5f, 0.5f, 0.5f};
    const int plain = OVmtable_matchcolor(t, grey);
    ASSERT_EQ(plain, 0);
    const float highlight[3] = {1, 1, 1};
    ASSERT_TRUE(OVmtable_setvalue(t, plain, highlight, OVSPECULAR));
    // The entry built for matching has the default specular: another entry.
    EXPECT_EQ(OVmtable_matchcolor(t, grey), 1);
    EXPECT_EQ(OVmtable_matchcolor(t, grey), 1);
    EXPECT_EQ(OVmtable_getnumentries(t), 2);
    EXPECT_EQ(read(t, 1, OVSPECULAR), (std::vector<float>{0, 0, 0, kUntouched, kUntouched}));
    // Opacity added to diffuse by the table, matched through the alpha form.
    OVmtable *glass = OVmtable_new(OVOPACITY, 1, "glass");
    EXPECT_EQ(OVmtable_matchcoloralpha(glass, grey, 0.25f), 0);
    EXPECT_EQ(OVmtable_matchcoloralpha(glass, grey, 0.75f), 1);
    EXPECT_EQ(OVmtable_matchcoloralpha(glass, grey, 0.25f), 0);
    EXPECT_EQ(read(glass, 1, OVOPACITY),
              (std::vector<float>{0.75f, kUntouched, kUntouched, kUntouched, kUntouched}));
    EXPECT_EQ(read(glass, 1, OVDIFFUSE),
              (std::vector<float>{0.5f, 0.5f, 0.5f, kUntouched, kUntouched}));
}

TEST_F(MtableValues, ColourFormsReachTheEndsOfEachChannel) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 1, "ends");
    EXPECT_EQ(OVmtable_matchcolor12(t, 0xFFF), 0);
    EXPECT_EQ(OVmtable_matchcolor24(t, 0xFFFFFF), 0);
    EXPECT_EQ(OVmtable_matchrgb(t, 255, 255, 255), 0);
    EXPECT_EQ(OVmtable_matchcolor12(t, 0x000), 1);
    EXPECT_EQ(OVmtable_matchcolor24(t, 0), 1);
    EXPECT_EQ(OVmtable_matchrgb(t, 0, 0, 0), 1);
    // Every 12-bit colour widens to the 24-bit colour that repeats its digits.
    for (unsigned c = 0; c < 0x1000; c += 0x123) {
        const unsigned wide = (c & 0xF00) * 0x1100 | (c & 0x0F0) * 0x110 | (c & 0x00F) * 0x11;
        EXPECT_EQ(OVmtable_getcolor24(t, OVmtable_matchcolor12(t, c)), wide) << std::hex << c;
    }
}

TEST_F(MtableValues, AnAmbientOnlyTableShowsItsAmbientColour) {
    OVmtable *dim = OVmtable_new(OVAMBIENT | OVSPECULAR, 1, "dim");
    const int j = OVmtable_newentry(dim);
    const float half[3] = {0.5f, 0.25f, 1};
    ASSERT_TRUE(OVmtable_setvalue(dim, j, half, OVAMBIENT));
    EXPECT_EQ(OVmtable_getcolor24(dim, j), 0x7F3FFFu);
}

TEST_F(MtableValues, AnEmptyTableShowsNoColour) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, "empty");
    EXPECT_EQ(OVmtable_getcolor24(t, 0), 0u);
    EXPECT_EQ(OVmtable_getcolor24(t, 3), 0u);
    EXPECT_EQ(OVmtable_getnumentries(t), 0);
}

TEST_F(MtableValues, CallsGivenNoTableAreNeutral) {
    const OVp3 white = {1, 1, 1};
    const float v[3] = {1, 1, 1};
    EXPECT_EQ(OVmtable_matchcolor(nullptr, white), -1);
    EXPECT_EQ(OVmtable_matchcoloralpha(nullptr, white, 0.5f), -1);
    EXPECT_EQ(OVmtable_matchrgb(nullptr, 1, 2, 3), -1);
    EXPECT_EQ(OVmtable_matchcolor12(nullptr, 0xFFF), -1);
    EXPECT_EQ(OVmtable_matchcolor24(nullptr, 0xFFFFFF), -1);
    EXPECT_EQ(OVmtable_getproperties(nullptr), 0);
    EXPECT_FALSE(OVmtable_setvalue(nullptr, 0, v, OVDIFFUSE));
    EXPECT_FALSE(OVmtable_setentryname(nullptr, 0, "x"));
    EXPECT_EQ(OVmtable_getentryname(nullptr, 0), nullptr);
    EXPECT_EQ(OVmtable_findentry(nullptr, "x"), -1);
    EXPECT_EQ(OVmtable_getnext(nullptr), nullptr);
    OVmtable_delete(nullptr);
    EXPECT_EQ(g_log, "");
}

TEST_F(MtableValues, EntryNamesAreLookedUpExactly) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, "lookup");
    for (int k = 0; k < 3; ++k)
        OVmtable_newentry(t);
    EXPECT_EQ(OVmtable_findentry(t, "oak"), -1); // no names yet
    ASSERT_TRUE(OVmtable_setentryname(t, 2, "oak"));
    EXPECT_EQ(OVmtable_getentryname(t, 0), nullptr);
    EXPECT_EQ(OVmtable_getentryname(t, 1), nullptr);
    EXPECT_EQ(OVmtable_findentry(t, "oak"), 2);
    EXPECT_EQ(OVmtable_findentry(t, "Oak"), -1);
    EXPECT_EQ(OVmtable_findentry(t, "oa"), -1);
    EXPECT_EQ(OVmtable_findentry(t, "oaks"), -1);
    ASSERT_TRUE(OVmtable_setentryname(t, 2, "pine")); // renaming replaces the name
    EXPECT_EQ(OVmtable_findentry(t, "oak"), -1);
    EXPECT_EQ(OVmtable_findentry(t, "pine"), 2);
    EXPECT_EQ(OVmtable_getentryname(t, 3), nullptr);
    EXPECT_EQ(OVmtable_getentryname(t, -1), nullptr);
}

TEST_F(MtableValues, NewTablesWithRefusedNamesAreNotListed) {
    OVmtable *kept = OVmtable_new(OVDIFFUSE, 1, "kept");
    ASSERT_NE(kept, nullptr);
    g_log.clear();
    EXPECT_EQ(OVmtable_new(OVDIFFUSE, 1, "mt4"), nullptr);
    EXPECT_EQ(g_log, "ORV Warning: material table names beginning with \"mt\" and followed by a "
                     "number are reserved\n"
                     "ORV Warning: for use by ORV internal functions. Do not use name mt4 for "
                     "this table\n");
    EXPECT_EQ(OVmtable_new(OVDIFFUSE, 1, "two words"), nullptr);
    EXPECT_EQ(OVuniverse_getfirstmtable(), kept);
    EXPECT_EQ(OVmtable_getnext(kept), nullptr);
    // A given name is shortened as by the naming call.
    g_log.clear();
    OVmtable *wood = OVmtable_new(OVDIFFUSE, 1, "models/wood.mat");
    ASSERT_NE(wood, nullptr);
    EXPECT_STREQ(OVmtable_getname(wood), "wood");
    EXPECT_EQ(g_log, "ORV Warning: file delimiters and extensions not allowed in mtable name\n"
                     "ORV Warning: mtable name shortened from given \"models/wood.mat\" to "
                     "\"wood\"\n");
    EXPECT_EQ(OVuniverse_findmtable("wood"), wood);
}

TEST_F(MtableValues, GeneratedNamesIgnoreMtNamesWithoutANumber) {
    ASSERT_NE(OVmtable_new(OVDIFFUSE, 1, "mtx"), nullptr);
    ASSERT_NE(OVmtable_new(OVDIFFUSE, 1, "mt"), nullptr);
    ASSERT_NE(OVmtable_new(OVDIFFUSE, 1, "mt0"), nullptr);
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_STREQ(OVmtable_getname(t), "mt1");
    EXPECT_STREQ(OVmtable_getname(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt2");
}

TEST_F(MtableValues, DeletedTablesLeaveTheList) {
    OVmtable *a = OVmtable_new(OVDIFFUSE, 1, "a");
    OVmtable *b = OVmtable_new(OVDIFFUSE, 1, "b");
    OVmtable *c = OVmtable_new(OVDIFFUSE, 1, "c");
    EXPECT_EQ(OVuniverse_getfirstmtable(), c);
    OVmtable_delete(b);
    EXPECT_EQ(OVmtable_getnext(c), a);
    EXPECT_EQ(OVuniverse_findmtable("b"), nullptr);
    // Its name is free again.
    OVmtable *again = OVmtable_new(OVDIFFUSE, 1, "b");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(OVuniverse_findmtable("b"), again);
}

} // namespace
