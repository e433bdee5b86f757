// A node of no known type met while updating bounds is a fatal error.
#include "orv/orv.h"
#include "scene/node_record.h"

#include <gtest/gtest.h>

namespace {

void bounds_of_corrupt_child() {
    OVuniverse_new(512, 0);
    OVnode *sep = OVsepnode_new(OVuniverse_getrootnodes());
    OVgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
    OVnode *odd = OVgroupnode_new(sep);
    odd->header.type = 24;
    OVnode_getradius(sep);
}

TEST(BoundsDeathTest, UnknownNodeTypeIsFatal) {
    EXPECT_EXIT(bounds_of_corrupt_child(), testing::ExitedWithCode(255),
                "ORV-ERROR: Node type \\(24\\) not updated\n");
}

} // namespace
