#include "vrml_fixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {
std::string *captured = nullptr;
int capture(const char *text) {
    if (captured) *captured += text;
    return 0;
}
constexpr int no_windows = 512;
} // namespace

void VrmlTest::SetUp() {
    captured = &messages;
    OVmessage_sethook(capture);
    OVuniverse_new(no_windows, 0);
    file = ::testing::TempDir() + "scene" + std::to_string(getpid()) + ".wrl";
}

void VrmlTest::TearDown() {
    OVuniverse_delete();
    OVmessage_sethook(nullptr);
    captured = nullptr;
    std::remove(file.c_str());
}

std::string VrmlTest::save(OVnode *node, OVviewpoint *camera) {
    EXPECT_TRUE(OVnode_save(node, file.c_str(), camera, OVFILE_VRML1, 0));
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool has_line(const std::string &text, const std::string &line) {
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        const size_t start = l.find_first_not_of(' ');
        if (start != std::string::npos && l.substr(start) == line) return true;
    }
    return false;
}
