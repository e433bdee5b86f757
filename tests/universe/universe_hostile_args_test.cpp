// Universe calls in the wrong order or with hostile values: what one
// universe leaves behind must not reach the next, and refused values leave
// the universe as it was.
#include "universe/universe_fixture.h"

#include <climits>
#include <cmath>
#include <string>

namespace {

using orvtest::messages;
using orvtest::UniverseTest;

// Ends the fixture's universe and starts another, recording its messages.
void next_universe() {
    OVuniverse_delete();
    OVuniverse_new(OVDISPLAY_NONE, 0);
    messages.clear();
}

TEST_F(UniverseTest, MaterialTablesEndWithTheirUniverse) {
    ASSERT_NE(OVmtable_new(OVDIFFUSE, 1, "stone"), nullptr);
    OVgeometry *unplaced = OVgeometry_newblock(1, 1, 1, 0); // its table no node holds
    ASSERT_NE(unplaced, nullptr);
    next_universe();
    EXPECT_EQ(OVuniverse_getfirstmtable(), nullptr);
    EXPECT_EQ(OVuniverse_findmtable("stone"), nullptr);
    EXPECT_NE(OVmtable_new(OVDIFFUSE, 1, "stone"), nullptr);
    EXPECT_EQ(messages, "");
    OVgeometry_delete(unplaced); // the application's, without its table now
}

TEST_F(UniverseTest, AGeometryLeftOpenDoesNotOutliveItsUniverse) {
    OVgeometry *left_open = OVgeometry_begin();
    ASSERT_NE(left_open, nullptr);
    next_universe();
    OVgeometry *block = OVgeometry_newblock(1, 1, 1, 0);
    EXPECT_NE(block, nullptr);
    EXPECT_EQ(messages, "");
    OVgeometry_delete(block);
    OVgeometry_delete(left_open);
}

TEST_F(UniverseTest, DeletingTwiceAndCreatingTwice) {
    OVuniverse_new(OVDISPLAY_NONE, 0);
    EXPECT_NE(messages.find("ORV Warning: "), std::string::npos) << messages;
    EXPECT_NE(OVuniverse_getviewpoint(), nullptr);
    OVuniverse_delete();
    OVuniverse_delete();
    EXPECT_EQ(OVuniverse_getviewpoint(), nullptr);
    EXPECT_EQ(OVuniverse_getrootnodes(), nullptr);
}

TEST_F(UniverseTest, EventOrdersThatAreNoPermutationAreRefused) {
    const short repeated[] = {1, 1, 2, 3};
    const short outside[] = {0, 1, 2, 3};
    const short large[] = {1, 2, 3, 5};
    EXPECT_FALSE(OVuniverse_seteventorder(4, repeated));
    EXPECT_FALSE(OVuniverse_seteventorder(4, outside));
    EXPECT_FALSE(OVuniverse_seteventorder(4, large));
    EXPECT_FALSE(OVuniverse_seteventorder(2, repeated));
    EXPECT_FALSE(OVuniverse_seteventorder(INT_MAX, repeated));
    EXPECT_FALSE(OVuniverse_seteventorder(-3, repeated));
    EXPECT_FALSE(OVuniverse_seteventorder(4, nullptr));
    const short *order = OVuniverse_geteventorder();
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order[0], 4);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(order[i], i);
}

TEST_F(UniverseTest, RecentFrameRateOutsideTheRing) {
    EXPECT_EQ(OVuniverse_recentframerate(-1), -1.0f);
    EXPECT_EQ(OVuniverse_recentframerate(31), -1.0f);
    EXPECT_EQ(OVuniverse_recentframerate(INT_MIN), -1.0f);
    EXPECT_EQ(OVuniverse_recentframerate(INT_MAX), -1.0f);
}

TEST_F(UniverseTest, BackgroundKeepsOnlyTheLowBytes) {
    OVuniverse_setbgrgb(0x1FF, -1, 0x100);
    int r = 0, g = 0, b = 0;
    OVuniverse_getbgrgb(&r, &g, &b);
    EXPECT_EQ(r, 0xFF);
    EXPECT_EQ(g, 0xFF);
    EXPECT_EQ(b, 0x00);
    OVuniverse_getbgrgb(nullptr, nullptr, nullptr);
    OVuniverse_setbgcolor(-1);
    EXPECT_EQ(OVuniverse_getbgcolor(), 0xFFF);
}

TEST_F(UniverseTest, NamesWithBlanksOrNothingAreRefused) {
    ASSERT_TRUE(OVuniverse_setname("castle"));
    EXPECT_FALSE(OVuniverse_setname("two words"));
    EXPECT_FALSE(OVuniverse_setname(""));
    EXPECT_FALSE(OVuniverse_setname(nullptr));
    EXPECT_STREQ(OVuniverse_getname(), "castle");
    const std::string long_name(5000, 'n');
    EXPECT_TRUE(OVuniverse_setname(("C:\\dir\\" + long_name + ".nff").c_str()));
    EXPECT_EQ(OVuniverse_getname(), long_name);
}

TEST_F(UniverseTest, LoadRefusesNonsensicalScales) {
    OVpq placement;
    for (float scale : {0.0f, -1.0f, 1e-21f, NAN, -INFINITY}) {
        messages.clear();
        EXPECT_FALSE(OVuniverse_load("anything.nff", &placement, scale)) << scale;
        EXPECT_EQ(messages, "ORV Warning: Nonsensical scale factor.\n") << scale;
    }
    EXPECT_FALSE(OVuniverse_load(nullptr, &placement, 1.0f));
}

} // namespace
