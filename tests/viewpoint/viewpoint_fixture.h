// A universe without windows, and the message capture the viewpoint tests share.
#pragma once

#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>

extern std::string g_messages;

class ViewpointTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    OVviewpoint *vp = nullptr; // the universe's current viewpoint
};

#define EXPECT_P3_NEAR(v, x, y, z)                                                                 \
    do {                                                                                           \
        EXPECT_NEAR((v)[0], (x), 1e-4);                                                            \
        EXPECT_NEAR((v)[1], (y), 1e-4);                                                            \
        EXPECT_NEAR((v)[2], (z), 1e-4);                                                            \
    } while (0)
