// Rendering: pixels of the background, application drawing, stereo halves,
// viewports, disabled windows and point projection.
#include "render/render_pixels.h"
#include "platform/platform.h"

#include <GL/gl.h>

#include <cstdio>
#include <vector>

namespace {

using namespace render_test;

// A red square 1 unit across, 10 units in front of the viewpoint.
void red_square(OVwindow *, int) {
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex3f(-0.5f, -0.5f, 10);
    glVertex3f(-0.5f, 0.5f, 10);
    glVertex3f(0.5f, 0.5f, 10);
    glVertex3f(0.5f, -0.5f, 10);
    glEnd();
}

void fill_green(OVwindow *, int) {
    glColor3f(0, 1, 0);
    glRectf(0, 0, 1, 1);
}

int calls_2d = 0;
void count_2d(OVwindow *, int) {
    ++calls_2d;
}

TEST_F(Render, BackgroundColourFillsTheWindow) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setbgrgb(w, 200, 100, 50);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 0, 0), 200, 100, 50));
    EXPECT_TRUE(near(pixel(w, 63, 47), 200, 100, 50));
    unsigned char p[4];
    EXPECT_FALSE(OVwindow_snapshot(w, 60, 0, 8, 1, p));
}

TEST_F(Render, SnapshotsGiveTheLastImageShownWithoutDrawing) {
    OVwindow *w = OVwindow_new(0, 0, 32, 24, 0);
    ASSERT_NE(w, nullptr);
    unsigned char p[4];
    EXPECT_FALSE(OVwindow_snapshot(w, 0, 0, 1, 1, p)); // nothing shown yet
    OVwindow_setbgrgb(w, 255, 0, 0);
    OVrender_frame();
    OVwindow_setbgrgb(w, 0, 255, 0);
    EXPECT_TRUE(near(pixel(w, 5, 5), 255, 0, 0)); // no new frame is drawn
    ASSERT_TRUE(OVwindow_setenabled(w, 0));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 5, 5), 255, 0, 0)); // a disabled window keeps its image
    ASSERT_TRUE(OVwindow_setenabled(w, 1));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 5, 5), 0, 255, 0));
    EXPECT_FALSE(OVwindow_snapshot(w, 1, 0, 0x7FFFFFFF, 1, p));
}

TEST_F(Render, SnapshotRectanglesMustLieInsideTheWindow) {
    OVwindow *w = OVwindow_new(0, 0, 32, 24, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setbgrgb(w, 0, 255, 0);
    OVrender_frame();
    std::vector<unsigned char> all(32 * 24 * 4, 7);
    ASSERT_TRUE(OVwindow_snapshot(w, 0, 0, 32, 24, all.data()));
    EXPECT_EQ(all[0], 0);
    EXPECT_EQ(all[1], 255);
    EXPECT_EQ(all[all.size() - 3], 255); // the top right pixel's green
    EXPECT_EQ(all[all.size() - 1], 255); // alpha
    unsigned char p[8] = {};
    EXPECT_TRUE(OVwindow_snapshot(w, 31, 23, 1, 1, p));
    EXPECT_FALSE(OVwindow_snapshot(w, 31, 0, 2, 1, p));
    EXPECT_FALSE(OVwindow_snapshot(w, 0, 23, 1, 2, p));
    EXPECT_FALSE(OVwindow_snapshot(w, -1, 0, 1, 1, p));
    EXPECT_FALSE(OVwindow_snapshot(w, 0, -1, 1, 1, p));
    EXPECT_FALSE(OVwindow_snapshot(nullptr, 0, 0, 1, 1, p));
    EXPECT_FALSE(OVwindow_snapshot(w, 0, 0, 1, 1, nullptr));
}

TEST_F(Render, AGrownWindowIsDrawnAllOver) {
    OVwindow *w = OVwindow_new(0, 0, 40, 30, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setbgrgb(w, 255, 0, 0);
    OVrender_frame();
    ASSERT_TRUE(OVwindow_setgeometry(w, 0, 0, 200, 150));
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 2, 2), 255, 0, 0));
    EXPECT_TRUE(near(pixel(w, 197, 147), 255, 0, 0)); // beyond the first size
    EXPECT_TRUE(near(pixel(w, 100, 20), 255, 0, 0));
    // Smaller again and grown once more: still the whole client area.
    ASSERT_TRUE(OVwindow_setgeometry(w, 0, 0, 20, 20));
    OVrender_frame();
    ASSERT_TRUE(OVwindow_setgeometry(w, 0, 0, 120, 90));
    OVwindow_setbgrgb(w, 0, 255, 0);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 117, 87), 0, 255, 0));
}

TEST_F(Render, SceneDrawFunctionAtTheCentreNotTheCorners) {
    OVwindow *w = OVwindow_new(0, 0, 80, 80, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    OVwindow_setdrawfn(w, red_square);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 40, 40), 255, 0, 0));
    EXPECT_TRUE(near(pixel(w, 2, 2), 0, 0, 255));
    EXPECT_TRUE(near(pixel(w, 77, 77), 0, 0, 255));
    // The square's corner lands where the projection says.
    OVp3 corner = {0.5f, 0.5f, 10};
    OVp2 at;
    ASSERT_TRUE(OVwindow_projectpoint(w, 0, corner, at));
    EXPECT_TRUE(
        near(pixel(w, static_cast<int>(at[0]) - 2, static_cast<int>(at[1]) - 2), 255, 0, 0) ||
        near(pixel(w, static_cast<int>(at[0]) - 2, static_cast<int>(at[1]) + 2), 255, 0, 0));
    OVp3 behind = {0, 0, -10};
    EXPECT_FALSE(OVwindow_projectpoint(w, 0, behind, at));
}

TEST_F(Render, AboveBelowStereoLeavesTheGap) {
    // Stereo without stereo buffers: the two eyes one above the other.
    OVwindow *w = OVwindow_new(0, 0, 40, 100, 0x0004 | 0x0200);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, nullptr);
    OVwindow_setdraw2dfn(w, fill_green);
    OVrender_frame();
    // Eye 1 rows 0..40, gap 41..58, eye 0 rows 59..99 (41 rows each).
    EXPECT_TRUE(near(pixel(w, 20, 0), 0, 255, 0));
    EXPECT_TRUE(near(pixel(w, 20, 40), 0, 255, 0));
    EXPECT_TRUE(near(pixel(w, 20, 41), 0, 0, 255));
    EXPECT_TRUE(near(pixel(w, 20, 58), 0, 0, 255));
    EXPECT_TRUE(near(pixel(w, 20, 59), 0, 255, 0));
    EXPECT_TRUE(near(pixel(w, 20, 99), 0, 255, 0));
}

TEST_F(Render, AboveBelowStereoProjectsEachEyeIntoItsHalf) {
    OVwindow *w = OVwindow_new(0, 0, 40, 100, 0x0004 | 0x0200);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    // Straight ahead lands in the middle row of each 41-row half.
    OVp3 ahead = {0, 0, 10};
    OVp2 at;
    ASSERT_TRUE(OVwindow_projectpoint(w, 0, ahead, at));
    EXPECT_NEAR(at[1], 41 + 18 + 20.5f, 0.01f);
    ASSERT_TRUE(OVwindow_projectpoint(w, 1, ahead, at));
    EXPECT_NEAR(at[1], 20.5f, 0.01f);
    OVrender_setstereogap(10);
    OVrender_frame(); // a new frame drops the cached projection
    ASSERT_TRUE(OVwindow_projectpoint(w, 0, ahead, at));
    EXPECT_NEAR(at[1], 45 + 10 + 22.5f, 0.01f);
    OVrender_setstereogap(18);
}

TEST_F(Render, StereoGapTallerThanTheWindowLeavesNoEyeImage) {
    OVwindow *w = OVwindow_new(0, 0, 40, 100, 0x0004 | 0x0200);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, nullptr);
    OVwindow_setdraw2dfn(w, fill_green);
    OVrender_setstereogap(200);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 20, 0), 0, 0, 255));
    EXPECT_TRUE(near(pixel(w, 20, 50), 0, 0, 255));
    EXPECT_TRUE(near(pixel(w, 20, 99), 0, 0, 255));
    OVrender_setstereogap(18);
}

void fill_white(OVwindow *, int) {
    glColor3f(1, 1, 1);
    glRectf(0, 0, 1, 1);
}

TEST_F(Render, ColourSeparatedStereoWritesRedForTheLeftEyeBlueForTheRight) {
    OVwindow *w = OVwindow_new(0, 0, 32, 32, 0x0100);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, nullptr);
    OVwindow_setbgrgb(w, 0, 0, 0);
    OVwindow_setdraw2dfn(w, fill_white);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 16, 16), 255, 0, 255));
    // A mono window drawn after it writes every channel.
    OVwindow *mono = OVwindow_new(0, 0, 32, 32, 0);
    ASSERT_NE(mono, nullptr);
    OVwindow_setdraw2dfn(mono, fill_white);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(mono, 16, 16), 255, 255, 255));
}

TEST_F(Render, ExplicitFrustaProjectPerspectiveAndParallel) {
    OVwindow *w = OVwindow_new(0, 0, 100, 100, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
    // Perspective from a frustum reaching three times further right than left.
    ASSERT_TRUE(OVwindow_setprojection(w, 3));
    ASSERT_TRUE(OVwindow_setfrustum(w, 0, -1, 3, -1, 1, 1, 100));
    OVrender_frame();
    OVp3 ahead = {0, 0, 10};
    OVp2 at;
    ASSERT_TRUE(OVwindow_projectpoint(w, 0, ahead, at));
    EXPECT_NEAR(at[0], 25, 0.01f);
    EXPECT_NEAR(at[1], 50, 0.01f);
    // Parallel: distance no longer matters; +Y is down on the screen.
    ASSERT_TRUE(OVwindow_setprojection(w, 4));
    ASSERT_TRUE(OVwindow_setfrustum(w, 0, -10, 10, -5, 5, 1, 100));
    OVrender_frame();
    OVp3 right_down = {5, 2.5f, 50};
    ASSERT_TRUE(OVwindow_projectpoint(w, 0, right_down, at));
    EXPECT_NEAR(at[0], 75, 0.01f);
    EXPECT_NEAR(at[1], 25, 0.01f);
    OVp3 beyond = {0, 0, 200};
    EXPECT_FALSE(OVwindow_projectpoint(w, 0, beyond, at));
    EXPECT_NEAR(at[0], 50, 0.01f) << "pixels are set outside the clip volume too";
}

TEST_F(Render, ViewportDrawsIntoItsRectangle) {
    OVwindow *w = OVwindow_new(0, 0, 100, 100, 0);
    ASSERT_NE(w, nullptr);
    OVwindow *v = OVwindow_newviewport(w, 50, 0, 50, 50); // top right quarter
    ASSERT_NE(v, nullptr);
    OVwindow_setdraw2dfn(v, fill_green);
    OVrender_frame();
    EXPECT_TRUE(near(pixel(w, 75, 75), 0, 255, 0));
    EXPECT_TRUE(near(pixel(w, 25, 75), 0, 0, 255));
    EXPECT_TRUE(near(pixel(w, 75, 25), 0, 0, 255));
}

TEST_F(Render, DisabledWindowsAndTheirViewportsAreNotDrawn) {
    OVwindow *w = OVwindow_new(0, 0, 50, 50, 0);
    ASSERT_NE(w, nullptr);
    OVwindow *v = OVwindow_newviewport(w, 0, 0, 25, 25);
    OVwindow_setdraw2dfn(v, count_2d);
    calls_2d = 0;
    OVrender_frame();
    EXPECT_EQ(calls_2d, 1);
    OVwindow_setenabled(w, 0);
    OVrender_frame();
    EXPECT_EQ(calls_2d, 1);
    OVwindow_setenabled(w, 1);
    OVwindow_setenabled(v, 0);
    OVrender_frame();
    EXPECT_EQ(calls_2d, 1);
    uint64_t times[2];
    ASSERT_TRUE(OVwindow_getframetimes(w, times));
    EXPECT_GT(times[0], times[1]);
}

std::uint32_t frozen_clock() {
    return 4321;
}

TEST_F(Render, FrameTimesComeFromThePlatformClock) {
    OVwindow *w = OVwindow_new(0, 0, 16, 16, 0);
    ASSERT_NE(w, nullptr);
    _OVclock_settest(frozen_clock);
    OVrender_frame();
    uint64_t times[2];
    ASSERT_TRUE(OVwindow_getframetimes(w, times));
    // The counter follows the test clock in microseconds.
    EXPECT_EQ(times[0], 4321000u);
    _OVclock_settest(nullptr);
    OVrender_frame();
    ASSERT_TRUE(OVwindow_getframetimes(w, times));
    EXPECT_EQ(times[1], 4321000u);
}

TEST_F(Render, StereoGapAndPng) {
    EXPECT_EQ(OVrender_getstereogap(), 18);
    OVrender_setstereogap(10);
    EXPECT_EQ(OVrender_getstereogap(), 10);
    OVrender_setstereogap(18);
    OVwindow *w = OVwindow_new(0, 0, 16, 16, 0);
    ASSERT_NE(w, nullptr);
    const char *path = "render_test.png";
    EXPECT_FALSE(OVwindow_savepng(w, path)); // nothing shown yet
    OVrender_frame();
    ASSERT_TRUE(OVwindow_savepng(w, path));
    FILE *f = std::fopen(path, "rb");
    ASSERT_NE(f, nullptr);
    unsigned char sig[8];
    ASSERT_EQ(std::fread(sig, 1, 8, f), 8u);
    std::fclose(f);
    std::remove(path);
    EXPECT_EQ(sig[1], 'P');
    EXPECT_EQ(sig[2], 'N');
}

} // namespace
