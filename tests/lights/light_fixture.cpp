#include "light_fixture.h"

#include <cstdio>
#include <unistd.h>

std::string g_messages;

namespace {
int capture(const char *text) {
    g_messages += text;
    return 0;
}
} // namespace

void LightTest::SetUp() {
    OVuniverse_new(512, 0);
    OVmessage_sethook(capture);
    g_messages.clear();
    parent = OVsepnode_new(OVuniverse_getrootnodes());
    ASSERT_NE(parent, nullptr);
}

void LightTest::TearDown() {
    OVmessage_sethook(nullptr);
    OVuniverse_delete();
}

std::string LightTest::write_file(const char *name, const char *text) {
    const std::string path =
        std::string(::testing::TempDir()) + "/" + std::to_string(::getpid()) + "_" + name;
    FILE *file = std::fopen(path.c_str(), "w");
    std::fputs(text, file);
    std::fclose(file);
    return path;
}
