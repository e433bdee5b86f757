// Handlers that change the registries or delete their object while the event
// pass delivers: later events and handlers see the change, nothing freed is
// called or read.
#include "nodes/scene_fixture.h"
#include "orv/orv.h"
#include "orv/orv_internal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The fixture clears it for every test.
std::vector<std::string> &heard = SceneTest::heard;
OVnode *g_victim = nullptr;

void hear(void *, const char *name, void *, double) {
    heard.emplace_back(name);
}

void hear_other(void *, const char *name, void *, double) {
    heard.emplace_back(std::string("other ") + name);
}

void remove_other(void *object, const char *name, void *, double) {
    heard.emplace_back(std::string("remove ") + name);
    OVproperty_removehandler(object, name, hear_other);
}

void remove_self(void *object, const char *name, void *, double) {
    heard.emplace_back(std::string("self ") + name);
    OVproperty_removehandler(object, name, remove_self);
}

int refuse(void *, const char *, double) {
    heard.emplace_back("refused");
    return 0;
}

int lift_refusal(void *object, const char *name, double) {
    heard.emplace_back("lift");
    OVproperty_removehandler_pre(object, name, refuse);
    return 1;
}

void delete_object(void *object, const char *name, void *, double) {
    heard.emplace_back(std::string("delete ") + name);
    OVnode_delete(static_cast<OVnode *>(object));
}

void delete_victim(void *, const char *name, void *, double) {
    heard.emplace_back(std::string("victim ") + name);
    OVnode_delete(g_victim);
}

class ReentrantHandlers : public SceneTest {};

TEST_F(ReentrantHandlers, AHandlerRemovingALaterOneStopsItsCalls) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", remove_other));
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear_other));
    ASSERT_TRUE(OVnode_enable(sep, 0));
    ASSERT_TRUE(OVnode_enable(sep, 1));
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"remove Enabled", "remove Enabled"}));
    EXPECT_EQ(OVproperty_numhandlers(sep, "Enabled"), 1);
}

TEST_F(ReentrantHandlers, APreHandlerRemovingALaterOneLetsTheChangeThrough) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "Enabled", lift_refusal));
    ASSERT_TRUE(OVproperty_addhandler_pre(sep, "Enabled", refuse));
    EXPECT_TRUE(OVnode_enable(sep, 0));
    EXPECT_EQ(OVnode_isenabled(sep), 0);
    EXPECT_EQ(heard, std::vector<std::string>{"lift"});
}

TEST_F(ReentrantHandlers, AHandlerRemovingItselfIsCalledOnce) {
    OVnode *sep = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", remove_self));
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    ASSERT_TRUE(OVnode_enable(sep, 0));
    ASSERT_TRUE(OVnode_enable(sep, 1));
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"self Enabled", "Enabled", "Enabled"}));
}

TEST_F(ReentrantHandlers, AnObjectDeletedByItsHandlerHearsNoMore) {
    OVnode *sep = OVsepnode_new(root);
    OVnode *kept = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", delete_object));
    ASSERT_TRUE(OVproperty_addhandler(sep, "Enabled", hear));
    ASSERT_TRUE(OVproperty_addhandler(sep, "SeCu", hear));
    ASSERT_TRUE(OVproperty_addhandler(kept, "SeCu", hear_other));
    ASSERT_TRUE(OVnode_enable(sep, 0));
    ASSERT_TRUE(OVsepnode_setcullmode(sep, 1));
    ASSERT_TRUE(OVsepnode_setcullmode(kept, 2));
    _OVevent_pass();
    EXPECT_EQ(heard, (std::vector<std::string>{"delete Enabled", "other SeCu"}));
    EXPECT_EQ(OVnode_numchildren(root), 1);
}

TEST_F(ReentrantHandlers, AHandlerDeletingAnotherObjectDropsItsEvents) {
    OVnode *first = OVsepnode_new(root);
    g_victim = OVsepnode_new(root);
    ASSERT_TRUE(OVproperty_addhandler(first, "Enabled", delete_victim));
    ASSERT_TRUE(OVproperty_addhandler(g_victim, "Enabled", hear));
    ASSERT_TRUE(OVnode_enable(first, 0));
    ASSERT_TRUE(OVnode_enable(g_victim, 0));
    _OVevent_pass();
    EXPECT_EQ(heard, std::vector<std::string>{"victim Enabled"});
    EXPECT_EQ(OVnode_numchildren(root), 1);
}

} // namespace
