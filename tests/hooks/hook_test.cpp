// The application's extension hooks, found by name in this program.
#include "orv/input.h"
#include "orv/node.h"
#include "orv/path.h"
#include "orv/sensor.h"
#include "orv/property.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
int created = 0, updates = 0, shutdowns = 0;
std::vector<void *> deleted;
void *stored_name_object = nullptr;
int still_listed = 0; // deleted objects the hook found in the sensor list
} // namespace

extern "C" {
__attribute__((visibility("default"))) void NQnew(void) {
    ++created;
}
__attribute__((visibility("default"))) void NQupdate(void) {
    ++updates;
}
__attribute__((visibility("default"))) void NQdelete(void) {
    ++shutdowns;
}
__attribute__((visibility("default"))) int _OVbase_deleted(void *object) {
    deleted.push_back(object);
    for (OVsensor *s = OVuniverse_getsensors(); s; s = OVsensor_next(s))
        still_listed += s == object;
    return 0;
}
__attribute__((visibility("default"))) int _OVbase_isnamestored(void *object) {
    return object == stored_name_object;
}
}

namespace {

int heard = 0;
void hear(void *, const char *, void *value, double) {
    heard = *static_cast<int *>(value);
}

TEST(Hooks, StartedOnceCalledEveryPassAndAtShutdown) {
    OVuniverse_new(512, 0);
    EXPECT_EQ(created, 1);
    int before = updates;
    OVuniverse_go1();
    OVuniverse_go1();
    EXPECT_EQ(updates, before + 2);

    void *keep = OVbase_new("kept");
    void *other = OVbase_new("other");
    stored_name_object = keep;
    EXPECT_FALSE(OVbase_setname(keep, "renamed"));
    EXPECT_STREQ(OVbase_getname(keep), "kept");
    EXPECT_TRUE(OVbase_setname(other, "renamed"));
    EXPECT_STREQ(OVbase_getname(other), "renamed");

    // A change made in one pass reaches its handler in that pass's event step.
    ASSERT_TRUE(OVbase_addproperty(other, "hits", OVINT));
    ASSERT_TRUE(OVproperty_addhandler(other, "hits", hear));
    int hits = 41;
    ASSERT_TRUE(OVproperty_setraw(other, "hits", &hits));
    EXPECT_EQ(heard, 0);
    OVuniverse_go1();
    EXPECT_EQ(heard, 41);

    OVbase_delete(other);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0], other);
    OVbase_delete(keep);

    // Objects of other classes are named and deleted through their class.
    OVviewpoint *view = OVviewpoint_new();
    OVviewpoint_setname(view, "side");
    EXPECT_STREQ(OVbase_getname(view), "side");
    EXPECT_EQ(OVproperty_gettype(view, "Position"), OVP3);
    OVbase_delete(view);
    EXPECT_EQ(OVuniverse_findviewpoint("side", 0), nullptr);

    OVuniverse_delete();
    EXPECT_EQ(shutdowns, 1);
    OVuniverse_new(512, 0);
    EXPECT_EQ(created, 1);
    OVuniverse_delete();
}

// A deleted node's children go one by one as by OVnode_deletechild(node, 0),
// each with its subtree before the next.
TEST(Hooks, DeletedChildrenGoFirstToLastEachWithItsSubtree) {
    OVuniverse_new(512, 0);
    OVnode *top = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *first = OVsepnode_new(top), *second = OVsepnode_new(top);
    OVnode *a = OVgroupnode_new(first), *b = OVgroupnode_new(first);
    OVnode *c = OVgroupnode_new(second), *d = OVgroupnode_new(second);
    // Kept by another parent: only its edge from the deleted tree goes.
    OVnode *kept = OVgroupnode_new(second);
    OVnode *keeper = OVsepnode_new(OVuniverse_getrootnodes());
    ASSERT_TRUE(OVnode_addchild(keeper, kept));
    deleted.clear();
    OVnode_delete(top);
    EXPECT_EQ(deleted, (std::vector<void *>{top, first, a, b, second, c, d}));
    EXPECT_EQ(OVnode_getparent(kept, 0), keeper);
    EXPECT_EQ(OVnode_numparents(kept), 1);
    OVuniverse_delete();
}

TEST(Hooks, DeletechildTellsOnlyOfNodesThatGo) {
    OVuniverse_new(512, 0);
    OVnode *a = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *b = OVsepnode_new(OVuniverse_getrootnodes());
    OVnode *shared = OVgroupnode_new(a);
    OVnode *below = OVgroupnode_new(shared);
    ASSERT_TRUE(OVnode_addchild(b, shared));
    deleted.clear();
    ASSERT_TRUE(OVnode_deletechild(a, 0)); // only the edge: nothing is deleted
    EXPECT_TRUE(deleted.empty());
    ASSERT_TRUE(OVnode_deletechild(b, 0));
    EXPECT_EQ(deleted, (std::vector<void *>{shared, below}));
    OVuniverse_delete();
}

void no_update(OVsensor *) {}

// The teardown goes sensors, paths, viewpoints, then the nodes: made here in
// the opposite order so that list order cannot pass for it.
TEST(Hooks, TeardownDeletesSensorsPathsViewpointsThenNodes) {
    OVuniverse_new(512, 0);
    OVnode *node = OVsepnode_new(OVuniverse_getrootnodes());
    OVviewpoint *view = OVviewpoint_new();
    OVpath *path = OVpath_new(nullptr);
    OVsensor *sensor = OVsensor_new(nullptr, nullptr, no_update, nullptr, 0, OVSENSOR_NODEVICE);
    ASSERT_TRUE(node && view && path && sensor);
    deleted.clear();
    OVuniverse_delete();
    auto at = [](void *object) { return std::find(deleted.begin(), deleted.end(), object); };
    ASSERT_NE(at(node), deleted.end());
    EXPECT_LT(at(sensor), at(path));
    EXPECT_LT(at(path), at(view));
    EXPECT_LT(at(view), at(node));
}

namespace {
std::string closed_name;
void close_keeps_name(OVsensor *s) {
    closed_name = OVsensor_getname(s) ? OVsensor_getname(s) : "";
}
} // namespace

// A sensor keeps a stored name, and its deletion is told after the sensor
// has closed and left the list.
TEST(Hooks, SensorsHonourTheNameAndDeletionHooks) {
    OVuniverse_new(512, 0);
    OVsensor *sensor = OVsensor_new(OVmouse_open, close_keeps_name, no_update, nullptr, 0, 0);
    ASSERT_NE(sensor, nullptr);
    ASSERT_TRUE(OVsensor_setname(sensor, "glove"));
    stored_name_object = sensor;
    EXPECT_FALSE(OVsensor_setname(sensor, "tracker"));
    EXPECT_FALSE(OVsensor_setname(sensor, nullptr));
    EXPECT_STREQ(OVsensor_getname(sensor), "glove");
    stored_name_object = nullptr;
    deleted.clear();
    still_listed = 0;
    OVsensor_delete(sensor);
    EXPECT_EQ(closed_name, "glove");
    EXPECT_EQ(deleted, (std::vector<void *>{sensor}));
    EXPECT_EQ(still_listed, 0);
    OVuniverse_delete();
}

} // namespace
