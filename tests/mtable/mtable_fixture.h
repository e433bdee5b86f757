// The material-table suites' fixture: no tables before or after a test, and
// the test's messages gathered in g_log.
#pragma once

#include "orv/geometry.h"
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

// A closed geometry of one triangle, to share tables with.
inline OVgeometry *triangle() {
    OVgeometry *g = OVgeometry_begin();
    const float pts[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    for (const auto &p : pts)
        OVgeometry_newvertex(g, p);
    OVpoly *p = OVgeometry_beginpoly(g);
    for (int i = 0; i < 3; ++i)
        OVpoly_addvertex(p, i);
    OVpoly_close(p);
    OVgeometry_close(g);
    return g;
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
