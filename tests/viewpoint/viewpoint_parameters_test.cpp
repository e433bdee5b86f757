// Viewing and stereo parameters: their vetoes, the values their handlers
// get, the clamps, and zooming onto the whole scene.
#include "viewpoint_fixture.h"

#include <cmath>
#include <string>

namespace {
int veto(void *, const char *, double) {
    return 0;
}

std::string seen;
void record_int(void *, const char *property, void *value, double) {
    seen += std::string(property) + '=' + std::to_string(*static_cast<int *>(value)) + ';';
}
void record_float(void *, const char *property, void *value, double) {
    seen += std::string(property) + '=' + std::to_string(*static_cast<float *>(value)) + ';';
}
} // namespace

TEST_F(ViewpointTest, ConvergenceSetsBothFieldsAndHandlersGetTheValue) {
    seen.clear();
    ASSERT_TRUE(OVproperty_addhandler(vp, "Convergence", record_int));
    EXPECT_EQ(OVviewpoint_setconvergence(vp, 25), 1);
    EXPECT_EQ(OVviewpoint_getconvergence(vp), 25);
    OVuniverse_go1();
    EXPECT_EQ(seen, "Convergence=25;");
    ASSERT_TRUE(OVproperty_addhandler_pre(vp, "Convergence", veto));
    EXPECT_EQ(OVviewpoint_setconvergence(vp, 7), 0);
    EXPECT_EQ(OVviewpoint_getconvergence(vp), 25);
    EXPECT_EQ(OVviewpoint_getconvergence(nullptr), 0);
    EXPECT_EQ(OVviewpoint_setconvergence(nullptr, 3), 0);
}

TEST_F(ViewpointTest, VetoedStereoAndAspectValuesStay) {
    ASSERT_TRUE(OVproperty_addhandler_pre(vp, "Parallax", veto));
    ASSERT_TRUE(OVproperty_addhandler_pre(vp, "ConvergenceDist", veto));
    ASSERT_TRUE(OVproperty_addhandler_pre(vp, "AspectRatio", veto));
    EXPECT_EQ(OVviewpoint_setparallax(vp, 3), 0);
    EXPECT_EQ(OVviewpoint_setconvergencedist(vp, 50), 0);
    EXPECT_EQ(OVviewpoint_setaspect(vp, 2), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_getparallax(vp), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_getconvergencedist(vp), 100);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(vp), 1);
}

TEST_F(ViewpointTest, StereoHandlersGetTheStoredValues) {
    seen.clear();
    for (const char *property : {"Parallax", "ConvergenceDist", "AspectRatio"})
        ASSERT_TRUE(OVproperty_addhandler(vp, property, record_float));
    EXPECT_EQ(OVviewpoint_setparallax(vp, -0.5f), 1); // no range check
    EXPECT_EQ(OVviewpoint_setconvergencedist(vp, 0.001f), 1);
    EXPECT_EQ(OVviewpoint_setaspect(vp, 0.004f), 1);
    OVuniverse_go1();
    EXPECT_EQ(seen, "Parallax=-0.500000;ConvergenceDist=0.004000;AspectRatio=0.004000;");
    EXPECT_FLOAT_EQ(OVviewpoint_getparallax(vp), -0.5f);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(nullptr), 1);
    EXPECT_FLOAT_EQ(OVviewpoint_getparallax(nullptr), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_getconvergencedist(nullptr), 0);
}

TEST_F(ViewpointTest, SettersOfViewingValuesMarkThemForTheRenderer) {
    OVviewpoint *fresh = OVviewpoint_new();
    EXPECT_EQ(OVviewpoint_getprojection(fresh), OVVIEWPOINT_MONO);
    EXPECT_FALSE(OVviewpoint_isstereo(fresh));
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(fresh), 1.0f);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(fresh), 65536.0f);
    OVviewpoint_setviewangle(fresh, 0.003f); // below the tolerance: ignored
    EXPECT_NEAR(OVviewpoint_getviewangle(fresh), 0.6981317f, 1e-6);
    OVviewpoint_setviewangle(fresh, 1.5667964f); // the largest accepted
    EXPECT_NEAR(OVviewpoint_getviewangle(fresh), 1.5667964f, 1e-5);
    OVviewpoint_setprojection(fresh, 0);
    EXPECT_EQ(OVviewpoint_getprojection(fresh), OVVIEWPOINT_MONO);
    OVviewpoint_setprojection(fresh, OVVIEWPOINT_FRUSTUM);
    EXPECT_EQ(OVviewpoint_getprojection(fresh), OVVIEWPOINT_FRUSTUM);
    EXPECT_EQ(OVviewpoint_getprojection(nullptr), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(nullptr), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(nullptr), 0);
    EXPECT_FLOAT_EQ(OVviewpoint_getviewangle(nullptr), 0);
}

TEST_F(ViewpointTest, ZoomAllWithoutSceneObjectZoomsTheWindowsOntoTheirRoots) {
    OVwindow *window = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(window, nullptr);
    OVwindow_setviewpoint(window, vp);
    OVgeometrynode_new(OVwindow_getrootnode(window), OVgeometry_newblock(2, 2, 2, 0));
    const OVq turned = {0, 0.7071068f, 0, 0.7071068f};
    ASSERT_TRUE(OVviewpoint_setorientation(vp, turned));
    OVp3 d;
    OVviewpoint_getdirection(vp, d);
    OVviewpoint_zoomall(vp);
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    // Backed off from the block's middle against the view direction.
    const float back = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    EXPECT_GT(back, 1.0f);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(p[i], -back * d[i], 1e-3) << i;
    OVq q;
    OVviewpoint_getorientation(vp, q);
    EXPECT_FLOAT_EQ(q[1], turned[1]);
    // A viewpoint no window shows stays where it is.
    OVviewpoint *other = OVviewpoint_new();
    OVviewpoint_zoomall(other);
    OVviewpoint_getposition(other, p);
    EXPECT_P3_NEAR(p, 0, 0, 0);
}
