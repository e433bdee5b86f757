// Hierarchy edges: cycles through every grouping kind and through a movable's
// attachments, parents seen through attachment groups, the name index after
// renames and deletions, and constructors that leave nothing behind.
#include "orv/light.h"
#include "orv/orv_internal.h"
#include "nodes/scene_fixture.h"

#include <string>
#include <vector>

namespace {

using HierarchyEdges = SceneTest;

void draw_nothing(OVnode *) {}

void hear_text(void *, const char *name, void *value, double) {
    SceneTest::heard.push_back(std::string(name) + "=" +
                               (value ? static_cast<const char *>(value) : "(null)"));
}

OVnode *named(OVnode *parent, const char *name) {
    OVnode *n = OVgroupnode_new(parent);
    OVnode_setname(n, name);
    return n;
}

TEST_F(HierarchyEdges, CyclesAreFoundBelowEveryGroupingKind) {
    OVnode *top = OVsepnode_new(root);
    OVnode *s = OVswitchnode_new(top); // selects nothing: still contains its children
    OVnode *lod = OVlodnode_new(s);
    OVnode *anchor = OVanchornode_new(lod);
    OVnode *in = OVinlinenode_new(anchor);
    OVnode *xs = OVxformsepnode_new(in);
    OVnode *bottom = OVgroupnode_new(xs);
    for (OVnode *above : {top, s, lod, anchor, in, xs, bottom}) {
        EXPECT_FALSE(OVnode_canaddchild(bottom, above)) << OVnode_gettype(above);
        EXPECT_FALSE(OVnode_addchild(bottom, above)) << OVnode_gettype(above);
        EXPECT_FALSE(OVnode_insertchild(bottom, above, 0)) << OVnode_gettype(above);
    }
    EXPECT_EQ(OVnode_numchildren(bottom), 0);
    EXPECT_EQ(OVnode_numparents(top), 1);
    // Sideways is no cycle.
    EXPECT_TRUE(OVnode_addchild(OVgroupnode_new(top), bottom));
    EXPECT_EQ(OVnode_numparents(bottom), 2);
}

TEST_F(HierarchyEdges, AMovableCannotGoBelowItsOwnAttachment) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *inside = OVgroupnode_new(m); // a child of the content
    OVnode *tag = named(nullptr, "tag");
    ASSERT_TRUE(OVmovnode_attach(m, tag, -1));
    EXPECT_FALSE(OVnode_addchild(inside, m));
    EXPECT_FALSE(OVnode_addchild(tag, m));
    EXPECT_FALSE(OVnode_canaddchild(tag, m));
    EXPECT_FALSE(OVmovnode_attach(m, m, -1));
    EXPECT_EQ(OVnode_numparents(m), 1);
    EXPECT_EQ(OVmovnode_numattachments(m), 1);
}

TEST_F(HierarchyEdges, ContentAndAttachmentsShowTheMovableAsTheirParent) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *inside = OVgroupnode_new(m);
    OVnode *a = named(nullptr, "a"), *b = named(nullptr, "b");
    ASSERT_TRUE(OVmovnode_attach(m, a, -1));
    ASSERT_TRUE(OVmovnode_attach(m, b, -1));
    EXPECT_EQ(OVnode_getparent(inside, 0), m); // its parent, the content, now in the group
    EXPECT_EQ(OVnode_getparent(a, 0), m);
    EXPECT_EQ(OVnode_getparent(b, 0), m);
    EXPECT_EQ(OVnode_numparents(a), 1);
    // The content's children are still the movable's children.
    EXPECT_EQ(OVnode_numchildren(m), 1);
    EXPECT_EQ(OVnode_getchild(m, 0), inside);
    ASSERT_TRUE(OVmovnode_detach(m, 0));
    ASSERT_TRUE(OVmovnode_detach(m, 0)); // the group dissolves
    EXPECT_EQ(OVmovnode_numattachments(m), 0);
    EXPECT_EQ(OVnode_getchild(m, 0), inside);
    EXPECT_EQ(OVnode_numparents(a), 0);
    EXPECT_EQ(OVnode_numparents(b), 0);
}

TEST_F(HierarchyEdges, DetachingOutsideTheAttachmentsKeepsTheContent) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *inside = OVgroupnode_new(m);
    OVnode *a = named(nullptr, "a");
    ASSERT_TRUE(OVmovnode_attach(m, a, -1));
    // Attachment -1 would be the group's child 0, the content itself.
    EXPECT_FALSE(OVmovnode_detach(m, -1));
    EXPECT_FALSE(OVmovnode_deleteattachment(m, -1));
    EXPECT_FALSE(OVmovnode_detach(m, 1));
    EXPECT_EQ(OVnode_getchild(m, 0), inside);
    EXPECT_EQ(OVmovnode_numattachments(m), 1);
    EXPECT_EQ(OVmovnode_getattachment(m, 1), nullptr);
}

TEST_F(HierarchyEdges, AttachmentNamesAreToldAfterEachChange) {
    OVnode *m = OVmovsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(m, "MvAt", hear_text));
    OVnode *a = named(nullptr, "a"), *b = named(nullptr, "b");
    OVnode *unnamed = OVgroupnode_new(nullptr);
    ASSERT_TRUE(OVmovnode_attach(m, a, -1));
    ASSERT_TRUE(OVmovnode_attach(m, unnamed, -1));
    ASSERT_TRUE(OVmovnode_attach(m, b, 0));
    ASSERT_TRUE(OVmovnode_detach(m, 1));
    ASSERT_TRUE(OVmovnode_deleteattachment(m, 0));
    _OVevent_pass();
    // The last text names the one unnamed attachment left.
    EXPECT_EQ(heard,
              (std::vector<std::string>{"MvAt=a", "MvAt=a,", "MvAt=b,a,", "MvAt=b,", "MvAt="}));
    EXPECT_EQ(OVuniverse_findnodebyname("b", 0), nullptr); // deleted with its attachment
    EXPECT_EQ(OVuniverse_findnodebyname("a", 0), a);
}

TEST_F(HierarchyEdges, RenamingAndDeletingKeepTheIndexRight) {
    OVnode *n = named(root, "old");
    ASSERT_TRUE(OVnode_setname(n, "new"));
    EXPECT_EQ(OVuniverse_findnode("old", 3), nullptr);
    EXPECT_EQ(OVuniverse_findnodebyname("old", 0), nullptr);
    EXPECT_EQ(OVuniverse_findnode("new", 3), n);
    // Three of one name: counted from the most recently named.
    OVnode *x0 = named(root, "x"), *x1 = named(root, "x"), *x2 = named(root, "x");
    EXPECT_EQ(OVuniverse_findnodebyname("x", 0), x2);
    EXPECT_EQ(OVuniverse_findnodebyname("x", 1), x1);
    EXPECT_EQ(OVuniverse_findnodebyname("x", 2), x0);
    EXPECT_EQ(OVuniverse_findnodebyname("x", 3), nullptr);
    // Naming the oldest again makes it the most recent.
    ASSERT_TRUE(OVnode_setname(x0, "x"));
    EXPECT_EQ(OVuniverse_findnodebyname("x", 0), x0);
    EXPECT_EQ(OVuniverse_findnodebyname("x", 2), x1);
    ASSERT_TRUE(OVnode_delete(x2));
    EXPECT_EQ(OVuniverse_findnodebyname("x", 1), x1);
    EXPECT_EQ(OVuniverse_findnodebyname("x", 2), nullptr);
    ASSERT_TRUE(OVnode_deletechild(root, 0)); // n, named "new"
    EXPECT_EQ(OVuniverse_findnode("new", 3), nullptr);
}

TEST_F(HierarchyEdges, AFailedMovableGeometryLeavesTheParentAsItWas) {
    OVgeometry *g = OVgeometry_newblock(1, 1, 1, 0);
    OVnode *first = OVgeometrynode_new(root, g);
    ASSERT_NE(first, nullptr);
    OVnode *sep = OVsepnode_new(root);
    EXPECT_EQ(OVmovgeometrynode_new(sep, g), nullptr);
    EXPECT_EQ(OVnode_numchildren(sep), 0);
    EXPECT_EQ(OVnode_getgeometry(first), g);
    OVnode *m = OVmovgeometrynode_new(sep, OVgeometry_newblock(1, 1, 1, 0));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(OVnode_numchildren(sep), 1);
    EXPECT_EQ(OVnode_getchild(sep, 0), m);
    // A movable geometry's content holds no children.
    EXPECT_EQ(OVnode_numchildren(m), 0);
    EXPECT_EQ(OVgroupnode_new(m), nullptr);
}

TEST_F(HierarchyEdges, ConstructorsUnderAMovableFillItsContent) {
    OVnode *ms = OVmovswitchnode_new(root);
    OVnode *a = OVgroupnode_new(ms), *b = OVgroupnode_new(ms);
    EXPECT_EQ(OVnode_numchildren(ms), 2);
    EXPECT_EQ(OVswitchnode_getwhichchild(ms), -1);
    ASSERT_TRUE(OVswitchnode_setwhichchild(ms, 1));
    EXPECT_EQ(OVswitchnode_getwhichchild(ms), 1);
    EXPECT_EQ(OVnode_getparent(a, 0), ms);
    EXPECT_EQ(OVnode_getparent(b, 0), ms);
    OVnode *ml = OVmovlodnode_new(root);
    OVgroupnode_new(ml);
    EXPECT_EQ(OVlodnode_numranges(ml), 0);
    const float r[] = {4};
    ASSERT_TRUE(OVlodnode_setrange(ml, r, 1));
    EXPECT_STREQ(OVlodnode_getranges(ml), "4.000000");
}

TEST_F(HierarchyEdges, SwitchMaySelectAChildItDoesNotHaveYet) {
    OVnode *s = OVswitchnode_new(root);
    ASSERT_TRUE(OVswitchnode_setwhichchild(s, 5));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), 5);
    EXPECT_FALSE(OVswitchnode_setwhichchild(s, -4));
    EXPECT_FALSE(OVswitchnode_setwhichchild(s, -2));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), 5);
    EXPECT_TRUE(OVswitchnode_setwhichchild(s, -1));
    EXPECT_EQ(OVswitchnode_getwhichchild(s), -1);
    EXPECT_FALSE(OVswitchnode_setwhichchild(nullptr, 0));
    EXPECT_EQ(OVswitchnode_getwhichchild(nullptr), -2);
}

TEST_F(HierarchyEdges, CallbackFlagsKeepBitOneOnlyAtCreation) {
    OVnode *gl = OVglnode_new(root, draw_nothing, 6);
    ASSERT_NE(gl, nullptr);
    EXPECT_EQ(OVglnode_getflags(gl), 7);
    EXPECT_TRUE(OVglnode_setflags(gl, 4));
    EXPECT_EQ(OVglnode_getflags(gl), 4);
    EXPECT_EQ(OVglnode_new(root, nullptr, 1), nullptr);
    EXPECT_FALSE(OVglnode_replacecallback(gl, nullptr));
    EXPECT_TRUE(OVglnode_replacecallback(gl, draw_nothing));
    EXPECT_EQ(OVglnode_getflags(OVsepnode_new(root)), 0);
}

TEST_F(HierarchyEdges, RangesExactlyFillingTheCapacityAreCopied) {
    OVnode *lod = OVlodnode_new(root);
    ASSERT_TRUE(OVlodnode_setranges(lod, "10 ;20,,30"));
    EXPECT_EQ(OVlodnode_numranges(lod), 3);
    EXPECT_STREQ(OVlodnode_getranges(lod), "10.000000,20.000000,30.000000");
    float out[3] = {0, 0, 0};
    EXPECT_FALSE(OVlodnode_getrange(lod, out, 2));
    ASSERT_TRUE(OVlodnode_getrange(lod, out, 3));
    EXPECT_NEAR(out[0], 10, 1e-4);
    EXPECT_NEAR(out[1], 20, 1e-4);
    EXPECT_NEAR(out[2], 30, 1e-4);
    const float r[] = {1, 2};
    EXPECT_FALSE(OVlodnode_setrange(lod, r, -1));
    EXPECT_EQ(OVlodnode_numranges(lod), 3);
    ASSERT_TRUE(OVlodnode_setrange(lod, nullptr, 2)); // null ranges clear
    EXPECT_EQ(OVlodnode_numranges(lod), 0);
    EXPECT_EQ(OVlodnode_numranges(OVsepnode_new(root)), -1);
}

TEST_F(HierarchyEdges, ANodeFromTheHoldingRootReusesItsPlace) {
    OVnode *loose = named(nullptr, "loose");
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVnode_insertchild(sep, loose, 0));
    EXPECT_EQ(OVnode_numparents(loose), 1);
    EXPECT_EQ(OVnode_getparent(loose, 0), sep);
    ASSERT_TRUE(OVnode_remove(loose));
    EXPECT_EQ(OVnode_numparents(loose), 0);
    EXPECT_EQ(OVnode_numchildren(sep), 0);
    // Still named and findable while it waits.
    EXPECT_EQ(OVuniverse_findnode("loose", 5), loose);
    ASSERT_TRUE(OVnode_addchild(root, loose));
    EXPECT_EQ(OVnode_getparent(loose, 0), root);
}

} // namespace
