#include "path_fixture.h"

namespace {
std::string *captured = nullptr;
int capture(const char *text) {
    if (captured) *captured += text;
    return 0;
}
// No windows: the tests need no pixels.
constexpr int no_windows = 512;
// The class functions are looked up once per process, at the first universe:
// the environment makes that universe and keeps what it printed.
std::string first_universe_messages;
int capture_first(const char *text) {
    first_universe_messages += text;
    return 0;
}
class FirstUniverse : public ::testing::Environment {
  public:
    void SetUp() override {
        OVmessage_sethook(capture_first);
        OVuniverse_new(no_windows, 0);
        OVuniverse_delete();
        OVmessage_sethook(nullptr);
    }
};
const auto *const first_universe =
    ::testing::AddGlobalTestEnvironment(new FirstUniverse); // owned by gtest

} // namespace

const std::string &PathTest::first_universe_output() {
    return first_universe_messages;
}

void PathTest::SetUp() {
    captured = &messages;
    OVmessage_sethook(capture);
    OVuniverse_new(no_windows, 0);
}

void PathTest::TearDown() {
    OVuniverse_delete();
    OVmessage_sethook(nullptr);
    captured = nullptr;
}

OVpath *PathTest::row_path(int count) {
    OVpath *path = OVpath_new(nullptr);
    for (int i = 0; i < count; ++i) {
        OVpq pose = {{static_cast<float>(i), 0, 0}, {0, 0, 0, 1}};
        OVpath_appendelement(path, OVpathelement_new(&pose));
    }
    return path;
}

float PathTest::viewpoint_x() {
    OVp3 p;
    OVviewpoint_getposition(OVuniverse_getviewpoint(), p);
    return p[0];
}

void PathTest::passes(int count) {
    for (int i = 0; i < count; ++i)
        OVuniverse_go1();
}
