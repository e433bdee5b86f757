// Node paths, rays along them, viewpoint collisions and the ray walks.
#include "geometry/geometry_record.h"
#include "orv/orv.h"
#include "scene/node_intersect.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Paths : public ::testing::Test {
  protected:
    void SetUp() override {
        OVuniverse_new(1, 0); // one window showing the first root
        root = OVuniverse_getrootnodes();
    }
    void TearDown() override { OVuniverse_delete(); }

    static OVnode *xform(OVnode *parent, float x, float y, float z) {
        OVnode *n = OVxformnode_new(parent);
        const OVp3 t = {x, y, z};
        OVnode_settranslation(n, t);
        return n;
    }
    static OVnode *block(OVnode *parent) {
        return OVgeometrynode_new(parent, OVgeometry_newblock(1, 1, 1, 0));
    }
    // The block face whose outward normal is +Z.
    static OVpoly *front_face(OVnode *node) {
        for (OVpoly *p = OVgeometry_getpolys(OVnode_getgeometry(node)); p; p = OVpoly_next(p))
            if (p->normal[2] > 0.99f) return p;
        return nullptr;
    }
    static OVnodepath *path_of(std::initializer_list<OVnode *> nodes) {
        auto it = nodes.begin();
        OVnodepath *path = OVnodepath_new(*it);
        for (++it; it != nodes.end(); ++it)
            EXPECT_TRUE(OVnodepath_push(path, *it));
        return path;
    }
    static void expect_maps(const OVnodepath *path, OVp3 from, float x, float y, float z) {
        OVm4 m;
        ASSERT_TRUE(OVnodepath_getmatrix(path, m));
        OVp3 out;
        OVp3_xformm4(from, m, out);
        EXPECT_NEAR(out[0], x, 1e-5f);
        EXPECT_NEAR(out[1], y, 1e-5f);
        EXPECT_NEAR(out[2], z, 1e-5f);
    }

    OVnode *root = nullptr;
};

TEST_F(Paths, MatrixComposesTheTransformsBeforeEachStep) {
    xform(root, 0, 0, -10);
    OVnode *sep = OVsepnode_new(root);
    OVnode *turn = OVxformnode_new(sep);
    const OVm4 quarter = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    ASSERT_TRUE(OVnode_settransform(turn, quarter));
    OVnode *g = block(sep);
    OVnodepath *path = path_of({root, sep, g});
    OVp3 p = {1, 0, 0};
    expect_maps(path, p, 0, 1, -10);
    EXPECT_EQ(OVnodepath_getlength(path), 3);
    EXPECT_EQ(OVnodepath_getnode(path, -1), g);
    EXPECT_EQ(OVnodepath_getnode(path, 0), root);
    EXPECT_EQ(OVnodepath_getnode(path, 3), nullptr);
    OVnodepath_delete(path);
}

TEST_F(Paths, GroupsPassTheirTransformsOnAndSeparatorsDoNot) {
    OVnode *group = OVgroupnode_new(root);
    xform(group, 5, 0, 0);
    OVnode *sep = OVsepnode_new(root);
    xform(sep, 0, 7, 0);
    OVnode *disabled_leaf = xform(root, 0, 0, 100);
    ASSERT_FALSE(OVnode_enable(disabled_leaf, 0)); // Xform nodes cannot be disabled
    OVnode *g = block(root);
    OVnodepath *path = path_of({root, g});
    OVp3 origin = {0, 0, 0};
    expect_maps(path, origin, 5, 0, 100);
    OVnodepath_delete(path);
}

TEST_F(Paths, MovableNodesCountTheirOwnTransform) {
    OVnode *m = OVmovgeometrynode_new(root, OVgeometry_newblock(1, 1, 1, 0));
    const OVp3 t = {1, 2, 3};
    ASSERT_TRUE(OVnode_settranslation(m, t));
    OVnodepath *path = path_of({root, m});
    OVp3 origin = {0, 0, 0};
    expect_maps(path, origin, 1, 2, 3);
    OVm4 out;
    OVnode *last = nullptr;
    ASSERT_TRUE(_OVnodepath_getmatrix(path, out, &last));
    EXPECT_EQ(OVnode_getgeometry(last), OVnode_getgeometry(m));
    OVnodepath_delete(path);

    // A child of a movable separator is reached through its content.
    OVnode *ms = OVmovsepnode_new(root);
    ASSERT_TRUE(OVnode_settranslation(ms, t));
    OVnode *inside = block(ms);
    OVnodepath *deep = path_of({root, ms, inside});
    expect_maps(deep, origin, 1, 2, 3);
    OVnodepath_delete(deep);
}

TEST_F(Paths, SetmatrixPlacesTheLastNodeInTheFirstNodesFrame) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *turn = OVxformnode_new(sep);
    const OVm4 quarter = {{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, -10, 1}};
    ASSERT_TRUE(OVnode_settransform(turn, quarter));
    OVnode *m = OVmovsepnode_new(sep);
    OVnodepath *path = path_of({root, sep, m});
    const OVm4 wanted = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {5, 6, 7, 1}};
    ASSERT_TRUE(OVnodepath_setmatrix(path, wanted));
    OVm4 got;
    ASSERT_TRUE(OVnodepath_getmatrix(path, got));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(got[i][j], wanted[i][j], 1e-5f) << i << j;
    OVp3 local;
    OVnode_gettranslation(m, local); // (5, 6, 17) seen through the quarter turn
    EXPECT_NEAR(local[0], 6, 1e-5f);
    EXPECT_NEAR(local[1], -5, 1e-5f);
    EXPECT_NEAR(local[2], 17, 1e-5f);
    OVnodepath_pop(path);
    EXPECT_FALSE(OVnodepath_setmatrix(path, wanted)); // a separator has no transform of its own
    OVnodepath_delete(path);
}

TEST_F(Paths, PushRefusesStrangersAndPopKeepsTheFirst) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *other = OVsepnode_new(root);
    OVnode *g = block(other);
    OVnodepath *path = OVnodepath_new(root);
    EXPECT_FALSE(OVnodepath_push(path, g));
    EXPECT_TRUE(OVnodepath_push(path, sep));
    EXPECT_FALSE(OVnodepath_push(path, g));
    EXPECT_TRUE(OVnodepath_pop(path));
    EXPECT_FALSE(OVnodepath_pop(path));
    EXPECT_EQ(OVnodepath_getlength(path), 1);
    EXPECT_EQ(OVnodepath_new(nullptr), nullptr);
    OVnodepath_delete(path);

    OVnodepath *found = OVnodepath_find(root, g);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(OVnodepath_getlength(found), 3);
    EXPECT_EQ(OVnodepath_getnode(found, 1), other);
    EXPECT_EQ(OVnodepath_find(sep, g), nullptr);
    OVnodepath_delete(found);
}

TEST_F(Paths, RayIntersectAlongAPath) {
    OVnode *sep = OVsepnode_new(root);
    xform(sep, 0, 0, -10);
    OVnode *g = block(sep);
    OVpoly *face = front_face(g);
    ASSERT_NE(face, nullptr);
    OVnodepath *path = path_of({root, sep, g});
    const OVp3 origin = {0, 0, 0}, down = {0, 0, -2};
    float distance = -1;
    ASSERT_TRUE(OVpoly_rayintersect(face, path, origin, down, &distance));
    EXPECT_NEAR(distance, 4.75f, 1e-4f); // 9.5 units, in steps of 2
    const OVp3 aside = {3, 0, 0};
    EXPECT_FALSE(OVpoly_rayintersect(face, path, aside, down, &distance));
    const OVp3 tiny = {0, 0, -0.001f};
    EXPECT_FALSE(OVpoly_rayintersect(face, path, origin, tiny, &distance));

    // A root no window shows does not serve.
    OVnode *hidden = OVrootnode_new();
    OVnode *g2 = block(hidden);
    OVnodepath *unseen = path_of({hidden, g2});
    EXPECT_FALSE(OVpoly_rayintersect(front_face(g2), unseen, origin, down, &distance));
    OVnodepath_delete(unseen);
    OVnodepath_delete(path);
}

TEST_F(Paths, ViewpointCollidesWithAPolygon) {
    OVnode *sep = OVsepnode_new(root);
    xform(sep, 0, 0, -10);
    OVnode *g = block(sep);
    OVpoly *face = front_face(g);
    OVnodepath *path = path_of({root, sep, g});
    OVviewpoint *v = OVuniverse_getviewpoint();
    ASSERT_NE(v, nullptr);
    const OVp3 start = {0, 0, 0}, short_step = {0, 0, -5}, through = {0, 0, -12};
    OVviewpoint_setposition(v, start);
    _OVviewpoint_saveprevious();
    EXPECT_FALSE(OVviewpoint_intersectpoly(v, face, path, 0)); // not moved
    OVviewpoint_setposition(v, short_step);
    EXPECT_FALSE(OVviewpoint_intersectpoly(v, face, path, 0));
    EXPECT_FALSE(OVviewpoint_intersectpoly(v, face, path, 4));
    EXPECT_TRUE(OVviewpoint_intersectpoly(v, face, path, 5)); // 4.5 from the face
    EXPECT_FALSE(OVviewpoint_intersectpoly(v, face, path, -1));
    OVviewpoint_setposition(v, through);
    EXPECT_TRUE(OVviewpoint_intersectpoly(v, face, path, 0)); // crossed it
    OVnodepath_delete(path);
}

TEST_F(Paths, RayWalksFindTheGeometriesInOrder) {
    OVnode *near_sep = OVsepnode_new(root);
    xform(near_sep, 0, 0, -10);
    OVnode *near_block = block(near_sep);
    OVnode *far_sep = OVsepnode_new(root);
    xform(far_sep, 0, 0, -20);
    OVnode *far_block = block(far_sep);
    OVnode *off = OVsepnode_new(root);
    xform(off, 0, 0, -5);
    block(off);
    ASSERT_TRUE(OVnode_enable(off, 0));
    OVnode *sw = OVswitchnode_new(root); // selects nothing
    xform(sw, 0, 0, -7);
    block(sw);
    OVnode *aside = OVsepnode_new(root);
    xform(aside, 5, 0, -3);
    block(aside);

    const OVp3 origin = {0, 0, 0}, down = {0, 0, -1};
    OVnodehit hits[4];
    ASSERT_EQ(_OVnode_intersectgeoms(root, nullptr, origin, down, hits, 4), 2);
    EXPECT_EQ(hits[0].node, near_block);
    EXPECT_NEAR(hits[0].distance, 9.5f, 1e-4f);
    EXPECT_EQ(hits[0].poly, front_face(near_block));
    EXPECT_EQ(hits[1].node, far_block);
    EXPECT_NEAR(hits[1].distance, 19.5f, 1e-4f);
    // With room for one, the nearest is kept and both are counted.
    ASSERT_EQ(_OVnode_intersectgeoms(root, nullptr, origin, down, hits, 1), 2);
    EXPECT_EQ(hits[0].node, near_block);

    OVnodehit hit;
    ASSERT_TRUE(_OVnode_intersectgeom(root, nullptr, origin, down, &hit));
    EXPECT_EQ(hit.node, near_block);
    const OVp3 up = {0, 0, 1};
    EXPECT_FALSE(_OVnode_intersectgeom(root, nullptr, origin, up, &hit));
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, -3));
    ASSERT_TRUE(_OVnode_intersectgeom(root, nullptr, origin, down, &hit));
    EXPECT_NEAR(hit.distance, 6.5f, 1e-4f);
}

} // namespace
