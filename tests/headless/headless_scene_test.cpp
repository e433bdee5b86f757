// The scene, its events and the simulation loop's timing on the headless
// backend: everything but pixels works as on a display.
#include "headless_fixture.h"

#include <vector>

namespace {

using headlesstest::clock_now;
using headlesstest::Headless;

std::vector<float> heard;
void hear_translation(void *, const char *, void *value, double) {
    heard.push_back(static_cast<float *>(value)[0]);
}

void step_clock() {
    clock_now += 50;
}

TEST_F(Headless, NodesEventsAndPassesRunWithoutADisplay) {
    OVuniverse_new(0, 0);
    OVnode *root = OVuniverse_getrootnodes();
    ASSERT_NE(root, nullptr);
    OVnode *group = OVgroupnode_new(root);
    OVnode *xform = OVxformnode_new(group);
    OVnode *block = OVgeometrynode_new(group, OVgeometry_newblock(1, 2, 3, 0));
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(OVnode_setname(block, "block"));
    EXPECT_EQ(OVuniverse_findnode("block", 5), block);
    EXPECT_EQ(OVnode_numchildren(group), 2);

    heard.clear();
    ASSERT_TRUE(OVproperty_addhandler(xform, "Translation", hear_translation));
    const OVp3 moved = {4, 0, 0};
    ASSERT_TRUE(OVnode_settranslation(xform, moved));
    OVuniverse_setactions(step_clock);
    ASSERT_TRUE(OVuniverse_ready());
    for (int i = 0; i < 4; ++i)
        OVuniverse_go1();
    EXPECT_EQ(heard, std::vector<float>{4});
    EXPECT_EQ(OVuniverse_framecount(), 4u);
    // The loop's time is the test clock's: four steps of 50 ms.
    EXPECT_NEAR(OVuniverse_time(), 0.2f, 0.051f);
    EXPECT_GT(OVnode_getradius(block), 0.0f);
}

} // namespace
