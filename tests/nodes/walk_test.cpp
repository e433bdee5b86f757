// The one scene walk and the node-type table: every walk goes as deep as the
// graph without a call stack, and the table says what the documented
// grouping, enabling and bounds rules say.
#include "orv/orv_internal.h"
#include "orv/nodepath.h"
#include "scene/node_record.h"
#include "scene_fixture.h"

#include <set>
#include <string>
#include <vector>

namespace {

using orv::scene::node_traits;

// A chain of nested groups under the parent; the innermost is returned.
OVnode *nest(OVnode *parent, int depth) {
    for (int i = 0; i < depth; ++i)
        parent = OVgroupnode_new(parent);
    return parent;
}

TEST(NodeTraits, GroupingTypesAreExactlyTheDocumentedOnes) {
    const std::set<int> grouping = {2, 4, 8, 9, 14, 15, 16, 21};
    for (int type = 0; type < 40; ++type)
        EXPECT_EQ(node_is_grouping(type), grouping.count(type) == 1) << type;
}

TEST(NodeTraits, OnlyTheDocumentedTypesMayBeEnabledOrShowABox) {
    const std::set<int> enable = {6, 9, 12, 16, 18, 19, 28};
    const std::set<int> box = {2, 4, 6, 8, 9, 11, 14, 15, 16, 28};
    for (int type = 0; type < 40; ++type) {
        const auto traits = node_traits(type).traits;
        EXPECT_EQ((traits & orv::scene::TRAIT_ENABLE) != 0, enable.count(type) == 1) << type;
        EXPECT_EQ((traits & orv::scene::TRAIT_SHOWSBOX) != 0, box.count(type) == 1) << type;
    }
}

TEST(NodeTraits, UnknownCodesAreKnownAsUnknown) {
    for (int type : {0, 3, 5, 7, 10, 13, 22, 23, 27, 29, 31, 200, -1})
        EXPECT_FALSE(node_traits(type).traits & orv::scene::TRAIT_KNOWN) << type;
}

TEST(NodeTraits, PlainNodesAreSmall) {
    EXPECT_LE(node_traits(OVNODE_GROUP).record_size, 128);
    EXPECT_LE(node_traits(OVNODE_SEPARATOR).record_size, 128);
    EXPECT_LE(node_traits(OVNODE_GEOMETRY).record_size, 64);
}

class Walks : public SceneTest {};

TEST_F(Walks, DeepGraphsAreWalkedWithoutACallStack) {
    constexpr int depth = 20000;
    OVnode *top = OVsepnode_new(root);
    OVnode *inner = nest(top, depth);
    OVnode *x = OVxformnode_new(inner);
    const OVp3 at = {1, 2, 3};
    OVnode_settranslation(x, at);
    OVgeometrynode_new(inner, OVgeometry_newblock(1, 1, 1, 0));
    EXPECT_EQ(OVnode_numpolys(top), 6);
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(top, mid));
    expect_p3(mid, 1, 2, 3);
    OVm4 passed;
    EXPECT_EQ(_OVnode_getxforms(OVnode_getchild(top, 0), passed), 0x02);
    EXPECT_FLOAT_EQ(passed[3][2], 3);
    OVnodepath *path = OVnodepath_find(top, x);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(OVnodepath_getlength(path), depth + 2);
    OVnodepath_delete(path);
}

TEST_F(Walks, PrintingIndentsEveryLevelOfADeepGraph) {
    static std::string all;
    all.clear();
    // Deep enough to show every level, shallow enough that the line fits one
    // message.
    OVnode *inner = nest(root, 200);
    OVnode_setname(OVgroupnode_new(inner), "bottom");
    OVmessage_sethook([](const char *text) {
        all += text;
        return 0;
    });
    OVnode_print(root);
    OVmessage_sethook(nullptr);
    EXPECT_NE(all.find(std::string(2 * 201, ' ') + "Depth 201 Group      \"bottom\"\n"),
              std::string::npos);
}

TEST_F(Walks, BoundsCountOnlyTheSwitchSelectionAndRecomputeHiddenChildrenLater) {
    OVnode *sw = OVswitchnode_new(root);
    OVnode *near_group = OVgroupnode_new(sw);
    OVnode *far_group = OVgroupnode_new(sw);
    OVgeometrynode_new(near_group, OVgeometry_newblock(2, 2, 2, 0));
    OVnode *x = OVxformnode_new(far_group);
    const OVp3 far = {100, 0, 0};
    OVnode_settranslation(x, far);
    OVgeometrynode_new(far_group, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, 0));
    EXPECT_NEAR(OVnode_getradius(sw), 1.7320508f, 1e-5);
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, 1));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(sw, mid));
    expect_p3(mid, 100, 0, 0);
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, -3));
    ASSERT_TRUE(OVnode_getmidpoint(sw, mid));
    expect_p3(mid, 50, 0, 0);
}

TEST_F(Walks, AGroupPassesItsTransformOnAfterItsCacheWasKept) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *group = OVgroupnode_new(sep);
    const OVp3 step = {0, 5, 0};
    OVnode_settranslation(OVxformnode_new(group), step);
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 0, 5, 0);
    // Only the later sibling changes: the group's kept transform still applies.
    OVgeometrynode_new(sep, OVgeometry_newblock(2, 2, 2, 0));
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 0, 5, 0);
    // An identity again passes nothing on.
    const OVp3 none = {0, 0, 0};
    OVnode_settranslation(OVnode_getchild(group, 0), none);
    ASSERT_TRUE(OVnode_getmidpoint(sep, mid));
    expect_p3(mid, 0, 0, 0);
}

TEST_F(Walks, LargeGroupsTakeChildrenAtBothEndsAndInTheMiddle) {
    OVnode *group = OVgroupnode_new(root);
    std::vector<OVnode *> made;
    for (int i = 0; i < 5000; ++i)
        made.push_back(OVgroupnode_new(group));
    OVnode *middle = OVgroupnode_new(nullptr);
    ASSERT_TRUE(OVnode_insertchild(group, middle, 2500));
    EXPECT_EQ(OVnode_getchild(group, 2500), middle);
    EXPECT_EQ(OVnode_getchild(group, 2501), made[2500]);
    OVnode *last = OVgroupnode_new(nullptr);
    EXPECT_FALSE(OVnode_insertchild(group, last, 5002));
    ASSERT_TRUE(OVnode_insertchild(group, last, 5001));
    EXPECT_EQ(OVnode_getchild(group, 5001), last);
    EXPECT_EQ(OVnode_numchildren(group), 5002);
}

TEST_F(Walks, DeletedRecordsAreReusedWithoutStaleData) {
    OVnode *sw = OVswitchnode_new(root);
    ASSERT_TRUE(OVswitchnode_setwhichchild(sw, -3));
    OVnode *lod = OVlodnode_new(root);
    const float ranges[] = {1, 2};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    OVnode_delete(sw);
    OVnode_delete(lod);
    OVnode *fresh_switch = OVswitchnode_new(root);
    OVnode *fresh_lod = OVlodnode_new(root);
    EXPECT_EQ(OVswitchnode_getwhichchild(fresh_switch), -1);
    EXPECT_EQ(OVlodnode_numranges(fresh_lod), 0);
    EXPECT_EQ(OVlodnode_getranges(fresh_lod), nullptr);
    OVnode *sep = OVsepnode_new(root);
    EXPECT_EQ(OVsepnode_getcullmode(sep), 3);
}

} // namespace
