// Transform separators: transforms stay inside, lights and fog do not.
#include "traversal_fixture.h"

#include "orv/light.h"

namespace travtest {
namespace {

using namespace orv::scene;

TEST_F(Traversal, LightsAndFogInATransformSeparatorOutliveIt) {
    OVnode *xsep = OVxformsepnode_new(root);
    ASSERT_NE(OVlightnode_newpoint(xsep), nullptr); // slot 0
    OVnode *fog = OVfognode_new(xsep);
    ASSERT_NE(fog, nullptr);
    OVnode *after = block_at(root, 0, 0, -10);
    collect();
    const std::vector<Item> o = opaque();
    EXPECT_EQ(kinds(o), (std::vector<int>{ENTRY_LIGHTON, ENTRY_FOG, ENTRY_GEOMETRY}));
    EXPECT_EQ(o.back().item, after);
    EXPECT_EQ(o.back().matrix, 1); // the Xform after the scope, not one inside it
    EXPECT_EQ(kinds(transparent()), (std::vector<int>{ENTRY_LIGHTON, ENTRY_FOG}));
}

TEST_F(Traversal, TransformsInsideATransformSeparatorStayInside) {
    OVnode *xsep = OVxformsepnode_new(root);
    OVnode *inside = block_at(xsep, 0, 0, -10);
    OVnode *after = OVgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    state->view[3][2] = -20;
    collect();
    const std::vector<Item> o = opaque();
    ASSERT_EQ(o.size(), 2u);
    EXPECT_EQ(o[0], (Item{ENTRY_GEOMETRY, inside, 1}));
    EXPECT_EQ(o[1], (Item{ENTRY_GEOMETRY, after, 0})); // back at the view matrix
}

} // namespace
} // namespace travtest
