// Node calls with indexes out of range, null outputs, cycles and other
// refused arguments: each fails without changing the graph.
#include "nodes/scene_fixture.h"

#include <climits>
#include <cmath>
#include <string>

namespace {

std::string said;
int record(const char *text) {
    said += text;
    return 0;
}

class NodeArguments : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        said.clear();
        OVmessage_sethook(record);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        SceneTest::TearDown();
    }
};

TEST_F(NodeArguments, IndexesOutsideTheChildListAreRefused) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *first = OVgroupnode_new(sep);
    OVnode *loose = OVgroupnode_new(nullptr);
    for (int index : {-1, 2, INT_MAX, INT_MIN}) {
        EXPECT_FALSE(OVnode_insertchild(sep, loose, index)) << index;
        EXPECT_FALSE(OVnode_removechild(sep, index)) << index;
        EXPECT_FALSE(OVnode_deletechild(sep, index)) << index;
        EXPECT_EQ(OVnode_getchild(sep, index), nullptr) << index;
        EXPECT_EQ(OVnode_getparent(first, index == 2 ? 1 : index), nullptr) << index;
    }
    EXPECT_EQ(OVnode_numchildren(sep), 1);
    EXPECT_EQ(OVnode_getchild(sep, 0), first);
    EXPECT_EQ(OVnode_numparents(loose), 0);
    EXPECT_EQ(said, "");
}

TEST_F(NodeArguments, CyclesRootsAndLeavesCannotTakeChildren) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *inner = OVgroupnode_new(sep);
    EXPECT_FALSE(OVnode_addchild(inner, inner));
    EXPECT_FALSE(OVnode_addchild(inner, sep));
    EXPECT_FALSE(OVnode_insertchild(inner, sep, 0));
    EXPECT_FALSE(OVnode_addchild(sep, root));
    OVnode *leaf = OVgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
    EXPECT_FALSE(OVnode_addchild(leaf, OVgroupnode_new(nullptr)));
    EXPECT_EQ(OVgroupnode_new(leaf), nullptr);
    EXPECT_FALSE(OVnode_addchild(sep, nullptr));
    EXPECT_EQ(OVnode_numchildren(inner), 0);
    EXPECT_EQ(OVnode_numchildren(sep), 2);
}

// The parent count is eight bits wide: a 256th parent would wrap it to 0.
TEST_F(NodeArguments, AtMost255Parents) {
    OVnode *shared = OVgroupnode_new(nullptr);
    for (int i = 0; i < 255; ++i)
        ASSERT_TRUE(OVnode_addchild(OVgroupnode_new(root), shared)) << i;
    OVnode *one_more = OVgroupnode_new(root);
    EXPECT_FALSE(OVnode_addchild(one_more, shared));
    EXPECT_FALSE(OVnode_insertchild(one_more, shared, 0));
    EXPECT_EQ(OVnode_numparents(shared), 255);
    EXPECT_EQ(OVnode_numchildren(one_more), 0);
    EXPECT_TRUE(OVnode_remove(shared));
    EXPECT_EQ(OVnode_numparents(shared), 0);
}

TEST_F(NodeArguments, AttachmentIndexesAtTheEndsOfTheIntRange) {
    OVnode *movable = OVmovsepnode_new(root);
    OVnode *extra = OVgroupnode_new(nullptr);
    EXPECT_FALSE(OVmovnode_attach(movable, extra, INT_MAX));
    EXPECT_FALSE(OVmovnode_attach(movable, extra, INT_MIN));
    ASSERT_TRUE(OVmovnode_attach(movable, extra, -1));
    EXPECT_FALSE(OVmovnode_attach(movable, OVgroupnode_new(nullptr), INT_MAX));
    for (int index : {INT_MAX, INT_MIN, -1, 1}) {
        EXPECT_FALSE(OVmovnode_detach(movable, index)) << index;
        EXPECT_FALSE(OVmovnode_deleteattachment(movable, index)) << index;
        EXPECT_EQ(OVmovnode_getattachment(movable, index), nullptr) << index;
    }
    EXPECT_EQ(OVmovnode_numattachments(movable), 1);
    EXPECT_EQ(OVmovnode_getattachment(movable, 0), extra);
    EXPECT_FALSE(OVmovnode_attach(movable, movable, -1));
    EXPECT_FALSE(OVmovnode_attach(movable, root, -1));
    EXPECT_FALSE(OVmovnode_attach(movable, nullptr, -1));
}

TEST_F(NodeArguments, NullOutputsAreRefused) {
    OVnode *movable = OVmovgeometrynode_new(root, OVgeometry_newblock(2, 2, 2, 0));
    OVuniverse_go1(); // fresh bounds
    EXPECT_FALSE(OVnode_getextents(movable, nullptr));
    EXPECT_FALSE(OVnode_getmidpoint(movable, nullptr));
    EXPECT_FALSE(OVnode_gettranslation(movable, nullptr));
    EXPECT_FALSE(OVnode_getrotation(movable, nullptr));
    EXPECT_FALSE(OVnode_getorientation(movable, nullptr));
    EXPECT_FALSE(OVlodnode_getcenter(OVlodnode_new(root), nullptr));
    OVp3 extents = {0, 0, 0};
    EXPECT_TRUE(OVnode_getextents(movable, extents));
    expect_p3(extents, 1, 1, 1);
}

TEST_F(NodeArguments, SwitchAndCullValuesOutsideTheirSets) {
    OVnode *sw = OVswitchnode_new(root);
    for (int which : {-2, -4, INT_MIN})
        EXPECT_FALSE(OVswitchnode_setwhichchild(sw, which)) << which;
    EXPECT_EQ(OVswitchnode_getwhichchild(sw), -1);
    OVnode *sep = OVsepnode_new(root);
    for (int mode : {0, 4, -1, INT_MAX})
        EXPECT_FALSE(OVsepnode_setcullmode(sep, mode)) << mode;
    EXPECT_EQ(OVsepnode_getcullmode(sep), 3);
}

TEST_F(NodeArguments, ReorderThatIsNoPermutationIsRefused) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *kids[3];
    for (OVnode *&k : kids)
        k = OVgroupnode_new(sep);
    const int repeated[] = {0, 0, 1};
    const int outside[] = {0, 1, 3};
    const int negative[] = {-1, 0, 1};
    const int huge[] = {INT_MAX, 0, 1};
    for (const int *order : {repeated, outside, negative, huge})
        EXPECT_FALSE(OVsepnode_reorder(sep, order, 3));
    EXPECT_FALSE(OVsepnode_reorder(sep, nullptr, 3));
    EXPECT_FALSE(OVsepnode_reorder(sep, repeated, -1));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(OVnode_getchild(sep, i), kids[i]);
}

TEST_F(NodeArguments, LevelRangesRefusedKeepTheOldOnes) {
    OVnode *lod = OVlodnode_new(root);
    const float ranges[] = {10, 20};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    EXPECT_FALSE(OVlodnode_setrange(lod, ranges, -1));
    const float bad[] = {NAN, 5};
    EXPECT_FALSE(OVlodnode_setrange(lod, bad, 2));
    EXPECT_FALSE(OVlodnode_setranges(lod, "10,abc"));
    EXPECT_EQ(OVlodnode_numranges(lod), 2);
    EXPECT_STREQ(OVlodnode_getranges(lod), "10.000000,20.000000");
    float out[2] = {0, 0};
    EXPECT_FALSE(OVlodnode_getrange(lod, out, 1));
    EXPECT_FALSE(OVlodnode_getrange(lod, out, -1));
    EXPECT_FALSE(OVlodnode_getrange(lod, nullptr, 2));
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(OVlodnode_numranges(OVsepnode_new(root)), -1);
}

TEST_F(NodeArguments, LongNamesAreKeptWholeAndFoundByTheirLength) {
    OVnode *node = OVgroupnode_new(root);
    const std::string name(100000, 'n');
    ASSERT_TRUE(OVnode_setname(node, name.c_str()));
    EXPECT_EQ(OVnode_getname(node), name);
    EXPECT_EQ(OVuniverse_findnode(name.c_str(), INT_MAX), node);
    EXPECT_EQ(OVuniverse_findnodebyname(name.c_str(), -1), nullptr);
    EXPECT_EQ(OVuniverse_findnodebyname(name.c_str(), 1), nullptr);
    EXPECT_EQ(OVuniverse_findnode(nullptr, 3), nullptr);
    // Children named by a text that names nothing known: the list ends empty.
    OVnode *sep = OVsepnode_new(root);
    OVgroupnode_new(sep);
    EXPECT_TRUE(OVnode_setchildren(sep, ",,;; ;"));
    EXPECT_EQ(OVnode_numchildren(sep), 0);
}

TEST_F(NodeArguments, DeletingARootOrANullNodeFails) {
    EXPECT_FALSE(OVnode_delete(root));
    EXPECT_FALSE(OVnode_delete(nullptr));
    EXPECT_EQ(OVuniverse_getrootnodes(), root);
    OVnode *g = OVgroupnode_new(root);
    EXPECT_TRUE(OVnode_delete(g));
    EXPECT_EQ(OVnode_numchildren(root), 0);
}

} // namespace
