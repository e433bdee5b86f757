// A viewpoint moving past a polygon: near it, beside it, across it, and the
// windows and node paths the test needs.
#include "viewpoint_fixture.h"
#include "orv/orv_internal.h"

namespace {

class Collision : public ViewpointTest {
  protected:
    void SetUp() override {
        ViewpointTest::SetUp();
        window = OVwindow_new(0, 0, 64, 64, 0);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(OVwindow_setviewpoint(window, vp));
        root = OVwindow_getrootnode(window);
        ASSERT_NE(root, nullptr);
        // A unit block 10 ahead along -Z: its front face lies at z = -9.5.
        sep = OVsepnode_new(root);
        OVnode *place = OVxformnode_new(sep);
        const OVp3 at = {0, 0, -10};
        OVnode_settranslation(place, at);
        block = OVgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
        for (OVpoly *p = OVgeometry_getpolys(OVnode_getgeometry(block)); p; p = OVpoly_next(p)) {
            OVp3 n;
            OVpoly_getnormal(p, n);
            if (n[2] > 0.99f) face = p;
        }
        ASSERT_NE(face, nullptr);
        path = OVnodepath_new(root);
        ASSERT_TRUE(OVnodepath_push(path, sep));
        ASSERT_TRUE(OVnodepath_push(path, block));
    }
    void TearDown() override {
        OVnodepath_delete(path);
        ViewpointTest::TearDown();
    }
    // Moves the viewpoint from one point to another within one pass.
    void step(OVviewpoint *v, float x0, float y0, float z0, float x1, float y1, float z1) {
        const OVp3 from = {x0, y0, z0}, to = {x1, y1, z1};
        OVviewpoint_setposition(v, from);
        _OVviewpoint_saveprevious();
        OVviewpoint_setposition(v, to);
    }
    OVwindow *window = nullptr;
    OVnode *root = nullptr, *sep = nullptr, *block = nullptr;
    OVpoly *face = nullptr;
    OVnodepath *path = nullptr;
};

} // namespace

TEST_F(Collision, NearThePlaneCountsOnlyOverThePolygon) {
    step(vp, 0.2f, 0.2f, -5, 0.2f, 0.2f, -8); // 1.5 in front of the face
    EXPECT_TRUE(OVviewpoint_intersectpoly(vp, face, path, 2));
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, path, 1));
    step(vp, 3, 0, -5, 3, 0, -8); // as near to the plane, beside the face
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, path, 2));
    step(vp, 0, 0, -12, 0, 0, -10.5f); // behind the plane, within the distance
    EXPECT_TRUE(OVviewpoint_intersectpoly(vp, face, path, 1.5f));
}

TEST_F(Collision, CrossingCountsOnlyWithinTheStep) {
    step(vp, 0, 0, -9, 0, 0, -10);
    EXPECT_TRUE(OVviewpoint_intersectpoly(vp, face, path, 0));
    step(vp, 0, 0, -5, 0, 0, -3); // moving away
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, path, 0));
    step(vp, 0, 0, 0, 0, 0, -9.4f); // stops just short
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, path, 0));
    step(vp, 2, 0, -9, 2, 0, -10); // crosses the plane beside the face
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, path, 0));
}

TEST_F(Collision, OnlyAnEnabledWindowShowingTheViewpointServes) {
    OVviewpoint *other = OVviewpoint_new();
    step(other, 0, 0, -9, 0, 0, -10);
    EXPECT_FALSE(OVviewpoint_intersectpoly(other, face, path, 0)) << "no window shows it";
    step(vp, 0, 0, -9, 0, 0, -10);
    ASSERT_TRUE(OVviewpoint_intersectpoly(vp, face, path, 0));
    OVwindow_setenabled(window, 0);
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, path, 0));
}

TEST_F(Collision, ThePathMustRunFromTheRootToThePolygonsNode) {
    step(vp, 0, 0, -9, 0, 0, -10);
    OVnodepath *from_sep = OVnodepath_new(sep);
    ASSERT_TRUE(OVnodepath_push(from_sep, block));
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, from_sep, 0));
    OVnodepath_delete(from_sep);
    OVnode *other_block = OVgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
    OVnodepath *to_other = OVnodepath_new(root);
    ASSERT_TRUE(OVnodepath_push(to_other, sep));
    ASSERT_TRUE(OVnodepath_push(to_other, other_block));
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, to_other, 0));
    OVnodepath_delete(to_other);
    EXPECT_FALSE(OVviewpoint_intersectpoly(nullptr, face, path, 0));
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, nullptr, path, 0));
    EXPECT_FALSE(OVviewpoint_intersectpoly(vp, face, nullptr, 0));
}
