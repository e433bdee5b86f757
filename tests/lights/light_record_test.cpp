// The light-record constructor: direction and intensity checks with their
// messages, and the defaults of a fresh record.
#include "light_fixture.h"
#include "scene/light_record.h"

namespace {

TEST_F(LightTest, RecordsNeedADirectionAndSomeLight) {
    const OVp3 origin = {0, 0, 0};
    OVp3 zero = {0, 0, 0.001f};
    EXPECT_EQ(orv::light_create(0, 1, origin, zero), nullptr);
    EXPECT_EQ(g_messages, "Must pass in non-zero direction vector to create directed light.");
    g_messages.clear();
    EXPECT_EQ(orv::light_create(2, 1, origin, zero), nullptr);
    EXPECT_EQ(g_messages, "Must pass in non-zero direction vector to create spot light.");
    g_messages.clear();
    OVp3 down = {0, -4, 0};
    EXPECT_EQ(orv::light_create(0, 0.003f, origin, down), nullptr);
    EXPECT_TRUE(g_messages.empty()) << g_messages;
    // A point light needs no direction.
    OVlight *point = orv::light_create(1, 0.5f, origin, zero);
    ASSERT_NE(point, nullptr);
    EXPECT_FLOAT_EQ(point->intensity, 0.5f);
    OVlight *spot = orv::light_create(2, 3, origin, down);
    ASSERT_NE(spot, nullptr);
    EXPECT_P3_NEAR(down, 0, -1, 0); // normalised in the caller's array
    EXPECT_P3_NEAR(spot->direction, 0, -1, 0);
    EXPECT_FLOAT_EQ(spot->intensity, 1);
    EXPECT_NEAR(spot->angle, 0.3926991f, 1e-7);
    EXPECT_FLOAT_EQ(spot->exponent, 0);
    EXPECT_P3_NEAR(spot->specular, 1, 1, 1);
    EXPECT_P3_NEAR(spot->ambient, 0, 0, 0);
    EXPECT_P3_NEAR(spot->attenuation, 1, 0, 0);
    EXPECT_EQ(spot->id, point->id + 1);
    EXPECT_TRUE(g_messages.empty()) << g_messages;
    orv::light_destroy(point);
    orv::light_destroy(spot);
}

} // namespace
