// The standard geometry renderer read back as pixels: styles a geometry
// overrides, flat and smooth shading, software back-face rejection while a
// geometry is open for editing, lit back faces of two-sided polygons,
// batch limits, textures changing from polygon to polygon and opaque and
// transparent polygons of one geometry.
#include "render/render_pixels.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace render_test;

constexpr float depth = 10;
constexpr int side = 80;

using Corners = std::vector<std::array<float, 3>>;

// A polygon of the corners; listed this way round it faces the viewer.
OVpoly *polygon(OVgeometry *g, const Corners &corners) {
    OVpoly *p = OVgeometry_beginpoly(g);
    for (const std::array<float, 3> &c : corners) {
        float v[3] = {c[0], c[1], c[2]};
        OVpoly_addvertexptr(p, OVgeometry_newvertex(g, v));
    }
    OVpoly_close(p);
    return p;
}

// A square 3 units wide centred at (x, 0, z), facing the viewer or turned away.
OVpoly *square(OVgeometry *g, float x, float z = depth, bool facing = true) {
    const float h = 1.5f;
    Corners c = {{x - h, -h, z}, {x - h, h, z}, {x + h, h, z}, {x + h, -h, z}};
    if (!facing) c = {c[3], c[2], c[1], c[0]};
    return polygon(g, c);
}

OVnode *add(OVnode *root, OVgeometry *g) {
    OVgeometry_close(g);
    return OVgeometrynode_new(root, g);
}

bool background(Pixel p) {
    return near(p, 0, 0, 255);
}

std::vector<unsigned char> image(OVwindow *w) {
    std::vector<unsigned char> rgba(side * side * 4);
    EXPECT_TRUE(OVwindow_snapshot(w, 0, 0, side, side, rgba.data()));
    return rgba;
}

int largest_difference(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b) {
    int worst = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        worst = std::max(worst, std::abs(a[i] - b[i]));
    return worst;
}

struct Polygons : LitWindowScene {};

TEST_F(Polygons, AGeometrysWireframeStyleOutlinesItAloneInASolidScene) {
    OVgeometry *solid = OVgeometry_begin();
    square(solid, -3);
    OVgeometry_setrgb(solid, 255, 0, 0);
    add(root, solid);
    OVgeometry *wire = OVgeometry_begin();
    square(wire, 3);
    OVgeometry_setrgb(wire, 255, 0, 0);
    add(root, wire);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(wire, 128, 1));
    OVrender_frame();
    EXPECT_TRUE(near(seen(window, -3, 0, depth), 255, 0, 0));
    EXPECT_TRUE(background(seen(window, 3, 0, depth)));
    int outline = 0;
    for (int x = 40; x < side; ++x)
        outline += !background(pixel(window, x, 40));
    EXPECT_GE(outline, 2); // the square's left and right edges
}

TEST_F(Polygons, AGeometryTurningWireframeOffStaysSolidInAWireframeScene) {
    OVgeometry *solid = OVgeometry_begin();
    square(solid, -3);
    OVgeometry_setrgb(solid, 255, 0, 0);
    add(root, solid);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(solid, 128, 0));
    OVgeometry *other = OVgeometry_begin();
    square(other, 3);
    OVgeometry_setrgb(other, 255, 0, 0);
    add(root, other);
    OVuniverse_setrendering(OVuniverse_getrendering() | 0x80);
    OVrender_frame();
    Pixel filled = seen(window, -3, 0, depth);
    EXPECT_GT(filled.r, 60);
    EXPECT_LT(filled.b, 60);
    EXPECT_TRUE(background(seen(window, 3, 0, depth)));
}

// A square whose left corners are red and right corners green.
OVgeometry *two_coloured_square(OVnode *root) {
    OVgeometry *g = OVgeometry_begin();
    square(g, 0);
    add(root, g);
    OVgeometry_beginedit(g);
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVgeometry_getvertexposition(g, v, p);
        OVgeometry_setvertexrgb(g, v, p[0] < 0 ? 255 : 0, p[0] < 0 ? 0 : 255, 0);
    }
    OVgeometry_endedit(g);
    return g;
}

TEST_F(Polygons, SmoothShadingBlendsCornerColoursFlatShadingFillsWithOne) {
    OVgeometry *g = two_coloured_square(root);
    OVrender_frame();
    Pixel left = seen(window, -1, 0, depth), right = seen(window, 1, 0, depth);
    EXPECT_GT(left.r, right.r + 60);
    EXPECT_GT(right.g, left.g + 60);
    // The universe without smooth shading: one colour all over the square.
    OVuniverse_setrendering(OVuniverse_getrendering() & ~0x08);
    OVrender_frame();
    left = seen(window, -1, 0, depth);
    right = seen(window, 1, 0, depth);
    EXPECT_TRUE(near(left, right.r, right.g, right.b));
    EXPECT_FALSE(background(left));
    // A geometry asking for smooth shading gets it in a flat universe.
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x08, 1));
    OVrender_frame();
    left = seen(window, -1, 0, depth);
    right = seen(window, 1, 0, depth);
    EXPECT_GT(left.r, right.r + 60);
    // And flat in a smooth one.
    OVuniverse_setrendering(OVuniverse_getrendering() | 0x08);
    ASSERT_TRUE(OVgeometry_setrenderingstyle(g, 0x08, 0));
    OVrender_frame();
    left = seen(window, -1, 0, depth);
    right = seen(window, 1, 0, depth);
    EXPECT_TRUE(near(left, right.r, right.g, right.b));
}

TEST_F(Polygons, OpenForEditingOnlyTheFacesTowardTheEyeAreDrawnAndCounted) {
    const OVp3 ahead = {0, 0, depth};
    for (int both = 0; both < 2; ++both) {
        OVgeometry *g = OVgeometry_newblock(4, 4, 4, both);
        OVgeometry_translate(g, ahead);
        OVgeometry_setrgb(g, 255, 0, 0);
        OVnode *node = OVgeometrynode_new(root, g);
        OVrender_frame();
        EXPECT_EQ(OVwindow_getpolycount(window), 6) << both;
        OVgeometry_beginedit(g);
        OVrender_frame();
        // The near face alone faces the eye; two-sided faces are all drawn.
        EXPECT_EQ(OVwindow_getpolycount(window), both ? 6 : 1) << both;
        EXPECT_TRUE(near(pixel(window, 40, 40), 255, 0, 0)) << both;
        OVgeometry_endedit(g);
        OVnode_delete(node);
    }
}

TEST_F(Polygons, TheBackOfATwoSidedPolygonIsLitLikeItsFront) {
    // Dim enough that the lit side cannot saturate: ambient 0.4, diffuse up to 1.
    OVgeometry *g = OVgeometry_begin();
    OVpoly_setbothsides(square(g, -3, depth, true), 1);
    OVpoly_setbothsides(square(g, 3, depth, false), 1);
    OVgeometry_setrgb(g, 120, 0, 0);
    add(root, g);
    for (int editing = 0; editing < 2; ++editing) {
        if (editing) OVgeometry_beginedit(g);
        OVrender_frame();
        Pixel front = seen(window, -3, 0, depth), back = seen(window, 3, 0, depth);
        EXPECT_GT(front.r, 150) << editing; // 0.4 + 1 of 120
        EXPECT_TRUE(near(back, front.r, front.g, front.b))
            << editing << ": " << back.r << " against " << front.r;
        if (editing) OVgeometry_endedit(g);
    }
}

TEST_F(Polygons, FacingIsJudgedFromTheEyeInTheGeometrysOwnFrame) {
    // Squares 2 units in front of their own origin, facing it or not; an
    // Xform turns them half round and puts that origin 12 ahead, so that
    // the first faces the viewer from 10 away and the second turns away.
    OVnode *group = OVsepnode_new(root);
    OVnode *xform = OVxformnode_new(group);
    OVm4 m = {{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}, {0, 0, 12, 1}};
    ASSERT_TRUE(OVnode_settransform(xform, m));
    OVgeometry *g = OVgeometry_begin();
    square(g, 3, 2, false); // faces +Z in its frame: the viewer, once turned
    square(g, -3, 2, true);
    OVgeometry_setrgb(g, 255, 0, 0);
    add(group, g);
    for (int editing = 0; editing < 2; ++editing) {
        if (editing) OVgeometry_beginedit(g);
        OVrender_frame();
        EXPECT_TRUE(near(seen(window, -3, 0, depth), 255, 0, 0)) << editing;
        EXPECT_TRUE(background(seen(window, 3, 0, depth))) << editing;
        EXPECT_EQ(OVwindow_getpolycount(window), editing ? 1 : 2);
        if (editing) OVgeometry_endedit(g);
    }
}

TEST_F(Polygons, AOneSidedPolygonTurnedAwayIsNotDrawnEitherWay) {
    OVgeometry *g = OVgeometry_begin();
    square(g, -3, depth, true);
    square(g, 3, depth, false);
    OVgeometry_setrgb(g, 255, 0, 0);
    add(root, g);
    for (int editing = 0; editing < 2; ++editing) {
        if (editing) OVgeometry_beginedit(g);
        OVrender_frame();
        EXPECT_TRUE(near(seen(window, -3, 0, depth), 255, 0, 0)) << editing;
        EXPECT_TRUE(background(seen(window, 3, 0, depth))) << editing;
        if (editing) OVgeometry_endedit(g);
    }
}

// Polygons of three, four and five corners in turn, each in its own colour,
// drawn from lists and then immediately; the two pictures.
std::array<std::vector<unsigned char>, 2> mixed_polygons() {
    OVuniverse_new(512, 0);
    OVnode *root = OVuniverse_getrootnodes();
    OVwindow *w = OVwindow_new(0, 0, side, side, 0);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    OVp3 forward = {0, 0, 1};
    OVlightnode_setdirection(OVlightnode_newdirected(root), forward);
    OVgeometry *g = OVgeometry_begin();
    const int colours[][3] = {{255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 255, 255}};
    int n = 0;
    for (float y : {-3.0f, 0.0f, 3.0f})
        for (float x : {-4.0f, -2.0f, 0.0f, 2.0f, 4.0f}) {
            OVpoly *p;
            if (n % 3 == 0)
                p = polygon(g, {{x - 0.8f, y - 0.8f, depth},
                                {x - 0.8f, y + 0.8f, depth},
                                {x + 0.8f, y - 0.8f, depth}});
            else if (n % 3 == 1)
                p = polygon(g, {{x - 0.8f, y - 0.8f, depth},
                                {x - 0.8f, y + 0.8f, depth},
                                {x + 0.8f, y + 0.8f, depth},
                                {x + 0.8f, y - 0.8f, depth}});
            else
                p = polygon(g, {{x - 0.8f, y - 0.3f, depth},
                                {x - 0.3f, y + 0.8f, depth},
                                {x + 0.6f, y + 0.8f, depth},
                                {x + 0.8f, y - 0.2f, depth},
                                {x, y - 0.8f, depth}});
            const int *c = colours[n % 4];
            OVpoly_setrgb(p, c[0], c[1], c[2]);
            ++n;
        }
    add(root, g);
    std::array<std::vector<unsigned char>, 2> pictures;
    OVrender_frame();
    pictures[0] = image(w);
    OVgeometry_beginedit(g);
    OVrender_frame();
    pictures[1] = image(w);
    OVgeometry_endedit(g);
    OVuniverse_delete();
    return pictures;
}

struct BatchLimits : ::testing::Test {
    void TearDown() override {
        unsetenv("ORVMAXPRIM");
        unsetenv("ORVFORCECOLOR");
    }
};

TEST_F(BatchLimits, SmallBatchesAndResentColoursDrawTheSamePicture) {
    const auto reference = mixed_polygons();
    ASSERT_LE(largest_difference(reference[0], reference[1]), 16);
    int drawn = 0;
    for (std::size_t i = 0; i < reference[0].size(); i += 4)
        drawn += !(reference[0][i] == 0 && reference[0][i + 1] == 0 && reference[0][i + 2] == 255);
    ASSERT_GT(drawn, 200);
    for (const char *limit : {"1", "2", "3"}) {
        setenv("ORVMAXPRIM", limit, 1);
        const auto pictures = mixed_polygons();
        EXPECT_LE(largest_difference(reference[0], pictures[0]), 16) << limit;
        EXPECT_LE(largest_difference(reference[1], pictures[1]), 16) << limit;
    }
    setenv("ORVFORCECOLOR", "1", 1);
    const auto pictures = mixed_polygons();
    EXPECT_LE(largest_difference(reference[0], pictures[0]), 16);
    EXPECT_LE(largest_difference(reference[1], pictures[1]), 16);
}

// A 2 x 2 texture of one colour, opaque.
void plain_texture(const char *name, int r, int g, int b) {
    auto *pixels = static_cast<unsigned char *>(OVmalloc(2 * 2 * 4));
    for (int i = 0; i < 4; ++i) {
        pixels[i * 4] = static_cast<unsigned char>(r);
        pixels[i * 4 + 1] = static_cast<unsigned char>(g);
        pixels[i * 4 + 2] = static_cast<unsigned char>(b);
        pixels[i * 4 + 3] = 255;
    }
    ASSERT_NE(OVtexture_newfromdata(name, pixels, 2, 2), nullptr);
}

TEST_F(Polygons, EachPolygonShowsItsOwnTextureAndUntexturedOnesTheirColour) {
    plain_texture("yellow", 255, 255, 0);
    plain_texture("cyan", 0, 255, 255);
    OVgeometry *g = OVgeometry_begin();
    OVpoly *a = square(g, -6), *b = square(g, -2);
    square(g, 2); // left untextured
    OVpoly *d = square(g, 6);
    OVgeometry_setrgb(g, 255, 0, 0);
    add(root, g);
    ASSERT_TRUE(OVpoly_settexture(a, "yellow", 0, 0));
    ASSERT_TRUE(OVpoly_settexture(b, "cyan", 0, 0));
    ASSERT_TRUE(OVpoly_settexture(d, "yellow", 0, 0));
    for (int editing = 0; editing < 2; ++editing) {
        if (editing) OVgeometry_beginedit(g);
        OVrender_frame();
        EXPECT_TRUE(near(seen(window, -6, 0, depth), 255, 255, 0)) << editing;
        EXPECT_TRUE(near(seen(window, -2, 0, depth), 0, 255, 255)) << editing;
        EXPECT_TRUE(near(seen(window, 2, 0, depth), 255, 0, 0)) << editing;
        EXPECT_TRUE(near(seen(window, 6, 0, depth), 255, 255, 0)) << editing;
        if (editing) OVgeometry_endedit(g);
    }
}

TEST_F(Polygons, ARefilledTextureShowsItsNewPixelsFromTheNextFrame) {
    plain_texture("paint", 255, 255, 0);
    OVgeometry *g = OVgeometry_begin();
    OVpoly *p = square(g, 0);
    add(root, g);
    ASSERT_TRUE(OVpoly_settexture(p, "paint", 0, 0));
    OVrender_frame();
    EXPECT_TRUE(near(seen(window, 0, 0, depth), 255, 255, 0));
    plain_texture("paint", 0, 255, 255);
    OVrender_frame();
    EXPECT_TRUE(near(seen(window, 0, 0, depth), 0, 255, 255));
    // Pixels the caller keeps, at the same size.
    static unsigned char magenta[2 * 2 * 4];
    for (int i = 0; i < 4; ++i) {
        magenta[i * 4] = magenta[i * 4 + 2] = magenta[i * 4 + 3] = 255;
        magenta[i * 4 + 1] = 0;
    }
    ASSERT_TRUE(OVtexture_replace("paint", OVIMAGE_RGBA, 2, 2, magenta));
    OVrender_frame();
    EXPECT_TRUE(near(seen(window, 0, 0, depth), 255, 0, 255));
}

TEST_F(Polygons, TransparentPolygonsOfAGeometryBlendOverItsLaterOpaqueOnes) {
    OVgeometry *g = OVgeometry_begin();
    // The glass comes first and nearer; the opaque square behind it and one beside.
    OVpoly *glass = square(g, 2, 8);
    OVpoly *behind = square(g, 2, 12);
    OVpoly *beside = square(g, -3, 12);
    add(root, g);
    OVmtable *table = OVmtable_new(OVAMBIENTDIFFUSE | OVOPACITY, 2, nullptr);
    ASSERT_TRUE(OVgeometry_setmtable(g, table));
    const OVp3 red = {1, 0, 0}, green = {0, 1, 0};
    const int opaque = OVmtable_matchcoloralpha(table, red, 1),
              clear = OVmtable_matchcoloralpha(table, green, 0.5f);
    OVpoly_setmatid(behind, opaque);
    OVpoly_setmatid(beside, opaque);
    OVpoly_setmatid(glass, clear);
    for (int editing = 0; editing < 2; ++editing) {
        if (editing) OVgeometry_beginedit(g);
        OVrender_frame();
        EXPECT_TRUE(near(seen(window, -3, 0, 12), 255, 0, 0)) << editing;
        Pixel p = seen(window, 2, 0, 8);
        EXPECT_TRUE(near(p, 128, 128, 0)) << editing << ": " << p.r << " " << p.g << " " << p.b;
        // Where the glass overhangs the square behind, the background shows through.
        Pixel edge = seen(window, 2, 1.4f, 8);
        EXPECT_TRUE(near(edge, 0, 128, 128))
            << editing << ": " << edge.r << " " << edge.g << " " << edge.b;
        if (editing) OVgeometry_endedit(g);
    }
}

TEST_F(Polygons, AScaledTransformLightsPolygonsAsUnscaledOnes) {
    OVgeometry *plain = OVgeometry_begin();
    square(plain, -3);
    OVgeometry_setrgb(plain, 120, 0, 0);
    add(root, plain);
    // A square a third the size and distance, scaled up by 3 to match.
    OVnode *group = OVsepnode_new(root);
    OVnode *xform = OVxformnode_new(group);
    OVm4 m = {{3, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 3, 0}, {0, 0, 0, 1}};
    ASSERT_TRUE(OVnode_settransform(xform, m));
    OVgeometry *small = OVgeometry_begin();
    polygon(small, {{0.5f, -0.5f, depth / 3},
                    {0.5f, 0.5f, depth / 3},
                    {1.5f, 0.5f, depth / 3},
                    {1.5f, -0.5f, depth / 3}});
    OVgeometry_setrgb(small, 120, 0, 0);
    add(group, small);
    OVrender_frame();
    Pixel unscaled = seen(window, -3, 0, depth), scaled = seen(window, 3, 0, depth);
    EXPECT_GT(unscaled.r, 150);
    EXPECT_TRUE(near(scaled, unscaled.r, unscaled.g, unscaled.b))
        << scaled.r << " against " << unscaled.r;
}

struct UnlitPolygons : WindowScene {};

TEST_F(UnlitPolygons, EachPolygonGetsEveryComponentOfItsOwnMaterial) {
    OVgeometry *g = OVgeometry_begin();
    OVpoly *left = square(g, -3), *right = square(g, 3);
    add(root, g);
    OVmtable *table = OVmtable_new(OVAMBIENTDIFFUSE | OVEMISSION, 2, nullptr);
    const int glowing = OVmtable_newentry(table), plain = OVmtable_newentry(table);
    const float red[4] = {1, 0, 0, 1}, green[3] = {0, 1, 0}, white[4] = {1, 1, 1, 1},
                none[3] = {0, 0, 0};
    ASSERT_TRUE(OVmtable_setvalue(table, glowing, red, OVAMBIENTDIFFUSE));
    ASSERT_TRUE(OVmtable_setvalue(table, glowing, green, OVEMISSION));
    ASSERT_TRUE(OVmtable_setvalue(table, plain, white, OVAMBIENTDIFFUSE));
    ASSERT_TRUE(OVmtable_setvalue(table, plain, none, OVEMISSION));
    ASSERT_TRUE(OVgeometry_setmtable(g, table));
    OVpoly_setmatid(left, glowing);
    OVpoly_setmatid(right, plain);
    for (int editing = 0; editing < 2; ++editing) {
        if (editing) OVgeometry_beginedit(g);
        OVrender_frame();
        // No light: 0.4 of the ambient colour, plus the emission.
        Pixel l = seen(window, -3, 0, depth), r = seen(window, 3, 0, depth);
        EXPECT_TRUE(near(l, 102, 255, 0)) << editing << ": " << l.r << " " << l.g << " " << l.b;
        EXPECT_TRUE(near(r, 102, 102, 102)) << editing << ": " << r.r << " " << r.g << " " << r.b;
        if (editing) OVgeometry_endedit(g);
    }
}

// Squares at -3 and 3 in materials of one component: a table of one entry,
// then the same entry with a second one beside it in the table.
void one_component_squares(OVnode *root, int entries) {
    const int components[] = {OVDIFFUSE, OVAMBIENT};
    const OVp3 red = {1, 0, 0}, green = {0, 1, 0}, other = {0.5f, 0.5f, 0.5f};
    for (int i = 0; i < 2; ++i) {
        OVgeometry *g = OVgeometry_begin();
        square(g, i ? 3.0f : -3.0f);
        add(root, g);
        OVmtable *table = OVmtable_new(components[i], 3, nullptr);
        const int id = OVmtable_matchcolor(table, i ? green : red);
        if (entries > 1) OVmtable_matchcolor(table, other);
        ASSERT_TRUE(OVgeometry_setmtable(g, table));
        ASSERT_TRUE(OVgeometry_setmatid(g, id));
    }
}

// Both squares, with one and with two table entries, frame after frame:
// every frame starts from the default material again, whatever the last one
// left behind. The ambient-only square shows the ambient either way.
void expect_one_component_squares(OVnode *root, OVwindow *window, int diffuse_red) {
    for (int entries : {1, 2}) {
        OVnode *group = OVsepnode_new(root);
        one_component_squares(group, entries);
        for (int frame = 0; frame < 3; ++frame) {
            OVrender_frame();
            Pixel diffuse = seen(window, -3, 0, depth), ambient = seen(window, 3, 0, depth);
            EXPECT_TRUE(near(diffuse, diffuse_red, 0, 0))
                << entries << " " << frame << ": " << diffuse.r << " " << diffuse.g;
            EXPECT_TRUE(near(ambient, 0, 102, 0)) << entries << " " << frame << ": " << ambient.g;
        }
        OVnode_delete(group);
    }
}

TEST_F(UnlitPolygons, ADiffuseOnlyMaterialIsDarkAndAnAmbientOnlyOneTakesTheAmbient) {
    expect_one_component_squares(root, window, 0);
}

TEST_F(Polygons, ADiffuseOnlyMaterialTakesTheLightAndAnAmbientOnlyOneDoesNot) {
    expect_one_component_squares(root, window, 255);
}

} // namespace
