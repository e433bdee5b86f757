#include "viewpoint_fixture.h"

std::string g_messages;

namespace {
int capture(const char *text) {
    g_messages += text;
    return 0;
}
} // namespace

void ViewpointTest::SetUp() {
    OVuniverse_new(512, 0);
    OVmessage_sethook(capture);
    g_messages.clear();
    vp = OVuniverse_getviewpoint();
    ASSERT_NE(vp, nullptr);
}

void ViewpointTest::TearDown() {
    OVmessage_sethook(nullptr);
    OVuniverse_delete();
}
