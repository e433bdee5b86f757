// Properties read and written by name reach the class accessors with each
// payload shape: values, floats, texts and pointers, and rows whose accessor
// refuses make the read fail.
#include "orv/light.h"
#include "orv/message.h"
#include "orv/node.h"
#include "orv/property.h"
#include "orv/sensor.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"
#include "orv/window.h"

#include <gtest/gtest.h>

namespace {

class PropertyRows : public ::testing::Test {
  protected:
    void SetUp() override { OVuniverse_new(512, 0); }
    void TearDown() override { OVuniverse_delete(); }
};

TEST_F(PropertyRows, ValuesAndFloatsRoundTripByName) {
    OVviewpoint *view = OVviewpoint_new();
    OVvalue parallax = OVvalue_new(OVFLOAT);
    parallax.v.f = 0.25f;
    ASSERT_TRUE(OVproperty_set(view, "Parallax", &parallax));
    EXPECT_FLOAT_EQ(OVviewpoint_getparallax(view), 0.25f);
    OVvalue position = OVvalue_new(OVP3);
    position.v.p3[1] = 6;
    ASSERT_TRUE(OVproperty_set(view, "Position", &position));
    OVvalue got = OVproperty_get(view, "Position");
    ASSERT_EQ(got.type, OVP3);
    EXPECT_FLOAT_EQ(got.v.p3[1], 6);

    OVsensor *sensor = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    OVvalue misc = OVvalue_new(OVINT);
    misc.v.i = 77;
    ASSERT_TRUE(OVproperty_set(sensor, "Misc data", &misc));
    EXPECT_EQ(OVsensor_getmiscdata(sensor), 77u);
    // The sensor owns its raw buffer.
    void *buffer = OVmalloc(16);
    OVvalue raw = OVvalue_new(OVPOINTER);
    raw.v.p = buffer;
    ASSERT_TRUE(OVproperty_set(sensor, "SnRa", &raw));
    EXPECT_EQ(OVsensor_getrawdata(sensor), buffer);
    got = OVproperty_get(sensor, "SnRa");
    ASSERT_EQ(got.type, OVPOINTER);
    EXPECT_EQ(got.v.p, buffer);
}

TEST_F(PropertyRows, TextsArePassedAndCopiedOut) {
    OVnode *anchor = OVanchornode_new(nullptr);
    ASSERT_NE(anchor, nullptr);
    OVvalue url = OVvalue_new(OVSTRING);
    url.v.s = OVstrdup("http://example/x");
    ASSERT_TRUE(OVproperty_set(anchor, "URL", &url));
    EXPECT_STREQ(OVanchornode_getlocation(anchor), "http://example/x");
    OVvalue got = OVproperty_get(anchor, "URL");
    ASSERT_EQ(got.type, OVSTRING);
    EXPECT_STREQ(got.v.s, "http://example/x");
    EXPECT_NE(got.v.s, OVanchornode_getlocation(anchor)) << "the caller owns a copy";
    OVvalue_free(&got);
}

TEST_F(PropertyRows, FillingGettersThatRefuseMakeTheReadFail) {
    OVnode *group = OVgroupnode_new(nullptr);
    OVnode *light = OVlightnode_newpoint(group);
    ASSERT_NE(light, nullptr);
    OVvalue ambient = OVproperty_get(light, "LtAm");
    EXPECT_EQ(ambient.type, OVP3);
    // "LtAm" of a node that is no light: the row does not apply.
    EXPECT_EQ(OVproperty_get(group, "LtAm").type, OVNOPROPERTY);
}

TEST_F(PropertyRows, WindowKeyAndButtonRowsRefuseLikeTheirAccessors) {
    OVwindow *window = OVwindow_new(0, 0, 32, 32, 0);
    ASSERT_NE(window, nullptr);
    OVvalue down = OVvalue_new(OVINT);
    down.v.i = 1;
    EXPECT_FALSE(OVproperty_set(window, "LeftButton", &down));
    EXPECT_FALSE(OVproperty_set(window, "RightButtonDbl", &down));
    EXPECT_EQ(OVproperty_get(window, "Key").type, OVNOPROPERTY);
    OVvalue eye = OVvalue_new(OVINT);
    eye.v.i = 1;
    ASSERT_TRUE(OVproperty_set(window, "Eye", &eye));
    EXPECT_EQ(OVwindow_geteye(window), 1);
}

} // namespace
