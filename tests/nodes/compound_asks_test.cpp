// Compound hierarchy operations ask each pre-handler once, on the node the
// caller named, and never for their inner steps.
#include "orv/orv_internal.h"
#include "nodes/scene_fixture.h"

#include <string>
#include <vector>

namespace {

using CompoundAsks = SceneTest;

std::vector<std::string> asked;

int allow(void *object, const char *name, double) {
    asked.push_back(std::string(name) + "@" +
                    (OVnode_getname(static_cast<OVnode *>(object))
                         ? OVnode_getname(static_cast<OVnode *>(object))
                         : "?"));
    return 1;
}

OVnode *named(OVnode *parent, const char *name) {
    OVnode *n = OVgroupnode_new(parent);
    OVnode_setname(n, name);
    return n;
}

TEST_F(CompoundAsks, SettingChildrenAsksOnce) {
    asked.clear();
    OVnode *sep = OVsepnode_new(root);
    OVnode_setname(sep, "sep");
    named(sep, "a");
    named(sep, "b");
    named(nullptr, "c");
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "Children", allow));
    ASSERT_TRUE(OVnode_setchildren(sep, "c,a,b"));
    EXPECT_EQ(asked, std::vector<std::string>{"Children@sep"});
    EXPECT_STREQ(OVnode_getchildren(sep), "c,a,b");
}

TEST_F(CompoundAsks, RemovingFromEveryParentAsksEachOnce) {
    asked.clear();
    OVnode *p = OVsepnode_new(root), *q = OVsepnode_new(root);
    OVnode_setname(p, "p");
    OVnode_setname(q, "q");
    OVnode *shared = named(p, "shared");
    ASSERT_TRUE(OVnode_addchild(q, shared));
    ASSERT_TRUE(OVproperty_addhandler_pre(p, "Children", allow));
    ASSERT_TRUE(OVproperty_addhandler_pre(q, "Children", allow));
    ASSERT_TRUE(OVnode_remove(shared));
    EXPECT_EQ(asked, (std::vector<std::string>{"Children@p", "Children@q"}));
}

TEST_F(CompoundAsks, AttachingAsksOnlyForTheAttachments) {
    asked.clear();
    OVnode *m = OVmovsepnode_new(root);
    OVnode_setname(m, "m");
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "MvAt", allow));
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "Children", allow));
    OVnode *a = named(nullptr, "a");
    ASSERT_TRUE(OVmovnode_attach(m, a, -1)); // makes the group
    ASSERT_TRUE(OVmovnode_attach(m, named(nullptr, "b"), 0));
    ASSERT_TRUE(OVmovnode_detach(m, 0));
    ASSERT_TRUE(OVmovnode_detach(m, 0)); // dissolves the group
    EXPECT_EQ(asked, (std::vector<std::string>{"MvAt@m", "MvAt@m", "MvAt@m", "MvAt@m"}));
}

TEST_F(CompoundAsks, InsertingAndRemovingUnderAMovableAskTheMovable) {
    asked.clear();
    OVnode *m = OVmovsepnode_new(root);
    OVnode_setname(m, "m");
    ASSERT_TRUE(OVproperty_addhandler_pre(m, "Children", allow));
    OVnode *a = named(nullptr, "a");
    ASSERT_TRUE(OVnode_insertchild(m, a, 0));
    ASSERT_TRUE(OVnode_removechild(m, 0));
    EXPECT_EQ(asked, (std::vector<std::string>{"Children@m", "Children@m"}));
}

} // namespace
