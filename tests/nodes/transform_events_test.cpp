// What every transform function tells its property's handlers, orientation
// round trips, refused frames and the node kinds that have no transform,
// bounds or bounding box.
#include "orv/light.h"
#include "orv/motionlink.h"
#include "orv/orv_internal.h"
#include "nodes/scene_fixture.h"
#include "scene/node_record.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using TransformEvents = SceneTest;

std::string rounded(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", std::fabs(v) < 5e-4f ? 0.0f : v);
    return text;
}

void hear_p3(void *, const char *name, void *value, double) {
    const float *p = static_cast<const float *>(value);
    SceneTest::heard.push_back(std::string(name) + "=" + rounded(p[0]) + "," + rounded(p[1]) + "," +
                               rounded(p[2]));
}

// A rotation is told as its 3x3 matrix: the first two rows are enough here.
void hear_m3(void *, const char *name, void *value, double) {
    const float *m = static_cast<const float *>(value);
    std::string text = std::string(name) + "=";
    for (int i = 0; i < 6; ++i)
        text += (i ? "," : "") + rounded(m[i]);
    SceneTest::heard.push_back(text);
}

void hear_int(void *, const char *name, void *value, double) {
    SceneTest::heard.push_back(std::string(name) + "=" +
                               std::to_string(*static_cast<const int *>(value)));
}

int refuse(void *, const char *, double) {
    return 0;
}

int kind_of(OVnode *x) {
    return orv::scene::xform_record(x).kind;
}

TEST_F(TransformEvents, SettersTellTheValueTheyStored) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear_p3));
    ASSERT_TRUE(OVproperty_addhandler(x, "Rotation", hear_m3));
    const OVp3 t = {1, 2, 3};
    ASSERT_TRUE(OVnode_settranslation(x, t));
    const OVm3 swap = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};
    ASSERT_TRUE(OVnode_setrotation(x, swap));
    const OVq half_turn_about_z = {0, 0, 1, 0};
    ASSERT_TRUE(OVnode_setorientation(x, half_turn_about_z));
    EXPECT_TRUE(heard.empty());
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"Translation=1.000,2.000,3.000",
                                               "Rotation=0.000,1.000,0.000,-1.000,0.000,0.000",
                                               "Rotation=-1.000,0.000,0.000,0.000,-1.000,0.000"}));
}

TEST_F(TransformEvents, EveryRotationToldAsTheMatrixAfterIt) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(x, "Rotation", hear_m3));
    ASSERT_TRUE(OVnode_rotateaxis(x, 2, 90, 0));
    ASSERT_TRUE(OVnode_axisrotation(x, 2, 3.1415927f / 2, 3));
    ASSERT_TRUE(OVnode_rotate(x, 0, 0, 90, 0));
    ASSERT_TRUE(OVnode_rotation(x, 0, 0, 3.1415927f / 2, 3));
    const OVq none = {0, 0, 0, 1};
    ASSERT_TRUE(OVnode_rotateq(x, none, 0));
    const OVm3 flip = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    ASSERT_TRUE(OVnode_rotatem3(x, flip, 3));
    const OVm4 shift = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {4, 0, 0, 1}};
    ASSERT_TRUE(OVnode_rotatem4(x, shift, 3));
    _OVevent_pass();
    const std::vector<std::string> expected = {
        "Rotation=0.000,1.000,0.000,-1.000,0.000,0.000",  // +90 about Z
        "Rotation=-1.000,0.000,0.000,0.000,-1.000,0.000", // +180
        "Rotation=0.000,-1.000,0.000,1.000,0.000,0.000",  // +270
        "Rotation=1.000,0.000,0.000,0.000,1.000,0.000",   // +360
        "Rotation=1.000,0.000,0.000,0.000,1.000,0.000",
        "Rotation=1.000,0.000,0.000,0.000,-1.000,0.000",
        "Rotation=1.000,0.000,0.000,0.000,-1.000,0.000"};
    EXPECT_EQ(heard, expected);
    OVp3 t;
    ASSERT_TRUE(OVnode_gettranslation(x, t));
    expect_p3(t, 4, 0, 0);
}

TEST_F(TransformEvents, WholeTransformTellsBothHalves) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear_p3));
    ASSERT_TRUE(OVproperty_addhandler(x, "Rotation", hear_m3));
    const OVm4 m = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {5, 6, 7, 1}};
    ASSERT_TRUE(OVnode_settransform(x, m));
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"Translation=5.000,6.000,7.000",
                                               "Rotation=0.000,1.000,0.000,-1.000,0.000,0.000"}));
    EXPECT_EQ(kind_of(x), 0x03);
}

TEST_F(TransformEvents, RefusedRotationKeepsTheTransform) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotateaxis(x, 0, 30, 0));
    OVm4 before;
    ASSERT_TRUE(OVnode_gettransform(x, before));
    ASSERT_TRUE(OVproperty_addhandler(x, "Rotation", hear_m3));
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Rotation", refuse));
    const OVm3 flip = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    const OVq q = {0, 0, 1, 0};
    const OVm4 m4 = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {1, 1, 1, 1}};
    EXPECT_FALSE(OVnode_setrotation(x, flip));
    EXPECT_FALSE(OVnode_setorientation(x, q));
    EXPECT_FALSE(OVnode_rotateaxis(x, 1, 10, 0));
    EXPECT_FALSE(OVnode_axisrotation(x, 1, 0.1f, 3));
    EXPECT_FALSE(OVnode_rotate(x, 10, 20, 30, 0));
    EXPECT_FALSE(OVnode_rotation(x, 0.1f, 0.2f, 0.3f, 3));
    EXPECT_FALSE(OVnode_rotateq(x, q, 0));
    EXPECT_FALSE(OVnode_rotatem3(x, flip, 0));
    EXPECT_FALSE(OVnode_rotatem4(x, m4, 3));
    OVm4 after;
    ASSERT_TRUE(OVnode_gettransform(x, after));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_FLOAT_EQ(after[i][j], before[i][j]) << i << j;
    _OVevent_pass();
    EXPECT_TRUE(heard.empty());
}

TEST_F(TransformEvents, OrientationRoundTripAndKind) {
    OVnode *x = OVxformnode_new(root);
    const OVq identity = {0, 0, 0, 1};
    ASSERT_TRUE(OVnode_setorientation(x, identity));
    EXPECT_EQ(kind_of(x), 0); // diagonal exactly 1
    const float s = std::sqrt(0.5f);
    const OVq quarter = {0, s, 0, s};
    ASSERT_TRUE(OVnode_setorientation(x, quarter));
    EXPECT_EQ(kind_of(x), 0x01);
    OVq back;
    ASSERT_TRUE(OVnode_getorientation(x, back));
    const float sign = back[3] < 0 ? -1.0f : 1.0f;
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(sign * back[i], quarter[i], 1e-5) << i;
    // A movable node's orientation is its Xform node's.
    OVnode *m = OVmovsepnode_new(root);
    ASSERT_TRUE(OVnode_setorientation(m, quarter));
    ASSERT_TRUE(OVnode_getorientation(m, back));
    EXPECT_NEAR(std::fabs(back[1]), s, 1e-5);
    EXPECT_FALSE(OVnode_setorientation(OVsepnode_new(root), quarter));
}

TEST_F(TransformEvents, UnknownFramesAreRefusedByEveryIncrement) {
    OVnode *x = OVxformnode_new(root);
    const OVp3 v = {1, 0, 0};
    const OVq q = {0, 0, 1, 0};
    const OVm3 m3 = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    const OVm4 m4 = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {1, 1, 1, 1}};
    for (int frame : {-1, 1, 2, 4}) {
        EXPECT_FALSE(OVnode_translate(x, v, frame)) << frame;
        EXPECT_FALSE(OVnode_rotateaxis(x, 0, 10, frame));
        EXPECT_FALSE(OVnode_axisrotation(x, 0, 0.1f, frame));
        EXPECT_FALSE(OVnode_rotate(x, 10, 10, 10, frame));
        EXPECT_FALSE(OVnode_rotation(x, 0.1f, 0.1f, 0.1f, frame));
        EXPECT_FALSE(OVnode_rotateq(x, q, frame));
        EXPECT_FALSE(OVnode_rotatem3(x, m3, frame));
        EXPECT_FALSE(OVnode_rotatem4(x, m4, frame));
    }
    EXPECT_FALSE(OVnode_rotateaxis(x, -1, 10, 0));
    EXPECT_FALSE(OVnode_axisrotation(x, 3, 0.1f, 3));
    EXPECT_EQ(kind_of(x), 0);
}

TEST_F(TransformEvents, NodesWithoutAnXformRefuseEveryIncrement) {
    const OVp3 v = {1, 0, 0};
    const OVq q = {0, 0, 1, 0};
    const OVm3 m3 = {{1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    const OVm4 m4 = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {1, 1, 1, 1}};
    for (OVnode *n : {OVsepnode_new(root), OVgroupnode_new(root), OVlightnode_newpoint(root),
                      static_cast<OVnode *>(nullptr)}) {
        EXPECT_FALSE(OVnode_settranslation(n, v));
        EXPECT_FALSE(OVnode_setrotation(n, m3));
        EXPECT_FALSE(OVnode_settransform(n, m4));
        EXPECT_FALSE(OVnode_translate(n, v, 0));
        EXPECT_FALSE(OVnode_rotateaxis(n, 0, 10, 0));
        EXPECT_FALSE(OVnode_rotate(n, 10, 10, 10, 3));
        EXPECT_FALSE(OVnode_rotateq(n, q, 0));
        EXPECT_FALSE(OVnode_rotatem3(n, m3, 0));
        EXPECT_FALSE(OVnode_rotatem4(n, m4, 0));
        OVp3 t;
        EXPECT_FALSE(OVnode_gettranslation(n, t));
        OVm3 r;
        EXPECT_FALSE(OVnode_getrotation(n, r));
    }
}

TEST_F(TransformEvents, DegreesAndRadiansAgree) {
    OVnode *a = OVxformnode_new(root), *b = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotate(a, 30, 45, 60, 0));
    ASSERT_TRUE(
        OVnode_rotation(b, 30 * 3.1415927f / 180, 45 * 3.1415927f / 180, 60 * 3.1415927f / 180, 0));
    OVm3 ma, mb;
    ASSERT_TRUE(OVnode_getrotation(a, ma));
    ASSERT_TRUE(OVnode_getrotation(b, mb));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(ma[i][j], mb[i][j], 1e-6);
    // About X: +Y goes to +Z.
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotateaxis(x, 0, 90, 0));
    ASSERT_TRUE(OVnode_getrotation(x, ma));
    EXPECT_NEAR(ma[1][2], 1, 1e-6);
    EXPECT_NEAR(ma[2][1], -1, 1e-6);
}

TEST_F(TransformEvents, BoundingBoxKeepsToTheBoxedKinds) {
    void (*draw)(OVnode *) = [](OVnode *) {};
    for (OVnode *n : {OVlodnode_new(root), OVswitchnode_new(root),
                      OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)),
                      OVgroupnode_new(root), OVsepnode_new(root), OVanchornode_new(root),
                      OVinlinenode_new(root), OVxformsepnode_new(root), OVglnode_new(root, draw, 0),
                      OVmovsepnode_new(root), OVmovswitchnode_new(root), OVmovlodnode_new(root)}) {
        EXPECT_TRUE(OVnode_boundingbox(n, 1)) << OVnode_gettype(n);
        EXPECT_EQ(OVnode_hasboundingbox(n), 1);
        EXPECT_TRUE(OVnode_boundingbox(n, 0));
        EXPECT_EQ(OVnode_getboundingbox(n), 0);
    }
    for (OVnode *n : {OVxformnode_new(root), OVfognode_new(root), OVlightnode_newambient(root),
                      OVlightnode_newspot(root), OVmovlightnode_newpoint(root), root}) {
        EXPECT_FALSE(OVnode_boundingbox(n, 1)) << OVnode_gettype(n);
        EXPECT_EQ(OVnode_hasboundingbox(n), 0);
    }
}

TEST_F(TransformEvents, BoundingBoxTellsTheFlag) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "BoundingBox", hear_int));
    ASSERT_TRUE(OVnode_boundingbox(sep, 5));
    EXPECT_EQ(OVnode_getboundingbox(sep), 1);
    ASSERT_TRUE(OVnode_boundingbox(sep, 0));
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"BoundingBox=1", "BoundingBox=0"}));
}

TEST_F(TransformEvents, LeavesWithoutBoundsReportNone) {
    OVp3 out = {0, 0, 0};
    for (OVnode *n : {OVxformnode_new(root), OVlightnode_newpoint(root), OVfognode_new(root),
                      OVlightnode_newambient(root)}) {
        EXPECT_FALSE(OVnode_getextents(n, out)) << OVnode_gettype(n);
        EXPECT_FALSE(OVnode_getmidpoint(n, out));
        EXPECT_FLOAT_EQ(OVnode_getradius(n), -1);
    }
    // A geometry node reports its geometry's bounds; so does its movable node.
    OVnode *m = OVmovgeometrynode_new(root, OVgeometry_newblock(2, 4, 6, 0));
    const OVp3 t = {10, 0, 0};
    ASSERT_TRUE(OVnode_settranslation(m, t));
    ASSERT_TRUE(OVnode_getextents(m, out));
    expect_p3(out, 1, 2, 3);
    ASSERT_TRUE(OVnode_getmidpoint(m, out));
    expect_p3(out, 10, 0, 0); // the movable's own transform is inside it
}

TEST_F(TransformEvents, SensorsDriveOnlyTransformNodes) {
    EXPECT_EQ(OVnode_addsensor(OVxformnode_new(root), nullptr), nullptr);
    EXPECT_EQ(OVnode_addsensor(nullptr, nullptr), nullptr);
    EXPECT_FALSE(OVnode_removesensor(nullptr, nullptr));
}

} // namespace
