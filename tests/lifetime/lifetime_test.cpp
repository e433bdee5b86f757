// Objects deleted from inside their own callbacks: tasks, pre-handlers,
// handlers, callback nodes and window draw functions. The running operation
// stops cleanly, nothing freed is touched, and nothing of the deleted object
// runs again. Run under the sanitizers, a fault here is a use after free.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int runs = 0;     // calls of the counting callbacks
int later = 0;    // calls of callbacks registered after a deleting one
int overlays = 0; // calls of a window's 2D function

int count_task(void *) {
    ++runs;
    return 0;
}

int delete_owner_node_task(void *owner) {
    ++runs;
    OVnode_delete(static_cast<OVnode *>(owner));
    return 0;
}

int pre_delete_node(void *o, const char *, double) {
    ++runs;
    OVnode_delete(static_cast<OVnode *>(o));
    return 1;
}
int pre_delete_sensor(void *o, const char *, double) {
    ++runs;
    OVsensor_delete(static_cast<OVsensor *>(o));
    return 1;
}
int pre_delete_viewpoint(void *o, const char *, double) {
    ++runs;
    OVviewpoint_delete(static_cast<OVviewpoint *>(o));
    return 1;
}
int pre_delete_window(void *o, const char *, double) {
    ++runs;
    OVwindow_delete(static_cast<OVwindow *>(o));
    return 1;
}
int pre_allow(void *, const char *, double) {
    ++later;
    return 1;
}

void delete_node_handler(void *o, const char *, void *, double) {
    ++runs;
    OVnode_delete(static_cast<OVnode *>(o));
}
void count_handler(void *, const char *, void *, double) {
    ++later;
}

void gl_delete_self(OVnode *n) {
    ++runs;
    OVnode_delete(n);
}
void draw_delete_window(OVwindow *w, int) {
    ++runs;
    OVwindow_delete(w);
}
void count_overlay(OVwindow *, int) {
    ++overlays;
}

class Lifetime : public ::testing::Test {
  protected:
    void SetUp() override {
        runs = later = overlays = 0;
        OVuniverse_new(512, 0);
        OVmessage_sethook(quiet);
    }
    void TearDown() override {
        OVmessage_sethook(nullptr);
        OVuniverse_delete();
    }
    static int quiet(const char *) { return 0; }
    static OVnode *block_node(const char *name) {
        OVnode *n =
            OVmovgeometrynode_new(OVuniverse_getrootnodes(), OVgeometry_newblock(1, 1, 1, 0));
        OVnode_setname(n, name);
        return n;
    }
    // A window showing the first root through the universe's viewpoint.
    static OVwindow *scene_window(const char *name) {
        OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
        OVwindow_setname(w, name);
        OVwindow_setviewpoint(w, OVuniverse_getviewpoint());
        OVwindow_setrootnode(w, OVuniverse_getrootnodes());
        return w;
    }
    static bool window_exists(const char *name) {
        return OVuniverse_findwindow(name, static_cast<int>(std::string(name).size())) != nullptr;
    }
    static bool node_exists(const char *name) {
        return OVuniverse_findnode(name, static_cast<int>(std::string(name).size())) != nullptr;
    }
};

TEST_F(Lifetime, TaskOfADeletedNodeNeverRunsAgainAndIsFreed) {
    OVnode *node = block_node("owner");
    ASSERT_NE(OVtask_new(node, count_task, 1), nullptr);
    OVuniverse_go1();
    EXPECT_EQ(runs, 1);
    OVnode_delete(node);
    OVuniverse_go1();
    OVuniverse_go1();
    EXPECT_EQ(runs, 1);
    // Freed in the tasks slot, not left linked for the rest of the session.
    EXPECT_FALSE(OVtask_deleteall(node));
}

TEST_F(Lifetime, TasksOfADeletedSubtreeDieWithIt) {
    OVnode *group = OVgroupnode_new(OVuniverse_getrootnodes());
    OVnode *child = OVgroupnode_new(group);
    OVtask_new(child, count_task, 1);
    OVnode_delete(group);
    OVuniverse_go1();
    EXPECT_EQ(runs, 0);
}

TEST_F(Lifetime, TaskOfADeletedWindowNeverRunsAgain) {
    OVwindow *w = OVwindow_new(0, 0, 32, 32, 0);
    ASSERT_NE(w, nullptr);
    OVtask_new(w, count_task, 1);
    OVuniverse_go1();
    OVwindow_delete(w);
    OVuniverse_go1();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(OVtask_deleteall(w));
}

TEST_F(Lifetime, TaskDeletingItsOwnerRunsOnceAndTheNextTaskStillRuns) {
    OVnode *node = block_node("owner");
    OVtask_new(node, delete_owner_node_task, 1);
    OVtask_new(node, count_task, 2); // dies with the owner before its turn
    OVnode *other = block_node("other");
    OVtask_new(other, count_task, 3);
    OVuniverse_go1();
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(node_exists("owner"));
    OVuniverse_go1();
    EXPECT_EQ(runs, 3);
}

TEST_F(Lifetime, PreHandlerDeletingItsNodeMakesTheSetterFail) {
    OVnode *node = block_node("target");
    OVproperty_addhandler_pre(node, "Translation", pre_delete_node);
    OVproperty_addhandler_pre(node, "Translation", pre_allow);
    const OVp3 p = {1, 2, 3};
    EXPECT_FALSE(OVnode_settranslation(node, p));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(later, 0);
    EXPECT_FALSE(node_exists("target"));
    OVuniverse_go1();
}

TEST_F(Lifetime, PreHandlerDeletingItsNodeThroughPropertySet) {
    OVnode *node = block_node("target");
    OVproperty_addhandler_pre(node, "Enabled", pre_delete_node);
    int on = 0;
    EXPECT_FALSE(OVproperty_setraw(node, "Enabled", &on));
    EXPECT_FALSE(node_exists("target"));
}

TEST_F(Lifetime, PreHandlerDeletingItsSensorMakesTheSetterFail) {
    OVsensor *s = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    ASSERT_NE(s, nullptr);
    OVsensor_setname(s, "doomed");
    OVproperty_addhandler_pre(s, "Translation", pre_delete_sensor);
    const OVp3 p = {1, 2, 3};
    EXPECT_FALSE(OVsensor_settranslation(s, p));
    EXPECT_EQ(OVuniverse_findsensor("doomed", 6), nullptr);
    OVuniverse_go1();
}

TEST_F(Lifetime, PreHandlerDeletingItsViewpointMakesTheSetterFail) {
    OVviewpoint *v = OVviewpoint_new();
    OVviewpoint_setname(v, "doomed");
    OVproperty_addhandler_pre(v, "Position", pre_delete_viewpoint);
    const OVp3 p = {1, 2, 3};
    EXPECT_FALSE(OVviewpoint_setposition(v, p));
    EXPECT_EQ(OVuniverse_findviewpoint("doomed", 6), nullptr);
    OVuniverse_go1();
}

TEST_F(Lifetime, PreHandlerDeletingItsWindowMakesTheSetterFail) {
    OVwindow *w = OVwindow_new(0, 0, 32, 32, 0);
    OVwindow_setname(w, "doomed");
    OVproperty_addhandler_pre(w, "Backgroud color", pre_delete_window);
    EXPECT_FALSE(OVwindow_setbgcolor(w, 0xf00));
    EXPECT_FALSE(window_exists("doomed"));
    OVuniverse_go1();
}

TEST_F(Lifetime, HandlerDeletingItsNodeStopsTheOtherHandlersOfTheEvent) {
    OVnode *node = block_node("target");
    OVproperty_addhandler(node, "Enabled", delete_node_handler);
    OVproperty_addhandler(node, "Enabled", count_handler);
    OVnode_enable(node, 0);
    OVuniverse_go1();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(later, 0);
}

TEST_F(Lifetime, TimedHandlerDeletingItsNodeCancelsItsOtherTimedHandlers) {
    OVnode *node = block_node("target");
    OVevent_addtimed(node, "Enabled", delete_node_handler, 0);
    OVevent_addtimed(node, "Enabled", count_handler, 0);
    OVuniverse_go1();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(later, 0);
    EXPECT_FALSE(node_exists("target"));
}

TEST_F(Lifetime, CallbackNodeDeletingItselfSkipsTheRestOfThatWindowOnly) {
    OVwindow *first = scene_window("first");
    OVwindow *second = scene_window("second");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    OVwindow_setdraw2dfn(first, count_overlay);
    OVwindow_setdraw2dfn(second, count_overlay);
    OVnode *gl = OVglnode_new(OVuniverse_getrootnodes(), gl_delete_self, 0);
    ASSERT_NE(gl, nullptr);
    OVrender_frame();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(overlays, 1); // the first window's overlay was skipped
    OVrender_frame();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(overlays, 3);
}

TEST_F(Lifetime, WindowDeletedByItsOwnDrawFunction) {
    OVwindow *doomed = scene_window("doomed");
    OVwindow *kept = scene_window("kept");
    OVwindow_setdrawfn(doomed, draw_delete_window);
    OVwindow_setdraw2dfn(doomed, count_overlay);
    OVwindow_setdraw2dfn(kept, count_overlay);
    OVuniverse_go1();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(overlays, 1);
    EXPECT_FALSE(window_exists("doomed"));
    EXPECT_TRUE(window_exists("kept"));
    OVuniverse_go1();
    EXPECT_EQ(overlays, 2);
}

TEST_F(Lifetime, WindowDeletedByItsOwn2DFunction) {
    OVwindow *doomed = scene_window("doomed");
    OVwindow_setdraw2dfn(doomed, draw_delete_window);
    OVuniverse_go1();
    OVuniverse_go1();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(window_exists("doomed"));
}

TEST_F(Lifetime, StereoWindowDeletedByItsDrawFunctionDrawsNoSecondEye) {
    for (int flags : {OVWINDOW_STEREO | OVWINDOW_NOSTEREOBUFFERS, int{OVWINDOW_COLORSTEREO}}) {
        runs = 0;
        OVwindow *doomed = OVwindow_new(0, 0, 64, 48, flags);
        ASSERT_NE(doomed, nullptr);
        OVwindow_setviewpoint(doomed, OVuniverse_getviewpoint());
        OVwindow_setdrawfn(doomed, draw_delete_window);
        OVuniverse_go1();
        EXPECT_EQ(runs, 1) << flags;
    }
}

TEST_F(Lifetime, WindowWithoutViewpointDeletedByIts2DFunction) {
    OVwindow *doomed = OVwindow_new(0, 0, 32, 32, 0);
    OVwindow_setname(doomed, "doomed");
    OVwindow_setviewpoint(doomed, nullptr);
    OVwindow_setdraw2dfn(doomed, draw_delete_window);
    OVuniverse_go1();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(window_exists("doomed"));
}

} // namespace
