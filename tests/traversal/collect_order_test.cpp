// Order of the collected entries: outlines of grouping nodes, culled
// geometries, untouched Xform nodes and lights leaving a separator.
#include "traversal_fixture.h"

extern "C" void _OVnode_draw(OVnode *root, void *state);

namespace travtest {
namespace {

using namespace orv::scene;

TEST_F(Traversal, GroupingNodesOutlineTheirBoundsBeforeTheirChildren) {
    state->view[3][2] = -10;
    OVnode *group = OVgroupnode_new(root);
    OVnode *in_group = OVgeometrynode_new(group, OVgeometry_newblock(1, 1, 1, 0));
    OVnode *scope = OVxformsepnode_new(root);
    OVnode *in_scope = OVgeometrynode_new(scope, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVnode_boundingbox(group, 1));
    ASSERT_TRUE(OVnode_boundingbox(scope, 1));
    collect();
    std::vector<Item> o = opaque();
    ASSERT_EQ(kinds(o), (std::vector<int>{ENTRY_BOUNDINGBOX, ENTRY_GEOMETRY, ENTRY_BOUNDINGBOX,
                                          ENTRY_GEOMETRY}));
    EXPECT_EQ(o[1].item, in_group);
    EXPECT_EQ(o[3].item, in_scope);
    EXPECT_FLOAT_EQ(static_cast<const BoxRecord *>(o[0].item)->extents[0], 0.5f);
    EXPECT_FLOAT_EQ(static_cast<const BoxRecord *>(o[2].item)->extents[0], 1.0f);
    EXPECT_TRUE(transparent().empty());
}

TEST_F(Traversal, CulledGeometryAddsNeitherEntriesNorPolygonsNorASavedMatrix) {
    OVnode *ahead = block_at(root, 0, 0, -10);
    block_at(root, 0, 0, 20); // 10 units behind the eye
    collect();
    EXPECT_EQ(opaque(), (std::vector<Item>{{ENTRY_GEOMETRY, ahead, 1}}));
    EXPECT_EQ(state->poly_count, 6);
    EXPECT_EQ(state->saved_count, 1);
    EXPECT_EQ(state->entry_count, 1);
}

TEST_F(Traversal, AnUntouchedXformNodeOpensNoMatrixLevel) {
    state->view[3][2] = -10;
    OVxformnode_new(root);
    OVnode *g = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    collect();
    EXPECT_EQ(opaque(), (std::vector<Item>{{ENTRY_GEOMETRY, g, 0}}));
    EXPECT_EQ(state->saved_count, 0);
}

TEST_F(Traversal, LightsLeavingASeparatorAreSwitchedOffInSlotOrder) {
    OVnode *first = OVlightnode_newpoint(nullptr);  // slot 0
    OVnode *second = OVlightnode_newpoint(nullptr); // slot 1
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVnode_addchild(sep, second));
    ASSERT_TRUE(OVnode_addchild(sep, first));
    collect();
    const std::vector<Item> expected = {{ENTRY_LIGHTON, slot_item(1), 0},
                                        {ENTRY_LIGHTON, slot_item(0), 0},
                                        {ENTRY_LIGHTOFF, slot_item(0), 0},
                                        {ENTRY_LIGHTOFF, slot_item(1), 0}};
    EXPECT_EQ(opaque(), expected);
    EXPECT_EQ(transparent(), expected);
    EXPECT_EQ(state->entry_count, 8);
}

TEST_F(Traversal, DrawingANodeThatIsNoRootCollectsNothing) {
    state->view[3][2] = -10;
    OVnode *group = OVgroupnode_new(root);
    OVgeometrynode_new(group, OVgeometry_newblock(1, 1, 1, 0));
    _OVnode_initstate(state);
    _OVnode_draw(group, state);
    _OVnode_draw(nullptr, state);
    EXPECT_EQ(state->opaque_count, 0);
    EXPECT_EQ(state->poly_count, 0);
    collect(group); // the walk itself starts at any node
    EXPECT_EQ(state->opaque_count, 1);
}

} // namespace
} // namespace travtest
