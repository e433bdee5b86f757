// Frusta and zooming through the windows that show a viewpoint.
#include "viewpoint_fixture.h"

TEST_F(ViewpointTest, FrustumIsWrittenIntoTheWindowsShowingTheViewpoint) {
    OVwindow *window = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(window, nullptr);
    OVwindow_setviewpoint(window, vp);
    OVviewpoint_setfrustum(vp, 1, -2, 2, -1, 1, 0.001f, 50);
    float l = 0, r = 0, b = 0, t = 0, n = 0, f = 0;
    OVviewpoint_getfrustum(vp, 1, &l, &r, &b, &t, &n, &f);
    EXPECT_FLOAT_EQ(l, -2);
    EXPECT_FLOAT_EQ(r, 2);
    EXPECT_FLOAT_EQ(b, -1);
    EXPECT_FLOAT_EQ(t, 1);
    EXPECT_FLOAT_EQ(n, 0.004f); // a distance below the tolerance is raised
    EXPECT_FLOAT_EQ(f, 50);
    OVwindow_getfrustum(window, 1, &l, &r, &b, &t, &n, &f);
    EXPECT_FLOAT_EQ(r, 2);
    // Another viewpoint has no window: its outputs stay untouched.
    OVviewpoint *other = OVviewpoint_new();
    l = 42;
    OVviewpoint_getfrustum(other, 1, &l, &r, &b, &t, &n, &f);
    EXPECT_FLOAT_EQ(l, 42);
}

TEST_F(ViewpointTest, DeletedViewpointLeavesNoWindowPointingAtIt) {
    OVwindow *window = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(window, nullptr);
    OVviewpoint *other = OVviewpoint_new();
    OVwindow_setviewpoint(window, other);
    ASSERT_EQ(OVwindow_getviewpoint(window), other);
    OVviewpoint_delete(other);
    EXPECT_NE(OVwindow_getviewpoint(window), other);
    OVuniverse_go1(); // draws without the deleted viewpoint
}
