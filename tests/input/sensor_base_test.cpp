// A sensor through the generic object calls: its handler flag and its
// deletion by the property system; null link ends refused quietly.
#include "input_fixture.h"

#include <string>

namespace {

void ignore(void *, const char *, void *, double) {}

std::string closed;
void close_named(OVsensor *s) {
    closed += OVsensor_getname(s) ? OVsensor_getname(s) : "?";
}

} // namespace

TEST_F(InputTest, AHandlerMarksTheSensorAsHavingHandlers) {
    OVsensor *s = manual_sensor();
    EXPECT_EQ(_OVsensor_gethaseventhandlers(s), 0);
    ASSERT_TRUE(OVproperty_addhandler(s, "Rotation", ignore));
    EXPECT_NE(_OVsensor_gethaseventhandlers(s), 0);
    _OVsensor_sethaseventhandlers(s, 0);
    EXPECT_EQ(_OVsensor_gethaseventhandlers(s), 0);
}

TEST_F(InputTest, TheGenericDeleteClosesAndUnlistsASensor) {
    OVsensor *s = OVsensor_new(OVmouse_open, close_named, nullptr, nullptr, 0, 0);
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(OVsensor_setname(s, "wand"));
    EXPECT_EQ(OVuniverse_findsensor("wand", 4), s);
    closed.clear();
    OVbase_delete(s);
    EXPECT_EQ(closed, "wand");
    EXPECT_EQ(OVuniverse_getsensors(), nullptr);
}

TEST_F(InputTest, NullLinkEndsAreRefusedBeforeTheTargetType) {
    EXPECT_EQ(OVmotionlink_new(nullptr, OVuniverse_getviewpoint(), 0, 9), nullptr);
    EXPECT_EQ(OVmotionlink_new(manual_sensor(), nullptr, 0, 9), nullptr);
    EXPECT_EQ(g_messages, "");
}
