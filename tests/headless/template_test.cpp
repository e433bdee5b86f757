// The porting template as it stands: no display yet, so display set-up
// reports its failure, and the universe, scene and loop run without windows.
#include "universe/universe_fixture.h"

#include <cstdlib>
#include <cstring>

namespace {

void step_clock() {
    orvtest::clock_now += 20;
}

TEST(Template, RunsTheLoopWithoutWindowsAndSaysWhy) {
    const char *platform = std::getenv("ORV_PLATFORM");
    ASSERT_TRUE(platform && std::strcmp(platform, "template") == 0);
    orvtest::clock_now = 1000;
    _OVclock_settest(orvtest::test_clock);
    orvtest::messages.clear();
    OVmessage_sethook(orvtest::record);
    OVuniverse_new(0, 0);
    EXPECT_NE(orvtest::messages.find("Could not create base window\n"), std::string::npos);
    EXPECT_EQ(OVwindow_new(0, 0, 64, 48, 0), nullptr);
    OVnode *group = OVgroupnode_new(OVuniverse_getrootnodes());
    EXPECT_NE(group, nullptr);
    OVuniverse_setactions(step_clock);
    for (int i = 0; i < 3; ++i)
        OVuniverse_go1();
    EXPECT_EQ(OVuniverse_framecount(), 3u);
    OVuniverse_delete();
    OVmessage_sethook(nullptr);
    _OVclock_settest(nullptr);
}

} // namespace
