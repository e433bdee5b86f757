// Every universe call made while no universe exists gives a neutral result
// and touches nothing.
#include "orv/orv.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string heard;
int hear(const char *text) {
    heard += text;
    return 0;
}
void nothing() {}

TEST(NoUniverse, QueriesAreNeutral) {
    OVuniverse_delete();
    heard.clear();
    OVmessage_sethook(hear);
    EXPECT_EQ(OVuniverse_getname(), nullptr);
    EXPECT_EQ(OVuniverse_setname("castle"), 0);
    EXPECT_EQ(OVuniverse_getviewpoint(), nullptr);
    EXPECT_EQ(OVuniverse_getviewpoints(), nullptr);
    EXPECT_EQ(OVuniverse_findviewpoint("a", 1), nullptr);
    EXPECT_EQ(OVuniverse_getsensors(), nullptr);
    EXPECT_EQ(OVuniverse_findsensor("a", 1), nullptr);
    EXPECT_EQ(OVuniverse_getpaths(), nullptr);
    EXPECT_EQ(OVuniverse_findpath("a", 1), nullptr);
    EXPECT_EQ(OVuniverse_findwindow("a", 1), nullptr);
    EXPECT_EQ(OVuniverse_findnode("a", 1), nullptr);
    EXPECT_EQ(OVuniverse_framecount(), 0u);
    EXPECT_EQ(OVuniverse_framerate(), 0.0f);
    EXPECT_EQ(OVuniverse_recentframerate(30), OVuniverse_framerate());
    EXPECT_EQ(OVuniverse_recentframerate(0), -1.0f);
    EXPECT_EQ(OVuniverse_getradius(), 0.0f);
    EXPECT_EQ(OVuniverse_load("anything", nullptr, 1.0f), 0);
    EXPECT_EQ(OVuniverse_save("anything.nff", 2), 0);
    EXPECT_EQ(OVuniverse_getoption(1), -1);
    OVmessage_sethook(nullptr);
}

TEST(NoUniverse, SettersAndTheLoopDoNothing) {
    OVuniverse_delete();
    OVuniverse_setactions(nothing);
    const short order[] = {4, 3, 2, 1};
    OVuniverse_seteventorder(4, order);
    OVuniverse_setbgrgb(1, 2, 3);
    OVuniverse_setbgcolor(0xABC);
    OVuniverse_setoverlaycolor(0, 0, 0);
    OVuniverse_setrendering(0x80);
    OVuniverse_setportals(0);
    OVuniverse_resettime();
    OVuniverse_resetframecount();
    OVuniverse_setviewpoint(nullptr);
    OVuniverse_stop();
    OVuniverse_go();
    OVuniverse_go1();
    OVp3 mid = {7, 7, 7};
    OVuniverse_getmidpoint(mid);
    OVp3 ext[2] = {{7, 7, 7}, {7, 7, 7}};
    OVuniverse_getextents(ext);
    // A universe made afterwards starts from its own defaults.
    OVuniverse_new(OVDISPLAY_NONE, 0);
    EXPECT_EQ(OVuniverse_getrendering(), 13);
    EXPECT_EQ(OVuniverse_getportals(), 1);
    EXPECT_EQ(OVuniverse_getbgcolor(), 0x00F);
    const short *now = OVuniverse_geteventorder();
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now[0], 4);
    EXPECT_EQ(now[1], 1);
    EXPECT_EQ(now[4], 4);
    OVuniverse_delete();
}

} // namespace
