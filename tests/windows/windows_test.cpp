// Windows: limits, viewports, colours, clipping, display set-up, closing.
#include "orv/orv.h"

#include "support/universe_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using orv_test::messages;

struct Universe : orv_test::UniverseTest {
    static bool said(const std::string &text) {
        for (const std::string &m : messages)
            if (m.find(text) != std::string::npos) return true;
        return false;
    }
};

// The universe's background setters give the colour to every window.
TEST_F(Universe, UniverseBackgroundReachesEveryWindow) {
    OVuniverse_new(512, 0);
    OVwindow *first = OVwindow_new(0, 0, 64, 48, 0);
    OVwindow *second = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_TRUE(first && second);
    OVuniverse_setbgrgb(10, 20, 30);
    for (OVwindow *w : {first, second}) {
        int r = -1, g = -1, b = -1;
        OVwindow_getbgrgb(w, &r, &g, &b);
        EXPECT_EQ(r, 10);
        EXPECT_EQ(g, 20);
        EXPECT_EQ(b, 30);
    }
    OVuniverse_setbgcolor(0x0F8);
    EXPECT_EQ(OVwindow_getbgcolor(first), 0x0F8);
    EXPECT_EQ(OVwindow_getbgcolor(second), 0x0F8);
}

TEST_F(Universe, NinthWindowRefusedUntilOneIsDeleted) {
    OVuniverse_new(512, 0);
    OVwindow *windows[8];
    for (OVwindow *&w : windows) {
        w = OVwindow_new(0, 0, 64, 48, 0);
        ASSERT_NE(w, nullptr);
    }
    EXPECT_EQ(OVwindow_new(0, 0, 64, 48, 0), nullptr);
    EXPECT_TRUE(said("Can not create more than 8 windows.\n"));
    for (OVwindow *w : windows)
        EXPECT_EQ(OVwindow_geteye(w), 0);
    OVwindow_delete(windows[3]);
    EXPECT_EQ(OVwindow_geteye(windows[3]), 0xFFFF);
    EXPECT_NE(OVwindow_new(0, 0, 64, 48, 0), nullptr);
}

TEST_F(Universe, ViewportsCountTowardTheEightWindows) {
    OVuniverse_new(512, 0);
    OVwindow *surface = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(surface, nullptr);
    OVwindow *viewports[7];
    for (OVwindow *&v : viewports) {
        v = OVwindow_newviewport(surface, 0, 0, 32, 24);
        ASSERT_NE(v, nullptr);
    }
    messages.clear();
    EXPECT_EQ(OVwindow_newviewport(surface, 0, 0, 32, 24), nullptr);
    EXPECT_TRUE(said("Can not create more than 8 windows.\n"));
    EXPECT_EQ(OVwindow_new(0, 0, 64, 48, 0), nullptr);
    OVwindow_delete(viewports[0]);
    EXPECT_NE(OVwindow_new(0, 0, 64, 48, 0), nullptr);
}

TEST_F(Universe, NewWindowsLargerThanTheDisplayAreCut) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 1 << 20, 1 << 20, OVWINDOW_BORDERLESS);
    ASSERT_NE(w, nullptr);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_GT(width, 0);
    EXPECT_LT(width, 1 << 20);
    EXPECT_GT(height, 0);
    EXPECT_LT(height, 1 << 20);
    // The display's size is the largest a window may be given.
    EXPECT_TRUE(OVwindow_setgeometry(w, 0, 0, width, height));
    EXPECT_FALSE(OVwindow_setgeometry(w, 0, 0, width + 1, height));
}

TEST_F(Universe, ViewportOfViewportRefusedAndRectangleRoundTrips) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 200, 100, 0);
    ASSERT_NE(w, nullptr);
    OVwindow *v = OVwindow_newviewport(w, 20, 10, 100, 50);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(OVwindow_newviewport(v, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(OVwindow_newviewport(nullptr, 0, 0, 10, 10), nullptr);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getviewport(v, &x, &y, &width, &height));
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 10);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 50);
    EXPECT_EQ(OVwindow_getviewpoint(v), nullptr);
    // Deleting the surface takes its viewports along.
    OVwindow_delete(w);
    EXPECT_EQ(OVwindow_geteye(v), 0xFFFF);
}

TEST_F(Universe, BackgroundColoursRoundTrip) {
    OVuniverse_new(1, 0);
    OVwindow *w = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(w, nullptr);
    int r, g, b;
    OVwindow_getbgrgb(w, &r, &g, &b);
    EXPECT_EQ(r << 16 | g << 8 | b, 0x0000FF);
    ASSERT_TRUE(OVwindow_setbgcolor(w, 0x0F0));
    OVwindow_getbgrgb(w, &r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(OVwindow_getbgcolor(w), 0x0F0);
    OVwindow_setbgrgb(w, 0x12, 0x88, 0xFE);
    EXPECT_EQ(OVwindow_getbgcolor(w), 0x18F);
    EXPECT_EQ(OVwindow_getbgcolor(nullptr), 0xFFFF);
}

TEST_F(Universe, ClippingDistances) {
    OVuniverse_new(1, 0);
    OVwindow *w = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_sethither(w, 5.0f);
    OVwindow_setyon(w, 2.0f);
    EXPECT_FLOAT_EQ(OVwindow_getyon(w), 5.004f);
    OVwindow_sethither(w, 0.0f);
    EXPECT_FLOAT_EQ(OVwindow_gethither(w), 0.004f);
    EXPECT_FALSE(OVwindow_setviewangle(w, 1.57f));
    EXPECT_FALSE(OVwindow_setprojection(w, 5));
    float l, r, b, t, n, f;
    OVwindow_setfrustum(w, 1, -1, 2, -3, 4, 0.0f, 9);
    OVwindow_getfrustum(w, 1, &l, &r, &b, &t, &n, &f);
    EXPECT_FLOAT_EQ(l, -1);
    EXPECT_FLOAT_EQ(t, 4);
    EXPECT_FLOAT_EQ(n, 0.004f);
    EXPECT_FALSE(OVwindow_setfrustum(w, 2, 0, 0, 0, 0, 0, 0));
}

TEST_F(Universe, WindowHitherAppliesAgainAfterViewpoints) {
    OVuniverse_new(1, 0);
    OVwindow *w = OVwindow_new(0, 0, 64, 64, 0);
    OVviewpoint *v = OVuniverse_getviewpoint();
    ASSERT_NE(w, nullptr);
    OVwindow_setviewpoint(w, v);
    OVviewpoint_sethither(v, 3.0f);
    OVwindow_sethither(w, 2.0f);
    // The viewpoint's hither no longer decides: its set flag is cleared.
    OVviewpoint_setyon(v, 100.0f);
    OVwindow_setyon(w, 50.0f);
    EXPECT_FLOAT_EQ(OVwindow_gethither(w), 2.0f);
    EXPECT_FLOAT_EQ(OVwindow_getyon(w), 50.0f);
}

TEST_F(Universe, TwoEyeWindowsFromDisplayTwo) {
    OVuniverse_new(2, 0);
    OVwindow *first = OVwindow_next(nullptr);
    EXPECT_EQ(first, nullptr); // next of null is null; find the windows by point
    OVp2 origin = {0, 0};
    OVwindow *left = OVwindow_findat(origin);
    ASSERT_NE(left, nullptr);
    OVwindow *right = OVwindow_next(left);
    ASSERT_NE(right, nullptr);
    int x, y, w, h;
    OVwindow_getgeometry(left, &x, &y, &w, &h);
    int x2, y2, w2, h2;
    OVwindow_getgeometry(right, &x2, &y2, &w2, &h2);
    EXPECT_EQ(w2, w);
    EXPECT_EQ(h2, h);
    EXPECT_EQ(OVwindow_geteye(left), 0);
    EXPECT_EQ(OVwindow_geteye(right), 1);
    EXPECT_EQ(OVwindow_getviewpoint(right), OVuniverse_getviewpoint());
    EXPECT_EQ(OVwindow_getviewpoint(left), OVuniverse_getviewpoint());
    // The offscreen desktop is wider than high and not twice as wide.
    EXPECT_EQ(h, static_cast<int>(0.75 * w));
    EXPECT_TRUE(x2 == w || y2 == h);
}

int passes = 0;
OVwindow *doomed = nullptr;
void delete_window_action() {
    if (++passes == 2) OVwindow_delete(doomed);
    if (passes > 10) OVuniverse_stop(); // safety net
}

TEST_F(Universe, DeletingTheLastWindowStopsTheLoop) {
    for (int option16 : {0, 1}) {
        OVuniverse_new(1, 0);
        OVuniverse_setoption(16, option16);
        OVp2 corner = {1, 1};
        doomed = OVwindow_findat(corner);
        ASSERT_NE(doomed, nullptr);
        passes = 0;
        OVuniverse_setactions(delete_window_action);
        OVuniverse_go();
        EXPECT_EQ(passes, 2);
        OVuniverse_delete();
    }
}

TEST_F(Universe, StubAccessorsPrintTheirLine) {
    OVuniverse_new(512, 0);
    EXPECT_EQ(OVwindow_getkey(nullptr), 0);
    EXPECT_TRUE(said("TODO: OVwindow_getkey\n"));
    EXPECT_EQ(OVwindow_setmbuttondblclk(nullptr, 1), 0);
    EXPECT_TRUE(said("TODO: OVwindow_setmbuttondblclk\n"));
}

TEST_F(Universe, PropertiesReachTheWindowOperations) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 64, 64, 0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(OVproperty_gettype(w, "Backgroud color"), 5);
    EXPECT_EQ(OVproperty_gettype(w, "FrustumTL"), 4);
    float green[3] = {0, 1, 0};
    ASSERT_TRUE(OVproperty_setraw(w, "Backgroud color", green));
    EXPECT_EQ(OVwindow_getbgcolor(w), 0x0F0);
    float yon = 10.0f;
    ASSERT_TRUE(OVproperty_setraw(w, "Yon Clipping", &yon));
    EXPECT_FLOAT_EQ(OVwindow_getyon(w), 10.0f);
    float tl[2] = {3, -4};
    ASSERT_TRUE(OVproperty_setraw(w, "FrustumTL", tl));
    float l, r, b, t, n, f;
    OVwindow_getfrustum(w, 0, &l, &r, &b, &t, &n, &f);
    EXPECT_FLOAT_EQ(t, 3);
    EXPECT_FLOAT_EQ(l, -4);
}

TEST_F(Universe, GeometryOutsideTheScreenIsIgnoredAndInsideCountsEdgePixels) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(10, 20, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(OVwindow_setgeometry(w, -1, 0, 64, 48));
    EXPECT_FALSE(OVwindow_setgeometry(w, 0, -1, 64, 48));
    EXPECT_FALSE(OVwindow_setgeometry(w, 0, 0, 0, 48));
    EXPECT_FALSE(OVwindow_setgeometry(w, 0, 0, 64, -5));
    EXPECT_FALSE(OVwindow_setgeometry(w, 0, 0, 1 << 20, 48));
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
    ASSERT_TRUE(OVwindow_setgeometry(w, 30, 40, 20, 10));
    EXPECT_TRUE(OVwindow_isinside(w, 30, 40));
    EXPECT_TRUE(OVwindow_isinside(w, 49, 49));
    EXPECT_FALSE(OVwindow_isinside(w, 50, 45));
    EXPECT_FALSE(OVwindow_isinside(w, 35, 50));
    EXPECT_FALSE(OVwindow_isinside(w, 29, 45));
    OVp2 corner = {49.9f, 49.9f};
    EXPECT_EQ(OVwindow_findat(corner), w);
}

TEST_F(Universe, OnlyRootNodesAreShown) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    OVnode *first = OVuniverse_getrootnodes();
    EXPECT_EQ(OVwindow_getrootnode(w), first);
    OVnode *group = OVgroupnode_new(first);
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(OVwindow_setrootnode(w, group));
    EXPECT_FALSE(OVwindow_setrootnode(w, nullptr));
    EXPECT_EQ(OVwindow_getrootnode(w), first);
    OVnode *second = OVrootnode_new();
    ASSERT_TRUE(OVwindow_setrootnode(w, second));
    EXPECT_EQ(OVwindow_getrootnode(w), second);
}

TEST_F(Universe, NewWindowFrustaFollowHitherYonAndViewAngle) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 200, 100, 0);
    ASSERT_NE(w, nullptr);
    float t = std::tan(OVwindow_getviewangle(w));
    float hither = OVwindow_gethither(w), yon = OVwindow_getyon(w);
    EXPECT_FLOAT_EQ(hither, 1.0f);
    EXPECT_FLOAT_EQ(yon, 65536.0f);
    for (int eye : {0, 1}) {
        float l, r, b, top, n, f;
        ASSERT_TRUE(OVwindow_getfrustum(w, eye, &l, &r, &b, &top, &n, &f));
        EXPECT_FLOAT_EQ(l, -hither * t);
        EXPECT_FLOAT_EQ(r, hither * t);
        EXPECT_FLOAT_EQ(top, hither * t * 0.5f);
        EXPECT_FLOAT_EQ(b, -hither * t * 0.5f);
        EXPECT_FLOAT_EQ(n, hither);
        EXPECT_FLOAT_EQ(f, yon);
    }
}

TEST_F(Universe, ZoomingAParallelViewWidensTheLeftFrustumToTheNode) {
    OVuniverse_new(512, 0);
    OVwindow *w = OVwindow_new(0, 0, 200, 100, 0);
    ASSERT_NE(w, nullptr);
    ASSERT_NE(OVwindow_getviewpoint(w), nullptr);
    OVnode *node = OVgeometrynode_new(OVuniverse_getrootnodes(), OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_NE(node, nullptr);
    float radius = OVnode_getradius(node);
    ASSERT_NEAR(radius, std::sqrt(3.0f), 1e-4f);
    ASSERT_TRUE(OVwindow_setprojection(w, 4));
    ASSERT_TRUE(OVwindow_zoomnode(w, node, 0));
    // Wider than high (k = 0.5): the height fits the node, the width follows.
    float s = radius * 1.4142135f;
    float l, r, b, t, n, f;
    ASSERT_TRUE(OVwindow_getfrustum(w, 0, &l, &r, &b, &t, &n, &f));
    EXPECT_NEAR(t, s, 1e-4f);
    EXPECT_NEAR(b, -s, 1e-4f);
    EXPECT_NEAR(r, 2 * s, 1e-4f);
    EXPECT_NEAR(l, -2 * s, 1e-4f);
    // The viewpoint backs off along its view direction by radius / tan(angle * h / w).
    OVp3 at, dir;
    OVviewpoint_getposition(OVwindow_getviewpoint(w), at);
    OVviewpoint_getdirection(OVwindow_getviewpoint(w), dir);
    float distance = radius / std::tan(OVwindow_getviewangle(w) * 0.5f);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(at[i], -distance * dir[i], 1e-3f);
    EXPECT_FALSE(OVwindow_zoomnode(w, node, -1));
}

TEST(Palette, SystemColoursReplaceTwelveEntries) {
    uint32_t entries[256];
    ASSERT_EQ(_OVwindow_buildpalette(8, 3, 0, 3, 3, 2, 6, entries), 256);
    EXPECT_EQ(entries[7], 0xFF0000u);
    EXPECT_EQ(entries[3], 0x800000u);
    EXPECT_EQ(entries[91], 0x808080u);
    EXPECT_EQ(entries[255], 0xFFFFFFu);
    ASSERT_EQ(_OVwindow_buildpalette(3, 1, 0, 1, 1, 1, 2, entries), 8);
    EXPECT_EQ(entries[5], 0xFF00FFu);
}

} // namespace
