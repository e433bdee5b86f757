#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string printed;
int capture(const char *text) {
    printed += text;
    return 0;
}

class Nodes : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        root = OVuniverse_getrootnodes();
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
    }
    OVnode *root = nullptr;
};

TEST_F(Nodes, InstancingUnderTwoParentsAndBackToTheHoldingRoot) {
    ASSERT_NE(root, nullptr);
    OVnode *a = OVsepnode_new(root), *b = OVsepnode_new(root);
    OVnode *shared = OVgroupnode_new(a);
    ASSERT_TRUE(OVnode_addchild(b, shared));
    EXPECT_EQ(OVnode_numparents(shared), 2);
    EXPECT_EQ(OVnode_getparent(shared, 1), b);
    EXPECT_TRUE(OVnode_removechild(a, 0));
    EXPECT_EQ(OVnode_numparents(shared), 1);
    EXPECT_EQ(OVnode_getparent(shared, 0), b);
    EXPECT_TRUE(OVnode_removechild(b, 0));
    EXPECT_EQ(OVnode_numparents(shared), 0);
    EXPECT_EQ(OVnode_numchildren(b), 0);
    // From the holding root it can be adopted again.
    EXPECT_TRUE(OVnode_addchild(a, shared));
    EXPECT_EQ(OVnode_getchild(a, 0), shared);
}

TEST_F(Nodes, CyclesAndRootsAreRefusedAndInsertBounds) {
    OVnode *top = OVsepnode_new(root);
    OVnode *child = OVsepnode_new(top);
    OVnode *grandchild = OVsepnode_new(child);
    EXPECT_FALSE(OVnode_addchild(grandchild, top));
    EXPECT_FALSE(OVnode_addchild(top, top));
    EXPECT_FALSE(OVnode_addchild(top, root));
    OVnode *extra = OVgroupnode_new(nullptr);
    EXPECT_FALSE(OVnode_insertchild(top, extra, 2));
    EXPECT_TRUE(OVnode_insertchild(top, extra, 1));
    EXPECT_EQ(OVnode_getchild(top, 1), extra);
    OVnode *first = OVgroupnode_new(nullptr);
    EXPECT_TRUE(OVnode_insertchild(top, first, 0));
    EXPECT_EQ(OVnode_getchild(top, 0), first);
    EXPECT_EQ(OVnode_numchildren(top), 3);
}

TEST_F(Nodes, SwitchValues) {
    OVnode *s = OVswitchnode_new(root);
    EXPECT_EQ(OVswitchnode_getwhichchild(s), -1);
    EXPECT_FALSE(OVswitchnode_setwhichchild(s, -2));
    EXPECT_TRUE(OVswitchnode_setwhichchild(s, -3));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), -3);
    EXPECT_FALSE(OVswitchnode_setwhichchild(s, -4));
    EXPECT_TRUE(OVswitchnode_setwhichchild(s, 5)); // no such child: shows nothing
    EXPECT_TRUE(OVswitchnode_setwhichchild(s, -1));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), -1);
    OVnode *m = OVmovswitchnode_new(root);
    EXPECT_EQ(OVnode_gettype(m), OVNODE_MSWITCH);
    EXPECT_TRUE(OVswitchnode_setwhichchild(m, -3));
    EXPECT_EQ(OVswitchnode_getwhichchild(m), -3);
    EXPECT_EQ(OVswitchnode_getwhichchild(OVsepnode_new(root)), -2);
}

TEST_F(Nodes, NamesFindTheOlderOfTwo) {
    OVnode *older = OVgroupnode_new(root), *newer = OVgroupnode_new(root);
    OVnode_setname(older, "x");
    OVnode_setname(newer, "x");
    // Counting from the most recently named.
    EXPECT_EQ(OVuniverse_findnodebyname("x", 0), newer);
    EXPECT_EQ(OVuniverse_findnodebyname("x", 1), older);
    EXPECT_EQ(OVuniverse_findnodebyname("x", 2), nullptr);
    EXPECT_EQ(OVuniverse_findnode("x", 1), newer);
    // Renaming the newer one leaves the older one found first.
    OVnode_setname(newer, "y");
    EXPECT_EQ(OVuniverse_findnodebyname("x", 0), older);
    EXPECT_EQ(OVuniverse_findnode("x", 1), older);
    OVnode *abc = OVgroupnode_new(root), *cba = OVgroupnode_new(root);
    OVnode_setname(abc, "abc");
    OVnode_setname(cba, "cba");
    EXPECT_EQ(OVuniverse_findnode("abc", 3), abc);
    EXPECT_EQ(OVuniverse_findnode("cba", 3), cba);
    // Same bucket: a short length matches the newest entry that agrees.
    EXPECT_EQ(OVuniverse_findnode("abc", 0), cba);
    OVnode *abd = OVgroupnode_new(root);
    OVnode_setname(abd, "abd"); // 3 + 'a' + 'b' + 'd': another bucket
    EXPECT_EQ(OVuniverse_findnode("abd", 2), abd);
    EXPECT_EQ(OVuniverse_findnode("abc", 2), abc); // only the bucket of "abc"
    OVnode_setname(abc, nullptr);
    EXPECT_EQ(OVuniverse_findnode("abc", 3), nullptr);
}

TEST_F(Nodes, MovableNodesStandForTheirContent) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVnode *m = OVmovgeometrynode_new(root, g);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(OVnode_gettype(m), OVNODE_MGEOMETRY);
    EXPECT_EQ(OVnode_getgeometry(m), g);
    EXPECT_EQ(OVmovgeometrynode_new(root, g), nullptr); // one node per geometry
    // A refused parent leaves the caller's geometry whole and free to use.
    OVgeometry *other = OVgeometry_newblock(2, 2, 2, 0);
    EXPECT_EQ(OVmovgeometrynode_new(OVxformnode_new(root), other), nullptr);
    OVnode *later = OVgeometrynode_new(root, other);
    ASSERT_NE(later, nullptr);
    EXPECT_NEAR(OVnode_getradius(later), 1.7320508f, 1e-6);
    EXPECT_EQ(OVmovsepnode_new(OVxformnode_new(root)), nullptr);
    OVnode *sep = OVmovsepnode_new(root);
    EXPECT_EQ(OVnode_gettype(sep), OVNODE_MSEPARATOR);
    OVnode *inside = OVgroupnode_new(sep);
    EXPECT_EQ(OVnode_numchildren(sep), 1);
    EXPECT_EQ(OVnode_getchild(sep, 0), inside);
    EXPECT_EQ(OVnode_getparent(inside, 0), sep);
    const OVp3 t = {1, 2, 3};
    EXPECT_TRUE(OVnode_settranslation(sep, t));
    OVp3 back;
    EXPECT_TRUE(OVnode_gettranslation(sep, back));
    EXPECT_FLOAT_EQ(back[2], 3);
    EXPECT_FALSE(OVnode_settranslation(inside, t)); // a group has no transform
}

int refuse(void *, const char *, double) {
    return 0;
}

TEST_F(Nodes, VetoOnTranslationKeepsTheOldValue) {
    OVnode *x = OVxformnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler_pre(x, "Translation", refuse));
    const OVp3 t = {5, 0, 0};
    EXPECT_FALSE(OVnode_settranslation(x, t));
    OVp3 back = {9, 9, 9};
    OVnode_gettranslation(x, back);
    EXPECT_FLOAT_EQ(back[0], 0);
}

TEST_F(Nodes, PrintShowsDepthTypeAndName) {
    OVnode *group = OVgroupnode_new(root);
    OVnode *box = OVgeometrynode_new(group, OVgeometry_newblock(1, 1, 1, 0));
    OVnode_setname(box, "box");
    printed.clear();
    OVmessage_sethook(capture);
    OVnode_print(root);
    OVmessage_sethook(nullptr);
    EXPECT_EQ(printed, "Depth 0 Root       \"None\"\n"
                       "  Depth 1 Group      \"None\"\n"
                       "    Depth 2 Geometry   \"box\"\n");
}

TEST_F(Nodes, DeletingASharedNodeRemovesItFromBothParents) {
    OVnode *a = OVsepnode_new(root), *b = OVsepnode_new(root);
    OVnode *shared = OVgroupnode_new(a);
    OVnode_addchild(b, shared);
    OVgroupnode_new(shared);
    OVnode_delete(shared);
    EXPECT_EQ(OVnode_numchildren(a), 0);
    EXPECT_EQ(OVnode_numchildren(b), 0);
    OVnode *again = OVgroupnode_new(a);
    OVnode_addchild(b, again);
    EXPECT_TRUE(OVnode_deletechild(a, 0)); // only the edge goes
    EXPECT_EQ(OVnode_getchild(b, 0), again);
    EXPECT_EQ(OVnode_numparents(again), 1);
    OVnode_delete(root); // roots are refused
    EXPECT_EQ(OVuniverse_getrootnodes(), root);
}

TEST_F(Nodes, DeletingATreeKeepsItsSharedGrandchildren) {
    OVnode *a = OVsepnode_new(root), *d = OVsepnode_new(root);
    OVnode *b = OVsepnode_new(a);
    OVnode *c = OVgeometrynode_new(b, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVnode_addchild(d, c));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(a, mid)); // the links are no longer marked
    OVnode_delete(a);
    EXPECT_EQ(OVnode_numchildren(root), 1);
    EXPECT_EQ(OVnode_numparents(c), 1);
    EXPECT_EQ(OVnode_getparent(c, 0), d);
    EXPECT_FLOAT_EQ(OVnode_getradius(d), OVnode_getradius(c));
}

TEST_F(Nodes, DeepChainsNeedNoCallStack) {
    OVnode *n = OVsepnode_new(root);
    for (int i = 0; i < 20000; ++i)
        n = OVsepnode_new(n);
    OVnode_delete(OVnode_getchild(root, 0));
    EXPECT_EQ(OVnode_numchildren(root), 0);
}

TEST_F(Nodes, AFurtherParentPast255IsRefused) {
    OVnode *shared = OVgroupnode_new(nullptr);
    for (int i = 0; i < 255; ++i)
        ASSERT_TRUE(OVnode_addchild(OVsepnode_new(root), shared));
    EXPECT_EQ(OVnode_numparents(shared), 255);
    OVnode *one_more = OVsepnode_new(root);
    EXPECT_FALSE(OVnode_addchild(one_more, shared));
    EXPECT_EQ(OVnode_numchildren(one_more), 0);
    EXPECT_EQ(OVnode_numparents(shared), 255);
}

TEST_F(Nodes, DeletingAWideSceneFreesEveryGeometryTableAndName) {
    OVmtable *const tables_before = OVuniverse_getfirstmtable();
    OVnode *keep = OVsepnode_new(root);
    OVnode *top = OVsepnode_new(root);
    OVnode *shared = nullptr;
    for (int s = 0; s < 200; ++s) {
        OVnode *separator = OVsepnode_new(top);
        for (int k = 0; k < 10; ++k) {
            OVnode *n = OVgeometrynode_new(separator, OVgeometry_newblock(1, 1, 1, 0));
            OVnode_setname(n, ("g" + std::to_string(s * 10 + k)).c_str());
            if (s == 100 && k == 5) shared = n;
        }
    }
    ASSERT_TRUE(OVnode_addchild(keep, shared));
    OVnode_delete(top);
    EXPECT_EQ(OVnode_numchildren(root), 1);
    for (int i = 0; i < 2000; ++i) {
        const std::string name = "g" + std::to_string(i);
        if (i == 1005) continue;
        ASSERT_EQ(OVuniverse_findnodebyname(name.c_str(), 0), nullptr) << name;
    }
    // The node kept by a second parent keeps its geometry and that its table.
    EXPECT_EQ(OVuniverse_findnodebyname("g1005", 0), shared);
    OVgeometry *g = OVnode_getgeometry(shared);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(OVgeometry_numpolys(g), 6);
    OVmtable *table = OVgeometry_getmtable(g);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(OVuniverse_getfirstmtable(), table);
    EXPECT_EQ(OVmtable_getnext(table), tables_before);
    OVnode_delete(shared);
    EXPECT_EQ(OVuniverse_getfirstmtable(), tables_before);
}

} // namespace

namespace {

TEST_F(Nodes, DeletingAGeometryDeletesItsNode) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVnode *n = OVgeometrynode_new(root, g);
    ASSERT_NE(n, nullptr);
    OVnode_setname(n, "held");
    OVnode *group = OVgroupnode_new(root);
    ASSERT_TRUE(OVnode_addchild(group, n)); // a second parent
    EXPECT_EQ(OVgeometry_delete(g), 0);
    EXPECT_EQ(OVuniverse_findnode("held", 4), nullptr);
    ASSERT_EQ(OVnode_numchildren(root), 1); // only the group is left
    EXPECT_EQ(OVnode_getchild(root, 0), group);
    EXPECT_EQ(OVnode_numchildren(group), 0);
    EXPECT_EQ(OVnode_numpolys(root), 0);

    // Inside a movable node, the movable stays with nothing below it.
    OVgeometry *moved = OVgeometry_newblock(1, 1, 1, 0);
    OVnode *m = OVmovgeometrynode_new(root, moved);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(OVnode_numpolys(root), 6);
    EXPECT_EQ(OVgeometry_delete(moved), 0);
    EXPECT_EQ(OVnode_getgeometry(m), nullptr);
    EXPECT_EQ(OVnode_numpolys(root), 0);
}

} // namespace
