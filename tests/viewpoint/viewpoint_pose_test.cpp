// Pose setters, relative motion, axes, alignment and the viewpoint matrix.
#include "viewpoint_fixture.h"

#include <cmath>

namespace {
const float half_turn = 1.5707964f;
}

TEST_F(ViewpointTest, IdentityLooksAlongPlusZWithXRightAndYDown) {
    OVp3 d, x, y, z;
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(d, 0, 0, 1);
    OVviewpoint_getaxis(vp, 0, x);
    OVviewpoint_getaxis(vp, 1, y);
    OVviewpoint_getaxis(vp, 2, z);
    EXPECT_P3_NEAR(x, 1, 0, 0);
    EXPECT_P3_NEAR(y, 0, 1, 0);
    EXPECT_P3_NEAR(z, 0, 0, 1);
    OVp3 none = {7, 7, 7};
    OVviewpoint_getaxis(vp, 3, none);
    EXPECT_P3_NEAR(none, 0, 0, 0);
}

TEST_F(ViewpointTest, TurnAboutYLooksRightAndMovesTheRightAxis) {
    OVviewpoint_rotate(vp, 1, half_turn, 0);
    OVp3 d, x;
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(d, 1, 0, 0);
    OVviewpoint_getaxis(vp, 0, x);
    EXPECT_P3_NEAR(x, 0, 0, -1);
}

TEST_F(ViewpointTest, RotationFramesComposeInOppositeOrders) {
    OVviewpoint *world = OVviewpoint_copy(vp);
    OVviewpoint_rotate(vp, 1, half_turn, 0);
    OVviewpoint_rotate(vp, 0, half_turn, 0);
    OVviewpoint_rotate(world, 1, half_turn, 1);
    OVviewpoint_rotate(world, 0, half_turn, 1);
    OVp3 own_d, world_d;
    OVviewpoint_getdirection(vp, own_d);
    OVviewpoint_getdirection(world, world_d);
    EXPECT_P3_NEAR(own_d, 0, -1, 0);  // pitched up about the turned X axis
    EXPECT_P3_NEAR(world_d, 1, 0, 0); // world X is the view axis itself
    OVq q;
    OVviewpoint_getorientation(vp, q);
    EXPECT_NEAR(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3], 1.0f, 1e-5);
}

TEST_F(ViewpointTest, TranslateInOwnAndWorldFrames) {
    OVviewpoint_rotate(vp, 1, half_turn, 0);
    const OVp3 forward = {0, 0, 1};
    OVviewpoint_translate(vp, forward, 0);
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 1, 0, 0);
    OVviewpoint_translate(vp, forward, 1);
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 1, 0, 1);
    OVviewpoint_translate(vp, forward, 7); // unknown frame
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 1, 0, 1);
}

TEST_F(ViewpointTest, MoveAppliesTranslationAndTurnInTheFrame) {
    OVpq step = {{0, 0, 2}, {0, -0.70710677f, 0, 0.70710677f}};
    OVviewpoint_move(vp, &step, 0);
    OVp3 p, d;
    OVviewpoint_getposition(vp, p);
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(p, 0, 0, 2);
    EXPECT_P3_NEAR(d, 1, 0, 0);
    OVviewpoint_move(vp, &step, 0); // forward is now +X
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 2, 0, 2);
}

TEST_F(ViewpointTest, SetDirectionNormalisesTheCallersVector) {
    OVp3 v = {2, 0, 0};
    OVviewpoint_setdirection(vp, v);
    EXPECT_P3_NEAR(v, 1, 0, 0);
    OVp3 d;
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(d, 1, 0, 0);
    OVp3 tiny = {0.001f, 0, 0.002f};
    OVviewpoint_setdirection(vp, tiny);
    EXPECT_FLOAT_EQ(tiny[0], 0.001f);
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(d, 1, 0, 0);
}

TEST_F(ViewpointTest, AlignAxisTurnsThatAxisOntoTheVector) {
    const OVp3 up = {0, 0, 3};
    OVviewpoint_alignaxis(vp, 0, up);
    OVp3 x;
    OVviewpoint_getaxis(vp, 0, x);
    EXPECT_P3_NEAR(x, 0, 0, 1);
    const OVp3 down = {0, -1, 0};
    OVviewpoint_alignaxis(vp, 1, down);
    OVp3 y;
    OVviewpoint_getaxis(vp, 1, y);
    EXPECT_P3_NEAR(y, 0, -1, 0);
    OVq before, after;
    OVviewpoint_getorientation(vp, before);
    OVviewpoint_alignaxis(vp, 3, up);
    OVviewpoint_getorientation(vp, after);
    EXPECT_EQ(before[0], after[0]);
    EXPECT_EQ(before[3], after[3]);
}

TEST_F(ViewpointTest, WorldAndLocalConversionsAreInverse) {
    const OVp3 p = {10, 0, 0};
    OVviewpoint_setposition(vp, p);
    OVviewpoint_rotate(vp, 1, half_turn, 0);
    const OVp3 ahead = {0, 0, 5};
    OVp3 world, back;
    OVviewpoint_localtoworld(vp, ahead, world);
    EXPECT_P3_NEAR(world, 15, 0, 0);
    OVviewpoint_worldtolocal(vp, world, back);
    EXPECT_P3_NEAR(back, 0, 0, 5);
}

TEST_F(ViewpointTest, MatrixHoldsTheConjugateRotationOverTheEye) {
    const OVp3 p = {1, 2, 3};
    OVviewpoint_setposition(vp, p);
    OVviewpoint_rotate(vp, 1, half_turn, 0);
    OVviewpoint_setparallax(vp, 2);
    OVm4 m;
    OVviewpoint_getm4(vp, m, 0);
    EXPECT_P3_NEAR(m[0], 0, 0, 1);
    EXPECT_P3_NEAR(m[1], 0, 1, 0);
    EXPECT_P3_NEAR(m[2], -1, 0, 0);
    EXPECT_P3_NEAR(m[3], 1, 2, 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_FLOAT_EQ(m[row][3], 0) << row;
    EXPECT_FLOAT_EQ(m[3][3], 1);
    OVviewpoint_getm4(vp, m, 1);
    EXPECT_P3_NEAR(m[3], 1, 2, 1); // two units along local +X
    // The view direction, a world vector, comes out as local +Z.
    OVp3 d, local;
    OVviewpoint_getdirection(vp, d);
    OVp3_xformdirm4(d, m, local);
    EXPECT_P3_NEAR(local, 0, 0, 1);
}

TEST_F(ViewpointTest, MatrixElementsFollowTheQuaternion) {
    // An unnormalised orientation shows every term of the formula.
    const float x = 0.1f, y = 0.2f, z = 0.3f, w = 0.9f;
    const OVq q = {x, y, z, w};
    ASSERT_TRUE(OVviewpoint_setorientation(vp, q));
    OVm4 m;
    OVviewpoint_getm4(vp, m, 0);
    const float expected[3][3] = {
        {1 - 2 * y * y - 2 * z * z, 2 * x * y + 2 * z * w, 2 * x * z - 2 * y * w},
        {2 * x * y - 2 * z * w, 1 - 2 * x * x - 2 * z * z, 2 * y * z + 2 * x * w},
        {2 * x * z + 2 * y * w, 2 * y * z - 2 * x * w, 1 - 2 * x * x - 2 * y * y}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_NEAR(m[row][column], expected[row][column], 1e-5) << row << column;
}

TEST_F(ViewpointTest, InvalidQuaternionIsRefusedWithTheMessage) {
    const OVq bad = {0.003f, -0.003f, 0, 0.0039f};
    EXPECT_EQ(OVviewpoint_setorientation(vp, bad), 0);
    EXPECT_NE(g_messages.find("Invalid quaternion passed to OVviewpoint_setorientation.\n"),
              std::string::npos);
    OVq q;
    OVviewpoint_getorientation(vp, q);
    EXPECT_FLOAT_EQ(q[3], 1);
    const OVq small = {0, 0, 0, 0.004f};
    EXPECT_EQ(OVviewpoint_setorientation(vp, small), 1);
    OVviewpoint_getorientation(vp, q);
    EXPECT_FLOAT_EQ(q[3], 0.004f); // stored as given
}

TEST_F(ViewpointTest, OneComponentAtTheToleranceMakesAQuaternionValid) {
    const OVq bad = {0.001f, 0, 0.003f, -0.002f};
    EXPECT_EQ(OVviewpoint_setorientation(vp, bad), 0);
    EXPECT_EQ(g_messages,
              "ORV Warning: Invalid quaternion passed to OVviewpoint_setorientation.\n");
    const OVq good = {0.005f, 0, 0, 0};
    EXPECT_EQ(OVviewpoint_setorientation(vp, good), 1);
    OVq q;
    OVviewpoint_getorientation(vp, q);
    EXPECT_FLOAT_EQ(q[0], 0.005f);
    EXPECT_FLOAT_EQ(q[3], 0);
}

TEST_F(ViewpointTest, ClippingAndViewAngleLimits) {
    OVviewpoint_sethither(vp, 0.001f);
    EXPECT_FLOAT_EQ(OVviewpoint_gethither(vp), 0.004f);
    OVviewpoint_sethither(vp, 10);
    OVviewpoint_setyon(vp, 5);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(vp), 10.004f);
    OVviewpoint_setyon(vp, 500);
    EXPECT_FLOAT_EQ(OVviewpoint_getyon(vp), 500);
    OVviewpoint_setviewangle(vp, 1.57f);
    EXPECT_NEAR(OVviewpoint_getviewangle(vp), 0.6981317f, 1e-5);
    OVviewpoint_setviewangle(vp, 0.5f);
    EXPECT_NEAR(OVviewpoint_getviewangle(vp), 0.5f, 1e-6);
    EXPECT_EQ(OVviewpoint_setaspect(vp, 0.003f), 0);
    EXPECT_EQ(OVviewpoint_setaspect(vp, 2), 1);
    EXPECT_FLOAT_EQ(OVviewpoint_getaspect(vp), 2);
    EXPECT_EQ(OVviewpoint_setconvergencedist(vp, 0), 1);
    EXPECT_FLOAT_EQ(OVviewpoint_getconvergencedist(vp), 0.004f);
}

TEST_F(ViewpointTest, ProjectionModesAndStereo) {
    OVviewpoint_setprojection(vp, 5);
    EXPECT_EQ(OVviewpoint_getprojection(vp), OVVIEWPOINT_MONO);
    OVviewpoint_setprojection(vp, OVVIEWPOINT_PARALLEL);
    EXPECT_EQ(OVviewpoint_getprojection(vp), OVVIEWPOINT_PARALLEL);
    OVviewpoint_setstereo(vp, 1);
    EXPECT_TRUE(OVviewpoint_isstereo(vp));
    OVviewpoint_setstereo(vp, 0);
    EXPECT_EQ(OVviewpoint_getprojection(vp), OVVIEWPOINT_MONO);
    EXPECT_EQ(OVviewpoint_setconvergence(vp, -12), 1);
    EXPECT_EQ(OVviewpoint_getconvergence(vp), -12);
}

TEST_F(ViewpointTest, EyeOffsetMovesToTheRightEye) {
    OVviewpoint_setparallax(vp, 3);
    OVviewpoint_applyeyeoffset(vp);
    OVp3 p;
    OVviewpoint_getposition(vp, p);
    EXPECT_P3_NEAR(p, 3, 0, 0);
    OVviewpoint *w = OVviewpoint_new();
    OVviewpoint_rotate(w, 1, half_turn, 0);
    const OVp3 t = {1, 0, 0};
    const OVq r = {0, 0, 0, 1};
    OVviewpoint_seteyeoffset(w, t, r, 0);
    OVviewpoint_applyeyeoffset(w);
    OVviewpoint_getposition(w, p);
    EXPECT_P3_NEAR(p, 0, 0, -1); // local +X of the turned viewpoint
    OVviewpoint_seteyeoffset(w, t, r, 1);
    OVviewpoint_applyeyeoffset(w);
    OVviewpoint_getposition(w, p);
    EXPECT_P3_NEAR(p, 1, 0, -1);
}

TEST_F(ViewpointTest, FrustumWithoutWindowsLeavesOutputsUntouched) {
    OVviewpoint_setfrustum(vp, 0, -1, 1, -1, 1, 0, 10);
    float l = 42, r = 42, b = 42, t = 42, n = 42, f = 42;
    OVviewpoint_getfrustum(vp, 0, &l, &r, &b, &t, &n, &f);
    EXPECT_FLOAT_EQ(l, 42);
    EXPECT_FLOAT_EQ(f, 42);
}

TEST_F(ViewpointTest, CurrentViewpointLooksThroughTheAxisMap) {
    // Application Y and Z swapped (Z negated): a proper rotation about X.
    static const int from[2] = {1, 2}, to[2] = {2, 1};
    static const unsigned char negate[2] = {1, 0};
    OVuniverse_setaxismap(2, from, to, negate);
    OVuniverse_setviewpoint(vp);
    OVviewpoint *other = OVviewpoint_new();
    OVp3 d;
    OVviewpoint_getdirection(vp, d);
    EXPECT_P3_NEAR(d, 0, 1, 0);
    OVviewpoint_getdirection(other, d);
    EXPECT_P3_NEAR(d, 0, 0, 1);
    OVuniverse_setviewpoint(other);
    OVviewpoint_getdirection(other, d);
    EXPECT_P3_NEAR(d, 0, 1, 0);
}
