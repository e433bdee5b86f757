#include "input_fixture.h"

std::string g_messages;

namespace {
int capture(const char *text) {
    g_messages += text;
    return 0;
}
} // namespace

void InputTest::SetUp() {
    OVuniverse_new(512, 0);
    OVmessage_sethook(capture);
    g_messages.clear();
}

void InputTest::TearDown() {
    OVmessage_sethook(nullptr);
    OVuniverse_delete();
}

OVsensor *InputTest::manual_sensor() {
    return OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
}
