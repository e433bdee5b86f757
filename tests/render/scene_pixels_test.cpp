// Scenes drawn through the collection and its playback, read back as pixels:
// blocks, lights, sidedness, wireframe, stereo halves, viewports,
// transparency, fog, list recompiles and point projection.
#include "render/render_pixels.h"
#include "render/geometry_runs.h"
#include "render/window_internal.h"
#include "scene/node_internal.h"

#include <GL/gl.h>

#include <string>

namespace {

using namespace render_test;

const OVp3 ahead = {0, 0, 10};

struct Scene : WindowScene {
    // A block of the colour, moved to the place, under the parent.
    OVnode *block(OVnode *parent, float size, const OVp3 at, int r, int g, int b) {
        OVgeometry *geometry = OVgeometry_newblock(size, size, size, 0);
        OVgeometry_translate(geometry, at);
        OVgeometry_setrgb(geometry, r, g, b);
        return OVgeometrynode_new(parent, geometry);
    }

    // A light shining the way the viewpoint looks.
    void head_light(OVnode *parent) {
        OVp3 forward = {0, 0, 1};
        OVlightnode_setdirection(OVlightnode_newdirected(parent), forward);
    }
};

TEST_F(Scene, BlockAheadIsDrawnAtTheCentreOnly) {
    head_light(root);
    block(root, 4, ahead, 255, 0, 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, 1, 1), 0, 0, 255));
    EXPECT_TRUE(near(pixel(window, 78, 78), 0, 0, 255));
    EXPECT_EQ(OVwindow_getpolycount(window), 6);
}

TEST_F(Scene, GeometryOutsideTheViewVolumeIsNotDrawn) {
    head_light(root);
    block(root, 2, ahead, 255, 0, 0);
    const OVp3 behind = {0, 0, -10}, aside = {20, 0, 10};
    block(root, 2, behind, 255, 0, 0);
    block(root, 2, aside, 255, 0, 0);
    OVrender_frame();
    EXPECT_EQ(OVwindow_getpolycount(window), 6);
    // A parallel projection culls by the sides of its box.
    ASSERT_TRUE(OVwindow_setprojection(window, 4));
    ASSERT_TRUE(OVwindow_setfrustum(window, 0, -5, 5, -5, 5, 1, 100));
    OVrender_frame();
    EXPECT_EQ(OVwindow_getpolycount(window), 6);
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, 40, 52), 0, 0, 255)); // 2 of 10 units: 16 pixels across
    ASSERT_TRUE(OVwindow_setfrustum(window, 0, 10, 30, -5, 5, 1, 100));
    OVrender_frame();
    EXPECT_EQ(OVwindow_getpolycount(window), 6);
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 0, 0));
}

TEST_F(Scene, MaterialNodesGiveWhatTheTableLacksUntilTheirSeparatorEnds) {
    OVnode *glowing = OVsepnode_new(root);
    OVnode *material = orv::scene::new_material_node(glowing);
    ASSERT_NE(material, nullptr);
    auto *values = static_cast<OVmaterialdata *>(orv::scene::node_payload(material));
    values->mask = 0x10;
    values->emission[1] = 1;
    const OVp3 left = {-3, 0, 10}, right = {3, 0, 10};
    block(glowing, 4, left, 255, 0, 0);
    block(root, 4, right, 255, 0, 0);
    OVrender_frame();
    // No light: ambient 0.4 of the table's red, plus the node's green emission.
    EXPECT_TRUE(near(pixel(window, 20, 40), 102, 255, 0));
    EXPECT_TRUE(near(pixel(window, 60, 40), 102, 0, 0));
}

TEST_F(Scene, AmbientNodesOverrideTheGlobalAmbientInsideTheirSeparator) {
    OVnode *bright = OVsepnode_new(root);
    OVnode *ambient = OVlightnode_newambient(bright);
    ASSERT_TRUE(OVlightnode_setintensity(ambient, 0.8f));
    const OVp3 left = {-3, 0, 10}, right = {3, 0, 10};
    block(bright, 4, left, 255, 255, 255);
    block(root, 4, right, 255, 255, 255);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 20, 40), 204, 204, 204));
    EXPECT_TRUE(near(pixel(window, 60, 40), 102, 102, 102));
}

TEST_F(Scene, LightsOfOneWindowsSceneDoNotReachTheNextWindow) {
    head_light(root); // at the root: on until the scene's end
    block(root, 4, ahead, 255, 255, 255);
    OVwindow *other = OVwindow_new(0, 0, 80, 80, 0);
    ASSERT_NE(other, nullptr);
    OVwindow_setviewpoint(other, OVuniverse_getviewpoint());
    OVnode *dark = OVrootnode_new();
    ASSERT_TRUE(OVwindow_setrootnode(other, dark));
    block(dark, 4, ahead, 255, 255, 255);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 255, 255));
    EXPECT_TRUE(near(pixel(other, 40, 40), 102, 102, 102));
}

TEST_F(Scene, LightEndsWithItsSeparator) {
    OVnode *lit = OVsepnode_new(root);
    head_light(lit);
    const OVp3 left = {-3, 0, 10}, right = {3, 0, 10};
    block(lit, 4, left, 255, 255, 255);
    block(root, 4, right, 255, 255, 255);
    OVrender_frame();
    Pixel shone = pixel(window, 20, 40), dark = pixel(window, 60, 40);
    EXPECT_TRUE(near(shone, 255, 255, 255));
    // Only the global ambient (0.4 of white) reaches the block after the separator.
    EXPECT_TRUE(near(dark, 102, 102, 102));
}

TEST_F(Scene, AChangedLightIsCompiledAgainForTheNextFrame) {
    OVnode *light = OVlightnode_newdirected(root);
    OVp3 forward = {0, 0, 1};
    OVlightnode_setdirection(light, forward);
    block(root, 4, ahead, 255, 255, 255);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 255, 255));
    OVlightnode_setintensity(light, 0.2f);
    OVrender_frame();
    // 0.4 ambient and 0.2 diffuse of white.
    EXPECT_TRUE(near(pixel(window, 40, 40), 153, 153, 153));
    OVlightnode_setdiffuse(light, 1, 0, 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 153, 102, 102));
}

TEST_F(Scene, OneSidedPolygonsShowOnlyTheirFrontTwoSidedBoth) {
    ASSERT_TRUE(OVwindow_setfrustum(window, 0, -5, 5, -5, 5, 1, 100));
    OVviewpoint *v = OVuniverse_getviewpoint();
    const OVp3 front = {0, 0, 0}, back = {0, 0, 20};
    const OVq forward = {0, 0, 0, 1}, turned = {0, 1, 0, 0};
    for (int projection : {1, 4})
        for (int both = 0; both < 2; ++both) {
            // Which sides show it: from compiled lists, then drawn immediately
            // while the geometry is open for editing, which must agree.
            int shown[2][2] = {};
            for (int editing = 0; editing < 2; ++editing) {
                OVwindow_setprojection(window, projection);
                OVgeometry *g = OVgeometry_newrectangle(6, 6, both);
                OVgeometry_translate(g, ahead);
                OVnode *node = OVgeometrynode_new(root, g);
                if (editing) OVgeometry_beginedit(g);
                for (int side = 0; side < 2; ++side) {
                    OVviewpoint_setposition(v, side ? back : front);
                    OVviewpoint_setorientation(v, side ? turned : forward);
                    OVrender_frame();
                    shown[editing][side] = !near(pixel(window, 40, 40), 0, 0, 255);
                }
                if (editing) OVgeometry_endedit(g);
                OVnode_delete(node);
            }
            const char *what = both ? "two-sided" : "one-sided";
            EXPECT_EQ(shown[0][0] + shown[0][1], both ? 2 : 1) << what << " " << projection;
            EXPECT_EQ(shown[1][0], shown[0][0]) << what << " " << projection;
            EXPECT_EQ(shown[1][1], shown[0][1]) << what << " " << projection;
        }
}

TEST_F(Scene, WireframeLeavesFaceInteriorsInTheBackground) {
    block(root, 4, ahead, 255, 255, 0);
    OVuniverse_setrendering(OVuniverse_getrendering() | 0x80);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 255));
    int edge = 0;
    for (int x = 0; x < 80; ++x)
        edge += near(pixel(window, x, 40), 255, 255, 0);
    EXPECT_GE(edge, 2); // the left and right outlines
}

TEST_F(Scene, OutlinesOfAWireframeGeometryBlendTheirCornerColours) {
    OVnode *node = block(root, 4, ahead, 0, 0, 0);
    OVgeometry *g = OVnode_getgeometry(node);
    OVgeometry_beginedit(g);
    for (OVvertex *v = OVgeometry_getvertices(g); v; v = OVvertex_next(v)) {
        OVp3 p;
        OVgeometry_getvertexposition(g, v, p);
        OVgeometry_setvertexrgb(g, v, p[0] > 0 ? 255 : 0, p[0] > 0 ? 0 : 255, 0);
    }
    OVgeometry_endedit(g);
    OVgeometry_setrenderingstyle(g, 128, 1);
    OVrender_frame();
    // Half way along the top and bottom edges, red and green mix.
    int mixed = 0;
    for (int y = 0; y < 80; ++y) {
        Pixel p = pixel(window, 40, y);
        mixed += p.r > 70 && p.r < 190 && p.g > 70 && p.g < 190;
    }
    EXPECT_GE(mixed, 2);
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 255));
}

TEST_F(Scene, AboveBelowStereoShowsTheSceneInBothHalves) {
    OVwindow *stereo = OVwindow_new(0, 0, 40, 100, 0x0004 | 0x0200);
    ASSERT_NE(stereo, nullptr);
    OVwindow_setenabled(window, 0);
    OVwindow_setviewpoint(stereo, OVuniverse_getviewpoint());
    head_light(root);
    block(root, 4, ahead, 0, 255, 0);
    OVrender_frame();
    // Eye 1 rows 0..40, gap 41..58, eye 0 rows 59..99.
    EXPECT_TRUE(near(pixel(stereo, 20, 20), 0, 255, 0));
    EXPECT_TRUE(near(pixel(stereo, 20, 50), 0, 0, 255));
    EXPECT_TRUE(near(pixel(stereo, 20, 79), 0, 255, 0));
    EXPECT_TRUE(near(pixel(stereo, 1, 1), 0, 0, 255));
    // Both eyes count; each frame starts the count again.
    EXPECT_EQ(OVwindow_getpolycount(stereo), 12);
    OVrender_frame();
    EXPECT_EQ(OVwindow_getpolycount(stereo), 12);
}

TEST_F(Scene, ViewportDrawsTheSceneIntoItsRectangleUnlessItsOwnerIsHidden) {
    OVwindow *v = OVwindow_newviewport(window, 40, 0, 40, 40); // top right quarter
    ASSERT_NE(v, nullptr);
    OVwindow_setviewpoint(v, OVuniverse_getviewpoint());
    OVwindow_setbgrgb(window, 0, 0, 0);
    OVwindow_setviewpoint(window, nullptr);
    head_light(root);
    block(root, 4, ahead, 255, 0, 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 60, 60), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, 20, 20), 0, 0, 0));
    EXPECT_TRUE(near(pixel(window, 41, 41), 0, 0, 0)); // the viewport keeps its own background
    EXPECT_EQ(OVwindow_getpolycount(v), 6);
    // A minimised owner: neither it nor its viewport is drawn.
    window->state_flags &= ~OVWINDOW_VISIBLE;
    OVrender_frame();
    EXPECT_EQ(OVwindow_getpolycount(v), 0);
}

TEST_F(Scene, TransparentPolygonsBlendOverOpaqueOnes) {
    head_light(root);
    // The transparent square comes first in the scene, the opaque block behind it second.
    OVgeometry *glass = OVgeometry_newrectangle(6, 6, 1);
    OVmtable *table = OVmtable_new(OVAMBIENTDIFFUSE | OVOPACITY, 1, nullptr);
    const OVp3 green = {0, 1, 0};
    OVgeometry_setmtable(glass, table);
    OVgeometry_setmatid(glass, OVmtable_matchcoloralpha(table, green, 0.5f));
    const OVp3 nearer = {0, 0, 8};
    OVgeometry_translate(glass, nearer);
    OVgeometrynode_new(root, glass);
    const OVp3 further = {0, 0, 12};
    block(root, 4, further, 255, 0, 0);
    OVrender_frame();
    Pixel p = pixel(window, 40, 40);
    EXPECT_TRUE(near(p, 128, 128, 0)) << p.r << " " << p.g << " " << p.b;
    // Beside the block, the glass blends with the background.
    Pixel side = pixel(window, 40, 22);
    EXPECT_TRUE(near(side, 0, 128, 128)) << side.r << " " << side.g << " " << side.b;
}

TEST_F(Scene, FogDarkensDistantGeometry) {
    OVnode *fog = OVfognode_new(root);
    OVfognode_setmode(fog, 0);
    OVfognode_setlinearstart(fog, 5);
    OVfognode_setrange(fog, 80);
    OVfognode_setcolor(fog, 0, 0, 0, 1);
    const OVp3 close = {-2, 0, 10}, distant = {12, 0, 60};
    block(root, 2, close, 255, 255, 255);
    block(root, 12, distant, 255, 255, 255);
    OVrender_frame();
    Pixel near_block = pixel(window, 30, 40), far_block = pixel(window, 50, 40);
    EXPECT_GT(brightness(near_block), 200);
    EXPECT_LT(brightness(far_block), brightness(near_block) - 100);
    EXPECT_GT(brightness(far_block), 0);
}

TEST_F(Scene, NewRenderingFlagsRecompileEveryShownGeometryOnce) {
    OVwindow *second = OVwindow_new(0, 0, 40, 40, 0);
    OVwindow_setviewpoint(second, OVuniverse_getviewpoint());
    for (int i = 0; i < 3; ++i) {
        const OVp3 at = {static_cast<float>(i * 3 - 3), 0, 10};
        block(root, 2, at, 255, 255, 255);
    }
    OVrender_frame();
    const int first = _OVrender_compilecount();
    OVrender_frame();
    EXPECT_EQ(_OVrender_compilecount(), first);
    OVuniverse_setrendering(OVuniverse_getrendering() ^ 0x08);
    OVrender_frame();
    EXPECT_EQ(_OVrender_compilecount(), first + 3);
    OVrender_frame();
    EXPECT_EQ(_OVrender_compilecount(), first + 3);
    // A polygon attribute recompiles its own geometry only, once.
    OVpoly *p = OVgeometry_getpolys(OVnode_getgeometry(OVnode_getchild(root, 0)));
    OVpoly_setbothsides(p, 1);
    OVrender_frame();
    OVrender_frame();
    EXPECT_EQ(_OVrender_compilecount(), first + 4);
    OVpoly_setrendering(p, 0);
    OVpoly_setvisibility(OVgeometry_getpolys(OVnode_getgeometry(OVnode_getchild(root, 1))), 0);
    OVrender_frame();
    EXPECT_EQ(_OVrender_compilecount(), first + 6);
    OVpoly_setrgb(p, 0, 255, 0);
    OVrender_frame();
    EXPECT_EQ(_OVrender_compilecount(), first + 7);
}

TEST_F(Scene, APassAfterTheWholeSceneWasDeletedDrawsNothingOfIt) {
    head_light(root);
    block(root, 4, ahead, 255, 0, 0);
    OVrender_frame();
    ASSERT_TRUE(near(pixel(window, 40, 40), 255, 0, 0));
    _OVnode_deleteall(1);
    EXPECT_EQ(OVwindow_getrootnode(window), nullptr);
    OVuniverse_go1();
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 255));
    EXPECT_EQ(OVwindow_getpolycount(window), 0);
}

TEST_F(Scene, APolygonHiddenAtTheFirstDrawIsDrawnOnceShownAgain) {
    OVgeometry *g = OVgeometry_newrectangle(6, 6, 1);
    OVgeometry_translate(g, ahead);
    OVgeometrynode_new(root, g);
    OVpoly_setvisibility(OVgeometry_getpolys(g), 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 255));
    OVpoly_setvisibility(OVgeometry_getpolys(g), 1);
    OVrender_frame();
    EXPECT_FALSE(near(pixel(window, 40, 40), 0, 0, 255));
    EXPECT_EQ(OVwindow_getpolycount(window), 1);
}

TEST_F(Scene, ProjectedPointOfADrawnBlockFindsItsPixel) {
    head_light(root);
    const OVp3 at = {2, 1.5f, 10};
    block(root, 0.5f, at, 255, 0, 255);
    OVrender_frame();
    OVp2 p;
    ASSERT_TRUE(OVwindow_projectpoint(window, 0, at, p));
    EXPECT_TRUE(near(pixel(window, static_cast<int>(p[0]), static_cast<int>(p[1])), 255, 0, 255));
    EXPECT_FALSE(near(pixel(window, 40, 40), 255, 0, 255));
}

TEST_F(Scene, AMonoWindowOfTheRightEyeSeesFromTheRightEye) {
    head_light(root);
    const OVp3 right = {3, 0, 10};
    block(root, 2, right, 255, 0, 0);
    ASSERT_TRUE(OVviewpoint_setparallax(OVuniverse_getviewpoint(), 3));
    OVrender_frame();
    EXPECT_FALSE(near(pixel(window, 40, 40), 255, 0, 0));
    ASSERT_TRUE(OVwindow_seteye(window, 1));
    OVrender_frame();
    // The right eye sits 3 along +x, right in front of the block.
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 0, 0));
    OVp2 p;
    ASSERT_TRUE(OVwindow_projectpoint(window, 0, right, p)); // mono: the window's own eye
    EXPECT_NEAR(p[0], 40, 1.5);
    EXPECT_NEAR(p[1], 40, 1.5);
}

TEST_F(Scene, PreparationCompilesTheShownGeometriesBeforeTheFirstFrame) {
    for (int i = 0; i < 2; ++i) {
        const OVp3 at = {static_cast<float>(i * 4 - 2), 0, 10};
        block(root, 2, at, 255, 255, 255);
    }
    const int before = _OVrender_compilecount();
    OVuniverse_ready();
    EXPECT_EQ(_OVrender_compilecount(), before + 2);
    OVrender_frame();
    EXPECT_EQ(_OVrender_compilecount(), before + 2);
    EXPECT_TRUE(near(pixel(window, 30, 40), 102, 102, 102));
}

TEST_F(Scene, TrianglesQuadrilateralsAndLargerPolygonsAreDrawn) {
    head_light(root);
    // A cone seen along its axis shows its many-cornered base, a sphere triangles.
    OVgeometry *cone = OVgeometry_newcone(2, 3, 9, 1);
    const OVq upright = {0.7071f, 0, 0, 0.7071f};
    OVpq turn = {{0, 0, 0}, {upright[0], upright[1], upright[2], upright[3]}};
    OVgeometry_transform(cone, &turn);
    const OVp3 left = {-3, 0, 12};
    OVgeometry_translate(cone, left);
    OVgeometry_setrgb(cone, 0, 255, 255);
    OVgeometrynode_new(root, cone);
    OVgeometry *ball = OVgeometry_newsphere(1.5f, 8, 8, 0, 0);
    const OVp3 right = {3, 0, 12};
    OVgeometry_translate(ball, right);
    OVgeometry_setrgb(ball, 255, 255, 0);
    OVgeometrynode_new(root, ball);
    OVrender_frame();
    EXPECT_FALSE(near(pixel(window, 27, 40), 0, 0, 255));
    EXPECT_FALSE(near(pixel(window, 53, 40), 0, 0, 255));
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 255));
}

TEST_F(Scene, ZoomingOntoAnInstanceCentresIt) {
    head_light(root);
    // One block shown twice: directly, and moved 6 along +X by an Xform.
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVgeometry_setrgb(g, 255, 0, 0);
    OVnode *shown = OVgeometrynode_new(root, g);
    OVnode *moved = OVsepnode_new(root);
    const OVp3 aside = {6, 0, 20};
    OVnode_settranslation(OVxformnode_new(moved), aside);
    OVnode_addchild(moved, shown);
    OVviewpoint *v = OVuniverse_getviewpoint();
    ASSERT_TRUE(OVwindow_zoomnode(window, shown, 1));
    OVp3 p;
    OVviewpoint_getposition(v, p);
    EXPECT_NEAR(p[0], 6, 1e-4);
    EXPECT_NEAR(p[1], 0, 1e-4);
    EXPECT_LT(p[2], 20);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 0, 0));
    ASSERT_TRUE(OVwindow_zoomnode(window, shown, 0));
    OVviewpoint_getposition(v, p);
    EXPECT_NEAR(p[0], 0, 1e-4);
    EXPECT_FALSE(OVwindow_zoomnode(window, shown, 2));
    EXPECT_FALSE(OVwindow_zoomnode(window, shown, -1));
}

TEST_F(Scene, BoundingBoxesAreOutlinedInTheOverlayColour) {
    OVgeometry *ball = OVgeometry_newsphere(2, 8, 8, 0, 0);
    OVgeometry_translate(ball, ahead);
    OVnode *node = OVgeometrynode_new(root, ball);
    OVuniverse_setoverlaycolor(1, 1, 0);
    OVrender_frame();
    int outline = 0;
    for (int x = 0; x < 80; ++x)
        outline += near(pixel(window, x, 40), 255, 255, 0);
    EXPECT_EQ(outline, 0);
    ASSERT_TRUE(OVnode_boundingbox(node, 1));
    OVrender_frame();
    for (int x = 0; x < 80; ++x)
        outline += near(pixel(window, x, 40), 255, 255, 0);
    EXPECT_GE(outline, 2); // the box's left and right sides
}

TEST_F(Scene, HiddenPolygonsLeaveTheCompiledListsAtTheNextFrame) {
    OVgeometry *g = OVgeometry_newrectangle(6, 6, 1);
    OVgeometry_translate(g, ahead);
    OVgeometrynode_new(root, g);
    OVrender_frame();
    EXPECT_FALSE(near(pixel(window, 40, 40), 0, 0, 255));
    OVpoly_setvisibility(OVgeometry_getpolys(g), 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 255));
    EXPECT_EQ(OVwindow_getpolycount(window), 0);
}

int callback_calls = 0;
void count_callback(OVnode *) {
    ++callback_calls;
}

TEST_F(Scene, CallbackNodesAreCalledOncePerEye) {
    callback_calls = 0;
    OVglnode_new(root, count_callback, 0);
    OVrender_frame();
    OVrender_frame();
    EXPECT_EQ(callback_calls, 2);
}

std::string messages;
int capture(const char *text) {
    messages += text;
    return 1;
}

TEST_F(Scene, MissingRunsAtCompileAreReportedAndBuilt) {
    OVnode *node = block(root, 4, ahead, 255, 255, 255);
    OVgeometry *g = OVnode_getgeometry(node);
    OVrender_frame();
    // Runs lost behind the renderer's back while the geometry claims them valid.
    orv::RenderData *d = orv::render_data(g);
    OVfree(d->runs);
    d->runs = nullptr;
    messages.clear();
    OVmessage_sethook(capture);
    OVrender_frame();
    OVmessage_sethook(nullptr);
    EXPECT_NE(messages.find("Internal error: executing compile during call to geom_render\n"),
              std::string::npos);
    EXPECT_TRUE(near(pixel(window, 40, 40), 102, 102, 102));
}

int scene_draw_calls = 0;
void count_scene_draw(OVwindow *, int) {
    ++scene_draw_calls;
}

void green_lower_corner(OVwindow *, int) {
    glColor3f(0, 1, 0);
    glRectf(0, 0, 0.25f, 0.25f);
}

TEST_F(Scene, AWindowWithoutAViewpointIsClearedAndShowsOnlyIts2DDrawing) {
    head_light(root);
    block(root, 4, ahead, 255, 0, 0);
    OVwindow_setviewpoint(window, nullptr);
    OVwindow_setbgrgb(window, 0, 0, 0);
    OVwindow_setdrawfn(window, count_scene_draw);
    OVwindow_setdraw2dfn(window, green_lower_corner);
    scene_draw_calls = 0;
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 10, 10), 0, 255, 0));
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 0)); // where the block would be
    EXPECT_EQ(OVwindow_getpolycount(window), 0);
    EXPECT_EQ(scene_draw_calls, 0);
    // Cleared and swapped again at every frame.
    uint64_t before[2], after[2];
    ASSERT_TRUE(OVwindow_getframetimes(window, before));
    OVwindow_setbgrgb(window, 255, 255, 255);
    OVrender_frame();
    ASSERT_TRUE(OVwindow_getframetimes(window, after));
    EXPECT_EQ(after[1], before[0]);
    EXPECT_GT(after[0], before[0]);
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 255, 255));
    EXPECT_TRUE(near(pixel(window, 10, 10), 0, 255, 0));
}

TEST_F(Scene, WindowHitherSetAfterTheViewpointsAppliesAgain) {
    head_light(root);
    block(root, 4, ahead, 255, 0, 0); // from 8 to 12 ahead
    OVviewpoint_sethither(OVuniverse_getviewpoint(), 13.0f);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 255)) << "the viewpoint's hither did not clip";
    OVwindow_sethither(window, 1.0f);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 255, 0, 0));
    // And the viewpoint's again once it is set anew.
    OVviewpoint_sethither(OVuniverse_getviewpoint(), 13.0f);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(window, 40, 40), 0, 0, 255));
}

} // namespace
