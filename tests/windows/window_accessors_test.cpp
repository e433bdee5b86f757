// Window accessors taken one by one: what a new window holds, what each
// setter refuses and clamps, the order its pre-handlers are asked in, what a
// viewport copies from its parent, and the stub accessors' lines.
#include "orv/orv.h"

#include "support/universe_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using orv_test::messages;

std::vector<std::string> asked;
int agree(void *, const char *name, double) {
    asked.emplace_back(name);
    return 1;
}

// The window's viewport rectangle is (x, y, width, height).
void expect_viewport(OVwindow *w, int x, int y, int width, int height) {
    int gx, gy, gwidth, gheight;
    ASSERT_TRUE(OVwindow_getviewport(w, &gx, &gy, &gwidth, &gheight));
    EXPECT_EQ(gx, x);
    EXPECT_EQ(gy, y);
    EXPECT_EQ(gwidth, width);
    EXPECT_EQ(gheight, height);
}

struct Accessors : orv_test::UniverseTest {
    OVwindow *window = nullptr;
    void SetUp() override {
        UniverseTest::SetUp();
        asked.clear();
        OVuniverse_new(512, 0);
        OVuniverse_setoption(10, 0); // no native messages between the calls
        window = OVwindow_new(0, 0, 64, 48, OVWINDOW_BORDERLESS);
        ASSERT_NE(window, nullptr);
        messages.clear(); // the banner and set-up lines
    }
    static int count(const std::string &text) {
        int n = 0;
        for (const std::string &m : messages)
            n += m == text;
        return n;
    }
};

TEST_F(Accessors, ANewWindowStartsWithTheDefaults) {
    int r = -1, g = -1, b = -1;
    ASSERT_TRUE(OVwindow_getbgrgb(window, &r, &g, &b));
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 255);
    EXPECT_EQ(OVwindow_getbgcolor(window), 0x00F);
    EXPECT_EQ(OVwindow_getenabled(window), 1);
    EXPECT_EQ(OVwindow_geteye(window), 0);
    EXPECT_EQ(OVwindow_getprojection(window), 1);
    EXPECT_EQ(OVwindow_getdata(window), nullptr);
    EXPECT_EQ(OVwindow_getname(window), nullptr);
    EXPECT_EQ(OVwindow_getviewpoint2(window), nullptr);
    EXPECT_EQ(OVwindow_getrootnode(window), OVuniverse_getrootnodes());
    EXPECT_EQ(OVwindow_getpolycount(window), 0);
    EXPECT_NE(OVwindow_getidx(window), 0u);
    // The viewport rectangle is the whole client area.
    expect_viewport(window, 0, 0, 64, 48);
}

TEST_F(Accessors, UserDataRoundTripsAndNullWindowsGiveNeutralResults) {
    int mine = 7;
    OVwindow_setdata(window, &mine);
    EXPECT_EQ(OVwindow_getdata(window), &mine);
    OVwindow_setdata(window, nullptr);
    EXPECT_EQ(OVwindow_getdata(window), nullptr);
    OVwindow_setdata(nullptr, &mine);
    EXPECT_EQ(OVwindow_getdata(nullptr), nullptr);
    OVwindow_setname(nullptr, "none");
    EXPECT_EQ(OVwindow_getname(nullptr), nullptr);
    EXPECT_EQ(OVwindow_getidx(nullptr), 0u);
    EXPECT_EQ(OVwindow_geteye(nullptr), 0xFFFF);
    EXPECT_EQ(OVwindow_getprojection(nullptr), 0);
    EXPECT_EQ(OVwindow_getenabled(nullptr), 0);
    EXPECT_EQ(OVwindow_getrootnode(nullptr), nullptr);
    EXPECT_FALSE(OVwindow_sethither(nullptr, 2));
    EXPECT_FALSE(OVwindow_setbgrgb(nullptr, 1, 2, 3));
    EXPECT_FALSE(OVwindow_seteye(nullptr, 0));
    EXPECT_FALSE(OVwindow_setenabled(nullptr, 1));
    EXPECT_EQ(OVwindow_newviewport(nullptr, 0, 0, 10, 10), nullptr);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Accessors, HitherIsNeverBelowTheTolerance) {
    ASSERT_TRUE(OVwindow_sethither(window, -3.0f));
    EXPECT_FLOAT_EQ(OVwindow_gethither(window), 0.004f);
    ASSERT_TRUE(OVwindow_sethither(window, 0.004f));
    EXPECT_FLOAT_EQ(OVwindow_gethither(window), 0.004f);
    ASSERT_TRUE(OVwindow_sethither(window, 0.5f));
    EXPECT_FLOAT_EQ(OVwindow_gethither(window), 0.5f);
    // Yon follows at least the tolerance beyond it.
    ASSERT_TRUE(OVwindow_setyon(window, 0.5f));
    EXPECT_FLOAT_EQ(OVwindow_getyon(window), 0.504f);
}

TEST_F(Accessors, ProjectionModesOneToFourOnly) {
    for (int mode : {0, 5, -1}) {
        EXPECT_FALSE(OVwindow_setprojection(window, mode)) << mode;
        EXPECT_EQ(OVwindow_getprojection(window), 1);
    }
    for (int mode : {4, 3, 2, 1}) {
        EXPECT_TRUE(OVwindow_setprojection(window, mode)) << mode;
        EXPECT_EQ(OVwindow_getprojection(window), mode);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Accessors, FrustaBelongToOneEyeEachAndAskTheirHandlersInOrder) {
    for (const char *p : {"Yon Clipping", "Hither Clipping", "FrustumBR", "FrustumTL"})
        ASSERT_TRUE(OVproperty_addhandler_pre(window, p, agree));
    ASSERT_TRUE(OVwindow_setfrustum(window, 1, -1, 2, -3, 4, 0.001f, 50));
    EXPECT_EQ(asked, (std::vector<std::string>{"FrustumTL", "FrustumBR", "Hither Clipping",
                                               "Yon Clipping"}));
    float l, r, b, t, n, f;
    ASSERT_TRUE(OVwindow_getfrustum(window, 1, &l, &r, &b, &t, &n, &f));
    EXPECT_FLOAT_EQ(l, -1);
    EXPECT_FLOAT_EQ(r, 2);
    EXPECT_FLOAT_EQ(b, -3);
    EXPECT_FLOAT_EQ(t, 4);
    EXPECT_FLOAT_EQ(n, 0.004f);
    EXPECT_FLOAT_EQ(f, 50);
    // The left eye keeps the frustum it was made with.
    ASSERT_TRUE(OVwindow_getfrustum(window, 0, &l, &r, &b, &t, &n, &f));
    EXPECT_FLOAT_EQ(n, OVwindow_gethither(window));
    EXPECT_FLOAT_EQ(f, OVwindow_getyon(window));
    EXPECT_FLOAT_EQ(r, -l);
    // Other eyes are refused both ways, with nothing asked.
    asked.clear();
    EXPECT_FALSE(OVwindow_setfrustum(window, -1, -1, 1, -1, 1, 1, 9));
    EXPECT_FALSE(OVwindow_setfrustum(window, 2, -1, 1, -1, 1, 1, 9));
    EXPECT_TRUE(asked.empty());
    l = 123;
    EXPECT_FALSE(OVwindow_getfrustum(window, 2, &l, &r, &b, &t, &n, &f));
    EXPECT_EQ(l, 123);
}

TEST_F(Accessors, GeometryAsksPositionBeforeSize) {
    ASSERT_TRUE(OVproperty_addhandler_pre(window, "Size", agree));
    ASSERT_TRUE(OVproperty_addhandler_pre(window, "Position", agree));
    ASSERT_TRUE(OVwindow_setgeometry(window, 5, 6, 40, 30));
    EXPECT_EQ(asked, (std::vector<std::string>{"Position", "Size"}));
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(window, &x, &y, &width, &height));
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);
}

TEST_F(Accessors, FindAtTruncatesThePointAndTakesTheFirstWindowInListOrder) {
    OVwindow *big = OVwindow_new(0, 0, 200, 150, OVWINDOW_BORDERLESS);
    ASSERT_NE(big, nullptr);
    int x, y, width, height, bx, by, bw, bh;
    ASSERT_TRUE(OVwindow_getgeometry(window, &x, &y, &width, &height));
    ASSERT_TRUE(OVwindow_getgeometry(big, &bx, &by, &bw, &bh));
    ASSERT_EQ(bx, x);
    ASSERT_EQ(by, y);
    // Inside both: the first window made.
    OVp2 inside = {x + width - 0.1f, y + height - 0.1f};
    EXPECT_EQ(OVwindow_findat(inside), window);
    // Just past the small window's last column: only the big one.
    OVp2 beyond = {static_cast<float>(x + width), static_cast<float>(y)};
    EXPECT_EQ(OVwindow_findat(beyond), big);
    OVp2 outside = {static_cast<float>(bx + bw), static_cast<float>(by + bh)};
    EXPECT_EQ(OVwindow_findat(outside), nullptr);
}

TEST_F(Accessors, AViewportCopiesTheSurfaceButNotItsViewpointEyeDataOrNames) {
    OVwindow_setbgrgb(window, 10, 20, 30);
    OVwindow_sethither(window, 2.5f);
    OVwindow_setyon(window, 300);
    OVwindow_setprojection(window, 3);
    OVwindow_seteye(window, 1);
    OVwindow_setname(window, "surface");
    int mine = 0;
    OVwindow_setdata(window, &mine);
    OVwindow_setviewpoint2(window, OVuniverse_getviewpoint());
    ASSERT_NE(OVwindow_getviewpoint(window), nullptr);
    OVwindow *v = OVwindow_newviewport(window, 16, 12, 32, 24);
    ASSERT_NE(v, nullptr);
    int r, g, b;
    ASSERT_TRUE(OVwindow_getbgrgb(v, &r, &g, &b));
    EXPECT_EQ(r << 16 | g << 8 | b, 0x0A141E);
    EXPECT_FLOAT_EQ(OVwindow_gethither(v), 2.5f);
    EXPECT_FLOAT_EQ(OVwindow_getyon(v), 300);
    EXPECT_EQ(OVwindow_getprojection(v), 3);
    EXPECT_EQ(OVwindow_geteye(v), 0);
    EXPECT_EQ(OVwindow_getdata(v), nullptr);
    EXPECT_EQ(OVwindow_getviewpoint(v), nullptr);
    EXPECT_EQ(OVwindow_getviewpoint2(v), nullptr);
    // Found by name, the surface comes first and the viewport has its own.
    EXPECT_EQ(OVuniverse_findwindow("surface", 7), window);
    OVwindow_setname(v, "port");
    EXPECT_EQ(OVuniverse_findwindow("port", 4), v);
    EXPECT_STREQ(OVwindow_getname(window), "surface");
    // x / W, width / W, 1 - (y + height) / H, height / H of the parent.
    expect_viewport(v, 16, 12, 32, 24);
}

TEST_F(Accessors, ViewportRectanglesConvertBothWays) {
    OVwindow *v = OVwindow_newviewport(window, 0, 0, 64, 48);
    ASSERT_NE(v, nullptr);
    expect_viewport(v, 0, 0, 64, 48);
    // A rectangle in the bottom left corner, measured from the top.
    ASSERT_TRUE(OVwindow_setviewport(v, 0, 36, 16, 12));
    expect_viewport(v, 0, 36, 16, 12);
    // The parent's own rectangle changes the same way.
    ASSERT_TRUE(OVwindow_setviewport(window, 10, 5, 20, 30));
    expect_viewport(window, 10, 5, 20, 30);
}

TEST_F(Accessors, BackgroundWidensTwelveBitColoursAndThePropertyTruncates) {
    ASSERT_TRUE(OVwindow_setbgcolor(window, 0xF80));
    int r, g, b;
    ASSERT_TRUE(OVwindow_getbgrgb(window, &r, &g, &b));
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 136);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(OVwindow_getbgcolor(window), 0xF80);
    float colour[3] = {0.5f, 1.0f, 0.999f};
    ASSERT_TRUE(OVproperty_setraw(window, "Backgroud color", colour));
    ASSERT_TRUE(OVwindow_getbgrgb(window, &r, &g, &b));
    EXPECT_EQ(r, 127);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 254);
    OVvalue got = OVproperty_get(window, "Backgroud color");
    ASSERT_EQ(got.type, OVP3);
    EXPECT_FLOAT_EQ(got.v.p3[0], 127 / 255.0f);
    EXPECT_FLOAT_EQ(got.v.p3[1], 1.0f);
    EXPECT_FLOAT_EQ(got.v.p3[2], 254 / 255.0f);
}

using Stub = int (*)(OVwindow *, int);
using StubGet = int (*)(const OVwindow *);

TEST_F(Accessors, EveryStubAccessorPrintsItsOwnLineAndGivesZero) {
    const std::vector<std::pair<Stub, const char *>> setters = {
        {OVwindow_setkey, "TODO: OVwindow_setkey\n"},
        {OVwindow_setlbutton, "TODO: OVwindow_setlbutton\n"},
        {OVwindow_setlbuttondblclk, "TODO: OVwindow_setlbuttondblclk\n"},
        {OVwindow_setrbutton, "TODO: OVwindow_setrbutton\n"},
        {OVwindow_setmbutton, "TODO: OVwindow_setmbutton\n"},
        {OVwindow_setmbuttondblclk, "TODO: OVwindow_setmbuttondblclk\n"},
    };
    const std::vector<std::pair<StubGet, const char *>> getters = {
        {OVwindow_getkey, "TODO: OVwindow_getkey\n"},
        {OVwindow_getlbutton, "TODO: OVwindow_getlbutton\n"},
        {OVwindow_getlbuttondblclk, "TODO: OVwindow_getlbuttondblclk\n"},
        {OVwindow_getrbutton, "TODO: OVwindow_getrbutton\n"},
        {OVwindow_getrbuttondblclk, "TODO: OVwindow_getrbuttondblclk\n"},
        {OVwindow_getmbutton, "TODO: OVwindow_getmbutton\n"},
        {OVwindow_getmbuttondblclk, "TODO: OVwindow_getmbuttondblclk\n"},
    };
    for (const auto &[set, line] : setters) {
        messages.clear();
        EXPECT_EQ(set(window, 1), 0) << line;
        EXPECT_EQ(count(line), 1) << line;
        EXPECT_EQ(messages.size(), 1u) << line;
    }
    for (const auto &[get, line] : getters) {
        messages.clear();
        EXPECT_EQ(get(window), 0) << line;
        EXPECT_EQ(count(line), 1) << line;
        EXPECT_EQ(messages.size(), 1u) << line;
    }
    // The right button's double-click setter has no line of its own.
    messages.clear();
    int one = 1;
    OVproperty_setraw(window, "RightButtonDbl", &one);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Accessors, ADisplayIndexBeyondTheOneDisplayIsRefusedWithoutUsingASlot) {
    constexpr int second_display = 1 << 4;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(OVwindow_new(0, 0, 32, 32, OVWINDOW_DISPLAYINDEX | second_display), nullptr);
    // The index bits count only with their flag, and display 0 exists.
    OVwindow *first = OVwindow_new(0, 0, 32, 32, second_display);
    OVwindow *zero = OVwindow_new(0, 0, 32, 32, OVWINDOW_DISPLAYINDEX);
    ASSERT_TRUE(first && zero);
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(OVwindow_new(0, 0, 32, 32, 0), nullptr) << i;
    EXPECT_EQ(OVwindow_new(0, 0, 32, 32, 0), nullptr);
}

TEST_F(Accessors, ZoomNeedsAViewpointANodeOfSomeSizeAndAnInstance) {
    OVnode *root = OVuniverse_getrootnodes();
    OVnode *block = OVgeometrynode_new(root, OVgeometry_newblock(2, 2, 2, 0));
    OVnode *empty = OVgroupnode_new(root);
    ASSERT_TRUE(block && empty);
    OVviewpoint *v = OVwindow_getviewpoint(window);
    ASSERT_NE(v, nullptr);
    OVp3 before, after;
    OVviewpoint_getposition(v, before);
    EXPECT_FALSE(OVwindow_zoomnode(window, nullptr, 0));
    EXPECT_FALSE(OVwindow_zoomnode(window, empty, 0));
    EXPECT_FALSE(OVwindow_zoomnode(window, block, -1));
    OVwindow_setviewpoint(window, nullptr);
    EXPECT_FALSE(OVwindow_zoomnode(window, block, 0));
    EXPECT_FALSE(OVwindow_zoomall(window));
    OVviewpoint_getposition(v, after);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(after[i], before[i]);
    // With the viewpoint back the block is zoomed onto.
    OVwindow_setviewpoint(window, v);
    EXPECT_TRUE(OVwindow_zoomnode(window, block, 0));
}

TEST_F(Accessors, EveryWindowPropertyHasItsType) {
    const std::vector<std::pair<const char *, int>> types = {
        {"Backgroud color", OVP3},
        {"FrustumBR", OVP2},
        {"Enabled", OVINT},
        {"Eye", OVINT},
        {"Hither Clipping", OVFLOAT},
        {"Position", OVP2},
        {"Projection", OVINT},
        {"Root Node", OVSTRING},
        {"Size", OVP2},
        {"FrustumTL", OVP2},
        {"Viewpoint", OVSTRING},
        {"Viewpoint2", OVSTRING},
        {"View Angle", OVFLOAT},
        {"Yon Clipping", OVFLOAT},
        {"Key", OVINT},
        {"LeftButton", OVINT},
        {"LeftButtonDbl", OVINT},
        {"RightButton", OVINT},
        {"RightButtonDbl", OVINT},
        {"MiddleButton", OVINT},
        {"MiddleButtonDbl", OVINT},
    };
    for (const auto &[name, type] : types)
        EXPECT_EQ(OVproperty_gettype(window, name), type) << name;
}

TEST_F(Accessors, PropertiesReadWhatTheGettersGive) {
    OVnode_setname(OVuniverse_getrootnodes(), "world");
    OVviewpoint_setname(OVuniverse_getviewpoint(), "eye");
    ASSERT_TRUE(OVwindow_setgeometry(window, 7, 9, 40, 30));
    ASSERT_TRUE(OVwindow_seteye(window, 1));
    ASSERT_TRUE(OVwindow_setfrustum(window, 1, -1, 2, -3, 4, 5, 60));
    ASSERT_TRUE(OVwindow_setviewangle(window, 0.6f));
    OVvalue v = OVproperty_get(window, "Position");
    EXPECT_EQ(v.v.p2[0], 7);
    EXPECT_EQ(v.v.p2[1], 9);
    v = OVproperty_get(window, "Size");
    EXPECT_EQ(v.v.p2[0], 40);
    EXPECT_EQ(v.v.p2[1], 30);
    v = OVproperty_get(window, "Eye");
    EXPECT_EQ(v.v.i, 1);
    v = OVproperty_get(window, "Enabled");
    EXPECT_EQ(v.v.i, 1);
    v = OVproperty_get(window, "Projection");
    EXPECT_EQ(v.v.i, 1);
    v = OVproperty_get(window, "View Angle");
    EXPECT_NEAR(v.v.f, 0.6f, 1e-6f);
    v = OVproperty_get(window, "Hither Clipping");
    EXPECT_FLOAT_EQ(v.v.f, 1.0f);
    v = OVproperty_get(window, "Yon Clipping");
    EXPECT_FLOAT_EQ(v.v.f, 65536.0f);
    // The current eye's corners: (top, left) and (bottom, right).
    v = OVproperty_get(window, "FrustumTL");
    EXPECT_EQ(v.v.p2[0], 4);
    EXPECT_EQ(v.v.p2[1], -1);
    v = OVproperty_get(window, "FrustumBR");
    EXPECT_EQ(v.v.p2[0], -3);
    EXPECT_EQ(v.v.p2[1], 2);
    OVvalue text = OVproperty_get(window, "Root Node");
    ASSERT_EQ(text.type, OVSTRING);
    EXPECT_STREQ(text.v.s, "world");
    OVvalue_free(&text);
    text = OVproperty_get(window, "Viewpoint");
    ASSERT_EQ(text.type, OVSTRING);
    EXPECT_STREQ(text.v.s, "eye");
    OVvalue_free(&text);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Accessors, PropertiesWriteThroughTheSettersAndTheirLimits) {
    int one = 1, two = 2, seven = 7, zero = 0, four = 4;
    EXPECT_TRUE(OVproperty_setraw(window, "Eye", &one));
    EXPECT_EQ(OVwindow_geteye(window), 1);
    EXPECT_FALSE(OVproperty_setraw(window, "Eye", &two));
    EXPECT_EQ(OVwindow_geteye(window), 1);
    EXPECT_TRUE(OVproperty_setraw(window, "Projection", &four));
    EXPECT_FALSE(OVproperty_setraw(window, "Projection", &seven));
    EXPECT_EQ(OVwindow_getprojection(window), 4);
    EXPECT_TRUE(OVproperty_setraw(window, "Enabled", &zero));
    EXPECT_EQ(OVwindow_getenabled(window), 0);
    float angle = 0.5f, too_wide = 1.6f, hither = 0.001f;
    EXPECT_TRUE(OVproperty_setraw(window, "View Angle", &angle));
    EXPECT_FALSE(OVproperty_setraw(window, "View Angle", &too_wide));
    EXPECT_NEAR(OVwindow_getviewangle(window), 0.5f, 1e-6f);
    EXPECT_TRUE(OVproperty_setraw(window, "Hither Clipping", &hither));
    EXPECT_FLOAT_EQ(OVwindow_gethither(window), 0.004f);
    float at[2] = {11, 13}, size[2] = {50, 20};
    EXPECT_TRUE(OVproperty_setraw(window, "Position", at));
    EXPECT_TRUE(OVproperty_setraw(window, "Size", size));
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(window, &x, &y, &width, &height));
    EXPECT_EQ(x, 11);
    EXPECT_EQ(y, 13);
    EXPECT_EQ(width, 50);
    EXPECT_EQ(height, 20);
    OVnode *other = OVrootnode_new();
    OVnode_setname(other, "other");
    OVnode_setname(OVgroupnode_new(other), "inner");
    char other_name[] = "other", inner_name[] = "inner", nowhere[] = "nowhere";
    EXPECT_FALSE(OVproperty_setraw(window, "Root Node", inner_name));
    EXPECT_FALSE(OVproperty_setraw(window, "Root Node", nowhere));
    EXPECT_EQ(OVwindow_getrootnode(window), OVuniverse_getrootnodes());
    EXPECT_TRUE(OVproperty_setraw(window, "Root Node", other_name));
    EXPECT_EQ(OVwindow_getrootnode(window), other);
    OVviewpoint *second = OVviewpoint_new();
    OVviewpoint_setname(second, "second");
    char second_name[] = "second";
    EXPECT_TRUE(OVproperty_setraw(window, "Viewpoint2", second_name));
    EXPECT_EQ(OVwindow_getviewpoint2(window), second);
    EXPECT_FALSE(OVproperty_setraw(window, "Viewpoint2", nowhere));
    EXPECT_EQ(OVwindow_getviewpoint2(window), second);
}

TEST_F(Accessors, ButtonAndKeyPropertiesAreTheStubs) {
    OVvalue v = OVproperty_get(window, "Key");
    EXPECT_EQ(v.v.i, 0);
    EXPECT_EQ(count("TODO: OVwindow_getkey\n"), 1);
    int one = 1;
    messages.clear();
    EXPECT_FALSE(OVproperty_setraw(window, "MiddleButton", &one));
    EXPECT_EQ(count("TODO: OVwindow_setmbutton\n"), 1);
}

} // namespace
