// Geometries drawn from one merged display list once their stretch of the
// collection stays unchanged: the picture must be the one the geometries'
// own lists give, and every change must show on the next frame.
#include "render/geometry_groups.h"
#include "render/render_pixels.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

using namespace render_test;

// Enough frames for an unchanged stretch to be merged and then replayed.
constexpr int frames_to_merge = 5;
constexpr int grey = 100;

struct Merged : LitWindowScene {
    // A square 10 units ahead, centred at x, its right half turned away
    // from the viewer by the angle (radians) about its left edge.
    static void square(OVgeometry *g, float x, float angle) {
        const float half = 1.5f, z = 10;
        const float dx = 2 * half * std::cos(angle), dz = 2 * half * std::sin(angle);
        const std::array<std::array<float, 3>, 4> corners = {{{x - half, -half, z},
                                                              {x - half, half, z},
                                                              {x - half + dx, half, z + dz},
                                                              {x - half + dx, -half, z + dz}}};
        // Two triangles, each facing the viewer with this winding.
        for (const std::array<int, 3> &t : {std::array<int, 3>{0, 1, 3}, {1, 2, 3}}) {
            OVpoly *p = OVgeometry_beginpoly(g);
            for (int k : t) {
                float v[3] = {corners[k][0], corners[k][1], corners[k][2]};
                OVpoly_addvertexptr(p, OVgeometry_newvertex(g, v));
            }
            OVpoly_close(p);
        }
    }

    OVnode *squares(const std::vector<float> &xs, float angle) {
        OVgeometry *g = OVgeometry_begin();
        for (float x : xs)
            square(g, x, angle);
        OVgeometry_close(g);
        OVgeometry_setrgb(g, grey, grey, grey);
        return OVgeometrynode_new(root, g);
    }

    std::array<Pixel, 3> row() {
        return {pixel(window, 16, 40), pixel(window, 37, 40), pixel(window, 64, 40)};
    }

    // The three squares' pixels in every frame until merged and replayed.
    std::array<Pixel, 3> steady_row() {
        OVrender_frame();
        const std::array<Pixel, 3> first = row();
        const int polygons = OVwindow_getpolycount(window);
        for (int i = 1; i < frames_to_merge; ++i) {
            OVrender_frame();
            EXPECT_EQ(OVwindow_getpolycount(window), polygons) << "frame " << i;
            const std::array<Pixel, 3> now = row();
            for (int k = 0; k < 3; ++k)
                EXPECT_TRUE(near(now[k], first[k].r, first[k].g, first[k].b))
                    << "frame " << i << " square " << k;
        }
        return first;
    }
};

bool same(Pixel a, Pixel b) {
    return near(a, b.r, b.g, b.b);
}

TEST_F(Merged, EachGeometryKeepsItsOwnNormalsInTheMergedList) {
    const float tilt = 0.8f; // radians: the light falls at a slant
    squares({-6}, 0);
    squares({0}, tilt);
    squares({6}, 0);
    const std::array<Pixel, 3> p = steady_row();
    EXPECT_EQ(OVwindow_getpolycount(window), 6);
    EXPECT_TRUE(same(p[0], p[2]));
    EXPECT_GT(brightness(p[0]), brightness(p[1]) + 3 * 16);
    EXPECT_FALSE(near(p[1], 0, 0, 255)); // drawn, not background
}

TEST_F(Merged, NormalsChangeWithinOneGeometryAsInSeparateOnes) {
    OVgeometry *g = OVgeometry_begin();
    square(g, -6, 0);
    square(g, 0, 0.8f);
    square(g, 6, 0);
    OVgeometry_close(g);
    OVgeometry_setrgb(g, grey, grey, grey);
    OVgeometrynode_new(root, g);
    const std::array<Pixel, 3> p = steady_row();
    EXPECT_TRUE(same(p[0], p[2]));
    EXPECT_GT(brightness(p[0]), brightness(p[1]) + 3 * 16);
}

TEST_F(Merged, AChangedColourShowsOnTheNextFrame) {
    squares({-6}, 0);
    OVnode *middle = squares({0}, 0);
    squares({6}, 0);
    const std::array<Pixel, 3> before = steady_row();
    OVgeometry_setrgb(OVnode_getgeometry(middle), 0, 255, 0);
    OVrender_frame();
    const std::array<Pixel, 3> after = row();
    EXPECT_TRUE(same(after[0], before[0]));
    EXPECT_TRUE(same(after[2], before[2]));
    EXPECT_GT(after[1].g, after[1].r + 3 * 16);
}

TEST_F(Merged, AChangedMaterialTableEntryShowsOnTheNextFrame) {
    squares({-6}, 0);
    OVnode *middle = squares({0}, 0);
    squares({6}, 0);
    const std::array<Pixel, 3> before = steady_row();
    OVmtable *table = OVgeometry_getmtable(OVnode_getgeometry(middle));
    ASSERT_NE(table, nullptr);
    const int entry = OVmtable_matchrgb(table, grey, grey, grey);
    const float red[4] = {1, 0, 0, 1};
    ASSERT_TRUE(OVmtable_setvalue(table, entry, red, OVAMBIENTDIFFUSE));
    OVrender_frame();
    const std::array<Pixel, 3> after = row();
    EXPECT_GT(after[1].r, after[1].g + 3 * 16);
    EXPECT_TRUE(same(after[0], before[0]));
    EXPECT_TRUE(same(after[2], before[2]));
}

TEST_F(Merged, PolygonAttributesShowOnTheNextFrame) {
    squares({-6}, 0);
    OVnode *middle = squares({0}, 0);
    squares({6}, 0);
    const std::array<Pixel, 3> before = steady_row();
    OVgeometry *g = OVnode_getgeometry(middle);
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p))
        OVpoly_setvisibility(p, 0);
    OVrender_frame();
    EXPECT_TRUE(near(row()[1], 0, 0, 255));
    EXPECT_TRUE(same(row()[0], before[0]));
    steady_row();
    for (OVpoly *p = OVgeometry_getpolys(g); p; p = OVpoly_next(p)) {
        OVpoly_setvisibility(p, 1);
        OVpoly_setrgb(p, 0, 0, 0);
    }
    OVrender_frame();
    EXPECT_TRUE(near(row()[1], 0, 0, 0));
}

TEST_F(Merged, AnEditedOrDeletedGeometryShowsOnTheNextFrame) {
    squares({-6}, 0);
    OVnode *middle = squares({0}, 0);
    OVnode *right = squares({6}, 0);
    const std::array<Pixel, 3> before = steady_row();
    // Moved up out of the row: the middle pixel shows the background.
    OVgeometry *g = OVnode_getgeometry(middle);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 up = {0, 4, 0};
    OVgeometry_translate(g, up);
    ASSERT_TRUE(OVgeometry_endedit(g));
    OVrender_frame();
    EXPECT_TRUE(near(row()[1], 0, 0, 255));
    steady_row();
    OVnode_delete(right);
    OVrender_frame();
    EXPECT_TRUE(near(row()[2], 0, 0, 255));
    EXPECT_TRUE(same(row()[0], before[0]));
}

TEST_F(Merged, ANodeAddedToTheStretchIsDrawnOnTheNextFrame) {
    squares({-6}, 0);
    squares({0}, 0);
    steady_row();
    squares({6}, 0);
    OVrender_frame();
    EXPECT_FALSE(near(row()[2], 0, 0, 255));
}

TEST_F(Merged, AGeometryHeadingTwoStretchesInTurnsDrawsBoth) {
    // A second window's box of view leaves the right square out: the left
    // one heads a stretch of three there and of two here, in turns.
    squares({-6}, 0);
    squares({0}, 0);
    squares({6}, 0);
    OVwindow *other = OVwindow_new(0, 0, 80, 80, 0);
    ASSERT_NE(other, nullptr);
    OVwindow_setviewpoint(other, OVuniverse_getviewpoint());
    ASSERT_TRUE(OVwindow_setprojection(other, 4));
    ASSERT_TRUE(OVwindow_setfrustum(other, 0, -9, 3, -6, 6, 1, 100));
    for (int frame = 0; frame < frames_to_merge; ++frame) {
        OVrender_frame();
        for (const Pixel &p : row())
            EXPECT_FALSE(near(p, 0, 0, 255)) << frame;
        EXPECT_FALSE(near(pixel(other, 20, 40), 0, 0, 255)) << frame;
        EXPECT_FALSE(near(pixel(other, 60, 40), 0, 0, 255)) << frame;
        EXPECT_EQ(OVwindow_getpolycount(other), 4) << frame;
        EXPECT_EQ(OVwindow_getpolycount(window), 6) << frame;
    }
}

bool reddest(Pixel p) {
    return p.r > p.g + 3 * 16 && p.r > p.b + 3 * 16;
}

bool greenest(Pixel p) {
    return p.g > p.r + 3 * 16 && p.g > p.b + 3 * 16;
}

// Red and blue, unlike the blue background.
bool magenta(Pixel p) {
    return p.r > p.g + 3 * 16 && p.b > p.g + 3 * 16;
}

TEST_F(Merged, GeometriesOfDifferentSingleColoursKeepThemInOneMergedList) {
    OVgeometry_setrgb(OVnode_getgeometry(squares({-6}, 0)), 255, 0, 0);
    OVgeometry_setrgb(OVnode_getgeometry(squares({0}, 0)), 0, 255, 0);
    OVgeometry_setrgb(OVnode_getgeometry(squares({6}, 0)), 255, 0, 0);
    const int before = orv::merge_count();
    const std::array<Pixel, 3> p = steady_row();
    EXPECT_EQ(orv::merge_count(), before + 1);
    EXPECT_TRUE(reddest(p[0]));
    EXPECT_TRUE(greenest(p[1]));
    EXPECT_TRUE(reddest(p[2]));
}

TEST_F(Merged, AManyColouredGeometryBesideSingleColouredOnesKeepsEveryColour) {
    OVgeometry_setrgb(OVnode_getgeometry(squares({-6}, 0)), 255, 0, 0);
    // Its two triangles in two colours: a table of two entries, no colour material.
    OVgeometry *many = OVgeometry_begin();
    square(many, 0, 0);
    OVgeometry_close(many);
    OVpoly *first = OVgeometry_getpolys(many);
    OVpoly_setrgb(first, 0, 255, 0);
    OVpoly_setrgb(OVpoly_next(first), 255, 0, 255);
    OVgeometrynode_new(root, many);
    OVgeometry_setrgb(OVnode_getgeometry(squares({6}, 0)), 255, 0, 0);
    steady_row();
    // The middle square's triangles meet on its diagonal: a pixel each side.
    const Pixel left = pixel(window, 36, 40), right = pixel(window, 44, 40);
    EXPECT_TRUE((greenest(left) && magenta(right)) || (magenta(left) && greenest(right)));
    EXPECT_TRUE(reddest(row()[0]));
    EXPECT_TRUE(reddest(row()[2]));
}

TEST_F(Merged, TheFirstGeometrysChangedColourShowsOnTheNextFrame) {
    OVnode *left = squares({-6}, 0);
    OVgeometry_setrgb(OVnode_getgeometry(left), 255, 0, 0);
    squares({0}, 0);
    squares({6}, 0);
    const std::array<Pixel, 3> before = steady_row();
    EXPECT_TRUE(reddest(before[0]));
    OVgeometry_setrgb(OVnode_getgeometry(left), 0, 255, 0);
    OVrender_frame();
    EXPECT_TRUE(greenest(row()[0]));
    EXPECT_TRUE(same(row()[1], before[1]));
    const std::array<Pixel, 3> after = steady_row();
    EXPECT_TRUE(greenest(after[0]));
    EXPECT_TRUE(same(after[2], before[2]));
}

TEST_F(Merged, ASingleColouredGeometryAloneKeepsItsColourFromFrameToFrame) {
    OVnode *left = squares({-6}, 0);
    OVgeometry_setrgb(OVnode_getgeometry(left), 0, 255, 0);
    EXPECT_TRUE(greenest(steady_row()[0]));
    OVgeometry_setrgb(OVnode_getgeometry(left), 255, 0, 0);
    EXPECT_TRUE(reddest(steady_row()[0]));
}

TEST_F(Merged, AStretchIsMergedOnceUnchangedAndAgainAfterAChange) {
    squares({-6}, 0);
    OVnode *middle = squares({0}, 0);
    squares({6}, 0);
    const int before = orv::merge_count();
    steady_row();
    EXPECT_EQ(orv::merge_count(), before + 1);
    steady_row();
    EXPECT_EQ(orv::merge_count(), before + 1); // replayed, not merged again
    OVgeometry_setrgb(OVnode_getgeometry(middle), 0, 255, 0);
    steady_row();
    EXPECT_EQ(orv::merge_count(), before + 2);
}

TEST_F(Merged, AGeometryAloneOrOpenForEditingIsNotMerged) {
    OVnode *left = squares({-6}, 0);
    const int before = orv::merge_count();
    steady_row();
    EXPECT_EQ(orv::merge_count(), before);
    squares({6}, 0);
    OVgeometry *g = OVnode_getgeometry(left);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const std::array<Pixel, 3> p = steady_row();
    EXPECT_EQ(orv::merge_count(), before);
    EXPECT_FALSE(near(p[0], 0, 0, 255));
    EXPECT_FALSE(near(p[2], 0, 0, 255));
    ASSERT_TRUE(OVgeometry_endedit(g));
}

} // namespace
