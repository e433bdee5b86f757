// A node of no known type stops the collection with the fatal error.
#include "scene/node_record.h"
#include "traversal_fixture.h"

namespace {

void collect_corrupt_node() {
    OVuniverse_new(512, 0);
    OVnode *odd = OVgroupnode_new(OVuniverse_getrootnodes());
    odd->header.type = 23;
    auto *state = static_cast<orv::scene::TraversalState *>(_OVnode_newstate());
    orv::scene::collect(OVuniverse_getrootnodes(), state);
}

TEST(TraversalDeathTest, UnknownNodeTypeIsFatal) {
    EXPECT_EXIT(collect_corrupt_node(), testing::ExitedWithCode(255),
                "ORV-ERROR: Unknown node type 23\n");
}

} // namespace
