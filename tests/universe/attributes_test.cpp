#include "universe_fixture.h"

#include "state/universe_state.h"

#include <cstdint>
#include <cstring>

using orvtest::messages;
using orvtest::UniverseTest;

namespace {

using Attributes = UniverseTest;

TEST(Lifecycle, BannerDefaultsAndASecondUniverse) {
    OVuniverse_delete(); // nothing to delete: nothing happens
    orvtest::messages.clear();
    OVmessage_sethook(orvtest::record);
    OVuniverse_new(512, 0);
    OVmessage_sethook(nullptr);
    // The banner comes first; the window system and the event start may follow.
    EXPECT_EQ(orvtest::messages.rfind("\n\nOrvane Release 9 (Aug 18 1999)\n\n", 0), 0u);
    EXPECT_STREQ(OVuniverse_getname(), "untitled");
    EXPECT_EQ(OVuniverse_getrendering(), 13);
    EXPECT_EQ(OVuniverse_getportals(), 1);
    int r, g, b;
    OVuniverse_getbgrgb(&r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 255);
    EXPECT_EQ(OVuniverse_framecount(), 0u);
    OVuniverse_go1();
    OVuniverse_delete();
    EXPECT_EQ(OVuniverse_getname(), nullptr);
    OVuniverse_new(512, 0);
    EXPECT_EQ(OVuniverse_framecount(), 0u);
    OVuniverse_go1();
    EXPECT_EQ(OVuniverse_framecount(), 1u);
    OVuniverse_delete();
}

// What creation copies from the configuration and the record's other
// starting values, as the renderer and viewpoints read them.
TEST_F(Attributes, CreationDefaultsOfTheRecord) {
    float intensity = 0;
    std::uint8_t ambient[3] = {};
    orv::universe_ambient(&intensity, ambient);
    EXPECT_FLOAT_EQ(intensity, 0.4f);
    EXPECT_EQ(ambient[0], 255);
    EXPECT_EQ(ambient[1], 255);
    EXPECT_EQ(ambient[2], 255);
    float overlay[3] = {};
    orv::universe_overlay(overlay);
    EXPECT_EQ(overlay[0], 1.0f);
    EXPECT_EQ(overlay[1], 1.0f);
    EXPECT_EQ(overlay[2], 1.0f);
    OVuniverse_setoverlaycolor(0.5f, 0.25f, 0.0f);
    orv::universe_overlay(overlay);
    EXPECT_EQ(overlay[0], 0.5f);
    EXPECT_EQ(overlay[1], 0.25f);
    EXPECT_EQ(overlay[2], 0.0f);
    const OVaxismap *map = orv::universe_axismap();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->count, 0);
    EXPECT_EQ(map->rotation[3], 1.0f);
    const OVpq *placement = orv::universe_placement();
    ASSERT_NE(placement, nullptr);
    EXPECT_EQ(placement->p[0], 0.0f);
    EXPECT_EQ(placement->q[3], 1.0f);
    EXPECT_NE(OVuniverse_getrootnodes(), nullptr);
    EXPECT_EQ(OVuniverse_getviewpoint(), OVuniverse_getviewpoints());
    EXPECT_EQ(OVuniverse_time(), 0.0f);
    EXPECT_EQ(OVuniverse_framerate(), 0.0f);
}

TEST_F(Attributes, OptionDefaultsAndInversion) {
    const int defaults[17] = {0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0};
    for (int option = 1; option <= 17; ++option)
        EXPECT_EQ(OVuniverse_getoption(option), defaults[option - 1]) << option;
    EXPECT_EQ(OVuniverse_setoption(6, 1), 1);
    EXPECT_EQ(OVuniverse_getoption(6), 1);
    OVuniverse_setoption(6, 0);
    EXPECT_EQ(OVuniverse_getoption(6), 0);
    OVuniverse_setoption(12, 1);
    EXPECT_EQ(OVuniverse_getoption(12), 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Attributes, UnknownOptions) {
    EXPECT_EQ(OVuniverse_setoption(18, 1), 0);
    EXPECT_EQ(OVuniverse_setoption(0, 1), 0);
    EXPECT_EQ(messages, "ORV Warning: Specified option: 18 is not available.\n"
                        "ORV Warning: Specified option: 0 is not available.\n");
    EXPECT_EQ(OVuniverse_getoption(18), -1);
    EXPECT_EQ(OVuniverse_getoption(0), -1);
}

TEST(Options, WithoutAUniverse) {
    orvtest::messages.clear();
    OVmessage_sethook(orvtest::record);
    EXPECT_EQ(OVuniverse_setoption(1, 1), 0);
    OVmessage_sethook(nullptr);
    EXPECT_EQ(orvtest::messages,
              "ORV Warning: Must call OVuniverse_new before calling OVuniverse_setoption.\n");
    EXPECT_EQ(OVuniverse_getoption(1), -1);
}

TEST_F(Attributes, NamesRefusedAndNormalised) {
    EXPECT_EQ(OVuniverse_setname("C:\\worlds\\city/old.town.nff"), 1);
    EXPECT_STREQ(OVuniverse_getname(), "old.town"); // the cut is at the last dot
    EXPECT_EQ(OVuniverse_setname("two words"), 0);
    EXPECT_EQ(OVuniverse_setname(""), 0);
    EXPECT_EQ(OVuniverse_setname(nullptr), 0);
    EXPECT_STREQ(OVuniverse_getname(), "old.town");
}

TEST_F(Attributes, BackgroundColours) {
    OVuniverse_setbgcolor(0xF80);
    int r, g, b;
    OVuniverse_getbgrgb(&r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 136);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(OVuniverse_getbgcolor(), 0xF80);
    OVuniverse_setbgrgb(0x1AB, 0x12, 0x3F);
    OVuniverse_getbgrgb(&r, &g, &b);
    EXPECT_EQ(r, 0xAB);
    EXPECT_EQ(g, 0x12);
    EXPECT_EQ(b, 0x3F);
    EXPECT_EQ(OVuniverse_getbgcolor(), 0xA13);
}

TEST_F(Attributes, RenderingFlags) {
    OVuniverse_setrendering(7);
    EXPECT_EQ(OVuniverse_getrendering(), 7);
    OVuniverse_setrendering(0x80 | 0x10 | 0x05);
    EXPECT_EQ(OVuniverse_getrendering(), 0x90);
    OVuniverse_setrendering(0x80 | 0x05);
    EXPECT_EQ(OVuniverse_getrendering(), 0x80);
}

TEST_F(Attributes, PortalsSwitch) {
    OVuniverse_setportals(0);
    EXPECT_EQ(OVuniverse_getportals(), 0);
    OVuniverse_setportals(5);
    EXPECT_EQ(OVuniverse_getportals(), 1);
}

TEST_F(Attributes, EmptySceneHasZeroBounds) {
    EXPECT_EQ(OVuniverse_getradius(), 0.0f);
    OVp3 mid = {9, 9, 9};
    OVuniverse_getmidpoint(mid);
    EXPECT_EQ(mid[0], 0.0f);
    EXPECT_EQ(mid[2], 0.0f);
    OVp3 ext[2] = {{9, 9, 9}, {9, 9, 9}};
    OVuniverse_getextents(ext);
    EXPECT_EQ(ext[0][1], 0.0f);
    EXPECT_EQ(ext[1][1], 0.0f);
}

TEST_F(Attributes, AxisMapRefusesIndicesOutsideTheAxes) {
    const int from[] = {0, 3}, to[] = {1, 0};
    const unsigned char negate[] = {0, 1};
    OVuniverse_setaxismap(2, from, to, negate);
    OVuniverse_setaxismap(4, from, to, negate);
    EXPECT_EQ(messages, "ORV Warning: Invalid axis map passed to OVuniverse_setaxismap.\n"
                        "ORV Warning: Invalid axis map passed to OVuniverse_setaxismap.\n");
    const int good_from[] = {1, 2}, good_to[] = {2, 1};
    OVuniverse_setaxismap(2, good_from, good_to, negate);
    EXPECT_EQ(messages.size(), 2 * std::strlen("ORV Warning: Invalid axis map passed to "
                                               "OVuniverse_setaxismap.\n"));
}

// Every option keeps the value it was given and reads it back, option 6
// included (its byte is stored inverted but read as given).
TEST_F(Attributes, EveryOptionReadsBackWhatWasSet) {
    for (int option = 1; option <= 17; ++option) {
        EXPECT_EQ(OVuniverse_setoption(option, 1), 1) << option;
        EXPECT_EQ(OVuniverse_getoption(option), 1) << option;
        EXPECT_EQ(OVuniverse_setoption(option, 0), 1) << option;
        EXPECT_EQ(OVuniverse_getoption(option), 0) << option;
    }
    EXPECT_EQ(orv::universe_config()->options[5], 1); // option 6 cleared: stored byte 1
    OVuniverse_setoption(6, 1);
    EXPECT_EQ(orv::universe_config()->options[5], 0);
    EXPECT_TRUE(messages.empty()) << messages;
}

TEST_F(Attributes, NegativeOptionNumbersAreUnknown) {
    EXPECT_EQ(OVuniverse_setoption(-1, 1), 0);
    EXPECT_EQ(messages, "ORV Warning: Specified option: -1 is not available.\n");
    EXPECT_EQ(OVuniverse_getoption(-1), -1);
    // Nothing of the known options changed.
    EXPECT_EQ(OVuniverse_getoption(7), 1);
    EXPECT_EQ(OVuniverse_getoption(1), 0);
}

// Without the wireframe bit the value is kept as given; with it only 0x80 or
// 0x90 remain.
TEST_F(Attributes, RenderingFlagsKeptOrReducedToWireframe) {
    OVuniverse_setrendering(0x10);
    EXPECT_EQ(OVuniverse_getrendering(), 0x10);
    OVuniverse_setrendering(0);
    EXPECT_EQ(OVuniverse_getrendering(), 0);
    OVuniverse_setrendering(0x7F);
    EXPECT_EQ(OVuniverse_getrendering(), 0x7F);
    OVuniverse_setrendering(0xFF);
    EXPECT_EQ(OVuniverse_getrendering(), 0x90);
    OVuniverse_setrendering(0x90);
    EXPECT_EQ(OVuniverse_getrendering(), 0x90);
    OVuniverse_setrendering(0x80);
    EXPECT_EQ(OVuniverse_getrendering(), 0x80);
    OVuniverse_setrendering(13);
    EXPECT_EQ(OVuniverse_getrendering(), 13);
}

// The twelve-bit colour widens by repeating each digit and narrows to the
// high digit of each byte.
TEST_F(Attributes, TwelveBitColoursWidenAndNarrow) {
    const struct {
        int set;
        int r, g, b, back;
    } cases[] = {{0x000, 0, 0, 0, 0x000},
                 {0xFFF, 255, 255, 255, 0xFFF},
                 {0x123, 0x11, 0x22, 0x33, 0x123},
                 {0x0F0, 0, 255, 0, 0x0F0}};
    for (const auto &c : cases) {
        OVuniverse_setbgcolor(c.set);
        int r, g, b;
        OVuniverse_getbgrgb(&r, &g, &b);
        EXPECT_EQ(r, c.r) << c.set;
        EXPECT_EQ(g, c.g) << c.set;
        EXPECT_EQ(b, c.b) << c.set;
        EXPECT_EQ(OVuniverse_getbgcolor(), c.back) << c.set;
    }
    OVuniverse_setbgrgb(0x0F, 0xF0, 0x88);
    EXPECT_EQ(OVuniverse_getbgcolor(), 0x0F8);
}

} // namespace

namespace {

TEST(Lifecycle, SecondNewWhileOneExistsIsRefused) {
    OVuniverse_new(512, 0);
    OVuniverse_setname("first");
    orvtest::messages.clear();
    OVmessage_sethook(orvtest::record);
    OVuniverse_new(512, 0);
    OVmessage_sethook(nullptr);
    EXPECT_EQ(orvtest::messages, "ORV Warning: OVuniverse_new called while a universe exists; "
                                 "call OVuniverse_delete first.\n");
    EXPECT_STREQ(OVuniverse_getname(), "first");
    OVuniverse_delete();
}

void delete_from_action() {
    OVuniverse_delete();
}

void delete_from_sensor(OVsensor *) {
    OVuniverse_delete();
}

TEST(Lifecycle, SensorDriverMayDeleteTheUniverse) {
    OVuniverse_new(512, 0);
    ASSERT_NE(OVsensor_new(nullptr, nullptr, delete_from_sensor, nullptr, 0, OVSENSOR_NODEVICE),
              nullptr);
    OVuniverse_go();
    EXPECT_EQ(OVuniverse_getname(), nullptr);
}

TEST(Lifecycle, ActionMayDeleteTheUniverse) {
    OVuniverse_new(512, 0);
    OVuniverse_setactions(delete_from_action);
    OVuniverse_go();
    EXPECT_EQ(OVuniverse_getname(), nullptr);
    OVuniverse_go1(); // no universe: nothing happens
}

} // namespace
