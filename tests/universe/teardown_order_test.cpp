// What the teardown has already deleted when the universe's exit callbacks
// run, and the order in which sensors are closed.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> closed;
int open_device(OVsensor *) {
    return 1;
}
void close_device(OVsensor *sensor) {
    closed.emplace_back(OVsensor_getname(sensor));
}

int task_owner = 0;
int idle_task(void *) {
    return 0;
}

struct Seen {
    std::string name;
    bool sensors = true, paths = true, viewpoints = false, task = false;
} seen;

void exit_every() {
    seen.name = OVuniverse_getname();
    seen.sensors = OVuniverse_getsensors() != nullptr;
    seen.paths = OVuniverse_getpaths() != nullptr;
    seen.viewpoints = OVuniverse_getviewpoints() != nullptr;
    seen.task = OVtask_get(&task_owner, 0) != nullptr;
}

TEST(Teardown, SensorsClosedInListOrderBeforeTheExitCallbacks) {
    OVuniverse_new(OVDISPLAY_NONE, 0);
    for (const char *name : {"first", "second", "third"}) {
        OVsensor *s = OVsensor_new(open_device, close_device, nullptr, nullptr, 0, OVSENSOR_DEVICE);
        ASSERT_NE(s, nullptr);
        OVsensor_setname(s, name);
    }
    std::vector<std::string> listed;
    for (OVsensor *s = OVuniverse_getsensors(); s; s = OVsensor_next(s))
        listed.emplace_back(OVsensor_getname(s));
    ASSERT_NE(OVpath_new(nullptr), nullptr);
    ASSERT_NE(OVtask_new(&task_owner, idle_task, 0), nullptr);
    OVuniverse_setname("dock");
    OVuniverse_setexitcallback("", exit_every);
    closed.clear();
    seen = Seen{};
    OVuniverse_delete();
    EXPECT_EQ(closed, listed);
    EXPECT_EQ(seen.name, "dock");
    EXPECT_FALSE(seen.sensors);
    EXPECT_FALSE(seen.paths);
    EXPECT_TRUE(seen.viewpoints);
    EXPECT_TRUE(seen.task);
}

} // namespace
