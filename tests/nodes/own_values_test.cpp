// Setters given the text they replace, and deletion results.
#include "scene/node_record.h"
#include "orv/light.h"
#include "scene_fixture.h"

#include <string>

namespace {

TEST_F(SceneTest, ANodeRenamedToItsOwnNameKeepsIt) {
    OVnode *g = OVgroupnode_new(root);
    ASSERT_TRUE(OVnode_setname(g, "wheel"));
    ASSERT_TRUE(OVnode_setname(g, OVnode_getname(g)));
    EXPECT_STREQ(OVnode_getname(g), "wheel");
    EXPECT_EQ(OVuniverse_findnode("wheel", 5), g);
    EXPECT_EQ(OVuniverse_findnodebyname("wheel", 0), g);
    EXPECT_EQ(OVuniverse_findnodebyname("wheel", 1), nullptr); // indexed once
}

TEST_F(SceneTest, LocationsSetFromThemselvesStay) {
    OVnode *a = OVanchornode_new(root), *in = OVinlinenode_new(root);
    ASSERT_TRUE(OVanchornode_setlocation(a, "http://host/scene.wrl"));
    ASSERT_TRUE(OVinlinenode_setlocation(in, "parts/wheel.nff"));
    EXPECT_TRUE(OVanchornode_setlocation(a, OVanchornode_getlocation(a)));
    EXPECT_TRUE(OVinlinenode_setlocation(in, OVinlinenode_getlocation(in)));
    EXPECT_STREQ(OVanchornode_getlocation(a), "http://host/scene.wrl");
    EXPECT_STREQ(OVinlinenode_getlocation(in), "parts/wheel.nff");
    // Each kind keeps to its own node type; null clears.
    EXPECT_FALSE(OVanchornode_setlocation(in, "x"));
    EXPECT_FALSE(OVinlinenode_setlocation(a, "x"));
    EXPECT_TRUE(OVanchornode_setlocation(a, nullptr));
    EXPECT_EQ(OVanchornode_getlocation(a), nullptr);
}

TEST_F(SceneTest, RangesSetFromTheirOwnTextStay) {
    OVnode *lod = OVlodnode_new(root);
    const float ranges[] = {10, 20};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    EXPECT_TRUE(OVlodnode_setranges(lod, OVlodnode_getranges(lod)));
    EXPECT_STREQ(OVlodnode_getranges(lod), "10.000000,20.000000");
}

TEST_F(SceneTest, DeleteTellsWhetherItDeleted) {
    EXPECT_FALSE(OVnode_delete(nullptr));
    EXPECT_FALSE(OVnode_delete(root));
    EXPECT_EQ(OVuniverse_getrootnodes(), root);
    OVnode *g = OVgroupnode_new(root);
    OVgroupnode_new(g);
    EXPECT_TRUE(OVnode_delete(g));
    EXPECT_EQ(OVnode_numchildren(root), 0);
    // A node in the holding root has no parent to leave.
    EXPECT_TRUE(OVnode_delete(OVsepnode_new(nullptr)));
}

} // namespace

namespace {

TEST_F(SceneTest, UserDataIsKeptAsGiven) {
    OVnode *g = OVgroupnode_new(root);
    EXPECT_EQ(OVnode_getdata(g), nullptr);
    int value = 7;
    OVnode_setdata(g, &value);
    EXPECT_EQ(OVnode_getdata(g), &value);
    OVnode_setdata(nullptr, &value); // ignored
    EXPECT_EQ(OVnode_getdata(nullptr), nullptr);
    OVnode_setdata(g, nullptr);
    EXPECT_EQ(OVnode_getdata(g), nullptr);
}

// The children's bounds written into a cache of the caller's choice.
TEST_F(SceneTest, UpdatingACacheFromAChildList) {
    OVnode *source = OVgroupnode_new(root), *cache = OVsepnode_new(nullptr);
    const OVp3 shift = {10, 0, 0};
    OVnode_settranslation(OVxformnode_new(source), shift);
    OVgeometrynode_new(source, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(_OVnode_update(orv::scene::group_record(source)->first_child, cache));
    expect_p3(orv::scene::group_record(cache)->midpoint, 10, 0, 0);
    expect_p3(orv::scene::group_record(cache)->extents, 1, 1, 1);
    EXPECT_NEAR(orv::scene::group_record(cache)->radius, 1.7320508f, 1e-6);
    // Children without bounds leave the cache as it was.
    OVnode *lights = OVsepnode_new(nullptr);
    OVlightnode_newpoint(lights);
    EXPECT_FALSE(_OVnode_update(orv::scene::group_record(lights)->first_child, cache));
    expect_p3(orv::scene::group_record(cache)->midpoint, 10, 0, 0);
    EXPECT_NEAR(orv::scene::group_record(cache)->radius, 1.7320508f, 1e-6);
    EXPECT_EQ(_OVnode_update(nullptr, cache), 0);
    EXPECT_EQ(_OVnode_update(orv::scene::group_record(source)->first_child, nullptr), 0);
}

} // namespace

namespace {

// A null node gives each getter's documented neutral value and no message.
TEST_F(SceneTest, NullNodesGiveNeutralResults) {
    EXPECT_EQ(OVnode_gettype(nullptr), 0);
    EXPECT_EQ(OVnode_ismovable(nullptr), 0);
    EXPECT_EQ(OVnode_numchildren(nullptr), 0);
    EXPECT_EQ(OVnode_numparents(nullptr), 0);
    EXPECT_EQ(OVnode_getchild(nullptr, 0), nullptr);
    EXPECT_EQ(OVnode_getparent(nullptr, 0), nullptr);
    EXPECT_EQ(OVnode_getchildren(nullptr), nullptr);
    EXPECT_EQ(OVnode_getname(nullptr), nullptr);
    EXPECT_EQ(OVnode_isenabled(nullptr), 0);
    EXPECT_EQ(OVswitchnode_getwhichchild(nullptr), -2);
    EXPECT_EQ(OVlodnode_numranges(nullptr), -1);
    EXPECT_EQ(OVlodnode_getranges(nullptr), nullptr);
    EXPECT_FLOAT_EQ(OVnode_getradius(nullptr), -1);
    EXPECT_EQ(OVnode_hasboundingbox(nullptr), 0);
    EXPECT_EQ(OVrootnode_next(nullptr), nullptr);
    EXPECT_EQ(OVuniverse_findnode(nullptr, 3), nullptr);
    EXPECT_EQ(OVuniverse_findnodebyname(nullptr, 0), nullptr);
    EXPECT_EQ(OVnode_getgeometry(nullptr), nullptr);
    EXPECT_EQ(OVnode_numpolys(nullptr), 0);
    EXPECT_EQ(OVlightnode_gettype(nullptr), 0);
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(nullptr), -1);
    EXPECT_FLOAT_EQ(OVlightnode_getangle(nullptr), -1);
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(nullptr), -1);
    EXPECT_FLOAT_EQ(OVfognode_getlinearstart(nullptr), -1);
    EXPECT_FLOAT_EQ(OVfognode_getrange(nullptr), -1);
    EXPECT_EQ(OVfognode_getmode(nullptr), -1);
    OVp3 direction = {5, 5, 5};
    EXPECT_FALSE(OVlightnode_getdirection(nullptr, direction));
    expect_p3(direction, 0, 0, 0);
    EXPECT_FALSE(OVnode_addchild(nullptr, root));
    EXPECT_FALSE(OVnode_addchild(root, nullptr));
    EXPECT_FALSE(OVnode_remove(nullptr));
    EXPECT_FALSE(OVnode_setname(nullptr, "x"));
    EXPECT_FALSE(OVnode_enable(nullptr, 1));
    EXPECT_FALSE(OVmovnode_attach(nullptr, root, -1));
    EXPECT_EQ(OVmovnode_numattachments(nullptr), 0);
    OVnode_print(nullptr);
    EXPECT_EQ(OVnode_numchildren(root), 0);
}

} // namespace
