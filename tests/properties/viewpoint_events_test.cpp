// The setter protocol on a real class: viewpoint "Position" through the
// simulation loop's event pass.
#include "orv/property.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<float> heard_x;
void hear(void *, const char *, void *value, double) {
    heard_x.push_back(static_cast<float *>(value)[0]);
}
int refuse(void *, const char *, double) {
    return 0;
}

TEST(ViewpointEvents, HandlersHearChangesInTheNextPassAndPreHandlersVeto) {
    OVuniverse_new(512, 0);
    OVviewpoint *view = OVviewpoint_new();
    ASSERT_TRUE(OVproperty_addhandler(view, "Position", hear));
    OVvalue p = OVvalue_new(OVP3);
    p.v.p3[0] = 2;
    EXPECT_TRUE(OVproperty_set(view, "Position", &p));
    p.v.p3[0] = 3;
    EXPECT_TRUE(OVproperty_set(view, "Position", &p));
    EXPECT_TRUE(heard_x.empty());
    OVuniverse_go1();
    EXPECT_EQ(heard_x, (std::vector<float>{2, 3}));
    OVvalue got = OVproperty_get(view, "Position");
    EXPECT_FLOAT_EQ(got.v.p3[0], 3);

    ASSERT_TRUE(OVproperty_addhandler_pre(view, "Position", refuse));
    p.v.p3[0] = 9;
    EXPECT_FALSE(OVproperty_set(view, "Position", &p));
    OVuniverse_go1();
    EXPECT_EQ(heard_x.size(), 2u);
    EXPECT_FLOAT_EQ(OVproperty_get(view, "Position").v.p3[0], 3);
    OVvalue wrong = OVvalue_new(OVFLOAT);
    EXPECT_FALSE(OVproperty_set(view, "Position", &wrong));
    OVuniverse_delete();
}

} // namespace
