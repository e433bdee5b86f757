// A universe without windows, messages captured, and helpers for paths.
#pragma once

#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>

class PathTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // A path of count elements at x = 0, 1, 2, … (orientation identity).
    OVpath *row_path(int count);
    // The x of the current viewpoint.
    float viewpoint_x();
    // Runs passes of the simulation loop.
    void passes(int count);
    std::string messages;
    // What the process's first universe printed.
    static const std::string &first_universe_output();
};

#define EXPECT_P3_NEAR(v, x, y, z)                                                                 \
    do {                                                                                           \
        EXPECT_NEAR((v)[0], (x), 1e-4);                                                            \
        EXPECT_NEAR((v)[1], (y), 1e-4);                                                            \
        EXPECT_NEAR((v)[2], (z), 1e-4);                                                            \
    } while (0)
