// Printing the graph and deleting shared nodes.
#include "orv/orv_internal.h"
#include "traversal_fixture.h"

namespace travtest {
namespace {

// Every text the message hook saw, one entry per call.
std::vector<std::string> &printed() {
    static std::vector<std::string> texts;
    return texts;
}

void print_captured(OVnode *node) {
    printed().clear();
    OVmessage_sethook([](const char *t) {
        printed().emplace_back(t);
        return 0;
    });
    OVnode_print(node);
    OVmessage_sethook(nullptr);
}

TEST_F(Traversal, PrintShowsDepthTypeAndNameOneMessagePerLine) {
    OVnode *top = OVrootnode_new();
    OVnode *group = OVgroupnode_new(top);
    OVnode *box = OVgeometrynode_new(group, OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_TRUE(OVnode_setname(box, "box"));
    print_captured(top);
    EXPECT_EQ(printed(), (std::vector<std::string>{"Depth 0 Root       \"None\"\n",
                                                   "  Depth 1 Group      \"None\"\n",
                                                   "    Depth 2 Geometry   \"box\"\n"}));
}

TEST_F(Traversal, PrintingADeepChainGivesOneLinePerNode) {
    OVnode *top = OVsepnode_new(root);
    OVnode *n = top;
    const int depth = 300;
    for (int i = 0; i < depth; ++i)
        n = OVsepnode_new(n);
    print_captured(top);
    ASSERT_EQ(printed().size(), static_cast<std::size_t>(depth + 1));
    EXPECT_EQ(printed()[200], std::string(400, ' ') + "Depth 200 Separator  \"None\"\n");
    // Too deep for one message: the indentation gives way to the text.
    const std::string last = "Depth 300 Separator  \"None\"\n";
    EXPECT_EQ(printed().back(), std::string(OVMESSAGE_MAXTEXT - last.size(), ' ') + last);
}

TEST_F(Traversal, DeletingANodeWithTwoParentsRemovesItFromBoth) {
    OVnode *a = OVsepnode_new(root), *b = OVsepnode_new(root);
    OVnode *shared = OVgroupnode_new(a);
    OVnode *leaf = OVgeometrynode_new(shared, OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_TRUE(OVnode_setname(leaf, "leaf"));
    ASSERT_TRUE(OVnode_addchild(b, shared));
    OVnode_delete(shared);
    EXPECT_EQ(OVnode_numchildren(a), 0);
    EXPECT_EQ(OVnode_numchildren(b), 0);
    EXPECT_EQ(OVuniverse_findnode("leaf", 4), nullptr); // its child went with it
    collect();
    EXPECT_TRUE(opaque().empty());
    // Roots stay.
    OVnode_delete(root);
    EXPECT_EQ(OVuniverse_getrootnodes(), root);
    EXPECT_EQ(OVnode_numchildren(root), 2);
}

TEST_F(Traversal, DeletechildOfASharedChildOnlyRemovesTheEdge) {
    OVnode *a = OVsepnode_new(root), *b = OVsepnode_new(root);
    OVnode *shared = OVgeometrynode_new(a, OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_TRUE(OVnode_addchild(b, shared));
    ASSERT_TRUE(OVnode_deletechild(a, 0));
    EXPECT_EQ(OVnode_numchildren(a), 0);
    EXPECT_EQ(OVnode_numparents(shared), 1);
    EXPECT_EQ(OVnode_getchild(b, 0), shared);
    ASSERT_NE(OVnode_getgeometry(shared), nullptr);
    // The last edge deletes the node.
    ASSERT_TRUE(OVnode_deletechild(b, 0));
    EXPECT_EQ(OVnode_numchildren(b), 0);
    EXPECT_FALSE(OVnode_deletechild(b, 0));
}

TEST_F(Traversal, DeletingALightNodeKeepingItsRecordKeepsTheSlot) {
    OVnode *kept = OVlightnode_newdirected(root);
    _OVnode_delete(kept);
    EXPECT_EQ(OVnode_numchildren(root), 0);
    int made = 0;
    while (OVlightnode_newdirected(root))
        ++made;
    EXPECT_EQ(made, 7); // the record still holds its slot
    OVnode_vacuum();
    made = 0;
    while (OVlightnode_newdirected(root))
        ++made;
    EXPECT_EQ(made, 7); // the seven nodes took their records along
}

TEST_F(Traversal, VacuumEmptiesRootsAndTheHoldingRoot) {
    OVnode *other = OVrootnode_new();
    OVsepnode_new(root);
    OVgroupnode_new(other);
    OVnode *loose = OVgroupnode_new(nullptr);
    ASSERT_TRUE(OVnode_setname(loose, "loose"));
    OVnode_vacuum();
    EXPECT_EQ(OVnode_numchildren(root), 0);
    EXPECT_EQ(OVnode_numchildren(other), 0);
    EXPECT_EQ(OVuniverse_findnode("loose", 5), nullptr);
    EXPECT_EQ(OVrootnode_next(root), other);
}

} // namespace
} // namespace travtest

namespace travtest {
namespace {

TEST_F(Traversal, NumpolysCountsEveryEnabledAppearance) {
    EXPECT_EQ(OVnode_numpolys(nullptr), 0);
    OVnode *a = OVsepnode_new(root), *b = OVsepnode_new(root);
    OVnode *shared = OVgeometrynode_new(a, OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_TRUE(OVnode_addchild(b, shared));
    OVlightnode_newpoint(a);
    OVglnode_new(
        b, [](OVnode *) {}, 0);
    EXPECT_EQ(OVnode_numpolys(shared), 6);
    EXPECT_EQ(OVnode_numpolys(a), 6);
    EXPECT_EQ(OVnode_numpolys(root), 12);
    ASSERT_TRUE(OVnode_enable(b, 0));
    EXPECT_EQ(OVnode_numpolys(root), 6);
    EXPECT_EQ(OVnode_numpolys(b), 0);
}

} // namespace
} // namespace travtest

namespace travtest {
namespace {

// Deleting a child changes what its separator holds: the cached bounds and
// the culling that uses them must follow.
TEST_F(Traversal, DeletingAChildRefreshesTheBoundsAbove) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *other = OVsepnode_new(root);
    block_at(sep, 0, 0, -10);
    OVnode *far_part = block_at(sep, 0, 0, -10); // at z = -20 in all
    ASSERT_TRUE(OVnode_addchild(other, far_part));
    const float before = OVnode_getradius(sep);
    ASSERT_TRUE(OVnode_deletechild(sep, 3)); // the shared one: only the edge goes
    EXPECT_LT(OVnode_getradius(sep), before);
    ASSERT_TRUE(OVnode_deletechild(sep, 2)); // the second Xform node
    ASSERT_TRUE(OVnode_deletechild(sep, 1)); // the last block: deleted
    EXPECT_LT(OVnode_getradius(sep), 0);
}

} // namespace
} // namespace travtest

namespace travtest {
namespace {

TEST_F(Traversal, ASharedChildKeepsItsHandlersWhenOneEdgeIsDeleted) {
    OVnode *a = OVsepnode_new(root), *b = OVsepnode_new(root);
    OVnode *shared = OVgeometrynode_new(a, OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_TRUE(OVnode_addchild(b, shared));
    ASSERT_TRUE(OVproperty_addhandler_pre(shared, "Enabled",
                                          [](void *, const char *, double) { return 0; }));
    EXPECT_FALSE(OVnode_enable(shared, 0)); // vetoed
    ASSERT_TRUE(OVnode_deletechild(a, 0));
    EXPECT_FALSE(OVnode_enable(shared, 0)); // the veto still stands
    EXPECT_TRUE(OVnode_isenabled(shared));
}

} // namespace
} // namespace travtest
