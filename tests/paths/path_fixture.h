// A universe without windows, messages captured, and helpers for paths.
#pragma once

#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

namespace pathtest {
// Where the change handler note writes "Property=value" (int values).
inline std::vector<std::string> *heard = nullptr;
inline void note(void *, const char *property, void *value, double) {
    heard->push_back(std::string(property) + '=' + std::to_string(*static_cast<int *>(value)));
}
// A pre-handler that allows every change and counts how often it is asked.
inline int asked = 0;
inline int count_asked(void *, const char *, double) {
    ++asked;
    return 1;
}
} // namespace pathtest
