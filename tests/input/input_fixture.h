// A universe without windows, messages captured, and helpers for sensors.
#pragma once

#include "orv/orv.h"
#include "orv/property.h"

#include <gtest/gtest.h>

#include <string>

extern std::string g_messages;

class InputTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // A sensor without device whose record the test writes.
    OVsensor *manual_sensor();
};

#define EXPECT_P3_NEAR(v, x, y, z)                                                                 \
    do {                                                                                           \
        EXPECT_NEAR((v)[0], (x), 1e-4);                                                            \
        EXPECT_NEAR((v)[1], (y), 1e-4);                                                            \
        EXPECT_NEAR((v)[2], (z), 1e-4);                                                            \
    } while (0)
