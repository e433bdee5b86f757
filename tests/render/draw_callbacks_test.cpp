// The order in which a frame calls a window's 3D and 2D draw functions for
// its eyes, what a skipped window keeps, and which viewpoint the right eye
// of an above/below stereo window looks through.
#include "render/render_pixels.h"

#include <GL/gl.h>

#include <string>
#include <vector>

namespace {

using namespace render_test;

std::vector<std::string> calls;
void record_3d(OVwindow *, int eye) {
    calls.push_back("3D" + std::to_string(eye));
}
void record_2d(OVwindow *, int eye) {
    calls.push_back("2D" + std::to_string(eye));
}

struct Callbacks : Render {
    void SetUp() override {
        Render::SetUp();
        calls.clear();
    }
    // A window of the flags drawing through the universe's viewpoint, both
    // draw functions recorded.
    static OVwindow *recorded(int flags) {
        OVwindow *w = OVwindow_new(0, 0, 60, 100, flags);
        if (!w) return nullptr;
        OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
        OVwindow_setdrawfn(w, record_3d);
        OVwindow_setdraw2dfn(w, record_2d);
        return w;
    }
};

TEST_F(Callbacks, AMonoWindowCallsTheSceneFunctionThenTheOverlayForItsOwnEye) {
    OVwindow *w = recorded(0);
    ASSERT_NE(w, nullptr);
    OVrender_frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"3D0", "2D0"}));
    calls.clear();
    ASSERT_TRUE(OVwindow_seteye(w, 1));
    OVrender_frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"3D1", "2D1"}));
}

TEST_F(Callbacks, StereoWindowsFinishTheLeftEyeBeforeTheRight) {
    for (int flags : {OVWINDOW_STEREO | OVWINDOW_NOSTEREOBUFFERS, +OVWINDOW_COLORSTEREO}) {
        OVwindow *w = recorded(flags);
        ASSERT_NE(w, nullptr);
        calls.clear();
        OVrender_frame();
        EXPECT_EQ(calls, (std::vector<std::string>{"3D0", "2D0", "3D1", "2D1"})) << flags;
        OVwindow_delete(w);
    }
}

TEST_F(Callbacks, WithoutAViewpointOnlyTheOverlayIsCalledForEachEye) {
    OVwindow *w = recorded(OVWINDOW_STEREO | OVWINDOW_NOSTEREOBUFFERS);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, nullptr);
    OVrender_frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"2D0", "2D1"}));
}

TEST_F(Callbacks, RemovedDrawFunctionsAreNoLongerCalled) {
    OVwindow *w = recorded(0);
    ASSERT_NE(w, nullptr);
    OVwindow_setdrawfn(w, nullptr);
    OVrender_frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"2D0"}));
    calls.clear();
    OVwindow_setdraw2dfn(w, nullptr);
    OVrender_frame();
    EXPECT_TRUE(calls.empty());
}

TEST_F(Callbacks, ASkippedWindowCountsNoPolygonsAndKeepsItsFrameTimes) {
    OVwindow *w = recorded(0);
    ASSERT_NE(w, nullptr);
    OVp3 forward = {0, 0, 1};
    const OVp3 ahead = {0, 0, 10};
    OVlightnode_setdirection(OVlightnode_newdirected(OVuniverse_getrootnodes()), forward);
    OVgeometry *block = OVgeometry_newblock(4, 4, 4, 0);
    OVgeometry_translate(block, ahead);
    OVgeometrynode_new(OVuniverse_getrootnodes(), block);
    OVrender_frame();
    EXPECT_EQ(OVwindow_getpolycount(w), 6);
    uint64_t before[2], after[2];
    ASSERT_TRUE(OVwindow_getframetimes(w, before));
    ASSERT_TRUE(OVwindow_setenabled(w, 0));
    calls.clear();
    OVrender_frame();
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(OVwindow_getpolycount(w), 0);
    ASSERT_TRUE(OVwindow_getframetimes(w, after));
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
}

TEST_F(Callbacks, TheRightEyeOfAboveBelowStereoLooksThroughTheSecondViewpoint) {
    OVwindow *w = OVwindow_new(0, 0, 60, 100, OVWINDOW_STEREO | OVWINDOW_NOSTEREOBUFFERS);
    ASSERT_NE(w, nullptr);
    OVviewpoint *left = OVuniverse_getviewpoint();
    OVwindow_setviewpoint(w, left);
    OVnode *root = OVuniverse_getrootnodes();
    OVp3 forward = {0, 0, 1};
    OVlightnode_setdirection(OVlightnode_newdirected(root), forward);
    // A red block far to the side, out of the left viewpoint's sight.
    const OVp3 aside = {200, 0, 20};
    OVgeometry *block = OVgeometry_newblock(8, 8, 8, 0);
    OVgeometry_translate(block, aside);
    OVgeometry_setrgb(block, 255, 0, 0);
    OVgeometrynode_new(root, block);
    OVviewpoint *right = OVviewpoint_new();
    ASSERT_NE(right, nullptr);
    OVp3 at;
    OVq turn;
    OVviewpoint_getposition(left, at);
    OVviewpoint_getorientation(left, turn);
    at[0] += 200;
    OVviewpoint_setposition(right, at);
    OVviewpoint_setorientation(right, turn);
    OVrender_frame();
    // Without a second viewpoint neither half shows the block.
    EXPECT_TRUE(near(pixel(w, 30, 20), 0, 0, 255));
    EXPECT_TRUE(near(pixel(w, 30, 79), 0, 0, 255));
    ASSERT_TRUE(OVwindow_setviewpoint2(w, right));
    OVrender_frame();
    // Eye 1 (rows 0..40) now sees it ahead; eye 0 (rows 59..99) does not.
    EXPECT_TRUE(near(pixel(w, 30, 20), 255, 0, 0));
    EXPECT_TRUE(near(pixel(w, 30, 79), 0, 0, 255));
}

// A quad 2 units across, 10 units ahead, wound the way given.
void quad_ahead(bool facing_the_viewer) {
    const float corners[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        const float *c = corners[facing_the_viewer ? i : 3 - i];
        glVertex3f(c[0], c[1], 10);
    }
    glEnd();
}
void front_quad(OVwindow *, int) {
    quad_ahead(true);
}
void back_quad(OVwindow *, int) {
    quad_ahead(false);
}

TEST_F(Callbacks, TheSceneFunctionDrawsUnlitWithBackFacesCulled) {
    OVwindow *w = OVwindow_new(0, 0, 60, 60, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    OVwindow_setdrawfn(w, front_quad);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 30, 30), 255, 0, 0));
    OVwindow_setdrawfn(w, back_quad);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 30, 30), 0, 0, 255));
}

// Leaves wide, stippled lines and big points behind it.
void thick_lines(OVwindow *, int) {
    glLineWidth(9);
    glPointSize(9);
    glLineStipple(1, 0x0F0F);
    glEnable(GL_LINE_STIPPLE);
}
void thin_cross(OVwindow *w, int) {
    OVwindow_set2dcolor(w, 255, 255, 255);
    OVwindow_draw2dline(w, 0, 0.5083f, 1, 0.5083f);
    OVwindow_draw2dpoint(w, 0.2083f, 0.2083f);
}

TEST_F(Callbacks, TheOverlayStartsWithThinSolidLinesWhateverTheSceneFunctionLeft) {
    OVwindow *w = OVwindow_new(0, 0, 60, 60, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    OVwindow_setbgrgb(w, 0, 0, 0);
    OVwindow_setdrawfn(w, thick_lines);
    OVwindow_setdraw2dfn(w, thin_cross);
    OVrender_frame();
    int lit = 0;
    for (int x = 0; x < 60; ++x)
        lit += brightness(pixel(w, x, 30)) > 3 * 200;
    EXPECT_GE(lit, 58);
    EXPECT_LT(brightness(pixel(w, 30, 28)), 3 * 64);
    EXPECT_LT(brightness(pixel(w, 30, 32)), 3 * 64);
    EXPECT_GT(brightness(pixel(w, 12, 12)), 3 * 200);
    EXPECT_LT(brightness(pixel(w, 14, 14)), 3 * 64);
}

void fill_green(OVwindow *, int) {
    glColor3f(0, 1, 0);
    glRectf(0, 0, 1, 1);
}

TEST_F(Callbacks, AViewportFollowsItsSurfacesNewSize) {
    OVwindow *surface = OVwindow_new(0, 0, 64, 48, OVWINDOW_BORDERLESS);
    ASSERT_NE(surface, nullptr);
    OVwindow_setviewpoint(surface, nullptr);
    OVwindow *v = OVwindow_newviewport(surface, 16, 12, 32, 24);
    ASSERT_NE(v, nullptr);
    OVwindow_setdraw2dfn(v, fill_green);
    ASSERT_TRUE(OVwindow_setgeometry(surface, 0, 0, 66, 50));
    // Fractions 0.25, 0.5, 0.25, 0.5 of 66 x 50: the half pixels of the
    // bottom edge round down from the top, the others to the nearest.
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getviewport(v, &x, &y, &width, &height));
    EXPECT_EQ(x, 17);
    EXPECT_EQ(width, 33);
    EXPECT_EQ(height, 25);
    EXPECT_EQ(y, 13);
    // Drawing truncates: columns 16..48, rows 12..36 from the bottom.
    OVrender_frame();
    EXPECT_TRUE(near(pixel(surface, 16, 12), 0, 255, 0));
    EXPECT_TRUE(near(pixel(surface, 48, 36), 0, 255, 0));
    EXPECT_TRUE(near(pixel(surface, 15, 20), 0, 0, 255));
    EXPECT_TRUE(near(pixel(surface, 49, 20), 0, 0, 255));
    EXPECT_TRUE(near(pixel(surface, 30, 11), 0, 0, 255));
    EXPECT_TRUE(near(pixel(surface, 30, 37), 0, 0, 255));
}

// Leaves a red glow in the current material.
void glowing_material(OVwindow *, int) {
    const float red[4] = {1, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, red);
}

TEST_F(Callbacks, EveryEyeStartsFromTheDefaultMaterial) {
    OVwindow *w = OVwindow_new(0, 0, 60, 60, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    OVnode *root = OVuniverse_getrootnodes();
    OVp3 forward = {0, 0, 1};
    const OVp3 ahead = {0, 0, 10};
    OVlightnode_setdirection(OVlightnode_newdirected(root), forward);
    OVgeometry *block = OVgeometry_newblock(4, 4, 4, 0);
    OVgeometry_translate(block, ahead);
    OVgeometry_setrgb(block, 0, 0, 200);
    OVgeometrynode_new(root, block);
    OVwindow_setbgrgb(w, 0, 0, 0);
    OVrender_frame();
    const Pixel plain = pixel(w, 30, 30);
    ASSERT_LT(plain.r, 16);
    ASSERT_GT(plain.b, 64);
    OVwindow_setdrawfn(w, glowing_material);
    OVrender_frame();
    OVrender_frame();
    const Pixel after = pixel(w, 30, 30);
    EXPECT_TRUE(near(after, plain.r, plain.g, plain.b))
        << after.r << " " << after.g << " " << after.b;
}

// Each window's overlay notes its name and the other window's last swap.
OVwindow *windows[2];
uint64_t swap_seen[2];
void note_other_swap(OVwindow *w, int) {
    const int self = w == windows[1];
    calls.push_back(OVwindow_getname(w));
    uint64_t times[2];
    OVwindow_getframetimes(windows[1 - self], times);
    swap_seen[self] = times[0];
}

TEST_F(Callbacks, WindowsAreDrawnInListOrderAndSwappedTogetherAfterwards) {
    for (int i = 0; i < 2; ++i) {
        windows[i] = OVwindow_new(0, 0, 16, 16, 0);
        ASSERT_NE(windows[i], nullptr);
        OVwindow_setname(windows[i], i ? "second" : "first");
    }
    OVrender_frame();
    uint64_t before[2][2];
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(OVwindow_getframetimes(windows[i], before[i]));
    for (OVwindow *w : windows)
        OVwindow_setdraw2dfn(w, note_other_swap);
    OVrender_frame();
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
    // While either is drawn neither has been swapped in this frame.
    EXPECT_EQ(swap_seen[0], before[1][0]);
    EXPECT_EQ(swap_seen[1], before[0][0]);
    uint64_t after[2][2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(OVwindow_getframetimes(windows[i], after[i]));
        EXPECT_EQ(after[i][1], before[i][0]);
        EXPECT_GT(after[i][0], before[i][0]);
    }
    EXPECT_GE(after[1][0], after[0][0]);
}

} // namespace
