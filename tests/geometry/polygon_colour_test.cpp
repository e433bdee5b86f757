#include "geometry_test_util.h"

using namespace geomtest;

TEST(PolygonColour, EveryTwelveBitColourComesBack) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    for (unsigned c = 0; c < 0x1000; c += 7) {
        ASSERT_TRUE(OVpoly_setcolor(p, c));
        ASSERT_EQ(OVpoly_getcolor(p), static_cast<int>(c));
        // Each nibble widens to a byte by repetition.
        unsigned r = c >> 8, gr = (c >> 4) & 0xF, b = c & 0xF;
        ASSERT_EQ(_OVpoly_getcolor24(p), (r * 0x11u) << 16 | (gr * 0x11u) << 8 | b * 0x11u);
    }
    OVgeometry_delete(g);
}

TEST(PolygonColour, TwelveBitFormTruncatesTheChannels) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    // 128/255 is 7.53 fifteenths, 255/255 fifteen, 16/255 0.94.
    ASSERT_TRUE(OVpoly_setrgb(p, 128, 255, 16));
    EXPECT_EQ(OVpoly_getcolor(p), 0x7F0);
    int r = 0, gg = 0, b = 0;
    ASSERT_TRUE(OVpoly_getrgb(p, &r, &gg, &b));
    EXPECT_EQ(r, 128);
    EXPECT_EQ(gg, 255);
    EXPECT_EQ(b, 16);
    OVgeometry_delete(g);
}

TEST(PolygonColour, NoTableGivesMinusOne) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    ASSERT_TRUE(OVgeometry_setmtable(g, nullptr));
    EXPECT_EQ(OVpoly_getcolor(p), -1);
    EXPECT_FALSE(OVpoly_setcolor(p, 0xF00));
    EXPECT_EQ(OVpoly_getcolor(nullptr), -1);
    OVgeometry_delete(g);
}

TEST(PolygonColour, OnlyTheNoFragmentsFormColoursALockedGeometry) {
    OVgeometry *g = OVgeometry_newrectangle(1, 1, 0);
    OVpoly *p = OVgeometry_getpolys(g);
    RenderSpy spy(g);
    g->locked = 1;
    EXPECT_FALSE(OVpoly_setcolor(p, 0xF00));
    EXPECT_FALSE(OVpoly_setrgb(p, 255, 0, 0));
    EXPECT_FALSE(_OVpoly_setcolor24(p, 0xFF0000));
    EXPECT_EQ(OVpoly_getmatid(p), 0);
    EXPECT_EQ(RenderSpy::stale, 0);
    ASSERT_TRUE(_OVpoly_setcolor_nofrags(p, 0x0F0));
    EXPECT_EQ(_OVpoly_getcolor24(p), 0x00FF00u);
    EXPECT_EQ(RenderSpy::stale, 1); // the drawing is stale all the same
    g->locked = 0;
    // The same colour in another form finds the same material.
    const int green = OVpoly_getmatid(p);
    ASSERT_TRUE(_OVpoly_setcolor24(p, 0x00FF00));
    EXPECT_EQ(OVpoly_getmatid(p), green);
    ASSERT_TRUE(_OVpoly_setcolor24(p, 0x123456));
    EXPECT_EQ(_OVpoly_getcolor24(p), 0x123456u);
    EXPECT_EQ(OVmtable_getnumentries(OVgeometry_getmtable(g)), 3); // white, green, 0x123456
    EXPECT_EQ(_OVpoly_getcolor24(nullptr), 0u);
    int r = 7;
    EXPECT_FALSE(OVpoly_getrgb(nullptr, &r, &r, &r));
    EXPECT_EQ(r, 7);
    spy.g = nullptr;
    OVgeometry_delete(g);
}
