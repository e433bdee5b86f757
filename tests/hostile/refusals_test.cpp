// Out-of-range counts, sizes and coordinates are refused before any
// arithmetic or allocation, with a message naming the call.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string said;
int record(const char *text) {
    said += text;
    return 0;
}

class Refusals : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        said.clear();
        OVmessage_sethook(record);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
    }
};

TEST_F(Refusals, TooManyLevelRangesAreRefusedAndTheOldOnesKept) {
    OVnode *lod = OVlodnode_new(OVuniverse_getrootnodes());
    const float ranges[] = {10, 20};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    EXPECT_FALSE(OVlodnode_setrange(lod, ranges, INT_MAX));
    EXPECT_NE(said.find("OVlodnode_setrange: "), std::string::npos) << said;
    EXPECT_EQ(OVlodnode_numranges(lod), 2);
}

TEST_F(Refusals, ExtrusionOutlineBeyondAnyPolygonIsRefused) {
    const OVp2 square[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    OVgeometry *g = OVgeometry_newextrusion(square, 4, 1, 0, 0);
    ASSERT_NE(g, nullptr);
    OVgeometry_delete(g);
    EXPECT_EQ(OVgeometry_newextrusion(square, INT_MAX, 1, 0, 0), nullptr);
    EXPECT_NE(said.find("OVgeometry_newextrusion: "), std::string::npos) << said;
}

TEST_F(Refusals, PolygonNormalOfMoreCornersThanAPolygonCanHave) {
    std::vector<float> points(3 * 300, 0.0f);
    OVp3 normal = {5, 5, 5};
    EXPECT_EQ(OVp3_polynormal(reinterpret_cast<const OVp3 *>(points.data()), 300, normal), 0);
    EXPECT_NE(said.find("OVp3_polynormal: "), std::string::npos) << said;
    EXPECT_EQ(OVp3_polynormal(nullptr, 3, normal), 0);
}

TEST_F(Refusals, ViewportsBeyondAnyScreenAreRefused) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(OVwindow_newviewport(w, INT_MAX, INT_MAX, INT_MAX, INT_MAX), nullptr);
    EXPECT_NE(said.find("OVwindow_newviewport: "), std::string::npos) << said;
    OVwindow *v = OVwindow_newviewport(w, 0, 0, 32, 24);
    ASSERT_NE(v, nullptr);
    said.clear();
    EXPECT_FALSE(OVwindow_setviewport(v, INT_MIN, INT_MIN, 10, 10));
    EXPECT_NE(said.find("OVwindow_setviewport: "), std::string::npos) << said;
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getviewport(v, &x, &y, &width, &height));
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 24);
}

TEST_F(Refusals, SnapshotRectanglePastTheIntRange) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    unsigned char pixel[4];
    OVrender_frame(); // a snapshot gives the last frame shown
    EXPECT_FALSE(OVwindow_snapshot(w, 1, 1, INT_MAX, 1, pixel));
    EXPECT_FALSE(OVwindow_snapshot(w, 1, 1, 1, INT_MAX, pixel));
    EXPECT_TRUE(OVwindow_snapshot(w, 63, 47, 1, 1, pixel));
}

TEST_F(Refusals, NoWindowAtAPointOutsideTheIntRange) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    const OVp2 inside = {static_cast<float>(x + 1), static_cast<float>(y + 1)};
    EXPECT_EQ(OVwindow_findat(inside), w);
    const OVp2 outside[] = {{NAN, 0}, {1e30f, 1e30f}, {0, -1e30f}};
    for (const OVp2 &p : outside)
        EXPECT_EQ(OVwindow_findat(p), nullptr);
}

TEST_F(Refusals, NullTextsCompareFirstAndFormatNothing) {
    EXPECT_LT(OVstrcasecmp(nullptr, "a"), 0);
    EXPECT_GT(OVstrcasecmp("a", nullptr), 0);
    EXPECT_EQ(OVstrcasecmp(nullptr, nullptr), 0);
    EXPECT_EQ(OVwarning(nullptr), 0);
    EXPECT_EQ(said, "");
}

TEST_F(Refusals, GettersIgnoreNullOutputs) {
    OVgeometry *g = OVgeometry_newblock(1, 2, 3, 0);
    OVnode *n = OVmovgeometrynode_new(OVuniverse_getrootnodes(), g);
    OVgeometry_getextents(g, nullptr);
    OVgeometry_getmidpoint(g, nullptr);
    OVpoly_getnormal(OVgeometry_getpolys(g), nullptr);
    OVpoly_getcg(OVgeometry_getpolys(g), nullptr);
    OVvertex_getposition(OVgeometry_getvertices(g), nullptr);
    EXPECT_FALSE(OVnode_gettransform(n, nullptr));
    EXPECT_FALSE(OVnode_getorientation(n, nullptr));
    OVq_2m3(nullptr, nullptr);
    OVp3_cross(nullptr, nullptr, nullptr);
    EXPECT_EQ(OVp3_distance(nullptr, nullptr), 0.0f);
    EXPECT_EQ(said, "");
}

} // namespace
