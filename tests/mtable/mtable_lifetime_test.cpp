// Material tables made and deleted in numbers: generated names, the list's
// order, the users of shared tables, and entries found after growth.
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/mtable.h"
#include "geometry/mtable_record.h"
#include "orv/orv_internal.h"

#include "mtable_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using mtabletest::g_log;
using mtabletest::triangle;

class MtableLifetime : public mtabletest::MtableFixture {};

std::vector<OVmtable *> listed() {
    std::vector<OVmtable *> tables;
    for (OVmtable *t = OVuniverse_getfirstmtable(); t; t = OVmtable_getnext(t))
        tables.push_back(t);
    return tables;
}

std::string name_of(OVmtable *t) {
    return OVmtable_getname(t);
}

TEST_F(MtableLifetime, NamesFollowTheHighestLiveNumberOverManyCycles) {
    constexpr int kTables = 3000;
    std::vector<OVmtable *> made;
    for (int i = 0; i < kTables; ++i)
        made.push_back(OVmtable_new(OVDIFFUSE, 1, nullptr));
    EXPECT_EQ(name_of(made.back()), "mt3000");
    // Every other table goes, the last included: the highest left is mt2999.
    for (int i = 1; i < kTables; i += 2)
        OVmtable_delete(made[static_cast<std::size_t>(i)]);
    EXPECT_EQ(name_of(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt3000");
    // Made and deleted again and again, the top number is the one reused.
    for (int cycle = 0; cycle < 1000; ++cycle) {
        OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
        ASSERT_EQ(name_of(t), "mt3001");
        OVmtable_delete(t);
    }
    // With every table gone, numbering starts again from 1.
    _OVmtable_deleteall();
    EXPECT_EQ(name_of(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt1");
    EXPECT_EQ(g_log, "");
}

TEST_F(MtableLifetime, HighestNumberWalksDownPastDeletedOnes) {
    std::vector<OVmtable *> made;
    for (int i = 0; i < 100; ++i)
        made.push_back(OVmtable_new(OVDIFFUSE, 1, nullptr));
    // Deleted newest first down to mt10: the next name is mt10.
    for (int i = 99; i >= 9; --i)
        OVmtable_delete(made[static_cast<std::size_t>(i)]);
    EXPECT_EQ(name_of(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt10");
    // A merged table bears its first table's number twice over: the number
    // stays taken until both are gone.
    OVmtable *merged = OVmtable_merge(made[3], made[8]);
    ASSERT_EQ(name_of(merged), "mt4");
    for (int i = 4; i < 9; ++i)
        OVmtable_delete(made[static_cast<std::size_t>(i)]);
    OVmtable_delete(OVuniverse_findmtable("mt10"));
    OVmtable_delete(made[3]);
    OVmtable *fifth = OVmtable_new(OVDIFFUSE, 1, nullptr);
    EXPECT_EQ(name_of(fifth), "mt5"); // the merged table still bears mt4
    OVmtable_delete(fifth);
    OVmtable_delete(merged);
    EXPECT_EQ(name_of(OVmtable_new(OVDIFFUSE, 1, nullptr)), "mt4");
    EXPECT_EQ(listed().size(), 4u); // mt1, mt2, mt3 and the new mt4
}

TEST_F(MtableLifetime, ListStaysNewestFirstThroughDeletionsAnywhere) {
    std::vector<OVmtable *> made;
    for (int i = 0; i < 500; ++i)
        made.push_back(OVmtable_new(OVAMBIENTDIFFUSE, 1, nullptr));
    std::vector<OVmtable *> expected;
    for (int i = 499; i >= 0; --i)
        if (i % 3 != 0 && i != 499) expected.push_back(made[static_cast<std::size_t>(i)]);
    OVmtable_delete(made[499]); // the first listed
    for (int i = 0; i < 499; i += 3)
        OVmtable_delete(made[static_cast<std::size_t>(i)]); // the last listed among them
    EXPECT_EQ(listed(), expected);
    OVmtable *fresh = OVmtable_new(OVAMBIENTDIFFUSE, 1, "fresh");
    EXPECT_EQ(OVuniverse_getfirstmtable(), fresh);
    EXPECT_EQ(OVuniverse_findmtable("mt2"), made[1]);
    EXPECT_EQ(OVuniverse_findmtable("mt1"), nullptr);
}

float channel24(unsigned rgb, int shift) {
    return ((rgb >> shift) & 0xFF) / 255.0f;
}

TEST_F(MtableLifetime, EntriesAreFoundAfterGrowthAndCopiesAddNone) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 1, nullptr);
    constexpr int kColours = 300;
    constexpr unsigned kStep = 4099;
    for (int c = 0; c < kColours; ++c)
        ASSERT_EQ(OVmtable_matchcolor24(t, c * kStep), c);
    for (int c = 0; c < kColours; ++c)
        ASSERT_EQ(OVmtable_matchcolor24(t, c * kStep), c) << "lost in growth";
    // Copies appended plainly: every colour is still found, nothing is added.
    for (int c = 0; c < kColours; ++c) {
        const unsigned rgb = c * kStep;
        const float value[3] = {channel24(rgb, 16), channel24(rgb, 8), channel24(rgb, 0)};
        ASSERT_TRUE(OVmtable_setvalue(t, OVmtable_newentry(t), value, OVAMBIENTDIFFUSE));
    }
    for (int c = 0; c < kColours; ++c) {
        const int found = OVmtable_matchcolor24(t, c * kStep);
        EXPECT_TRUE(found == c || found == kColours + c) << c << " found as " << found;
    }
    EXPECT_EQ(OVmtable_getnumentries(t), 2 * kColours);
    // With the first gone to another colour, its copy is the one found.
    const float grey[3] = {0.5f, 0.5f, 0.5f};
    ASSERT_TRUE(OVmtable_setvalue(t, 7, grey, OVAMBIENTDIFFUSE));
    EXPECT_EQ(OVmtable_matchcolor24(t, 7 * kStep), kColours + 7);
    EXPECT_EQ(OVmtable_getnumentries(t), 2 * kColours);
}

// Within a hash bucket the first entry stored is looked at first, then the
// later ones newest first.
TEST_F(MtableLifetime, BucketOrderIsFirstThenNewest) {
    constexpr int kInitial = 100; // no growth below this
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, kInitial, nullptr);
    const int capacity = orv::mtable_prime(kInitial);
    auto bucket = [&](unsigned rgb) {
        const float entry[4] = {channel24(rgb, 16), channel24(rgb, 8), channel24(rgb, 0), 1};
        return orv::mtable_hash(entry, 4, capacity);
    };
    const unsigned first = 0x102030;
    unsigned other = first + 1;
    while (bucket(other) != bucket(first))
        ++other;
    ASSERT_EQ(OVmtable_matchcolor24(t, first), 0);
    ASSERT_EQ(OVmtable_matchcolor24(t, other), 1);
    const float value[3] = {channel24(other, 16), channel24(other, 8), channel24(other, 0)};
    const int copy = OVmtable_newentry(t);
    ASSERT_TRUE(OVmtable_setvalue(t, copy, value, OVAMBIENTDIFFUSE));
    EXPECT_EQ(OVmtable_matchcolor24(t, other), copy);
    EXPECT_EQ(OVmtable_matchcolor24(t, first), 0);
    const int first_copy = OVmtable_newentry(t);
    const float first_value[3] = {channel24(first, 16), channel24(first, 8), channel24(first, 0)};
    ASSERT_TRUE(OVmtable_setvalue(t, first_copy, first_value, OVAMBIENTDIFFUSE));
    EXPECT_EQ(OVmtable_matchcolor24(t, first), 0);
    EXPECT_EQ(OVmtable_getnumentries(t), 4);
}

TEST_F(MtableLifetime, TableWithoutPropertiesStillKeepsEntries) {
    OVmtable *t = OVmtable_new(0, 1, nullptr);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(OVmtable_newentry(t), i);
    EXPECT_EQ(OVmtable_getnumentries(t), 10);
    EXPECT_EQ(OVmtable_matchcolor24(t, 0xFFFFFF), -1);
}

TEST_F(MtableLifetime, SharedTableGoesWithItsLastUserWhateverTheOrder) {
    OVmtable *shared = OVmtable_new(OVAMBIENTDIFFUSE, 1, "shared");
    std::vector<OVgeometry *> users;
    for (int i = 0; i < 200; ++i) {
        users.push_back(triangle());
        ASSERT_TRUE(OVgeometry_setmtable(users.back(), shared));
    }
    // Each geometry's own table went when it took the shared one.
    EXPECT_EQ(listed(), std::vector<OVmtable *>{shared});
    // Users leave from the middle, the ends, then the rest.
    for (std::size_t i : {100u, 0u, 199u, 50u})
        OVgeometry_delete(users[i]);
    for (std::size_t i = 0; i < users.size(); ++i) {
        if (i == 100 || i == 0 || i == 199 || i == 50) continue;
        ASSERT_EQ(OVuniverse_findmtable("shared"), shared) << "deleted with users left";
        OVgeometry_delete(users[i]);
    }
    EXPECT_EQ(OVuniverse_findmtable("shared"), nullptr);
    EXPECT_EQ(OVuniverse_getfirstmtable(), nullptr);
}

TEST_F(MtableLifetime, AttachingTwiceCountsOnceAndSwitchingLeavesTheOldTable) {
    OVmtable *a = OVmtable_new(OVAMBIENTDIFFUSE, 1, "a");
    OVmtable *b = OVmtable_new(OVAMBIENTDIFFUSE, 1, "b");
    OVgeometry *g = triangle(), *h = triangle();
    ASSERT_TRUE(OVgeometry_setmtable(g, a));
    ASSERT_TRUE(OVgeometry_setmtable(h, a));
    _OVmtable_attach(a, g); // already a user: nothing changes
    OVgeometry_delete(h);
    EXPECT_EQ(OVuniverse_findmtable("a"), a);
    // a goes the first time g leaves it.
    OVgeometry *keeper = triangle();
    ASSERT_TRUE(OVgeometry_setmtable(keeper, b));
    ASSERT_TRUE(OVgeometry_setmtable(g, b));
    EXPECT_EQ(OVuniverse_findmtable("a"), nullptr);
    // Back and forth: each passing table goes when g leaves it, b stays.
    for (int i = 0; i < 100; ++i) {
        OVmtable *c = OVmtable_new(OVDIFFUSE, 1, nullptr);
        ASSERT_TRUE(OVgeometry_setmtable(g, c));
        ASSERT_TRUE(OVgeometry_setmtable(g, b));
        ASSERT_EQ(listed(), std::vector<OVmtable *>{b}) << "cycle " << i;
    }
    ASSERT_TRUE(OVgeometry_setmtable(g, nullptr));
    EXPECT_EQ(OVgeometry_getmtable(g), nullptr);
    EXPECT_EQ(OVuniverse_getfirstmtable(), b); // the keeper still uses it
    OVgeometry_delete(keeper);
    EXPECT_EQ(OVuniverse_getfirstmtable(), nullptr);
    OVgeometry_delete(g);
}

TEST_F(MtableLifetime, DeletingATableReleasesEveryUser) {
    OVmtable *t = OVmtable_new(OVAMBIENTDIFFUSE, 1, "many");
    std::vector<OVgeometry *> users;
    for (int i = 0; i < 50; ++i) {
        users.push_back(triangle());
        OVgeometry_setmtable(users.back(), t);
    }
    OVmtable_delete(t);
    for (OVgeometry *g : users) {
        EXPECT_EQ(OVgeometry_getmtable(g), nullptr);
        // A new table for a released user is its own to keep.
        OVmtable *own = OVmtable_new(OVAMBIENTDIFFUSE, 1, nullptr);
        ASSERT_TRUE(OVgeometry_setmtable(g, own));
    }
    EXPECT_EQ(listed().size(), users.size());
    for (OVgeometry *g : users)
        OVgeometry_delete(g);
    EXPECT_EQ(OVuniverse_getfirstmtable(), nullptr);
}

} // namespace
