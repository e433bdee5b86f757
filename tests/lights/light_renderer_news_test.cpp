// What the renderer learns of light changes: every change makes the light's
// slot compile again; position, direction and intensity also raise the
// lights-changed flag; refused changes tell nothing.
#include "light_fixture.h"

#include "scene/light_state.h"

namespace {

struct Slot {
    OVlight *light;
    int index;
};

Slot slot_of(OVnode *node) {
    OVlight *light = orv::light_of(node);
    return {light, light ? light->slot : -1};
}

// Marks the slot compiled and the flag down, as after a drawn frame.
void settle(const Slot &s) {
    orv::light_slots()[s.index].compiled = true;
    orv::clear_lights_changed();
}

bool compiled(const Slot &s) {
    return orv::light_slots()[s.index].compiled;
}

TEST_F(LightTest, MovesRaiseTheFlagAndEveryChangeRecompiles) {
    OVnode *spot = OVlightnode_newspot(parent);
    const Slot s = slot_of(spot);
    ASSERT_NE(s.light, nullptr);
    EXPECT_TRUE(orv::lights_changed()); // a new light counts as a change
    EXPECT_EQ(orv::light_slots()[s.index].light, s.light);

    OVp3 p = {1, 2, 3};
    OVp3 d = {0, 1, 0};
    const auto moved = [&](auto change) {
        settle(s);
        change();
        return std::make_pair(orv::lights_changed(), compiled(s));
    };
    EXPECT_EQ(moved([&] { OVlightnode_setposition(spot, p); }), std::make_pair(true, false));
    EXPECT_EQ(moved([&] { OVlightnode_setdirection(spot, d); }), std::make_pair(true, false));
    EXPECT_EQ(moved([&] { OVlightnode_setintensity(spot, 0.5f); }), std::make_pair(true, false));
    EXPECT_EQ(moved([&] { OVlightnode_setdiffuse(spot, 1, 0, 0); }), std::make_pair(false, false));
    EXPECT_EQ(moved([&] { OVlightnode_setambient(spot, 1, 0, 0); }), std::make_pair(false, false));
    EXPECT_EQ(moved([&] { OVlightnode_setspecular(spot, 1, 0, 0); }), std::make_pair(false, false));
    EXPECT_EQ(moved([&] { OVlightnode_setattenuation(spot, 2, 0, 0); }),
              std::make_pair(false, false));
    EXPECT_EQ(moved([&] { OVlightnode_setangle(spot, 0.2f); }), std::make_pair(false, false));
    EXPECT_EQ(moved([&] { OVlightnode_setexponent(spot, 2); }), std::make_pair(false, false));
    // Refused values change nothing and tell nothing.
    EXPECT_EQ(moved([&] { OVlightnode_setexponent(spot, 0.5f); }), std::make_pair(false, true));
    EXPECT_EQ(moved([&] { OVlightnode_setangle(spot, 2); }), std::make_pair(false, true));
    OVp3 zero = {0, 0, 0};
    EXPECT_EQ(moved([&] { OVlightnode_setdirection(spot, zero); }), std::make_pair(false, true));
}

TEST_F(LightTest, ADeletedLightEmptiesItsSlotAndRaisesTheFlag) {
    OVnode *point = OVlightnode_newpoint(parent);
    const Slot s = slot_of(point);
    ASSERT_NE(s.light, nullptr);
    settle(s);
    ASSERT_TRUE(OVnode_delete(point));
    EXPECT_EQ(orv::light_slots()[s.index].light, nullptr);
    EXPECT_TRUE(orv::lights_changed());
    // Ambient nodes have no slot and leave the flag alone.
    orv::clear_lights_changed();
    OVnode *ambient = OVlightnode_newambient(parent);
    EXPECT_EQ(orv::light_of(ambient), nullptr);
    ASSERT_TRUE(OVlightnode_setintensity(ambient, 0.7f));
    EXPECT_FALSE(orv::lights_changed());
}

} // namespace
