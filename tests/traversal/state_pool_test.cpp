// Traversal states: the pool, resets and growth of the lists.
#include "traversal_fixture.h"

namespace travtest {
namespace {

using namespace orv::scene;

TEST_F(Traversal, ReleasedStatesAreReusedFreshlyReset) {
    auto *first = static_cast<TraversalState *>(_OVnode_getstate());
    OVnode *sep = OVsepnode_new(root);
    OVnode *g = block_at(sep, 0, 0, -10);
    ASSERT_TRUE(OVnode_boundingbox(g, 1));
    orv::scene::collect(root, first);
    ASSERT_EQ(first->opaque_count, 2);
    ASSERT_NE(first->temps, nullptr);
    _OVnode_releasestate(first);
    EXPECT_EQ(first->temps, nullptr); // its box went back to the pool
    auto *again = static_cast<TraversalState *>(_OVnode_getstate());
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->opaque_count, 0);
    EXPECT_EQ(again->saved_count, 0);
    auto *other = static_cast<TraversalState *>(_OVnode_getstate());
    EXPECT_NE(other, again);
    _OVnode_releasestate(other);
    _OVnode_releasestate(again);
}

TEST_F(Traversal, ListsGrowPastTheirFirstCapacity) {
    OVnode *xform = OVxformnode_new(root);
    const OVp3 t = {0, 0, -10};
    OVnode_settranslation(xform, t);
    std::vector<OVnode *> made;
    for (int i = 0; i < 300; ++i) {
        OVnode *sep = OVsepnode_new(root);
        made.push_back(block_at(sep, 0, 0.01f, 0));
        OVnode_boundingbox(made.back(), 1);
    }
    collect();
    ASSERT_EQ(state->opaque_count, 600);
    EXPECT_GE(state->opaque_capacity, 600);
    EXPECT_EQ(state->saved_count, 300); // the top level itself holds no entry
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(state->opaque[2 * i].item, made[i]);
        EXPECT_EQ(state->opaque[2 * i].matrix(), i + 1);
        EXPECT_EQ(state->opaque[2 * i + 1].kind(), ENTRY_BOUNDINGBOX);
    }
    EXPECT_EQ(state->entry_count, 600);
    EXPECT_EQ(state->poly_count, 1800);
}

TEST_F(Traversal, NewStatesStartWithTheirCapacitiesAndGrowBySixtyFour) {
    auto *fresh = static_cast<TraversalState *>(_OVnode_newstate());
    EXPECT_EQ(fresh->opaque_capacity, 256);
    EXPECT_EQ(fresh->transparent_capacity, 16);
    EXPECT_EQ(fresh->saved_capacity, 256);
    EXPECT_EQ(fresh->opaque_count, 0);
    EXPECT_EQ(fresh->transparent_count, 0);
    EXPECT_EQ(fresh->poly_count, 0);
    EXPECT_FLOAT_EQ(fresh->alpha, 1);
    _OVnode_deletestate(fresh);
    // 257 geometry entries need one step past the first opaque capacity.
    OVnode *x = OVxformnode_new(root);
    const OVp3 t = {0, 0, -10};
    OVnode_settranslation(x, t);
    for (int i = 0; i < 257; ++i)
        OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    collect();
    ASSERT_EQ(state->opaque_count, 257);
    EXPECT_EQ(state->opaque_capacity, 256 + 64);
}

} // namespace
} // namespace travtest
