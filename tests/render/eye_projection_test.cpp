// Each eye's projection: which way the screen axes run, where the stereo
// eyes converge, how the convergence shifts the image, and when the window's
// own view angle, yon and projection mode take over from the viewpoint's.
#include "render/render_pixels.h"

#include <cmath>

namespace {

using namespace render_test;

struct EyeProjection : Render {
    OVwindow *window = nullptr;
    OVviewpoint *viewpoint = nullptr;
    void open(int flags) {
        window = OVwindow_new(0, 0, 60, 100, flags);
        ASSERT_NE(window, nullptr);
        viewpoint = OVuniverse_getviewpoint();
        OVwindow_setviewpoint(window, viewpoint);
    }
    // The pixel the world point (x, y, z) projects to for the eye, after a
    // frame dropped the cached projections; false when it is not seen.
    bool project(int eye, float x, float y, float z, OVp2 at) {
        OVrender_frame();
        const OVp3 p = {x, y, z};
        return OVwindow_projectpoint(window, eye, p, at);
    }
};

TEST_F(EyeProjection, LocalXRunsRightAndLocalYRunsDownTheScreen) {
    open(0);
    OVp2 centre, right, down;
    ASSERT_TRUE(project(0, 0, 0, 20, centre));
    EXPECT_NEAR(centre[0], 30, 1e-3f);
    EXPECT_NEAR(centre[1], 50, 1e-3f);
    ASSERT_TRUE(project(0, 2, 0, 20, right));
    EXPECT_GT(right[0], centre[0] + 1);
    EXPECT_NEAR(right[1], centre[1], 1e-3f);
    // Rows are counted from the bottom: +Y lands below the centre.
    ASSERT_TRUE(project(0, 0, 2, 20, down));
    EXPECT_LT(down[1], centre[1] - 1);
    EXPECT_NEAR(down[0], centre[0], 1e-3f);
    // And a block there is drawn there.
    OVnode *root = OVuniverse_getrootnodes();
    OVp3 forward = {0, 0, 1};
    OVlightnode_setdirection(OVlightnode_newdirected(root), forward);
    OVgeometry *block = OVgeometry_newblock(1, 1, 1, 0);
    const OVp3 below = {0, 4, 20};
    OVgeometry_translate(block, below);
    OVgeometry_setrgb(block, 255, 0, 0);
    OVgeometrynode_new(root, block);
    OVp2 at;
    ASSERT_TRUE(project(0, 0, 4, 20, at));
    EXPECT_LT(at[1], 47);
    EXPECT_TRUE(near(pixel(window, static_cast<int>(at[0]), static_cast<int>(at[1])), 255, 0, 0));
    EXPECT_TRUE(near(pixel(window, 30, 100 - static_cast<int>(at[1])), 0, 0, 255));
}

TEST_F(EyeProjection, StereoEyesMeetAtTheConvergenceDistance) {
    open(OVWINDOW_STEREO | OVWINDOW_NOSTEREOBUFFERS);
    ASSERT_EQ(OVwindow_getprojection(window), 2);
    ASSERT_TRUE(OVviewpoint_setparallax(viewpoint, 2));
    ASSERT_TRUE(OVviewpoint_setconvergencedist(viewpoint, 20));
    // Each eye has a 60 x 41 half: eye 1 at the bottom, eye 0 above the gap.
    OVp2 left, right;
    ASSERT_TRUE(project(0, 1, 0, 20, left));
    ASSERT_TRUE(project(1, 1, 0, 20, right));
    EXPECT_NEAR(left[0], 30, 1e-3f);
    EXPECT_NEAR(right[0], 30, 1e-3f);
    EXPECT_NEAR(right[1], 20.5f, 1e-3f);
    EXPECT_NEAR(left[1], 41 + 18 + 20.5f, 1e-3f);
    // Nearer than that the left eye sees the point to the right, the right
    // eye as far to the left: x = 30 (1 + 0.05 / tan(view angle)).
    const float t = std::tan(OVwindow_getviewangle(window));
    ASSERT_TRUE(project(0, 1, 0, 10, left));
    ASSERT_TRUE(project(1, 1, 0, 10, right));
    EXPECT_NEAR(left[0], 30 * (1 + 0.05f / t), 1e-2f);
    EXPECT_NEAR(right[0], 30 * (1 - 0.05f / t), 1e-2f);
}

TEST_F(EyeProjection, ConvergenceShiftsTheEyesImagesApartByItsPixels) {
    open(0);
    ASSERT_TRUE(OVviewpoint_setconvergence(viewpoint, 6));
    OVp2 at;
    ASSERT_TRUE(project(0, 0, 0, 20, at));
    EXPECT_NEAR(at[0], 36, 1e-3f);
    ASSERT_TRUE(OVwindow_seteye(window, 1));
    ASSERT_TRUE(project(0, 0, 0, 20, at)); // a mono window draws its own eye
    EXPECT_NEAR(at[0], 24, 1e-3f);
    EXPECT_NEAR(at[1], 50, 1e-3f);
}

TEST_F(EyeProjection, TheWindowsViewAngleAppliesUntilTheViewpointSetsItsOwn) {
    open(0);
    OVviewpoint_setviewangle(viewpoint, 0.2f);
    OVp2 at;
    EXPECT_FALSE(project(0, 5, 0, 20, at));
    ASSERT_TRUE(OVwindow_setviewangle(window, 0.8f));
    ASSERT_TRUE(project(0, 5, 0, 20, at));
    EXPECT_NEAR(at[0], 30 * (1 + 0.25f / std::tan(0.8f)), 1e-2f);
    OVviewpoint_setviewangle(viewpoint, 0.2f);
    EXPECT_FALSE(project(0, 5, 0, 20, at));
}

TEST_F(EyeProjection, TheWindowsYonAppliesUntilTheViewpointSetsItsOwn) {
    open(0);
    OVviewpoint_setyon(viewpoint, 10);
    OVp2 at;
    EXPECT_FALSE(project(0, 0, 0, 20, at));
    ASSERT_TRUE(OVwindow_setyon(window, 100));
    EXPECT_TRUE(project(0, 0, 0, 20, at));
    EXPECT_FALSE(project(0, 0, 0, 120, at));
    OVviewpoint_setyon(viewpoint, 10);
    EXPECT_FALSE(project(0, 0, 0, 20, at));
}

TEST_F(EyeProjection, TheWindowsProjectionModeAppliesUntilTheViewpointSetsItsOwn) {
    open(0);
    // A parallel box 40 units across: a point 10 to the side lands a quarter
    // of the width from the centre wherever it is.
    ASSERT_TRUE(OVwindow_setfrustum(window, 0, -20, 20, -20, 20, 1, 1000));
    OVviewpoint_setprojection(viewpoint, 4);
    OVp2 near_point, far_point;
    ASSERT_TRUE(project(0, 10, 0, 20, near_point));
    ASSERT_TRUE(project(0, 10, 0, 200, far_point));
    EXPECT_NEAR(near_point[0], 45, 1e-3f);
    EXPECT_NEAR(far_point[0], 45, 1e-3f);
    ASSERT_TRUE(OVwindow_setprojection(window, 1));
    ASSERT_TRUE(project(0, 10, 0, 20, near_point));
    ASSERT_TRUE(project(0, 10, 0, 200, far_point));
    EXPECT_GT(near_point[0], far_point[0] + 1);
}

} // namespace
