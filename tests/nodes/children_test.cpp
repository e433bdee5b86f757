#include "orv/orv.h"
#include "nodes/scene_fixture.h"
#include "scene/node_record.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Children : public SceneTest {
  protected:
    OVnode *named(OVnode *parent, const char *name) {
        OVnode *n = OVgroupnode_new(parent);
        OVnode_setname(n, name);
        return n;
    }
};

void hear_text(void *, const char *name, void *value, double) {
    Children::heard.push_back(std::string(name) + "=" +
                              (value ? static_cast<const char *>(value) : "(null)"));
}

TEST_F(Children, SetChildrenSkipsUnknownNamesAndFiresOnce) {
    OVnode *a = named(nullptr, "a"), *c = named(nullptr, "c");
    OVnode *sep = OVsepnode_new(root);
    OVnode *old = named(sep, "old");
    ASSERT_TRUE(OVproperty_addhandler(sep, "Children", hear_text));
    ASSERT_TRUE(OVnode_setchildren(sep, "a, b;c"));
    EXPECT_EQ(OVnode_numchildren(sep), 2);
    EXPECT_EQ(OVnode_getchild(sep, 0), a);
    EXPECT_EQ(OVnode_getchild(sep, 1), c);
    EXPECT_EQ(OVnode_numparents(old), 0); // back in the holding root
    EXPECT_STREQ(OVnode_getchildren(sep), "a,c");
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"Children=a,c"});
    ASSERT_TRUE(OVnode_setchildren(sep, nullptr));
    EXPECT_EQ(OVnode_numchildren(sep), 0);
    EXPECT_FALSE(OVnode_setchildren(OVxformnode_new(root), "a"));
}

TEST_F(Children, ChildNamesWithoutHandlersAreCurrent) {
    OVnode *sep = OVsepnode_new(root);
    named(sep, "x");
    OVgroupnode_new(sep);
    named(sep, "z");
    EXPECT_STREQ(OVnode_getchildren(sep), "x,,z");
    OVnode_removechild(sep, 1);
    EXPECT_STREQ(OVnode_getchildren(sep), "x,z");
    EXPECT_EQ(OVnode_getchildren(OVxformnode_new(root)), nullptr);
}

TEST_F(Children, ReorderRebuildsTheList) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *n[3] = {named(sep, "p"), named(sep, "q"), named(sep, "r")};
    const int order[] = {2, 0, 1};
    ASSERT_TRUE(OVsepnode_reorder(sep, order, 3));
    EXPECT_EQ(OVnode_getchild(sep, 0), n[2]);
    EXPECT_EQ(OVnode_getchild(sep, 1), n[0]);
    EXPECT_EQ(OVnode_getchild(sep, 2), n[1]);
    EXPECT_STREQ(OVnode_getchildren(sep), "r,p,q");
    EXPECT_FALSE(OVsepnode_reorder(sep, order, 2));
    const int repeated[] = {0, 0, 1};
    EXPECT_FALSE(OVsepnode_reorder(sep, repeated, 3));
    EXPECT_EQ(OVnode_getchild(sep, 0), n[2]);
    EXPECT_FALSE(OVsepnode_reorder(OVgroupnode_new(root), order, 0));
    EXPECT_FALSE(OVsepnode_reorder(OVmovsepnode_new(root), order, 2));
}

TEST_F(Children, ReorderRefusesMoreThan64Children) {
    OVnode *sep = OVsepnode_new(root);
    std::vector<int> order;
    for (int i = 0; i < 65; ++i) {
        OVgroupnode_new(sep);
        order.push_back(64 - i);
    }
    EXPECT_FALSE(OVsepnode_reorder(sep, order.data(), 65));
    OVnode_removechild(sep, 0);
    order.erase(order.begin());
    ASSERT_TRUE(OVsepnode_reorder(sep, order.data(), 64));
}

TEST_F(Children, MovableSeparatorChildrenAndParents) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *inner = OVgroupnode_new(m);
    OVnode *second = OVgroupnode_new(nullptr);
    ASSERT_TRUE(OVnode_insertchild(m, second, 0));
    EXPECT_EQ(OVnode_numchildren(m), 2);
    EXPECT_EQ(OVnode_getchild(m, 0), second);
    EXPECT_EQ(OVnode_getparent(inner, 0), m);
    EXPECT_EQ(OVnode_getparent(second, 0), m);
    EXPECT_EQ(OVnode_getparent(m, 0), root);
    // The content and the Xform show the movable as their parent too.
    EXPECT_EQ(OVnode_getparent(orv::scene::first_child(m)->child, 0), m);
    EXPECT_EQ(OVnode_getparent(orv::scene::first_child(m)->next_sibling->child, 0), m);
    EXPECT_TRUE(OVnode_removechild(m, 0));
    EXPECT_EQ(OVnode_getchild(m, 0), inner);
}

TEST_F(Children, AttachmentGroupsAreMadeAndDissolved) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVnode *m = OVmovgeometrynode_new(root, g);
    OVnode *content = orv::scene::first_child(m)->next_sibling->child;
    ASSERT_TRUE(OVproperty_addhandler(m, "MvAt", hear_text));
    OVnode *one = named(nullptr, "one"), *two = named(nullptr, "two");
    EXPECT_EQ(OVmovnode_numattachments(m), 0);
    EXPECT_FALSE(OVmovnode_attach(m, one, 1)); // no group yet: only -1 or 0
    ASSERT_TRUE(OVmovnode_attach(m, one, -1));
    OVnode *group = orv::scene::first_child(m)->next_sibling->child;
    ASSERT_NE(group, content);
    EXPECT_TRUE(group->flags & NODE_ATTACHGROUP);
    EXPECT_EQ(orv::scene::first_child(group)->child, content);
    EXPECT_EQ(content->parent_count, 1);
    EXPECT_EQ(OVnode_getgeometry(m), g); // still resolved to the content
    EXPECT_EQ(OVnode_gettype(m), OVNODE_MGEOMETRY);
    ASSERT_TRUE(OVmovnode_attach(m, two, 0));
    EXPECT_EQ(OVmovnode_numattachments(m), 2);
    EXPECT_EQ(OVmovnode_getattachment(m, 0), two);
    EXPECT_EQ(OVmovnode_getattachment(m, 1), one);
    EXPECT_EQ(OVmovnode_getattachment(m, 2), nullptr);
    EXPECT_EQ(OVnode_getparent(one, 0), m);
    EXPECT_EQ(OVnode_getparent(content, 0), m);
    EXPECT_FALSE(OVmovnode_attach(m, m, -1));  // a cycle
    EXPECT_FALSE(OVmovnode_attach(m, one, 3)); // past the end
    EXPECT_FALSE(OVmovnode_detach(m, -1));     // never the content
    EXPECT_FALSE(OVmovnode_detach(m, 2));
    ASSERT_TRUE(OVmovnode_detach(m, 0));
    EXPECT_EQ(OVnode_numparents(two), 0);
    ASSERT_TRUE(OVmovnode_deleteattachment(m, 0));
    EXPECT_EQ(OVmovnode_numattachments(m), 0);
    EXPECT_EQ(orv::scene::first_child(m)->next_sibling->child, content); // dissolved
    EXPECT_EQ(content->first_parent->parent, m);
    EXPECT_EQ(OVuniverse_findnode("one", 3), nullptr); // deleted
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"MvAt=one", "MvAt=two,one", "MvAt=one", "MvAt="}));
}

TEST_F(Children, AttachmentsCountInTheMovablesBounds) {
    OVnode *m = OVmovsepnode_new(root);
    OVgeometrynode_new(m, OVgeometry_newblock(2, 2, 2, 0));
    OVnode *far = OVsepnode_new(nullptr);
    OVnode *x = OVxformnode_new(far);
    const OVp3 t = {10, 0, 0};
    OVnode_settranslation(x, t);
    OVgeometrynode_new(far, OVgeometry_newblock(2, 2, 2, 0));
    OVp3 mid;
    ASSERT_TRUE(OVnode_getmidpoint(m, mid));
    EXPECT_FLOAT_EQ(mid[0], 0);
    ASSERT_TRUE(OVmovnode_attach(m, far, -1));
    ASSERT_TRUE(OVnode_getmidpoint(m, mid));
    EXPECT_FLOAT_EQ(mid[0], 5);
    ASSERT_TRUE(OVmovnode_detach(m, 0));
    ASSERT_TRUE(OVnode_getmidpoint(m, mid));
    EXPECT_FLOAT_EQ(mid[0], 0);
    OVnode_delete(far);
}

TEST_F(Children, SharedContentKeepsItsOtherAppearances) {
    OVnode *m = OVmovsepnode_new(root);
    OVnode *content = orv::scene::first_child(m)->next_sibling->child;
    OVnode *elsewhere = OVsepnode_new(root);
    ASSERT_TRUE(OVnode_addchild(elsewhere, content));
    ASSERT_TRUE(OVmovnode_attach(m, OVgroupnode_new(nullptr), -1));
    EXPECT_EQ(OVnode_numparents(content), 2);
    EXPECT_EQ(OVnode_getparent(content, 1), elsewhere);
    ASSERT_TRUE(OVmovnode_deleteattachment(m, 0));
    EXPECT_EQ(OVnode_getparent(content, 0), m);
    EXPECT_EQ(OVnode_getparent(content, 1), elsewhere);
    ASSERT_TRUE(OVnode_removechild(elsewhere, 0));
    EXPECT_EQ(OVnode_numparents(content), 1);
    EXPECT_EQ(OVnode_getparent(content, 0), m);
}

} // namespace
