// Deleting nodes that keep their records, loose nodes, whole-graph clean-up,
// and level-of-detail choices without ranges.
#include "traversal_fixture.h"

#include "orv/light.h"
#include "orv/message.h"
#include "scene/node_record.h"

namespace travtest {
namespace {

std::string printed;
int capture(const char *text) {
    printed += text;
    return 0;
}

TEST_F(Traversal, DeletingAGeometryNodeKeepingItsGeometryFreesItForANewNode) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVnode *node = OVgeometrynode_new(root, g);
    ASSERT_NE(node, nullptr);
    _OVnode_delete(node);
    EXPECT_EQ(OVnode_numchildren(root), 0);
    EXPECT_EQ(OVgeometry_numpolys(g), 6); // the geometry lives on
    OVnode *again = OVgeometrynode_new(root, g);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(OVnode_getgeometry(again), g);
    // Other kinds are not touched.
    OVnode *sep = OVsepnode_new(root);
    _OVnode_delete(sep);
    EXPECT_EQ(OVnode_numchildren(root), 2);
    _OVnode_delete(nullptr);
}

TEST_F(Traversal, ALooseNodeIsDeletedWithItsName) {
    OVnode *loose = OVgroupnode_new(nullptr);
    OVnode_setname(loose, "loose");
    OVnode *kid = OVgroupnode_new(loose);
    OVnode_setname(kid, "kid");
    ASSERT_TRUE(OVnode_delete(loose));
    EXPECT_EQ(OVuniverse_findnode("loose", 5), nullptr);
    EXPECT_EQ(OVuniverse_findnode("kid", 3), nullptr);
}

TEST_F(Traversal, DeleteallWithoutAllKeepsTheRoots) {
    OVnode *second = OVrootnode_new();
    OVnode_setname(second, "second");
    OVsepnode_new(root);
    OVgroupnode_new(second);
    OVnode *loose = OVgroupnode_new(nullptr);
    OVnode_setname(loose, "loose");
    _OVnode_deleteall(0);
    EXPECT_EQ(OVuniverse_getrootnodes(), root);
    EXPECT_EQ(OVrootnode_next(root), second);
    EXPECT_EQ(OVnode_numchildren(root), 0);
    EXPECT_EQ(OVnode_numchildren(second), 0);
    EXPECT_EQ(OVuniverse_findnode("loose", 5), nullptr);
    EXPECT_EQ(OVuniverse_findnode("second", 6), second);
    // The graph takes new nodes afterwards.
    EXPECT_NE(OVsepnode_new(root), nullptr);
}

TEST_F(Traversal, DeleteallWithAllFreesTheRootsToo) {
    OVnode_setname(root, "first");
    OVnode *second = OVrootnode_new();
    OVnode_setname(second, "second");
    OVsepnode_new(second);
    _OVnode_deleteall(1);
    EXPECT_EQ(OVuniverse_getrootnodes(), nullptr);
    EXPECT_EQ(OVuniverse_findnode("first", 5), nullptr);
    EXPECT_EQ(OVuniverse_findnode("second", 6), nullptr);
    // A new root starts a new list; the universe's teardown after this is safe.
    OVnode *fresh = OVrootnode_new();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(OVuniverse_getrootnodes(), fresh);
    EXPECT_EQ(OVrootnode_next(fresh), nullptr);
    _OVnode_deleteall(1);
    _OVnode_deleteall(1);
    EXPECT_EQ(OVuniverse_getrootnodes(), nullptr);
}

TEST_F(Traversal, DeletingALightFromAFullSetLetsANewOneIn) {
    OVnode *lights[8];
    for (OVnode *&l : lights)
        ASSERT_NE(l = OVlightnode_newpoint(root), nullptr);
    ASSERT_TRUE(OVnode_deletechild(root, 3));
    EXPECT_NE(OVlightnode_newspot(root), nullptr);
    EXPECT_EQ(OVlightnode_newspot(root), nullptr);
}

TEST_F(Traversal, ALevelOfDetailWithoutRangesShowsItsFirstChild) {
    OVnode *lod = OVlodnode_new(root);
    OVnode *near = OVgeometrynode_new(lod, OVgeometry_newblock(1, 1, 1, 0));
    OVgeometrynode_new(lod, OVgeometry_newblock(1, 1, 1, 0));
    OVm4 m = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, -50, 1}};
    EXPECT_EQ(orv::scene::lod_choice(lod, m), 0);
    const OVp3 t = {0, 0, -5};
    OVnode *x = OVxformnode_new(nullptr);
    OVnode_settranslation(x, t);
    ASSERT_TRUE(OVnode_insertchild(root, x, 0));
    collect();
    int geometries = 0;
    for (const Item &i : opaque())
        if (i.kind == 6) {
            ++geometries;
            EXPECT_EQ(i.item, near);
        }
    EXPECT_EQ(geometries, 1);
}

TEST_F(Traversal, PrintingNothingPrintsNothing) {
    printed.clear();
    OVmessage_sethook(capture);
    OVnode_print(nullptr);
    OVmessage_sethook(nullptr);
    EXPECT_EQ(printed, "");
}

TEST_F(Traversal, PrintingALightsMovableShowsItsAttachments) {
    OVnode *m = OVmovlightnode_newdirected(root);
    OVnode_setname(m, "sun");
    OVnode *tag = OVgroupnode_new(nullptr);
    OVnode_setname(tag, "tag");
    ASSERT_TRUE(OVmovnode_attach(m, tag, -1));
    printed.clear();
    OVmessage_sethook(capture);
    OVnode_print(m);
    OVmessage_sethook(nullptr);
    EXPECT_EQ(printed, "Depth 0 MLight     \"sun\"\n"
                       "  Depth 1 Group      \"tag\"\n");
}

} // namespace
} // namespace travtest
