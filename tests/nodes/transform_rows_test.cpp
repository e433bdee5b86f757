// Transform functions row by row: the sense of each incremental turn, the
// order of composition in both frames, which node the handlers run on, the
// movable kinds, and the bounds that Xform nodes shape.
#include "orv/light.h"
#include "orv/motionlink.h"
#include "orv/sensor.h"
#include "orv/orv_internal.h"
#include "nodes/scene_fixture.h"
#include "scene/node_record.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using TransformRows = SceneTest;

constexpr float kPi = 3.1415927f;

void expect_m4_near(const OVm4 a, const OVm4 b, float tol = 1e-5f) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(a[i][j], b[i][j], tol) << i << j;
}

OVnode *xform_of(OVnode *movable) {
    return orv::scene::first_child(movable)->child;
}

OVnode *content_of(OVnode *movable) {
    return orv::scene::first_child(movable)->next_sibling->child;
}

int kind_of(OVnode *x) {
    return orv::scene::xform_record(x).kind;
}

// Where the node's transform puts the point p.
void placed(OVnode *x, const OVp3 p, OVp3 out) {
    OVm4 m;
    EXPECT_TRUE(OVnode_gettransform(x, m));
    OVp3_xformm4(p, m, out);
}

void hear(void *, const char *name, void *, double) {
    SceneTest::heard.push_back(name);
}

int pre_calls;
int count_and_allow(void *, const char *, double) {
    ++pre_calls;
    return 1;
}

int refuse(void *, const char *, double) {
    return 0;
}

// Sets the node's translation; returns the node.
OVnode *moved_to(OVnode *node, float x, float y, float z) {
    const OVp3 t = {x, y, z};
    EXPECT_TRUE(OVnode_settranslation(node, t));
    return node;
}

// A quaternion turns the other way from the axis matrices: +X goes to -Y.
TEST_F(TransformRows, QuaternionTurnHasTheQuaternionSense) {
    OVnode *x = OVxformnode_new(root);
    OVp3 z = {0, 0, 1};
    OVq q;
    OVaxisangle_2q(z, kPi / 2, q);
    ASSERT_TRUE(OVnode_rotateq(x, q, 3));
    const OVp3 unit_x = {1, 0, 0};
    OVp3 p;
    placed(x, unit_x, p);
    expect_p3(p, 0, -1, 0);
    OVnode *y = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_setorientation(y, q));
    placed(y, unit_x, p);
    expect_p3(p, 0, -1, 0);
}

TEST_F(TransformRows, EulerTurnIsYThenXThenZMatrices) {
    const float a = 0.3f, b = -0.7f, c = 1.1f;
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotation(x, a, b, c, 3));
    const float ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b),
                cc = std::cos(c), sc = std::sin(c);
    const OVm3 ry = {{ca, 0, -sa}, {0, 1, 0}, {sa, 0, ca}};
    const OVm3 rx = {{1, 0, 0}, {0, cb, sb}, {0, -sb, cb}};
    const OVm3 rz = {{cc, sc, 0}, {-sc, cc, 0}, {0, 0, 1}};
    OVm3 yx, expected, got;
    OVm3_mult(ry, rx, yx);
    OVm3_mult(yx, rz, expected);
    ASSERT_TRUE(OVnode_getrotation(x, got));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(got[i][j], expected[i][j], 1e-6f) << i << j;
}

// In the node's own frame each turn goes in front: Z, X, Y one by one give
// the same as the three angles at once.
TEST_F(TransformRows, OwnFrameTurnGoesInFrontOfTheTransform) {
    OVnode *a = OVxformnode_new(root), *b = OVxformnode_new(root);
    const OVp3 t = {1, 2, 3};
    for (OVnode *n : {a, b}) {
        ASSERT_TRUE(OVnode_settranslation(n, t));
        ASSERT_TRUE(OVnode_rotateaxis(n, 0, 25, 3));
    }
    ASSERT_TRUE(OVnode_rotate(a, 30, 40, 50, 0));
    ASSERT_TRUE(OVnode_rotateaxis(b, 2, 50, 0));
    ASSERT_TRUE(OVnode_rotateaxis(b, 0, 40, 0));
    ASSERT_TRUE(OVnode_rotateaxis(b, 1, 30, 0));
    OVm4 ma, mb;
    ASSERT_TRUE(OVnode_gettransform(a, ma));
    ASSERT_TRUE(OVnode_gettransform(b, mb));
    expect_m4_near(ma, mb);
    // The same composed by hand: R·T.
    OVnode *c = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_settranslation(c, t));
    ASSERT_TRUE(OVnode_rotateaxis(c, 0, 25, 3));
    OVm4 before, turn = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}, product;
    ASSERT_TRUE(OVnode_gettransform(c, before));
    OVnode *r = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotate(r, 30, 40, 50, 3));
    ASSERT_TRUE(OVnode_gettransform(r, turn));
    OVm4_mult(turn, before, product);
    expect_m4_near(ma, product);
}

TEST_F(TransformRows, ParentFrameMatrixGoesBehindTheTransform) {
    OVnode *x = OVxformnode_new(root);
    const OVp3 t = {2, 0, 0};
    ASSERT_TRUE(OVnode_settranslation(x, t));
    const OVm3 scale = {{2, 0, 0}, {0, 3, 0}, {0, 0, 4}};
    ASSERT_TRUE(OVnode_rotatem3(x, scale, 3));
    OVp3 p;
    ASSERT_TRUE(OVnode_gettranslation(x, p));
    expect_p3(p, 4, 0, 0);
    ASSERT_TRUE(OVnode_rotatem3(x, scale, 0));
    ASSERT_TRUE(OVnode_gettranslation(x, p));
    expect_p3(p, 4, 0, 0);
    OVm3 r;
    ASSERT_TRUE(OVnode_getrotation(x, r));
    EXPECT_FLOAT_EQ(r[0][0], 4);
    EXPECT_FLOAT_EQ(r[1][1], 9);
    EXPECT_FLOAT_EQ(r[2][2], 16);
}

// Along the node's own axes a scaled node moves by the scaled vector.
TEST_F(TransformRows, OwnFrameTranslationIsScaledToo) {
    OVnode *x = OVxformnode_new(root);
    const OVm3 scale = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}};
    ASSERT_TRUE(OVnode_setrotation(x, scale));
    const OVp3 v = {1, 0, -1};
    ASSERT_TRUE(OVnode_translate(x, v, 0));
    OVp3 p;
    ASSERT_TRUE(OVnode_gettranslation(x, p));
    expect_p3(p, 2, 0, -2);
    ASSERT_TRUE(OVnode_translate(x, v, 3));
    ASSERT_TRUE(OVnode_gettranslation(x, p));
    expect_p3(p, 3, 0, -3);
}

TEST_F(TransformRows, RefusingNodesStillAskThePreHandlersFirst) {
    OVnode *sep = OVsepnode_new(root);
    pre_calls = 0;
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "Translation", count_and_allow));
    const OVp3 t = {1, 0, 0};
    EXPECT_FALSE(OVnode_settranslation(sep, t));
    EXPECT_EQ(pre_calls, 1);
}

TEST_F(TransformRows, BoundingBoxChecksTheKindBeforeThePreHandlers) {
    OVnode *x = OVxformnode_new(root);
    pre_calls = 0;
    OVproperty_addhandler_pre(x, "BoundingBox", count_and_allow);
    EXPECT_FALSE(OVnode_boundingbox(x, 1));
    EXPECT_EQ(pre_calls, 0);
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "BoundingBox", count_and_allow));
    EXPECT_TRUE(OVnode_boundingbox(sep, 1));
    EXPECT_EQ(pre_calls, 1);
}

// Handlers run on the node as given: those of the movable node, not those
// of the Xform node inside it.
TEST_F(TransformRows, MovableHandlersAreTheMovablesOwn) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *inner = xform_of(m);
    ASSERT_TRUE(OVproperty_addhandler(m, "Translation", hear));
    ASSERT_TRUE(OVproperty_addhandler(m, "Rotation", hear));
    ASSERT_TRUE(OVproperty_addhandler_pre(inner, "Translation", refuse));
    ASSERT_TRUE(OVproperty_addhandler(inner, "Rotation", hear));
    const OVp3 t = {0, 0, 2};
    ASSERT_TRUE(OVnode_settranslation(m, t));
    ASSERT_TRUE(OVnode_rotateaxis(m, 1, 45, 0));
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"Translation", "Rotation"}));
    OVp3 p;
    ASSERT_TRUE(OVnode_gettranslation(inner, p));
    expect_p3(p, 0, 0, 2);
}

TEST_F(TransformRows, EveryMovableKindMovesItsXformNode) {
    for (OVnode *m : {OVmovsepnode_new(root), OVmovswitchnode_new(root),
                      OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)),
                      OVmovlodnode_new(root), OVmovlightnode_newpoint(root)}) {
        ASSERT_NE(m, nullptr);
        EXPECT_TRUE(OVnode_ismovable(m));
        EXPECT_EQ(OVnode_gettype(m), OVnode_gettype(content_of(m)) + 1);
        const OVp3 t = {1, 2, 3};
        ASSERT_TRUE(OVnode_settranslation(m, t)) << OVnode_gettype(m);
        ASSERT_TRUE(OVnode_rotateaxis(m, 2, 90, 0));
        OVm4 via_movable, direct;
        ASSERT_TRUE(OVnode_gettransform(m, via_movable));
        ASSERT_TRUE(OVnode_gettransform(xform_of(m), direct));
        expect_m4_near(via_movable, direct, 0);
        expect_p3(direct[3], 1, 2, 3);
        EXPECT_NEAR(direct[0][1], 1, 1e-6f);
        EXPECT_EQ(kind_of(xform_of(m)), 0x03);
    }
}

TEST_F(TransformRows, NodesWithoutATransformReadAsFailures) {
    OVm4 m;
    for (OVnode *n : {OVsepnode_new(root), OVgroupnode_new(root), static_cast<OVnode *>(nullptr)}) {
        for (auto &row : m)
            for (float &e : row)
                e = 9;
        EXPECT_FALSE(OVnode_gettransform(n, m));
        const OVm4 identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
        expect_m4_near(m, identity, 0);
        OVq q;
        EXPECT_FALSE(OVnode_getorientation(n, q));
        const OVq turn = {0, 0, 1, 0};
        EXPECT_FALSE(OVnode_setorientation(n, turn));
        EXPECT_FALSE(OVnode_axisrotation(n, 0, 1, 0));
        EXPECT_FALSE(OVnode_rotation(n, 1, 1, 1, 0));
    }
    OVp3 out;
    EXPECT_FALSE(OVnode_getextents(nullptr, out));
    EXPECT_FALSE(OVnode_getmidpoint(nullptr, out));
    EXPECT_EQ(OVnode_hasboundingbox(nullptr), 0);
    EXPECT_EQ(OVnode_getboundingbox(nullptr), 0);
    EXPECT_FALSE(OVnode_boundingbox(nullptr, 1));
}

TEST_F(TransformRows, NoContributionLeavesTheOutputAlone) {
    OVnode *group = OVgroupnode_new(root);
    OVxformnode_new(group); // identity: kind 0
    moved_to(OVxformnode_new(OVsepnode_new(group)), 4, 0, 0);
    OVm4 m;
    for (auto &row : m)
        for (float &e : row)
            e = 5;
    EXPECT_EQ(_OVnode_getxforms(group, m), 0);
    for (auto &row : m)
        for (float e : row)
            EXPECT_EQ(e, 5.0f);
}

// A translation after a turn moves along the turned axes.
TEST_F(TransformRows, TranslationAfterATurnIsTurned) {
    OVnode *group = OVgroupnode_new(root);
    ASSERT_TRUE(OVnode_rotateaxis(OVxformnode_new(group), 2, 90, 0));
    OVnode *shift = OVxformnode_new(group);
    const OVp3 t = {1, 0, 0};
    ASSERT_TRUE(OVnode_settranslation(shift, t));
    ASSERT_EQ(kind_of(shift), 0x02);
    OVm4 m;
    EXPECT_EQ(_OVnode_getxforms(group, m) & 0x01, 0x01);
    expect_p3(m[3], 0, 1, 0);
    EXPECT_NEAR(m[0][1], 1, 1e-6f);
    // Two translations in a row add up.
    OVnode *g2 = OVgroupnode_new(root);
    moved_to(OVxformnode_new(g2), 1, 2, 3);
    moved_to(OVxformnode_new(g2), -4, 0, 1);
    ASSERT_EQ(_OVnode_getxforms(g2, m), 0x02);
    expect_p3(m[3], -3, 2, 4);
    EXPECT_EQ(m[0][0], 1.0f);
}

OVnode *box_after(OVnode *parent, OVnode **xform) {
    *xform = OVxformnode_new(parent);
    OVgeometrynode_new(parent, OVgeometry_newblock(4, 2, 2, 0));
    return parent;
}

// Extents placed by a turn: the sums of |T[i][j]| times the old extents.
TEST_F(TransformRows, TurnedExtentsUseAbsoluteMatrixElements) {
    OVnode *x;
    OVnode *sep = box_after(OVsepnode_new(root), &x);
    ASSERT_TRUE(OVnode_rotateaxis(x, 2, 45, 0));
    OVp3 ext, mid;
    ASSERT_TRUE(OVnode_getextents(sep, ext));
    const float h = std::sqrt(0.5f);
    expect_p3(ext, 3 * h, 3 * h, 1);
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 0, 0, 0);
    EXPECT_NEAR(OVnode_getradius(sep), std::sqrt(9.0f + 1.0f), 1e-5f);
}

TEST_F(TransformRows, ScaledAndMovedBounds) {
    OVnode *x;
    OVnode *sep = box_after(OVsepnode_new(root), &x);
    const OVm4 m = {{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 1, 0}, {1, 1, 1, 1}};
    ASSERT_TRUE(OVnode_settransform(x, m));
    OVp3 ext, mid;
    ASSERT_TRUE(OVnode_getextents(sep, ext));
    expect_p3(ext, 4, 3, 1);
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 1, 1, 1);
}

// Only the diagonal decides the kind: a pure shear is not applied at all.
TEST_F(TransformRows, ShearWithAUnitDiagonalDoesNotCount) {
    OVnode *x;
    OVnode *sep = box_after(OVsepnode_new(root), &x);
    const OVm3 shear = {{1, 0, 0}, {3, 1, 0}, {0, 0, 1}};
    ASSERT_TRUE(OVnode_setrotation(x, shear));
    EXPECT_EQ(kind_of(x), 0);
    OVp3 ext;
    ASSERT_TRUE(OVnode_getextents(sep, ext));
    expect_p3(ext, 2, 1, 1);
}

TEST_F(TransformRows, LightsFogAndAmbientHaveNoBounds) {
    OVnode *sep = OVsepnode_new(root);
    OVlightnode_newpoint(sep);
    OVlightnode_newambient(sep);
    OVfognode_new(sep);
    moved_to(OVxformnode_new(sep), 1, 0, 0);
    OVp3 out;
    EXPECT_FALSE(OVnode_getextents(sep, out));
    EXPECT_FALSE(OVnode_getmidpoint(sep, out));
    EXPECT_FLOAT_EQ(OVnode_getradius(sep), -1);
    OVnode *group = OVgroupnode_new(root);
    OVfognode_new(group);
    EXPECT_FLOAT_EQ(OVnode_getradius(group), -1);
}

TEST_F(TransformRows, BoundsGoAwayWithTheirLastGeometry) {
    OVnode *sep = OVsepnode_new(root);
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    EXPECT_NEAR(OVnode_getradius(sep), std::sqrt(3.0f), 1e-6f);
    ASSERT_TRUE(OVnode_deletechild(sep, 0));
    EXPECT_FLOAT_EQ(OVnode_getradius(sep), -1);
    OVp3 out;
    EXPECT_FALSE(OVnode_getextents(sep, out));
}

// A level-of-detail node's bounds hold every child, whatever its ranges;
// the transforms inside it stay inside.
TEST_F(TransformRows, LevelOfDetailBoundsHoldEveryChild) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *lod = OVlodnode_new(sep);
    OVgeometrynode_new(lod, OVgeometry_newblock(2, 2, 2, 0));
    OVnode *far_one = OVsepnode_new(lod);
    moved_to(OVxformnode_new(far_one), 10, 0, 0);
    OVgeometrynode_new(far_one, OVgeometry_newblock(2, 2, 2, 0));
    moved_to(OVxformnode_new(lod), 0, 50, 0);
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid, ext;
    ASSERT_TRUE(OVnode_getmidpoint(lod, mid));
    expect_p3(mid, 5, 0, 0);
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    ASSERT_TRUE(OVnode_getextents(sep, ext));
    expect_p3(mid, 5, 0, 0);
    expect_p3(ext, 6, 1, 1);
}

TEST_F(TransformRows, MovableBoundsTurnWithIt) {
    OVnode *m = OVmovgeometrynode_new(root, OVgeometry_newblock(2, 4, 6, 0));
    ASSERT_TRUE(OVnode_rotateaxis(m, 2, 90, 0));
    moved_to(m, 0, 0, 5);
    OVp3 ext, mid;
    ASSERT_TRUE(OVnode_getextents(m, ext));
    expect_p3(ext, 2, 1, 3);
    ASSERT_TRUE(OVnode_getmidpoint(m, mid));
    expect_p3(mid, 0, 0, 5);
    EXPECT_NEAR(OVnode_getradius(m), std::sqrt(14.0f), 1e-5f);
    // The bounding box of a movable geometry node is its geometry node's.
    ASSERT_TRUE(OVnode_boundingbox(m, 1));
    EXPECT_EQ(OVnode_hasboundingbox(content_of(m)), 1);
    EXPECT_EQ(OVnode_getboundingbox(m), 1);
}

} // namespace

namespace {

using TransformRows2 = SceneTest;

int refuse_all(void *, const char *, double) {
    return 0;
}

void hear_name(void *, const char *name, void *, double) {
    SceneTest::heard.push_back(name);
}

TEST_F(TransformRows2, RefusedRotationOfAWholeTransformIsPutBack) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Rotation", refuse_all));
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear_name));
    ASSERT_TRUE(OVproperty_addhandler(x, "Rotation", hear_name));
    const OVm4 m = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {4, 5, 6, 1}};
    EXPECT_TRUE(OVnode_settransform(x, m));
    OVm4 back;
    ASSERT_TRUE(OVnode_gettransform(x, back));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(back[i][j], i == j ? 1.0f : 0.0f) << i << j;
    expect_p3(back[3], 4, 5, 6);
    EXPECT_EQ(orv::scene::xform_record(x).kind, 0x02); // the identity rotation is back
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"Translation"});
}

TEST_F(TransformRows2, BothHalvesRefusedLeaveEverything) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotateaxis(x, 0, 30, 0));
    const OVp3 t = {1, 2, 3};
    ASSERT_TRUE(OVnode_settranslation(x, t));
    OVm4 before;
    ASSERT_TRUE(OVnode_gettransform(x, before));
    const int kind = orv::scene::xform_record(x).kind;
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Rotation", refuse_all));
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Translation", refuse_all));
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear_name));
    ASSERT_TRUE(OVproperty_addhandler(x, "Rotation", hear_name));
    const OVm4 identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    EXPECT_FALSE(OVnode_settransform(x, identity));
    OVm4 after;
    ASSERT_TRUE(OVnode_gettransform(x, after));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(after[i][j], before[i][j]) << i << j;
    EXPECT_EQ(orv::scene::xform_record(x).kind, kind);
    _OVevent_pass();
    EXPECT_TRUE(heard.empty());
}

// The rotation part is the quaternion's matrix as the formula gives it,
// without normalising the quaternion first.
TEST_F(TransformRows2, OrientationIsStoredAsItsMatrix) {
    OVnode *x = OVxformnode_new(root);
    const OVq q = {0, 0, 1, 1};
    ASSERT_TRUE(OVnode_setorientation(x, q));
    OVm3 expected, got;
    OVq_2m3(q, expected);
    ASSERT_TRUE(OVnode_getrotation(x, got));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(got[i][j], expected[i][j]) << i << j;
    EXPECT_EQ(orv::scene::xform_record(x).kind, 0x01);
}

TEST_F(TransformRows2, OrientationOfAScaledNodeIgnoresTheScale) {
    OVnode *x = OVxformnode_new(root);
    const OVm3 scaled_turn = {{0, 3, 0}, {-3, 0, 0}, {0, 0, 3}};
    ASSERT_TRUE(OVnode_setrotation(x, scaled_turn));
    OVq q;
    ASSERT_TRUE(OVnode_getorientation(x, q));
    // +X to +Y under the row-vector rule is a quaternion turn of -90 about Z.
    const float h = std::sqrt(0.5f), s = q[3] < 0 ? -1.0f : 1.0f;
    EXPECT_NEAR(s * q[0], 0, 1e-6f);
    EXPECT_NEAR(s * q[1], 0, 1e-6f);
    EXPECT_NEAR(s * q[2], -h, 1e-6f);
    EXPECT_NEAR(s * q[3], h, 1e-6f);
    OVm3 r;
    ASSERT_TRUE(OVnode_getrotation(x, r));
    EXPECT_EQ(r[0][1], 3.0f); // reading the orientation changes nothing
}

OVnode *holding_a_block(OVnode *parent, OVnode *(*make)(OVnode *)) {
    OVnode *n = make(parent);
    OVnode *x = OVxformnode_new(n);
    const OVp3 t = {0, 0, 4};
    OVnode_settranslation(x, t);
    OVgeometrynode_new(n, OVgeometry_newblock(2, 2, 2, 0));
    return n;
}

OVnode *all_shown(OVnode *parent) {
    OVnode *s = OVswitchnode_new(parent);
    OVswitchnode_setwhichchild(s, -3);
    return s;
}

TEST_F(TransformRows2, EveryGroupingKindReportsItsBounds) {
    for (OVnode *(*make)(OVnode *) :
         {OVgroupnode_new, OVsepnode_new, OVxformsepnode_new, OVanchornode_new, OVinlinenode_new,
          OVlodnode_new, all_shown}) {
        OVnode *n = holding_a_block(root, make);
        OVp3 mid, ext;
        ASSERT_TRUE(OVnode_getmidpoint(n, mid)) << OVnode_gettype(n);
        ASSERT_TRUE(OVnode_getextents(n, ext));
        expect_p3(mid, 0, 0, 4);
        expect_p3(ext, 1, 1, 1);
        EXPECT_NEAR(OVnode_getradius(n), std::sqrt(3.0f), 1e-6f);
    }
    OVnode *top = OVrootnode_new();
    OVgeometrynode_new(top, OVgeometry_newblock(2, 4, 2, 0));
    EXPECT_NEAR(OVnode_getradius(top), std::sqrt(6.0f), 1e-6f);
}

// Bounds do not depend on what is shown: a disabled geometry still counts.
TEST_F(TransformRows2, DisabledGeometryStillCounts) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *g = OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVnode_enable(g, 0));
    EXPECT_NEAR(OVnode_getradius(sep), std::sqrt(3.0f), 1e-6f);
}

TEST_F(TransformRows2, SwitchPastItsChildrenShowsNothing) {
    OVnode *s = holding_a_block(root, OVswitchnode_new);
    ASSERT_TRUE(OVswitchnode_setwhichchild(s, 5));
    EXPECT_FLOAT_EQ(OVnode_getradius(s), -1);
    OVm4 m;
    EXPECT_EQ(_OVnode_getxforms(s, m), 0);
}

} // namespace

namespace {

using MovableAttachments = SceneTest;

OVnode *child_one(OVnode *movable) {
    return orv::scene::first_child(movable)->next_sibling->child;
}

// With attachments, child 1 is the attachment group: the box flag lives there.
TEST_F(MovableAttachments, BoundingBoxGoesOnTheAttachmentGroup) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *extra = OVsepnode_new(nullptr);
    ASSERT_TRUE(OVmovnode_attach(m, extra, -1));
    OVnode *group = child_one(m);
    ASSERT_TRUE(group->flags & NODE_ATTACHGROUP);
    ASSERT_TRUE(OVnode_boundingbox(m, 1));
    EXPECT_TRUE(group->flags & NODE_BOUNDINGBOX);
    EXPECT_EQ(OVnode_hasboundingbox(m), 1);
    ASSERT_TRUE(OVnode_boundingbox(m, 0));
    EXPECT_FALSE(group->flags & NODE_BOUNDINGBOX);
    EXPECT_EQ(OVnode_getboundingbox(m), 0);
}

TEST_F(MovableAttachments, AttachmentsCountInTheMovablesBounds) {
    OVnode *m = OVmovgeometrynode_new(root, OVgeometry_newblock(2, 2, 2, 0));
    OVnode *extra = OVsepnode_new(nullptr);
    const OVp3 t = {6, 0, 0};
    OVnode_settranslation(OVxformnode_new(extra), t);
    OVgeometrynode_new(extra, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVmovnode_attach(m, extra, -1));
    const OVp3 lift = {0, 10, 0};
    ASSERT_TRUE(OVnode_settranslation(m, lift));
    OVp3 mid, ext;
    ASSERT_TRUE(OVnode_getmidpoint(m, mid));
    ASSERT_TRUE(OVnode_getextents(m, ext));
    expect_p3(mid, 3, 10, 0);
    expect_p3(ext, 4, 1, 1);
    // Detached again, only the movable's own geometry is left.
    ASSERT_TRUE(OVmovnode_detach(m, 0));
    ASSERT_TRUE(OVnode_getmidpoint(m, mid));
    expect_p3(mid, 0, 10, 0);
}

} // namespace

namespace {

using NodeSensors = SceneTest;

TEST_F(NodeSensors, LinkTargetTypeFollowsTheNodeKind) {
    OVsensor *s = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    ASSERT_NE(s, nullptr);
    OVnode *x = OVxformnode_new(root), *m = OVmovsepnode_new(root);
    void *target = nullptr;
    int type = -1;
    OVmotionlink *to_xform = OVnode_addsensor(x, s);
    ASSERT_NE(to_xform, nullptr);
    ASSERT_TRUE(OVmotionlink_gettarget(to_xform, &target, &type));
    EXPECT_EQ(type, 3);
    EXPECT_EQ(target, x);
    OVmotionlink *to_movable = OVnode_addsensor(m, s);
    ASSERT_NE(to_movable, nullptr);
    ASSERT_TRUE(OVmotionlink_gettarget(to_movable, &target, &type));
    EXPECT_EQ(type, 5);
    EXPECT_EQ(target, m);
    EXPECT_EQ(OVnode_addsensor(OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)), s),
              nullptr);
    EXPECT_EQ(OVnode_addsensor(OVgroupnode_new(root), s), nullptr);
    EXPECT_EQ(OVnode_addsensor(nullptr, s), nullptr);
    // Removing takes exactly the link between the two.
    EXPECT_FALSE(OVnode_removesensor(OVxformnode_new(root), s));
    EXPECT_TRUE(OVnode_removesensor(m, s));
    EXPECT_FALSE(OVnode_removesensor(m, s));
    EXPECT_TRUE(OVnode_removesensor(x, s));
    EXPECT_EQ(OVuniverse_getmotionlinks(), nullptr);
}

} // namespace

namespace {

using KindBits = SceneTest;

// A rotate marks the rotation bit without looking, even for no turn; a
// whole matrix composed that way carries its translation as a general
// transform.
TEST_F(KindBits, RotatesMarkTheRotationBitBlindly) {
    OVnode *x = OVxformnode_new(root);
    const OVq none = {0, 0, 0, 1};
    ASSERT_TRUE(OVnode_rotateq(x, none, 0));
    EXPECT_EQ(orv::scene::xform_record(x).kind, 0x01);
    OVnode *y = OVxformnode_new(root);
    const OVm4 shift = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 3, 0, 1}};
    ASSERT_TRUE(OVnode_rotatem4(y, shift, 3));
    EXPECT_EQ(orv::scene::xform_record(y).kind & 0x01, 0x01);
    OVm4 m;
    ASSERT_NE(_OVnode_getxforms(y, m), 0);
    expect_p3(m[3], 0, 3, 0);
    OVnode *sep = OVsepnode_new(root);
    OVnode *z = OVxformnode_new(sep);
    ASSERT_TRUE(OVnode_rotatem4(z, shift, 0));
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 0, 3, 0);
}

} // namespace

namespace {

using MovableFrames = SceneTest;

// A movable node is a separator: its own transform stays inside it.
TEST_F(MovableFrames, MovableTransformDoesNotReachLaterSiblings) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *group = OVgroupnode_new(sep);
    OVnode *m = OVmovgeometrynode_new(group, OVgeometry_newblock(2, 2, 2, 0));
    const OVp3 t = {8, 0, 0};
    ASSERT_TRUE(OVnode_settranslation(m, t));
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    OVm4 out;
    EXPECT_EQ(_OVnode_getxforms(group, out), 0);
    OVp3 mid, ext;
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    ASSERT_TRUE(OVnode_getextents(sep, ext));
    expect_p3(mid, 4, 0, 0);
    expect_p3(ext, 5, 1, 1);
}

} // namespace
