#include "orv/orv.h"
#include "nodes/scene_fixture.h"
#include "scene/node_record.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Transforms = SceneTest;

int kind_of(OVnode *x) {
    return orv::scene::xform_record(x).kind;
}

TEST_F(Transforms, KindBitsFollowTheMatrix) {
    OVnode *x = OVxformnode_new(root);
    EXPECT_EQ(kind_of(x), 0);
    const OVp3 t = {1, 0, 0}, zero = {0, 0, 0};
    OVnode_settranslation(x, t);
    EXPECT_EQ(kind_of(x), 0x02);
    OVnode_settranslation(x, zero);
    EXPECT_EQ(kind_of(x), 0);
    OVm4 m;
    EXPECT_EQ(_OVnode_getxforms(x, m), 0); // composes as identity
    const OVm3 turn = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};
    OVnode_setrotation(x, turn);
    EXPECT_EQ(kind_of(x), 0x01);
    const OVq identity = {0, 0, 0, 1};
    OVnode_setorientation(x, identity);
    EXPECT_EQ(kind_of(x), 0);
    // Only the diagonal decides: off-diagonal elements alone leave the bit clear.
    const OVm3 unit_diagonal = {{1, 0, 0}, {0.5f, 1, 0}, {0, 0, 1}};
    OVnode_setrotation(x, unit_diagonal);
    EXPECT_EQ(kind_of(x), 0);
}

// Each setter recomputes only its own half's bit; a rotate sets its bit
// without looking, so a shear it brought in survives a new translation.
TEST_F(Transforms, SettersRecomputeOnlyTheirOwnKindBit) {
    OVnode *x = OVxformnode_new(root);
    const OVm3 shear = {{1, 0, 0}, {0.5f, 1, 0}, {0, 0, 1}};
    ASSERT_TRUE(OVnode_rotatem3(x, shear, 0));
    EXPECT_EQ(kind_of(x), 0x01);
    const OVp3 t = {0, 0, 4}, zero = {0, 0, 0};
    ASSERT_TRUE(OVnode_settranslation(x, t));
    EXPECT_EQ(kind_of(x), 0x03);
    // The shear still applies: (0, 1, 0) leans over to x.
    OVm4 m;
    ASSERT_EQ(_OVnode_getxforms(x, m), 0x03);
    const OVp3 up = {0, 1, 0};
    OVp3 p;
    OVp3_xformm4(up, m, p);
    expect_p3(p, 0.5f, 1, 4);
    ASSERT_TRUE(OVnode_settranslation(x, zero));
    EXPECT_EQ(kind_of(x), 0x01);
    // Setting the rotation leaves the translation bit of a translate alone.
    ASSERT_TRUE(OVnode_translate(x, zero, 3)); // sets the bit without looking
    EXPECT_EQ(kind_of(x), 0x03);
    const OVm3 turn = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};
    ASSERT_TRUE(OVnode_setrotation(x, turn));
    EXPECT_EQ(kind_of(x), 0x03);
    // A whole transform recomputes both.
    OVm4 identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    ASSERT_TRUE(OVnode_settransform(x, identity));
    EXPECT_EQ(kind_of(x), 0);
}

TEST_F(Transforms, RotateAxisInFrameThreeTurnsTheTranslationToo) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotateaxis(x, 2, 90, 3));
    OVm4 m;
    OVnode_gettransform(x, m);
    const OVp3 unit_x = {1, 0, 0};
    OVp3 p;
    OVp3_xformm4(unit_x, m, p);
    expect_p3(p, 0, 1, 0);

    OVnode *parent_frame = OVxformnode_new(root), *own_frame = OVxformnode_new(root);
    const OVp3 t = {5, 0, 0};
    OVnode_settranslation(parent_frame, t);
    OVnode_settranslation(own_frame, t);
    ASSERT_TRUE(OVnode_rotateaxis(parent_frame, 2, 90, 3));
    ASSERT_TRUE(OVnode_rotateaxis(own_frame, 2, 90, 0));
    OVnode_gettranslation(parent_frame, p);
    expect_p3(p, 0, 5, 0);
    OVnode_gettranslation(own_frame, p);
    expect_p3(p, 5, 0, 0);
    EXPECT_EQ(kind_of(own_frame), 0x03);
}

TEST_F(Transforms, TranslateAlongOwnOrParentAxes) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotateaxis(x, 2, 90, 0));
    const OVp3 v = {1, 0, 0};
    ASSERT_TRUE(OVnode_translate(x, v, 0));
    OVp3 p;
    OVnode_gettranslation(x, p);
    expect_p3(p, 0, 1, 0);
    ASSERT_TRUE(OVnode_translate(x, v, 3));
    OVnode_gettranslation(x, p);
    expect_p3(p, 1, 1, 0);
    EXPECT_FALSE(OVnode_translate(x, v, 1));
    EXPECT_FALSE(OVnode_rotateaxis(x, 3, 10, 0));
    EXPECT_FALSE(OVnode_rotateaxis(x, 0, 10, 2));
    EXPECT_FALSE(OVnode_translate(OVsepnode_new(root), v, 0));
}

TEST_F(Transforms, AxisMatricesTurnCounterClockwise) {
    struct Case {
        int axis;
        OVp3 from, to;
    } cases[] = {{0, {0, 1, 0}, {0, 0, 1}}, {1, {0, 0, 1}, {1, 0, 0}}, {2, {1, 0, 0}, {0, 1, 0}}};
    for (const Case &c : cases) {
        OVnode *x = OVxformnode_new(root);
        ASSERT_TRUE(OVnode_axisrotation(x, c.axis, 3.1415927f / 2, 3));
        OVm4 m;
        OVnode_gettransform(x, m);
        OVp3 p;
        OVp3_xformm4(c.from, m, p);
        expect_p3(p, c.to[0], c.to[1], c.to[2]);
    }
}

TEST_F(Transforms, EulerAnglesComposeYThenXThenZ) {
    OVnode *a = OVxformnode_new(root), *b = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotate(a, 30, 40, 50, 3));
    ASSERT_TRUE(OVnode_rotateaxis(b, 1, 30, 3));
    ASSERT_TRUE(OVnode_rotateaxis(b, 0, 40, 3));
    ASSERT_TRUE(OVnode_rotateaxis(b, 2, 50, 3));
    OVm4 ma, mb;
    OVnode_gettransform(a, ma);
    OVnode_gettransform(b, mb);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(ma[i][j], mb[i][j], 1e-5);
    OVnode *c = OVxformnode_new(root);
    ASSERT_TRUE(
        OVnode_rotation(c, 30 * 3.1415927f / 180, 40 * 3.1415927f / 180, 50 * 3.1415927f / 180, 3));
    OVnode_gettransform(c, mb);
    EXPECT_NEAR(ma[0][1], mb[0][1], 1e-6);
}

TEST_F(Transforms, RotateByQuaternionAndMatrices) {
    OVnode *x = OVxformnode_new(root);
    const OVp3 t = {0, 0, 2};
    OVnode_settranslation(x, t);
    const OVm4 shift = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {1, 0, 0, 1}};
    ASSERT_TRUE(OVnode_rotatem4(x, shift, 0)); // own frame: the shift adds on
    OVp3 p;
    OVnode_gettranslation(x, p);
    expect_p3(p, 1, 0, 2);
    const OVm3 turn = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}};
    ASSERT_TRUE(OVnode_rotatem3(x, turn, 3));
    OVnode_gettranslation(x, p);
    expect_p3(p, 0, 1, 2);
    OVq q;
    OVnode_getorientation(x, q);
    OVnode *y = OVxformnode_new(root);
    ASSERT_TRUE(OVnode_rotateq(y, q, 0));
    OVm3 rx, ry;
    OVnode_getrotation(x, rx);
    OVnode_getrotation(y, ry);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(rx[i][j], ry[i][j], 1e-5);
    OVm4 m;
    OVnode_gettransform(x, m);
    EXPECT_FLOAT_EQ(m[3][3], 1); // the fourth column stays 0, 0, 0, 1
    EXPECT_FLOAT_EQ(m[0][3], 0);
}

int refuse(void *, const char *, double) {
    return 0;
}
void hear(void *, const char *name, void *, double) {
    Transforms::heard.push_back(name);
}

TEST_F(Transforms, WholeTransformHasSeparateVetoes) {
    OVnode *x = OVxformnode_new(root);
    const OVp3 t = {1, 2, 3};
    OVnode_settranslation(x, t);
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Translation", refuse));
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear));
    ASSERT_TRUE(OVproperty_addhandler(x, "Rotation", hear));
    const OVm4 m = {{0, 1, 0, 7}, {-1, 0, 0, 7}, {0, 0, 1, 7}, {9, 9, 9, 7}};
    ASSERT_TRUE(OVnode_settransform(x, m));
    OVm4 back;
    OVnode_gettransform(x, back);
    expect_p3(back[3], 1, 2, 3);    // the refused half is put back
    EXPECT_FLOAT_EQ(back[0][1], 1); // the allowed half stays
    EXPECT_FLOAT_EQ(back[0][3], 0); // the fourth column is not copied
    EXPECT_FLOAT_EQ(back[3][3], 1);
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"Rotation"});
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Rotation", refuse));
    EXPECT_FALSE(OVnode_settransform(x, m));
    EXPECT_FALSE(OVnode_settransform(OVsepnode_new(root), m));
}

TEST_F(Transforms, VetoOnTranslationStopsIncrementsToo) {
    OVnode *m = OVmovsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "Translation", refuse));
    ASSERT_TRUE(OVproperty_addhandler(m, "Translation", hear));
    const OVp3 v = {1, 0, 0};
    EXPECT_FALSE(OVnode_translate(m, v, 3));
    EXPECT_FALSE(OVnode_settranslation(m, v));
    OVp3 p;
    OVnode_gettranslation(m, p);
    expect_p3(p, 0, 0, 0);
    EXPECT_TRUE(OVnode_rotateaxis(m, 1, 10, 0)); // rotation has its own property
    _OVevent_pass();
    EXPECT_TRUE(heard.empty());
}

void hear_translation(void *, const char *, void *value, double) {
    const float *p = static_cast<const float *>(value);
    Transforms::heard.push_back(std::to_string(static_cast<int>(p[0])) + "," +
                                std::to_string(static_cast<int>(p[1])));
}

TEST_F(Transforms, TranslateTellsTheNewTranslation) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(x, "Translation", hear_translation));
    const OVp3 v = {2, 3, 0};
    OVnode_translate(x, v, 3);
    OVnode_translate(x, v, 3);
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"2,3", "4,6"}));
}

TEST_F(Transforms, MovableNodesKeepTheirTransformInChildZero) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *xform = orv::scene::first_child(m)->child;
    ASSERT_EQ(xform->header.type, OVNODE_XFORM);
    const OVp3 t = {0, 4, 0};
    ASSERT_TRUE(OVnode_settranslation(m, t));
    EXPECT_FLOAT_EQ(orv::scene::xform_record(xform).transform[3][1], 4);
    EXPECT_FALSE(OVnode_settranslation(OVsepnode_new(root), t));
    // The movable's bounds include its own transform.
    OVgeometrynode_new(m, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(m, mid));
    expect_p3(mid, 0, 4, 0);
}

} // namespace
