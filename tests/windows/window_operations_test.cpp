// Window operations: creation flags, lookups, view-angle limits, vetoed
// frusta, projected points and calls on windows the universe does not know.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Operations : ::testing::Test {
    OVwindow *window = nullptr;
    void SetUp() override {
        OVuniverse_new(512, 0);
        window = OVwindow_new(0, 0, 100, 100, 0);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { OVuniverse_delete(); }
};

int refuse(void *, const char *, double) {
    return 0;
}

TEST_F(Operations, CreationFlagsChooseTheProjectionAndOnlyTheFirstWindowHasAViewpoint) {
    EXPECT_EQ(OVwindow_getprojection(window), 1);
    EXPECT_EQ(OVwindow_getviewpoint(window), OVuniverse_getviewpoint());
    OVwindow *stereo = OVwindow_new(0, 0, 64, 64, 0x0004);
    ASSERT_NE(stereo, nullptr);
    EXPECT_EQ(OVwindow_getprojection(stereo), 2);
    EXPECT_EQ(OVwindow_getviewpoint(stereo), nullptr);
    OVwindow *no_buffers = OVwindow_new(0, 0, 64, 64, 0x0204);
    ASSERT_NE(no_buffers, nullptr);
    EXPECT_EQ(OVwindow_getprojection(no_buffers), 2);
    OVwindow *colour = OVwindow_new(0, 0, 64, 64, 0x0100);
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(OVwindow_getprojection(colour), 1);
    EXPECT_EQ(OVwindow_getenabled(colour), 1);
    EXPECT_EQ(OVwindow_geteye(colour), 0);
    EXPECT_EQ(OVwindow_getname(colour), nullptr);
    EXPECT_EQ(OVwindow_newuser(0, 0), nullptr);
}

TEST_F(Operations, FindWindowComparesTheFirstLengthCharactersOfNamedWindows) {
    OVwindow *second = OVwindow_new(0, 0, 64, 64, 0);
    OVwindow *third = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(third, nullptr);
    OVwindow_setname(second, "alpha");
    OVwindow_setname(third, "alpine");
    EXPECT_EQ(OVuniverse_findwindow("alpx", 3), second);
    EXPECT_EQ(OVuniverse_findwindow("alpine", 4), third);
    EXPECT_EQ(OVuniverse_findwindow("beta", 4), nullptr);
    EXPECT_EQ(OVuniverse_findwindow(nullptr, 4), nullptr);
    EXPECT_STREQ(OVwindow_getname(third), "alpine");
}

TEST_F(Operations, ViewAngleOnlyWithinItsLimits) {
    EXPECT_TRUE(OVwindow_setviewangle(window, 0.004f));
    EXPECT_NEAR(OVwindow_getviewangle(window), 0.004f, 1e-6f);
    EXPECT_TRUE(OVwindow_setviewangle(window, 1.5667964f));
    EXPECT_NEAR(OVwindow_getviewangle(window), 1.5667964f, 1e-5f);
    EXPECT_FALSE(OVwindow_setviewangle(window, 0.0039f));
    EXPECT_FALSE(OVwindow_setviewangle(window, 1.5668f));
    EXPECT_NEAR(OVwindow_getviewangle(window), 1.5667964f, 1e-5f);
    EXPECT_FALSE(OVwindow_seteye(window, 2));
    EXPECT_FALSE(OVwindow_seteye(window, -1));
    EXPECT_TRUE(OVwindow_seteye(window, 1));
    EXPECT_EQ(OVwindow_geteye(window), 1);
}

TEST_F(Operations, AFrustumVetoedByAnyOfItsPropertiesStaysAsItWas) {
    float before[6], after[6];
    ASSERT_TRUE(OVwindow_getfrustum(window, 0, &before[0], &before[1], &before[2], &before[3],
                                    &before[4], &before[5]));
    for (const char *property : {"FrustumTL", "FrustumBR", "Hither Clipping", "Yon Clipping"}) {
        ASSERT_TRUE(OVproperty_addhandler_pre(window, property, refuse));
        EXPECT_FALSE(OVwindow_setfrustum(window, 0, -1, 1, -1, 1, 2, 9)) << property;
        ASSERT_TRUE(OVwindow_getfrustum(window, 0, &after[0], &after[1], &after[2], &after[3],
                                        &after[4], &after[5]));
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(after[i], before[i]) << property << " value " << i;
        ASSERT_TRUE(OVproperty_removehandler_pre(window, property, refuse));
    }
    EXPECT_TRUE(OVwindow_setfrustum(window, 0, -1, 1, -1, 1, 2, 9));
    ASSERT_TRUE(OVwindow_getfrustum(window, 0, &after[0], &after[1], &after[2], &after[3],
                                    &after[4], &after[5]));
    EXPECT_EQ(after[4], 2);
    EXPECT_EQ(after[5], 9);
}

TEST_F(Operations, ProjectedPointsInFrontBehindAndBeyondTheFarPlane) {
    OVviewpoint *v = OVwindow_getviewpoint(window);
    ASSERT_NE(v, nullptr);
    OVp3 at, dir, ahead, behind, far_away;
    OVviewpoint_getposition(v, at);
    OVviewpoint_getdirection(v, dir);
    for (int i = 0; i < 3; ++i) {
        ahead[i] = at[i] + 10 * dir[i];
        behind[i] = at[i] - 10 * dir[i];
        far_away[i] = at[i] + 1e6f * dir[i];
    }
    OVp2 pixel = {-1, -1};
    EXPECT_TRUE(OVwindow_projectpoint(window, 0, ahead, pixel));
    EXPECT_NEAR(pixel[0], 50, 0.5f);
    EXPECT_NEAR(pixel[1], 50, 0.5f);
    pixel[0] = pixel[1] = -1;
    EXPECT_FALSE(OVwindow_projectpoint(window, 0, behind, pixel));
    // Beyond the far plane: refused, but the pixel is given all the same.
    pixel[0] = pixel[1] = -1;
    EXPECT_FALSE(OVwindow_projectpoint(window, 0, far_away, pixel));
    EXPECT_NEAR(pixel[0], 50, 0.5f);
    EXPECT_NEAR(pixel[1], 50, 0.5f);
    // No window or no viewpoint: (0, 0).
    pixel[0] = pixel[1] = -1;
    EXPECT_FALSE(OVwindow_projectpoint(nullptr, 0, ahead, pixel));
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 0);
    OVwindow_setviewpoint(window, nullptr);
    pixel[0] = pixel[1] = -1;
    EXPECT_FALSE(OVwindow_projectpoint(window, 0, ahead, pixel));
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 0);
}

TEST_F(Operations, WindowsTheUniverseDoesNotKnowGetNeutralResults) {
    int not_a_window[64] = {};
    auto *stranger = reinterpret_cast<OVwindow *>(not_a_window);
    int x = -1;
    EXPECT_FALSE(OVwindow_getgeometry(stranger, &x, nullptr, nullptr, nullptr));
    EXPECT_EQ(x, -1);
    EXPECT_FALSE(OVwindow_getviewport(stranger, &x, nullptr, nullptr, nullptr));
    EXPECT_FALSE(OVwindow_setgeometry(stranger, 0, 0, 10, 10));
    EXPECT_FALSE(OVwindow_isinside(stranger, 0, 0));
    EXPECT_EQ(OVwindow_getidx(stranger), 0u);
    EXPECT_EQ(OVwindow_geteye(stranger), 0xFFFF);
    EXPECT_EQ(OVwindow_getviewpoint(stranger), nullptr);
    EXPECT_EQ(OVwindow_newviewport(stranger, 0, 0, 10, 10), nullptr);
    OVp3 point = {0, 0, -10};
    OVp2 pixel = {-1, -1};
    EXPECT_FALSE(OVwindow_projectpoint(stranger, 0, point, pixel));
    EXPECT_EQ(pixel[0], 0);
    EXPECT_FALSE(OVwindow_zoomall(stranger));
    OVwindow_delete(stranger); // not in the list: nothing happens
    for (int word : not_a_window)
        EXPECT_EQ(word, 0);
}

TEST_F(Operations, OddViewportRectanglesRoundTrip) {
    ASSERT_TRUE(OVwindow_setgeometry(window, 0, 0, 301, 199));
    OVwindow *v = OVwindow_newviewport(window, 33, 17, 101, 55);
    ASSERT_NE(v, nullptr);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getviewport(v, &x, &y, &width, &height));
    EXPECT_EQ(x, 33);
    EXPECT_EQ(y, 17);
    EXPECT_EQ(width, 101);
    EXPECT_EQ(height, 55);
    ASSERT_TRUE(OVwindow_setviewport(v, 150, 0, 151, 199));
    ASSERT_TRUE(OVwindow_getviewport(v, &x, &y, &width, &height));
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(width, 151);
    EXPECT_EQ(height, 199);
}

} // namespace
