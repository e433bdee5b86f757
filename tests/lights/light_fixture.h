// A universe without windows, a parent for the lights and message capture.
#pragma once

#include "orv/light.h"
#include "orv/node.h"
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>

extern std::string g_messages;

class LightTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // A file of the test's temporary directory with the given text.
    std::string write_file(const char *name, const char *text);
    // The index-th child of the parent.
    OVnode *child(int index) { return OVnode_getchild(parent, index); }
    OVnode *parent = nullptr; // a separator under the first root
};

#define EXPECT_P3_NEAR(v, x, y, z)                                                                 \
    do {                                                                                           \
        EXPECT_NEAR((v)[0], (x), 1e-4);                                                            \
        EXPECT_NEAR((v)[1], (y), 1e-4);                                                            \
        EXPECT_NEAR((v)[2], (z), 1e-4);                                                            \
    } while (0)
