// The explorer's labels, planes and channel bounds, built in-process.
#include "explorer_fixture.h"

#include "orv/light.h"

#include <cmath>
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

// Each plane lies across its own axis and starts with its corner colours,
// the value 128 in its own channel.
TEST_F(ExplorerScene, PlanesStartAcrossTheirAxesWithTheirCornerColours) {
    const int colours[3][4][3] = {{{128, 0, 255}, {128, 255, 255}, {128, 255, 0}, {128, 0, 0}},
                                  {{255, 128, 0}, {255, 128, 255}, {0, 128, 255}, {0, 128, 0}},
                                  {{255, 0, 128}, {255, 255, 128}, {0, 255, 128}, {0, 0, 128}}};
    for (int c = Red; c <= Blue; ++c) {
        OVgeometry *g = OVnode_getgeometry(state().plane[c]);
        ASSERT_NE(g, nullptr);
        int corner = 0;
        for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v), ++corner) {
            ASSERT_LT(corner, 4);
            OVp3 p;
            int rgb[3];
            OVgeometry_getvertexposition(g, v, p);
            OVgeometry_getvertexrgb(g, v, &rgb[0], &rgb[1], &rgb[2]);
            EXPECT_NEAR(p[c], 0, 1e-3f) << c;
            EXPECT_NEAR(std::fabs(p[(c + 1) % 3]), 25, 1e-2f) << c;
            EXPECT_EQ(std::vector<int>(rgb, rgb + 3),
                      std::vector<int>(colours[c][corner], colours[c][corner] + 3))
                << c << " " << corner;
        }
        EXPECT_EQ(corner, 4);
    }
}

// Every polygon of a label carries the label's colour.
void expect_label_colour(OVnode *label, int r, int g, int b) {
    OVgeometry *geometry = OVnode_getgeometry(label);
    ASSERT_NE(geometry, nullptr);
    int polys = 0;
    for (OVpoly *p = OVgeometry_getpolys(geometry); p; p = OVpoly_next(p), ++polys) {
        int pr = -1, pg = -1, pb = -1;
        OVpoly_getrgb(p, &pr, &pg, &pb);
        EXPECT_EQ(pr, r);
        EXPECT_EQ(pg, g);
        EXPECT_EQ(pb, b);
    }
    EXPECT_GT(polys, 0);
}

TEST_F(ExplorerScene, LabelsTakeTheirValueInTheirOwnChannel) {
    expect_label_colour(state().label_node[Red], 128, 0, 0);
    expect_label_colour(state().label_node[Green], 0, 128, 0);
    expect_label_colour(state().label_node[Blue], 0, 0, 128);
    set(Green, 200);
    expect_label_colour(state().label_node[Green], 0, 200, 0);
}

// The lights: under the separator a directed light and a point light at
// (-100, -100, 0); under the root six directed lights along the axes.
TEST_F(ExplorerScene, LightsAndTheWireframeCube) {
    OVnode *root = state().root;
    OVnode *separator = OVnode_getchild(root, 0);
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(OVlightnode_gettype(OVnode_getchild(separator, 0)), OVLIGHT_DIRECTED);
    OVnode *point = OVnode_getchild(separator, 1);
    EXPECT_EQ(OVlightnode_gettype(point), OVLIGHT_POINT);
    OVp3 at;
    ASSERT_TRUE(OVlightnode_getposition(point, at));
    EXPECT_EQ(std::vector<float>(at, at + 3), (std::vector<float>{-100, -100, 0}));
    const float axes[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int i = 0; i < 6; ++i) {
        OVp3 d;
        ASSERT_TRUE(OVlightnode_getdirection(OVnode_getchild(root, 1 + i), d)) << i;
        EXPECT_EQ(std::vector<float>(d, d + 3), std::vector<float>(axes[i], axes[i] + 3)) << i;
    }
    // The cube: red on +x, green on -y, blue on +z, drawn as wireframe.
    OVgeometry *cube = OVnode_getgeometry(OVnode_getchild(root, 7));
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(OVgeometry_getrenderingstyle(cube), 128);
    int corners = 0;
    for (OVvertex *v = OVgeometry_getvertices(cube); v; v = OVvertex_next(v), ++corners) {
        OVp3 p;
        int r, g, b;
        OVgeometry_getvertexposition(cube, v, p);
        OVgeometry_getvertexrgb(cube, v, &r, &g, &b);
        EXPECT_EQ(std::fabs(p[0]), 25.0f);
        EXPECT_EQ(r, p[0] > 0 ? 255 : 0);
        EXPECT_EQ(g, p[1] < 0 ? 255 : 0);
        EXPECT_EQ(b, p[2] > 0 ? 255 : 0);
    }
    EXPECT_EQ(corners, 8);
}

// Under the light separator, after its two lights: the three movable label
// separators in red, green, blue order at their places, each holding one
// geometry node.
TEST_F(ExplorerScene, LabelSeparatorsSitUnderTheLightSeparatorAtTheirPlaces) {
    OVnode *separator = OVnode_getchild(state().root, 0);
    ASSERT_EQ(OVnode_gettype(separator), OVNODE_SEPARATOR);
    ASSERT_EQ(OVnode_numchildren(separator), 5);
    const float places[3][3] = {{30, -15, 0}, {30, 5, 0}, {30, 25, 0}};
    for (int c = Red; c <= Blue; ++c) {
        OVnode *label = OVnode_getchild(separator, 2 + c);
        EXPECT_EQ(OVnode_gettype(label), OVNODE_MSEPARATOR) << c;
        OVp3 t;
        OVnode_gettranslation(label, t);
        EXPECT_EQ(std::vector<float>(t, t + 3), std::vector<float>(places[c], places[c] + 3)) << c;
        ASSERT_EQ(OVnode_numchildren(label), 1) << c;
        EXPECT_EQ(OVnode_gettype(OVnode_getchild(label, 0)), OVNODE_GEOMETRY) << c;
        EXPECT_EQ(OVnode_getchild(label, 0), state().label_node[c]) << c;
    }
}

// A change replaces the label's geometry node: the separator still holds one
// child, a new one, and stays where it was.
TEST_F(ExplorerScene, AChangeReplacesTheLabelNode) {
    for (int c = Red; c <= Blue; ++c) {
        OVnode *separator = state().label_sep[c];
        OVp3 before, after;
        OVnode_gettranslation(separator, before);
        set(static_cast<Channel>(c), 100 + c);
        set(static_cast<Channel>(c), 101 + c);
        ASSERT_EQ(OVnode_numchildren(separator), 1) << c;
        EXPECT_EQ(OVnode_getchild(separator, 0), state().label_node[c]) << c;
        EXPECT_NE(OVnode_getgeometry(state().label_node[c]), nullptr) << c;
        OVnode_gettranslation(separator, after);
        EXPECT_EQ(std::vector<float>(after, after + 3), std::vector<float>(before, before + 3));
    }
}

// The cube is a plain geometry node and the planes movable ones, all three
// at the origin until a key moves them.
TEST_F(ExplorerScene, CubeIsFixedAndThePlanesStartAtTheOrigin) {
    EXPECT_EQ(OVnode_gettype(OVnode_getchild(state().root, 7)), OVNODE_GEOMETRY);
    for (int c = Red; c <= Blue; ++c) {
        EXPECT_EQ(OVnode_getchild(state().root, 8 + c), state().plane[c]) << c;
        EXPECT_EQ(OVnode_gettype(state().plane[c]), OVNODE_MGEOMETRY) << c;
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_EQ(translation(static_cast<Channel>(c), axis), 0.0f) << c << " " << axis;
    }
    EXPECT_EQ(OVnode_numchildren(state().root), 11);
}

} // namespace
