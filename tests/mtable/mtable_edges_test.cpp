// Material tables at the edges of their rules: renaming to the same name, the
// longest name, a dot in a directory, a geometry given its own table again,
// and growth through every listed capacity.
#include "geometry/mtable_record.h"
#include "mtable_fixture.h"

#include "orv/mtable.h"

#include <string>
#include <vector>

namespace {

using mtabletest::g_log;

class MtableEdges : public mtabletest::MtableFixture {};

TEST_F(MtableEdges, ATableMayBeGivenTheNameItHas) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, "wood");
    ASSERT_NE(t, nullptr);
    g_log.clear();
    EXPECT_TRUE(OVmtable_setname(t, "wood")); // no other table has it
    EXPECT_EQ(g_log, "");
    EXPECT_TRUE(OVmtable_setname(t, "lib/wood.mat"));
    EXPECT_STREQ(OVmtable_getname(t), "wood");
    EXPECT_EQ(OVuniverse_findmtable("wood"), t);
}

TEST_F(MtableEdges, TheLongestNameIsKeptWhole) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
    const std::string longest(259, 'n');
    ASSERT_TRUE(OVmtable_setname(t, longest.c_str()));
    EXPECT_EQ(std::string(OVmtable_getname(t)), longest);
    EXPECT_EQ(OVuniverse_findmtable(longest.c_str()), t);
    // A long path whose base fits is shortened, not refused.
    const std::string path = std::string(400, 'd') + "/" + std::string(200, 'b') + ".mat";
    ASSERT_TRUE(OVmtable_setname(t, path.c_str()));
    EXPECT_EQ(std::string(OVmtable_getname(t)), std::string(200, 'b'));
}

TEST_F(MtableEdges, TheCutAtTheLastDotComesFirst) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
    g_log.clear();
    ASSERT_TRUE(OVmtable_setname(t, "lib.v2/wood"));
    EXPECT_STREQ(OVmtable_getname(t), "lib");
    EXPECT_EQ(g_log, "ORV Warning: file delimiters and extensions not allowed in mtable name\n"
                     "ORV Warning: mtable name shortened from given \"lib.v2/wood\" to \"lib\"\n");
    // Every separator counts: the base follows the last of them.
    ASSERT_TRUE(OVmtable_setname(t, "c:\\a/b\\oak"));
    EXPECT_STREQ(OVmtable_getname(t), "oak");
    ASSERT_TRUE(OVmtable_setname(t, "a\\b/pine"));
    EXPECT_STREQ(OVmtable_getname(t), "pine");
    g_log.clear();
    EXPECT_FALSE(OVmtable_setname(t, "dir/"));
    EXPECT_NE(g_log.find(": no spaces allowed in name\n"), std::string::npos);
    EXPECT_FALSE(OVmtable_setname(t, ""));
    EXPECT_FALSE(OVmtable_setname(t, "dir/a b.mat"));
    EXPECT_STREQ(OVmtable_getname(t), "pine");
}

TEST_F(MtableEdges, AGeometryGivenItsOwnTableAgainKeepsIt) {
    OVgeometry *g = mtabletest::triangle();
    OVmtable *own = OVgeometry_getmtable(g);
    ASSERT_NE(own, nullptr);
    const int entries = OVmtable_getnumentries(own);
    ASSERT_TRUE(OVgeometry_setmtable(g, own));
    EXPECT_EQ(OVgeometry_getmtable(g), own);
    EXPECT_EQ(OVuniverse_getfirstmtable(), own); // still listed: g still uses it
    EXPECT_EQ(OVmtable_getnumentries(own), entries);
    EXPECT_EQ(OVmtable_matchcolor12(own, 0xFFF), 0);
    OVgeometry_delete(g);
    EXPECT_EQ(OVuniverse_getfirstmtable(), nullptr);
}

TEST_F(MtableEdges, GrowthWalksEveryListedCapacity) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, "growing");
    ASSERT_NE(t, nullptr);
    std::vector<int> seen{t->capacity};
    while (OVmtable_getnumentries(t) < 50022) {
        ASSERT_GE(OVmtable_newentry(t), 0);
        if (t->capacity != seen.back()) seen.push_back(t->capacity);
    }
    // Half the capacity (20 while that is below 50, never above 20000) added
    // and rounded up to the next listed prime.
    EXPECT_EQ(seen, (std::vector<int>{3, 29, 67, 101, 503, 1009, 2063, 4001, 6007, 10007, 15013,
                                      30011, 50021, 70001}));
    EXPECT_EQ(g_log, "");
}

} // namespace
