// Deleting through movable nodes, what deletion takes along, the polygon
// count by node kind, and saving nodes that hold no geometry.
#include "orv/file.h"
#include "orv/light.h"
#include "orv/orv_internal.h"
#include "traversal_fixture.h"

#include <fstream>

namespace travtest {
namespace {

TEST_F(Traversal, DeletechildOfAMovableDeletesAContentChild) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *first = OVgroupnode_new(m);
    OVnode *second = OVgroupnode_new(m);
    ASSERT_TRUE(OVnode_setname(first, "first"));
    ASSERT_TRUE(OVnode_deletechild(m, 0));
    EXPECT_EQ(OVnode_numchildren(m), 1);
    EXPECT_EQ(OVnode_getchild(m, 0), second);
    EXPECT_EQ(OVuniverse_findnode("first", 5), nullptr);
    // The movable keeps its own transform.
    const OVp3 t = {1, 2, 3};
    EXPECT_TRUE(OVnode_settranslation(m, t));
    EXPECT_FALSE(OVnode_deletechild(m, 1));
}

TEST_F(Traversal, DeletingAMovableNodeTakesItsPartsAndAttachments) {
    OVnode *m = OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    OVnode *tag = OVgroupnode_new(nullptr);
    ASSERT_TRUE(OVnode_setname(tag, "tag"));
    ASSERT_TRUE(OVmovnode_attach(m, tag, -1));
    OVnode *kept = OVgroupnode_new(nullptr);
    ASSERT_TRUE(OVnode_setname(kept, "kept"));
    OVnode *elsewhere = OVsepnode_new(root);
    ASSERT_TRUE(OVnode_addchild(elsewhere, kept));
    ASSERT_TRUE(OVmovnode_attach(m, kept, -1));
    ASSERT_TRUE(OVnode_delete(m));
    EXPECT_EQ(OVnode_numchildren(root), 1);
    EXPECT_EQ(OVuniverse_findnode("tag", 3), nullptr);
    // An attachment with another parent stays there.
    EXPECT_EQ(OVuniverse_findnode("kept", 4), kept);
    EXPECT_EQ(OVnode_numparents(kept), 1);
    EXPECT_EQ(OVnode_getparent(kept, 0), elsewhere);
    collect();
    EXPECT_TRUE(opaque().empty());
}

TEST_F(Traversal, DeletingLightsFreesEverySlotTheyHeld) {
    OVnode *sep = OVsepnode_new(root);
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(OVlightnode_newpoint(sep), nullptr);
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(OVmovlightnode_newspot(root), nullptr);
    EXPECT_EQ(OVlightnode_newdirected(root), nullptr);
    ASSERT_TRUE(OVnode_delete(sep));
    ASSERT_TRUE(OVnode_deletechild(root, 0)); // the first movable light
    int made = 0;
    while (OVlightnode_newdirected(root))
        ++made;
    EXPECT_EQ(made, 5);
}

TEST_F(Traversal, PolygonCountByNodeKind) {
    OVnode *sw = OVswitchnode_new(root);
    OVgeometrynode_new(sw, OVgeometry_newblock(1, 1, 1, 0));
    OVgeometrynode_new(sw, OVgeometry_newblock(1, 1, 1, 0));
    // Every child counts, whatever the switch shows.
    EXPECT_EQ(OVnode_numpolys(sw), 12);
    OVnode *m = OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    EXPECT_EQ(OVnode_numpolys(m), 6);
    OVnode *off = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_TRUE(OVnode_enable(off, 0));
    EXPECT_EQ(OVnode_numpolys(off), 0);
    EXPECT_EQ(OVnode_numpolys(OVlightnode_newpoint(root)), 0);
    EXPECT_EQ(OVnode_numpolys(OVxformnode_new(root)), 0);
    EXPECT_EQ(OVnode_numpolys(root), 18);
}

TEST_F(Traversal, SavingANodeWithoutGeometryFails) {
    const std::string path = std::string(::testing::TempDir()) + "/never_saved.nff";
    EXPECT_FALSE(OVnode_save(OVsepnode_new(root), path.c_str(), nullptr, 1, 0));
    EXPECT_FALSE(OVnode_save(OVlightnode_newpoint(root), path.c_str(), nullptr, 1, 0));
    EXPECT_FALSE(OVnode_save(nullptr, path.c_str(), nullptr, 1, 0));
    EXPECT_FALSE(std::ifstream(path).good());
}

} // namespace
} // namespace travtest

namespace travtest {
namespace {

// When drawing, every grouping kind but the two separator kinds passes the
// transforms inside it on to the siblings that follow.
TEST_F(Traversal, DrawnTransformsPassThroughAllButSeparators) {
    struct Case {
        OVnode *(*make)(OVnode *);
        float expected_z;
    };
    const Case cases[] = {{OVgroupnode_new, -20},  {OVanchornode_new, -20},
                          {OVinlinenode_new, -20}, {OVlodnode_new, -20},
                          {OVsepnode_new, -10},    {OVxformsepnode_new, -10}};
    for (const Case &c : cases) {
        OVnode *top = OVrootnode_new();
        OVnode *x = OVxformnode_new(top);
        const OVp3 back = {0, 0, -10};
        OVnode_settranslation(x, back);
        OVnode *inner = c.make(top);
        OVnode_settranslation(OVxformnode_new(inner), back);
        OVnode *after = OVgeometrynode_new(top, OVgeometry_newblock(1, 1, 1, 0));
        collect(top);
        std::vector<Item> o = opaque();
        ASSERT_EQ(o.size(), 1u) << OVnode_gettype(inner);
        EXPECT_EQ(o[0].item, after);
        ASSERT_GE(o[0].matrix, 1);
        EXPECT_FLOAT_EQ(state->saved[o[0].matrix - 1][3][2], c.expected_z) << OVnode_gettype(inner);
    }
}

} // namespace
} // namespace travtest

namespace travtest {
namespace {

TEST_F(Traversal, DisabledStateNodesAddNoEntries) {
    OVnode *fog = OVfognode_new(root);
    OVnode *ambient = OVlightnode_newambient(root);
    OVnode *gl = OVglnode_new(
        root, [](OVnode *) {}, 0);
    OVnode *shown = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    for (OVnode *n : {fog, ambient, gl})
        ASSERT_TRUE(OVnode_enable(n, 0));
    ASSERT_TRUE(OVnode_enable(shown, 0));
    collect();
    EXPECT_TRUE(opaque().empty());
    EXPECT_TRUE(transparent().empty());
    EXPECT_EQ(state->poly_count, 0);
}

} // namespace
} // namespace travtest
