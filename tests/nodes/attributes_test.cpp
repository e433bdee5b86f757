#include "orv/orv.h"
#include "nodes/scene_fixture.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Attributes = SceneTest;

void hear(void *, const char *name, void *, double) {
    Attributes::heard.push_back(name);
}

void draw_nothing(OVnode *) {}

TEST_F(Attributes, EnableAcceptsOnlyTheDrawnKinds) {
    OVnode *sep = OVsepnode_new(root);
    EXPECT_TRUE(OVnode_enable(sep, 0));
    EXPECT_EQ(OVnode_isenabled(sep), 0);
    EXPECT_EQ(OVnode_getenabled(sep), 0);
    EXPECT_TRUE(OVnode_enable(sep, 1));
    EXPECT_EQ(OVnode_isenabled(sep), 1);
    EXPECT_TRUE(OVnode_enable(OVxformsepnode_new(root), 0));
    EXPECT_TRUE(OVnode_enable(OVfognode_new(root), 0));
    EXPECT_TRUE(OVnode_enable(OVlightnode_newambient(root), 0));
    EXPECT_TRUE(OVnode_enable(OVglnode_new(root, draw_nothing, 0), 0));
    for (OVnode *refused : {OVgroupnode_new(root), OVswitchnode_new(root), OVlodnode_new(root),
                            OVxformnode_new(root), OVanchornode_new(root), root}) {
        EXPECT_FALSE(OVnode_enable(refused, 0));
        EXPECT_EQ(OVnode_isenabled(refused), 1);
    }
    EXPECT_FALSE(OVnode_enable(nullptr, 1));
}

TEST_F(Attributes, CullModeOfAMovableSeparatorIsItsContents) {
    OVnode *m = OVmovsepnode_new(root);
    EXPECT_EQ(OVsepnode_getcullmode(m), 3);
    ASSERT_TRUE(OVsepnode_setcullmode(m, 1));
    EXPECT_EQ(OVsepnode_getcullmode(m), 1);
    OVvalue mode = OVproperty_get(m, "SeCu");
    EXPECT_EQ(mode.type, OVINT);
    EXPECT_EQ(mode.v.i, 1);
    EXPECT_FALSE(
        OVsepnode_setcullmode(OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)), 2));
    EXPECT_FALSE(OVsepnode_setcullmode(OVgroupnode_new(root), 2));
    EXPECT_FALSE(OVsepnode_setcullmode(m, 0));
    EXPECT_EQ(OVsepnode_getcullmode(m), 1);
}

TEST_F(Attributes, RootsFormTheirOwnList) {
    OVnode *second = OVrootnode_new();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(OVnode_gettype(second), OVNODE_ROOT);
    EXPECT_EQ(OVuniverse_getrootnodes(), root);
    EXPECT_EQ(OVrootnode_next(root), second);
    EXPECT_EQ(OVrootnode_next(second), nullptr);
    EXPECT_EQ(OVrootnode_next(OVsepnode_new(root)), nullptr);
    EXPECT_FALSE(OVnode_addchild(root, second));
    EXPECT_FALSE(OVnode_canaddchild(root, second));
    EXPECT_NE(OVsepnode_new(second), nullptr);
}

TEST_F(Attributes, CanAddChildChecksTheResolvedParentAndCycles) {
    OVnode *top = OVsepnode_new(root);
    OVnode *below = OVgroupnode_new(top);
    OVnode *loose = OVgroupnode_new(nullptr);
    EXPECT_TRUE(OVnode_canaddchild(top, loose));
    EXPECT_FALSE(OVnode_canaddchild(below, top));
    EXPECT_FALSE(OVnode_canaddchild(OVxformnode_new(root), loose));
    EXPECT_TRUE(OVnode_canaddchild(OVmovsepnode_new(root), loose));
    EXPECT_FALSE(
        OVnode_canaddchild(OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0)), loose));
    EXPECT_FALSE(OVnode_canaddchild(top, nullptr));
    // Only asks: nothing was added.
    EXPECT_EQ(OVnode_numparents(loose), 0);
}

TEST_F(Attributes, TransformGettersReportNodesWithoutATransform) {
    OVnode *x = OVxformnode_new(root);
    const OVp3 t = {1, 2, 3};
    ASSERT_TRUE(OVnode_settranslation(x, t));
    OVm4 m;
    EXPECT_TRUE(OVnode_gettransform(x, m));
    EXPECT_FLOAT_EQ(m[3][2], 3);
    OVq q;
    EXPECT_TRUE(OVnode_getorientation(x, q));
    EXPECT_NEAR(q[3] * q[3], 1, 1e-6);
    OVnode *group = OVgroupnode_new(root);
    EXPECT_FALSE(OVnode_gettransform(group, m));
    EXPECT_FLOAT_EQ(m[3][2], 0);
    EXPECT_FLOAT_EQ(m[0][0], 1);
    EXPECT_FALSE(OVnode_getorientation(group, q));
}

TEST_F(Attributes, FindSearchesOnlyTheBucketOfTheWholeName) {
    OVnode *abc = OVgroupnode_new(root), *cba = OVgroupnode_new(root);
    OVnode_setname(abc, "abc");
    OVnode_setname(cba, "cba");
    // Same bucket: with no characters to compare the newest entry matches.
    EXPECT_EQ(OVuniverse_findnode("abc", 0), cba);
    EXPECT_EQ(OVuniverse_findnode("abc", 2), abc);
    // "abd" hashes elsewhere, so the prefix "ab" of "abc" is not seen.
    EXPECT_EQ(OVuniverse_findnode("abd", 2), nullptr);
    EXPECT_EQ(OVuniverse_findnode(nullptr, 0), nullptr);
    OVnode_setname(cba, nullptr);
    EXPECT_EQ(OVuniverse_findnode("cba", 3), nullptr);
    EXPECT_EQ(OVnode_getname(cba), nullptr);
}

TEST_F(Attributes, HandlersOfAnyNodeRowAndOnlyOnce) {
    OVnode *group = OVgroupnode_new(root);
    EXPECT_EQ(OVproperty_gettype(group, "LtAm"), OVP3);
    EXPECT_TRUE(OVproperty_addhandler(group, "Children", hear));
    EXPECT_TRUE(OVproperty_addhandler(group, "Children", hear));
    EXPECT_EQ(OVproperty_numhandlers(group, "Children"), 1);
    EXPECT_EQ(OVproperty_gethandler(group, "Children", 0), hear);
    EXPECT_EQ(OVproperty_gethandler(group, "Children", 1), nullptr);
    EXPECT_FALSE(OVproperty_addhandler(group, "NoSuchProperty", hear));
    EXPECT_EQ(OVproperty_numhandlers(group, "NoSuchProperty"), 0);
    OVnode *child = OVsepnode_new(nullptr);
    OVnode_setname(child, "kid");
    ASSERT_TRUE(OVnode_addchild(group, child));
    _OVevent_pass();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], "Children");
    EXPECT_TRUE(OVproperty_removehandler(group, "Children", hear));
    EXPECT_EQ(OVproperty_numhandlers(group, "Children"), 0);
}

} // namespace

int refuse(void *, const char *, double) {
    return 0;
}

TEST_F(Attributes, RemoveTakesTheNodeFromEveryParent) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *m = OVmovsepnode_new(root);
    OVnode *shared = OVgroupnode_new(sep);
    ASSERT_TRUE(OVnode_addchild(m, shared));
    ASSERT_EQ(OVnode_getparent(shared, 1), m);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Children", hear));
    ASSERT_TRUE(OVproperty_addhandler(m, "Children", hear));
    // One refusal keeps every edge.
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "Children", refuse));
    EXPECT_FALSE(OVnode_remove(shared));
    EXPECT_EQ(OVnode_numparents(shared), 2);
    ASSERT_TRUE(OVproperty_removehandler_pre(m, "Children", refuse));
    ASSERT_TRUE(OVnode_remove(shared));
    EXPECT_EQ(OVnode_numparents(shared), 0);
    EXPECT_EQ(OVnode_numchildren(sep), 0);
    EXPECT_EQ(OVnode_numchildren(m), 0);
    _OVevent_pass();
    // The movable's handlers hear it too, not only the separator's.
    EXPECT_EQ(heard, (std::vector<std::string>{"Children", "Children"}));
    // Already without parents: nothing to do.
    EXPECT_TRUE(OVnode_remove(shared));
    EXPECT_FALSE(OVnode_remove(nullptr));
    EXPECT_TRUE(OVnode_addchild(sep, shared));
}

std::vector<std::string> children_heard;
void hear_children(void *, const char *, void *value, double) {
    children_heard.emplace_back(value ? static_cast<const char *>(value) : "(null)");
}

TEST_F(Attributes, DeletingANodeTellsEveryParentButDeletechildTellsNone) {
    children_heard.clear();
    OVnode *sep = OVsepnode_new(root), *m = OVmovsepnode_new(root);
    OVnode *shared = OVgroupnode_new(sep), *other = OVgroupnode_new(sep);
    OVnode_setname(shared, "shared");
    OVnode_setname(other, "other");
    ASSERT_TRUE(OVnode_addchild(m, shared));
    ASSERT_TRUE(OVproperty_addhandler(sep, "Children", hear_children));
    ASSERT_TRUE(OVproperty_addhandler(m, "Children", hear_children));
    // A refusal cannot keep a deleted node: it is gone from both all the same.
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "Children", refuse));
    OVnode_delete(shared);
    EXPECT_EQ(OVnode_numchildren(sep), 1);
    EXPECT_EQ(OVnode_numchildren(m), 0);
    _OVevent_pass();
    EXPECT_EQ(children_heard, (std::vector<std::string>{"other", ""}));
    children_heard.clear();
    ASSERT_TRUE(OVnode_deletechild(sep, 0));
    _OVevent_pass();
    EXPECT_TRUE(children_heard.empty());
}

TEST_F(Attributes, DynamicPropertiesCannotShadowTheClassRows) {
    OVnode *group = OVgroupnode_new(root);
    EXPECT_FALSE(OVbase_addproperty(group, "Translation", OVP3));
    EXPECT_FALSE(OVbase_addproperty(group, "Children", OVSTRING));
    ASSERT_TRUE(OVbase_addproperty(group, "weight", OVFLOAT));
    EXPECT_FALSE(OVbase_addproperty(group, "weight", OVINT));
    EXPECT_EQ(OVproperty_gettype(group, "weight"), OVFLOAT);
    float value = 2.5f;
    ASSERT_TRUE(OVproperty_setraw(group, "weight", &value));
    EXPECT_FLOAT_EQ(OVproperty_get(group, "weight").v.f, 2.5f);
    OVbase_deleteproperties(group);
    EXPECT_EQ(OVproperty_gettype(group, "weight"), OVNOPROPERTY);
}
