// What the handlers of a window's properties hear when the application
// changes them, what the properties give back, and what they refuse.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Heard {
    std::string name;
    std::vector<float> floats;
    int integer = 0;
    std::string text;
};
std::vector<Heard> heard;

void hear_floats(int count, const char *name, void *value) {
    Heard h{name, {}, 0, {}};
    const float *f = static_cast<const float *>(value);
    h.floats.assign(f, f + count);
    heard.push_back(h);
}
void hear_pair(void *, const char *name, void *value, double) {
    hear_floats(2, name, value);
}
void hear_float(void *, const char *name, void *value, double) {
    hear_floats(1, name, value);
}
void hear_three(void *, const char *name, void *value, double) {
    hear_floats(3, name, value);
}
void hear_int(void *, const char *name, void *value, double) {
    heard.push_back({name, {}, *static_cast<const int *>(value), {}});
}
void hear_text(void *, const char *name, void *value, double) {
    heard.push_back({name, {}, 0, value ? static_cast<const char *>(value) : "(null)"});
}

int refuse(void *, const char *, double) {
    return 0;
}

struct WindowEvents : ::testing::Test {
    OVwindow *window = nullptr;
    void SetUp() override {
        heard.clear();
        OVuniverse_new(512, 0);
        OVuniverse_setoption(10, 0); // only the application's own changes
        window = OVwindow_new(0, 0, 100, 50, 0);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { OVuniverse_delete(); }
    // What the handlers of the property heard in the pass.
    static std::vector<Heard> of(const std::string &name) {
        std::vector<Heard> found;
        for (const Heard &h : heard)
            if (h.name == name) found.push_back(h);
        return found;
    }
};

TEST_F(WindowEvents, FrustumHandlersHearTopLeftBottomRightNearAndFar) {
    ASSERT_TRUE(OVproperty_addhandler(window, "FrustumTL", hear_pair));
    ASSERT_TRUE(OVproperty_addhandler(window, "FrustumBR", hear_pair));
    ASSERT_TRUE(OVproperty_addhandler(window, "Hither Clipping", hear_float));
    ASSERT_TRUE(OVproperty_addhandler(window, "Yon Clipping", hear_float));
    ASSERT_TRUE(OVwindow_setfrustum(window, 0, -1, 2, -3, 4, 0.001f, 50));
    OVuniverse_go1();
    ASSERT_EQ(of("FrustumTL").size(), 1u);
    EXPECT_EQ(of("FrustumTL")[0].floats, (std::vector<float>{4, -1}));
    ASSERT_EQ(of("FrustumBR").size(), 1u);
    EXPECT_EQ(of("FrustumBR")[0].floats, (std::vector<float>{-3, 2}));
    ASSERT_EQ(of("Hither Clipping").size(), 1u);
    EXPECT_FLOAT_EQ(of("Hither Clipping")[0].floats[0], 0.004f); // raised to the minimum
    ASSERT_EQ(of("Yon Clipping").size(), 1u);
    EXPECT_FLOAT_EQ(of("Yon Clipping")[0].floats[0], 50);
}

TEST_F(WindowEvents, FrustumPropertiesReadAndWriteTheCurrentEyesPairs) {
    ASSERT_TRUE(OVwindow_setfrustum(window, 0, -1, 2, -3, 4, 1, 50));
    ASSERT_TRUE(OVwindow_setfrustum(window, 1, -5, 6, -7, 8, 2, 60));
    ASSERT_TRUE(OVwindow_seteye(window, 1));
    OVvalue br = OVproperty_get(window, "FrustumBR");
    ASSERT_EQ(br.type, OVP2);
    EXPECT_EQ(br.v.p2[0], -7);
    EXPECT_EQ(br.v.p2[1], 6);
    float pair[2] = {-9, 10};
    ASSERT_TRUE(OVproperty_setraw(window, "FrustumBR", pair));
    float l, r, b, t, n, f;
    ASSERT_TRUE(OVwindow_getfrustum(window, 1, &l, &r, &b, &t, &n, &f));
    EXPECT_EQ(b, -9);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(l, -5); // the other four kept
    EXPECT_EQ(t, 8);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(f, 60);
    ASSERT_TRUE(OVwindow_getfrustum(window, 0, &l, &r, &b, &t, &n, &f));
    EXPECT_EQ(b, -3); // the other eye untouched
    EXPECT_EQ(r, 2);
}

TEST_F(WindowEvents, BackgroundHandlersHearComponentsOverTwoHundredFiftyFive) {
    ASSERT_TRUE(OVproperty_addhandler(window, "Backgroud color", hear_three));
    ASSERT_TRUE(OVwindow_setbgrgb(window, 255, 51, 0));
    OVuniverse_go1();
    ASSERT_EQ(of("Backgroud color").size(), 1u);
    const std::vector<float> rgb = of("Backgroud color")[0].floats;
    EXPECT_FLOAT_EQ(rgb[0], 1.0f);
    EXPECT_FLOAT_EQ(rgb[1], 0.2f);
    EXPECT_FLOAT_EQ(rgb[2], 0.0f);
    // The property gives the same three fractions and truncates what it is given.
    OVvalue value = OVproperty_get(window, "Backgroud color");
    ASSERT_EQ(value.type, OVP3);
    EXPECT_FLOAT_EQ(value.v.p3[1], 0.2f);
    float set[3] = {0.999f, 0.5f, 0.0f};
    ASSERT_TRUE(OVproperty_setraw(window, "Backgroud color", set));
    int r, g, b;
    ASSERT_TRUE(OVwindow_getbgrgb(window, &r, &g, &b));
    EXPECT_EQ(r, 254);
    EXPECT_EQ(g, 127);
    EXPECT_EQ(b, 0);
}

TEST_F(WindowEvents, AVetoedBackgroundStaysAsItWas) {
    ASSERT_TRUE(OVwindow_setbgcolor(window, 0xF80));
    ASSERT_TRUE(OVproperty_addhandler_pre(window, "Backgroud color", refuse));
    EXPECT_FALSE(OVwindow_setbgcolor(window, 0x0F0));
    EXPECT_FALSE(OVwindow_setbgrgb(window, 1, 2, 3));
    EXPECT_EQ(OVwindow_getbgcolor(window), 0xF80);
    int r, g, b;
    ASSERT_TRUE(OVwindow_getbgrgb(window, &r, &g, &b));
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 136);
    EXPECT_EQ(b, 0);
}

TEST_F(WindowEvents, EnabledEyeAndProjectionHandlersHearIntegers) {
    ASSERT_TRUE(OVproperty_addhandler(window, "Enabled", hear_int));
    ASSERT_TRUE(OVproperty_addhandler(window, "Eye", hear_int));
    ASSERT_TRUE(OVproperty_addhandler(window, "Projection", hear_int));
    ASSERT_TRUE(OVwindow_setenabled(window, 0));
    ASSERT_TRUE(OVwindow_seteye(window, 1));
    ASSERT_TRUE(OVwindow_setprojection(window, 3));
    EXPECT_FALSE(OVwindow_setprojection(window, 0));
    EXPECT_FALSE(OVwindow_setprojection(window, 5));
    OVuniverse_go1();
    ASSERT_EQ(of("Enabled").size(), 1u);
    EXPECT_EQ(of("Enabled")[0].integer, 0);
    ASSERT_EQ(of("Eye").size(), 1u);
    EXPECT_EQ(of("Eye")[0].integer, 1);
    ASSERT_EQ(of("Projection").size(), 1u);
    EXPECT_EQ(of("Projection")[0].integer, 3);
    EXPECT_EQ(OVwindow_getenabled(window), 0);
    EXPECT_EQ(OVwindow_getprojection(window), 3);
}

TEST_F(WindowEvents, ViewpointAndRootHandlersHearNames) {
    OVviewpoint *v = OVviewpoint_new();
    ASSERT_NE(v, nullptr);
    OVviewpoint_setname(v, "second");
    OVnode *root = OVrootnode_new();
    ASSERT_NE(root, nullptr);
    OVnode_setname(root, "other");
    ASSERT_TRUE(OVproperty_addhandler(window, "Viewpoint", hear_text));
    ASSERT_TRUE(OVproperty_addhandler(window, "Viewpoint2", hear_text));
    ASSERT_TRUE(OVproperty_addhandler(window, "Root Node", hear_text));
    ASSERT_TRUE(OVwindow_setviewpoint(window, v));
    ASSERT_TRUE(OVwindow_setviewpoint2(window, v));
    ASSERT_TRUE(OVwindow_setrootnode(window, root));
    OVuniverse_go1();
    ASSERT_EQ(of("Viewpoint").size(), 1u);
    EXPECT_EQ(of("Viewpoint")[0].text, "second");
    ASSERT_EQ(of("Viewpoint2").size(), 1u);
    EXPECT_EQ(of("Viewpoint2")[0].text, "second");
    ASSERT_EQ(of("Root Node").size(), 1u);
    EXPECT_EQ(of("Root Node")[0].text, "other");
    EXPECT_EQ(OVwindow_getviewpoint2(window), v);
}

TEST_F(WindowEvents, ViewpointPropertyTakesKnownNamesOnly) {
    OVviewpoint *v = OVviewpoint_new();
    OVviewpoint_setname(v, "second");
    char known[] = "second", unknown[] = "nowhere";
    ASSERT_TRUE(OVproperty_setraw(window, "Viewpoint", known));
    EXPECT_EQ(OVwindow_getviewpoint(window), v);
    EXPECT_FALSE(OVproperty_setraw(window, "Viewpoint", unknown));
    EXPECT_EQ(OVwindow_getviewpoint(window), v);
    OVvalue name = OVproperty_get(window, "Viewpoint");
    ASSERT_EQ(name.type, OVSTRING);
    EXPECT_STREQ(name.v.s, "second");
    OVvalue_free(&name);
}

TEST_F(WindowEvents, ViewAngleSetsTheVerticalTangentThroughTheWindowsShape) {
    // 100 x 50: the frustum a new window gets keeps this ratio of sides.
    ASSERT_TRUE(OVproperty_addhandler(window, "View Angle", hear_float));
    ASSERT_TRUE(OVwindow_setviewangle(window, 0.5f));
    EXPECT_NEAR(OVwindow_getviewangle(window), 0.5f, 1e-6f);
    OVuniverse_go1();
    ASSERT_EQ(of("View Angle").size(), 1u);
    EXPECT_NEAR(of("View Angle")[0].floats[0], 0.5f, 1e-6f);
    // A vetoed angle stays as it was.
    ASSERT_TRUE(OVproperty_addhandler_pre(window, "View Angle", refuse));
    EXPECT_FALSE(OVwindow_setviewangle(window, 0.7f));
    EXPECT_NEAR(OVwindow_getviewangle(window), 0.5f, 1e-6f);
}

TEST_F(WindowEvents, ZoomingATallWindowUsesTheWholeViewAngle) {
    OVwindow *tall = OVwindow_new(0, 0, 50, 100, 0);
    ASSERT_NE(tall, nullptr);
    OVviewpoint *v = OVuniverse_getviewpoint();
    ASSERT_TRUE(OVwindow_setviewpoint(tall, v));
    OVnode *node = OVgeometrynode_new(OVuniverse_getrootnodes(), OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVwindow_zoomnode(tall, node, 0));
    const float distance = OVnode_getradius(node) / std::tan(OVwindow_getviewangle(tall));
    OVp3 at, dir;
    OVviewpoint_getposition(v, at);
    OVviewpoint_getdirection(v, dir);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(at[i], -distance * dir[i], 1e-3f) << i;
    // Too small a node, a negative instance or no viewpoint: nothing moves.
    OVnode *dot = OVgeometrynode_new(OVuniverse_getrootnodes(),
                                     OVgeometry_newblock(0.001f, 0.001f, 0.001f, 0));
    EXPECT_FALSE(OVwindow_zoomnode(tall, dot, 0));
    EXPECT_FALSE(OVwindow_zoomnode(tall, node, -1));
    OVwindow_setviewpoint(tall, nullptr);
    EXPECT_FALSE(OVwindow_zoomall(tall));
    OVp3 still;
    OVviewpoint_getposition(v, still);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(still[i], at[i]) << i;
}

TEST_F(WindowEvents, AVetoedPositionOrSizeLeavesTheWindowWhereItWas) {
    for (const char *property : {"Position", "Size"}) {
        ASSERT_TRUE(OVproperty_addhandler_pre(window, property, refuse));
        EXPECT_FALSE(OVwindow_setgeometry(window, 10, 20, 60, 40)) << property;
        int x, y, width, height;
        ASSERT_TRUE(OVwindow_getgeometry(window, &x, &y, &width, &height));
        EXPECT_EQ(x, 0) << property;
        EXPECT_EQ(y, 0) << property;
        EXPECT_EQ(width, 100) << property;
        EXPECT_EQ(height, 50) << property;
        ASSERT_TRUE(OVproperty_removehandler_pre(window, property, refuse));
    }
    EXPECT_TRUE(OVwindow_setgeometry(window, 10, 20, 60, 40));
}

TEST_F(WindowEvents, DeletingAnUnknownOrDeletedWindowChangesNothing) {
    OVwindow *second = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(second, nullptr);
    OVwindow_delete(second);
    OVwindow_delete(second);
    OVwindow_delete(nullptr);
    int not_a_window[64] = {};
    OVwindow_delete(reinterpret_cast<OVwindow *>(not_a_window));
    EXPECT_EQ(OVwindow_geteye(window), 0);
    // Seven more fit beside the first: the count dropped once only.
    int made = 0;
    for (int i = 0; i < 8; ++i)
        made += OVwindow_new(0, 0, 16, 16, 0) != nullptr;
    EXPECT_EQ(made, 7);
}

} // namespace
