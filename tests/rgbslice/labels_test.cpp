// The explorer's labels, planes and channel bounds, built in-process.
#include "explorer_fixture.h"

#include <string>
#include <vector>

namespace {

using namespace rgbslice;
using rgbslice_test::ExplorerScene;
using rgbslice_test::positions;

TEST_F(ExplorerScene, LabelsStartAt128) {
    expect_label(Red, "Red   = 128 ( 0.501961 )");
    expect_label(Green, "Green = 128 ( 0.501961 )");
    expect_label(Blue, "Blue  = 128 ( 0.501961 )");
}

TEST_F(ExplorerScene, LabelFollowsItsValue) {
    set(Green, 129);
    expect_label(Green, "Green = 129 ( 0.505882 )");
    set(Blue, 0);
    expect_label(Blue, "Blue  =   0 ( 0.000000 )");
    set(Red, 255);
    expect_label(Red, "Red   = 255 ( 1.000000 )");
}

// Green grows towards negative y; red and blue towards positive x and z.
TEST_F(ExplorerScene, PlanesMoveWithTheirValues) {
    EXPECT_FLOAT_EQ(translation(Red, 0), 0);
    set(Green, 129);
    EXPECT_NEAR(translation(Green, 1), 50 * (0.5f - 129 * 0.003921569f), 1e-5f);
    EXPECT_NEAR(translation(Green, 1), -0.294f, 1e-3f);
    set(Red, 255);
    EXPECT_NEAR(translation(Red, 0), 25, 1e-3f);
    set(Blue, 0);
    EXPECT_NEAR(translation(Blue, 2), -25, 1e-5f);
}

// The plane keeps its corner colours in the other channels and takes the
// value in its own.
TEST_F(ExplorerScene, PlaneRecoloursItsOwnChannel) {
    set(Red, 200);
    OVgeometry *g = OVnode_getgeometry(state().plane[Red]);
    std::vector<int> greens, blues;
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        int r, gr, b;
        OVgeometry_getvertexrgb(g, v, &r, &gr, &b);
        EXPECT_EQ(r, 200);
        greens.push_back(gr);
        blues.push_back(b);
    }
    EXPECT_EQ(greens, (std::vector<int>{0, 255, 255, 0}));
    EXPECT_EQ(blues, (std::vector<int>{255, 255, 0, 0}));
}

// A second universe rebuilds the explorer from scratch: nothing of the first
// (label nodes, planes, font, values) is reused.
TEST_F(ExplorerScene, SecondUniverseStartsAfresh) {
    set(Red, 7);
    expect_label(Red, "Red   =   7 ( 0.027451 )");
    OVuniverse_delete();
    OVuniverse_new(512, 0);
    State &s = state();
    s.root = OVuniverse_getrootnodes();
    s.viewpoint = OVuniverse_getviewpoints();
    build_scene();
    ASSERT_NE(s.font, nullptr);
    EXPECT_EQ(s.value[Red], 128);
    expect_label(Red, "Red   = 128 ( 0.501961 )");
    set(Red, 9);
    expect_label(Red, "Red   =   9 ( 0.035294 )");
}

} // namespace
