// What the "Position" and "Size" handlers of a window hear when the
// application moves and sizes it.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::pair<std::string, std::pair<float, float>>> heard;
void listen(void *, const char *name, void *value, double) {
    const float *pair = static_cast<const float *>(value);
    heard.push_back({name, {pair[0], pair[1]}});
}

struct GeometryEvents : ::testing::Test {
    void SetUp() override {
        heard.clear();
        OVuniverse_new(512, 0);
        OVuniverse_setoption(10, 0); // only the application's own changes
    }
    void TearDown() override { OVuniverse_delete(); }
    // The first value each property's handler heard in the next pass.
    std::pair<float, float> first(const std::string &name) {
        for (const auto &h : heard)
            if (h.first == name) return h.second;
        ADD_FAILURE() << "no " << name << " event";
        return {-1, -1};
    }
};

TEST_F(GeometryEvents, BorderedWindowsReportTheirOuterSize) {
    OVwindow *bordered = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(bordered, nullptr);
    for (const char *property : {"Position", "Size"})
        ASSERT_TRUE(OVproperty_addhandler(bordered, property, listen));
    ASSERT_TRUE(OVwindow_setgeometry(bordered, 10, 20, 100, 50));
    OVuniverse_go1();
    EXPECT_EQ(first("Position"), std::make_pair(10.0f, 20.0f));
    // Twice the frame across; the caption, twice the frame and one more down.
    const std::pair<float, float> size = first("Size");
    EXPECT_GT(size.first, 100.0f);
    EXPECT_GT(size.second, 50.0f + 1.0f);
    EXPECT_EQ(static_cast<int>(size.first - 100) % 2, 0);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(bordered, &x, &y, &width, &height));
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 50);
}

TEST_F(GeometryEvents, BorderlessWindowsReportTheClientSize) {
    OVwindow *popup = OVwindow_new(0, 0, 64, 64, 0x0001);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(OVproperty_addhandler(popup, "Size", listen));
    ASSERT_TRUE(OVwindow_setgeometry(popup, 5, 6, 70, 30));
    OVuniverse_go1();
    EXPECT_EQ(first("Size"), std::make_pair(70.0f, 30.0f));
}

} // namespace
