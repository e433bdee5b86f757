#include "orv/orv.h"
#include "nodes/scene_fixture.h"
#include "scene/node_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Lod = SceneTest;

TEST_F(Lod, RangeTextAndRoundTrip) {
    OVnode *lod = OVlodnode_new(root);
    ASSERT_NE(lod, nullptr);
    EXPECT_EQ(OVnode_gettype(lod), OVNODE_LOD);
    EXPECT_EQ(OVlodnode_numranges(lod), 0);
    EXPECT_EQ(OVlodnode_getranges(lod), nullptr);
    const float ranges[] = {10, 20};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    EXPECT_STREQ(OVlodnode_getranges(lod), "10.000000,20.000000");
    EXPECT_EQ(OVlodnode_numranges(lod), 2);
    float back[2] = {0, 0};
    EXPECT_FALSE(OVlodnode_getrange(lod, back, 1));
    ASSERT_TRUE(OVlodnode_getrange(lod, back, 2));
    EXPECT_FLOAT_EQ(back[0], 10);
    EXPECT_FLOAT_EQ(back[1], 20);
    // The text form reads back to the same ranges.
    const std::string text = OVlodnode_getranges(lod);
    ASSERT_TRUE(OVlodnode_setranges(lod, text.c_str()));
    EXPECT_EQ(text, OVlodnode_getranges(lod));
    ASSERT_TRUE(OVlodnode_setranges(lod, " 1.5 ,2;3"));
    EXPECT_STREQ(OVlodnode_getranges(lod), "1.500000,2.000000,3.000000");
    EXPECT_FALSE(OVlodnode_setranges(lod, "4,far"));
    EXPECT_EQ(OVlodnode_numranges(lod), 3);
    ASSERT_TRUE(OVlodnode_setrange(lod, nullptr, 5));
    EXPECT_EQ(OVlodnode_numranges(lod), 0);
    EXPECT_FALSE(OVlodnode_setrange(lod, ranges, -1));
}

TEST_F(Lod, LongValuesKeepTheirWholeText) {
    OVnode *lod = OVlodnode_new(root);
    const float ranges[] = {1e30f, -2.5f};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    char expected[128];
    std::snprintf(expected, sizeof expected, "%f,%f", double{1e30f}, -2.5);
    EXPECT_STREQ(OVlodnode_getranges(lod), expected);
    EXPECT_GT(std::strlen(expected), 32u);
}

TEST_F(Lod, OtherNodesAreRefused) {
    OVnode *sep = OVsepnode_new(root);
    const float ranges[] = {1};
    EXPECT_EQ(OVlodnode_numranges(sep), -1);
    EXPECT_FALSE(OVlodnode_setrange(sep, ranges, 1));
    EXPECT_FALSE(OVlodnode_setranges(sep, "1"));
    EXPECT_EQ(OVlodnode_getranges(sep), nullptr);
    OVp3 c = {1, 2, 3};
    EXPECT_FALSE(OVlodnode_setcenter(sep, c));
    EXPECT_EQ(OVlodnode_numranges(nullptr), -1);
}

TEST_F(Lod, MovableLodActsOnItsContent) {
    OVnode *m = OVmovlodnode_new(root);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(OVnode_gettype(m), OVNODE_MLOD);
    const float ranges[] = {5};
    ASSERT_TRUE(OVlodnode_setrange(m, ranges, 1));
    EXPECT_STREQ(OVlodnode_getranges(m), "5.000000");
    const OVp3 c = {1, 2, 3};
    ASSERT_TRUE(OVlodnode_setcenter(m, c));
    OVp3 back;
    ASSERT_TRUE(OVlodnode_getcenter(m, back));
    EXPECT_FLOAT_EQ(back[2], 3);
}

TEST_F(Lod, ChildChosenBySquaredDistanceOfTheCentre) {
    OVnode *lod = OVlodnode_new(root);
    for (int i = 0; i < 3; ++i)
        OVgroupnode_new(lod);
    const float ranges[] = {10, 20};
    OVlodnode_setrange(lod, ranges, 2);
    const OVp3 centre = {0, 0, 1};
    OVlodnode_setcenter(lod, centre);
    OVm4 m = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    auto at = [&](float z) {
        m[3][2] = z;
        return orv::scene::lod_choice(lod, m);
    };
    EXPECT_EQ(at(0), 0);
    EXPECT_EQ(at(9), 0); // exactly 10 away: not beyond
    EXPECT_EQ(at(9.5f), 1);
    EXPECT_EQ(at(-25), 2); // behind counts the same
    OVnode_deletechild(lod, 2);
    EXPECT_EQ(at(30), -1); // no child after the last range
}

TEST_F(Lod, BoundsCoverEveryLevel) {
    OVnode *lod = OVlodnode_new(root);
    OVgeometrynode_new(lod, OVgeometry_newblock(2, 2, 2, 0));
    OVnode *coarse = OVsepnode_new(lod);
    OVnode *x = OVxformnode_new(coarse);
    const OVp3 t = {4, 0, 0};
    OVnode_settranslation(x, t);
    OVgeometrynode_new(coarse, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(lod, mid));
    EXPECT_FLOAT_EQ(mid[0], 2);
}

} // namespace
