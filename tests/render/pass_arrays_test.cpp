// Passes drawn from vertex buffers: the picture must be the one immediate
// drawing gives, every change must show on the next frame, and what a
// buffer cannot hold must still be drawn from a display list.
#include "render/geometry_groups.h"
#include "render/geometry_lists.h"
#include "render/pass_arrays.h"
#include "render/render_pixels.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

using namespace render_test;

constexpr int grey = 100;
constexpr int margin = 3 * 16;
constexpr float depth = 10;

struct Buffered : LitWindowScene {
    // A polygon of the corners, facing the viewer in this winding.
    static OVpoly *polygon(OVgeometry *g, const std::vector<std::array<float, 3>> &corners) {
        OVpoly *p = OVgeometry_beginpoly(g);
        for (const std::array<float, 3> &c : corners) {
            float v[3] = {c[0], c[1], c[2]};
            OVpoly_addvertexptr(p, OVgeometry_newvertex(g, v));
        }
        OVpoly_close(p);
        return p;
    }

    // A square of two triangles, 3 units wide, centred at x.
    static void square(OVgeometry *g, float x) {
        const float h = 1.5f;
        polygon(g, {{x - h, -h, depth}, {x - h, h, depth}, {x + h, -h, depth}});
        polygon(g, {{x - h, h, depth}, {x + h, h, depth}, {x + h, -h, depth}});
    }

    // The same square as one quadrilateral.
    static OVpoly *quad(OVgeometry *g, float x) {
        const float h = 1.5f;
        return polygon(
            g, {{x - h, -h, depth}, {x - h, h, depth}, {x + h, h, depth}, {x + h, -h, depth}});
    }

    OVnode *add(OVgeometry *g) {
        OVgeometry_close(g);
        return OVgeometrynode_new(root, g);
    }

    // Pixels at the centres of squares at x = -6, 0 and 6.
    std::array<Pixel, 3> row() {
        return {pixel(window, 16, 40), pixel(window, 40, 40), pixel(window, 64, 40)};
    }
};

bool background(Pixel p) {
    return near(p, 0, 0, 255);
}

TEST_F(Buffered, AOneColouredGeometryLooksAsWhenDrawnImmediately) {
    OVgeometry *g = OVgeometry_begin();
    square(g, 0);
    quad(g, 6);
    OVnode *node = add(g);
    OVgeometry_setrgb(OVnode_getgeometry(node), grey, grey, grey);
    const int before = orv::buffered_pass_count();
    OVrender_frame();
    OVrender_frame();
    EXPECT_EQ(orv::buffered_pass_count(), before + 1);
    const std::array<Pixel, 3> buffered = row();
    EXPECT_EQ(OVwindow_getpolycount(window), 3);
    ASSERT_TRUE(OVgeometry_beginedit(OVnode_getgeometry(node)));
    OVrender_frame(); // drawn immediately while open for editing
    const std::array<Pixel, 3> immediate = row();
    ASSERT_TRUE(OVgeometry_endedit(OVnode_getgeometry(node)));
    EXPECT_TRUE(background(buffered[0]));
    for (int k = 1; k < 3; ++k) {
        EXPECT_FALSE(background(buffered[k])) << k;
        EXPECT_TRUE(near(buffered[k], immediate[k].r, immediate[k].g, immediate[k].b)) << k;
    }
}

TEST_F(Buffered, PolygonsOfDifferentColoursAndKindsKeepTheirOwn) {
    OVgeometry *g = OVgeometry_begin();
    square(g, -6);
    OVpoly *middle = quad(g, 0);
    square(g, 6);
    add(g);
    OVgeometry_setrgb(g, 255, 0, 0);
    OVpoly_setrgb(middle, 0, 255, 0);
    OVrender_frame();
    const std::array<Pixel, 3> p = row();
    EXPECT_GT(p[0].r, p[0].g + margin);
    EXPECT_GT(p[1].g, p[1].r + margin);
    EXPECT_GT(p[2].r, p[2].g + margin);
    EXPECT_EQ(OVwindow_getpolycount(window), 5);
}

TEST_F(Buffered, VertexNormalsShadeAcrossAPolygon) {
    OVgeometry *g = OVgeometry_begin();
    OVpoly *p = quad(g, 0);
    // The left edge faces the light, the right edge is turned almost away.
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 at;
        ASSERT_TRUE(OVgeometry_getvertexposition(g, v, at));
        const OVp3 facing = {0, 0, -1}, turned = {0.95f, 0, -0.31f};
        ASSERT_TRUE(OVgeometry_setvertexnormal(g, v, at[0] < 0 ? facing : turned));
    }
    add(g);
    ASSERT_TRUE(OVpoly_hasvnormals(p));
    OVgeometry_setrgb(g, 255, 255, 255);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, OVSTYLE_SMOOTH, 1));
    ASSERT_TRUE(OVpoly_setrendering(p, 1));
    const int before = orv::buffered_pass_count();
    OVrender_frame();
    EXPECT_EQ(orv::buffered_pass_count(), before + 1);
    const Pixel left = pixel(window, 35, 40), right = pixel(window, 45, 40);
    EXPECT_GT(brightness(left), brightness(right) + margin);
    EXPECT_FALSE(background(left));
    EXPECT_FALSE(background(right));
}

TEST_F(Buffered, APolygonOfFiveCornersKeepsItsGeometryInADisplayList) {
    OVgeometry *g = OVgeometry_begin();
    const float h = 1.5f;
    polygon(g, {{-h, -h, depth}, {-h, h, depth}, {0, 2 * h, depth}, {h, h, depth}, {h, -h, depth}});
    add(g);
    OVgeometry_setrgb(g, grey, grey, grey);
    const int buffered = orv::buffered_pass_count(), compiled = orv::compile_count();
    OVrender_frame();
    EXPECT_EQ(orv::buffered_pass_count(), buffered);
    EXPECT_EQ(orv::compile_count(), compiled + 1);
    EXPECT_FALSE(background(row()[1]));
}

TEST_F(Buffered, AStretchWithAPolygonNoBufferHoldsIsMergedIntoAList) {
    std::array<OVgeometry *, 3> squares{};
    const std::array<float, 3> xs = {-6, 0, 6};
    for (std::size_t i = 0; i < squares.size(); ++i) {
        squares[i] = OVgeometry_begin();
        square(squares[i], xs[i]);
        // A five-cornered polygon above the right square keeps the stretch out of buffers.
        const float h = 1.5f, x = xs[i];
        if (i == 2)
            polygon(squares[i], {{x - h, h, depth},
                                 {x - h, 2 * h, depth},
                                 {x, 3 * h, depth},
                                 {x + h, 2 * h, depth},
                                 {x + h, h, depth}});
        add(squares[i]);
        OVgeometry_setrgb(squares[i], 255, 0, 0);
    }
    OVgeometry_setrgb(squares[1], 0, 255, 0);
    const int merged = orv::merge_count(), buffered = orv::buffered_pass_count();
    for (int frame = 0; frame < 6; ++frame)
        OVrender_frame();
    EXPECT_EQ(orv::merge_count(), merged + 1);
    // The two squares' own passes, not the stretch.
    EXPECT_EQ(orv::buffered_pass_count(), buffered + 2);
    EXPECT_EQ(OVwindow_getpolycount(window), 7);
    const std::array<Pixel, 3> p = row();
    EXPECT_GT(p[0].r, p[0].g + margin);
    EXPECT_GT(p[1].g, p[1].r + margin);
    EXPECT_GT(p[2].r, p[2].g + margin);
}

TEST_F(Buffered, OutlinesStayInADisplayList) {
    OVgeometry *g = OVgeometry_begin();
    square(g, 0);
    add(g);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, OVSTYLE_WIREFRAME, 1));
    const int buffered = orv::buffered_pass_count(), compiled = orv::compile_count();
    OVrender_frame();
    EXPECT_EQ(orv::buffered_pass_count(), buffered);
    EXPECT_EQ(orv::compile_count(), compiled + 1);
}

TEST_F(Buffered, MovedColouredOrDeletedGeometriesShowOnTheNextFrame) {
    OVgeometry *g = OVgeometry_begin();
    square(g, 0);
    OVnode *node = add(g);
    OVgeometry_setrgb(g, 255, 0, 0);
    OVrender_frame();
    OVrender_frame();
    EXPECT_GT(row()[1].r, row()[1].g + margin);
    OVgeometry_setrgb(g, 0, 255, 0);
    OVrender_frame();
    EXPECT_GT(row()[1].g, row()[1].r + margin);
    ASSERT_TRUE(OVgeometry_beginedit(g));
    const OVp3 aside = {6, 0, 0};
    OVgeometry_translate(g, aside);
    ASSERT_TRUE(OVgeometry_endedit(g));
    OVrender_frame();
    EXPECT_TRUE(background(row()[1]));
    EXPECT_GT(row()[2].g, row()[2].r + margin);
    OVnode_delete(node);
    OVrender_frame();
    EXPECT_TRUE(background(row()[2]));
    EXPECT_EQ(OVwindow_getpolycount(window), 0);
}

TEST_F(Buffered, HiddenPolygonsAreLeftOutAndCountedOut) {
    OVgeometry *g = OVgeometry_begin();
    square(g, -6);
    OVpoly *hidden = quad(g, 0);
    square(g, 6);
    add(g);
    OVgeometry_setrgb(g, grey, grey, grey);
    OVpoly_setvisibility(hidden, 0);
    OVrender_frame();
    EXPECT_EQ(OVwindow_getpolycount(window), 4);
    EXPECT_TRUE(background(row()[1]));
    EXPECT_FALSE(background(row()[0]));
    EXPECT_FALSE(background(row()[2]));
}

} // namespace
