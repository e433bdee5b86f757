// A test that keeps every message the toolkit prints and deletes the
// universe after itself.
#pragma once

#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv_test {

// The messages printed since the running test began.
inline std::vector<std::string> messages;

inline int keep_message(const char *text) {
    messages.push_back(text);
    return 0;
}

struct UniverseTest : ::testing::Test {
    void SetUp() override {
        messages.clear();
        OVmessage_sethook(keep_message);
    }
    void TearDown() override {
        OVuniverse_delete();
        OVmessage_sethook(nullptr);
    }
};

} // namespace orv_test
