// The material-table suites' fixture: no tables before or after a test, and
// the test's messages gathered in g_log.
#pragma once

#include "orv/message.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <string>

namespace mtabletest {

inline std::string g_log;

inline int capture(const char *text) {
    g_log += text;
    return 1;
}

class MtableFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        _OVmtable_deleteall();
        g_log.clear();
        OVmessage_sethook(capture);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        _OVmtable_deleteall();
    }
};

} // namespace mtabletest
