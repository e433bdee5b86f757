// A universe without windows and its first root node, for every node test;
// `heard` collects what property handlers were told.
#pragma once

#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class SceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(512, 0);
        root = OVuniverse_getrootnodes();
        heard.clear();
    }
    void TearDown() override { OVuniverse_delete(); }
    OVnode *root = nullptr;

  public:
    static inline std::vector<std::string> heard;
};

inline void expect_p3(const OVp3 got, float x, float y, float z) {
    EXPECT_NEAR(got[0], x, 1e-5);
    EXPECT_NEAR(got[1], y, 1e-5);
    EXPECT_NEAR(got[2], z, 1e-5);
}
