// Light and fog setters tell their property's handlers the stored value in
// the next event pass, and a refusing pre-handler keeps the old value.
#include "light_fixture.h"

#include "orv/orv_internal.h"
#include "orv/property.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Heard {
    std::string name;
    float first, last; // the first and last value of what was told
};
std::vector<Heard> g_heard;

// How many floats each property tells; "Is Exponential" tells an int.
int floats_of(const char *name) {
    const char *three[] = {"LtPs", "LtDr", "Attenuation", "LtAm", "LtDi", "LtSp"};
    for (const char *p : three)
        if (std::strcmp(name, p) == 0) return 3;
    return std::strcmp(name, "Color") == 0 ? 4 : 1;
}

void hear(void *, const char *name, void *value, double) {
    if (std::strcmp(name, "Is Exponential") == 0) {
        const float mode = static_cast<float>(*static_cast<int *>(value));
        g_heard.push_back({name, mode, mode});
        return;
    }
    const float *v = static_cast<const float *>(value);
    g_heard.push_back({name, v[0], v[floats_of(name) - 1]});
}

int refuse(void *, const char *, double) {
    return 0;
}

const char *const light_properties[] = {"Intensity",   "LtPs", "LtDr", "Angle", "Exponent",
                                        "Attenuation", "LtAm", "LtDi", "LtSp"};
const char *const fog_properties[] = {"Color", "Linear Start", "Range", "Is Exponential"};

class LightEvents : public LightTest {
  protected:
    void SetUp() override {
        LightTest::SetUp();
        g_heard.clear();
        spot = OVlightnode_newspot(parent);
        fog = OVfognode_new(parent);
    }
    template <std::size_t N>
    static void listen(OVnode *node, const char *const (&properties)[N], bool refusing) {
        for (const char *p : properties) {
            EXPECT_TRUE(OVproperty_addhandler(node, p, hear)) << p;
            if (refusing) {
                EXPECT_TRUE(OVproperty_addhandler_pre(node, p, refuse)) << p;
            }
        }
    }
    // Every setter once, each with a value unlike its default.
    int set_all() {
        OVp3 at = {1, 2, 3}, towards = {0, 0, -2};
        return OVlightnode_setintensity(spot, 3) + OVlightnode_setposition(spot, at) +
               OVlightnode_setdirection(spot, towards) + OVlightnode_setangle(spot, 0.5f) +
               OVlightnode_setexponent(spot, 2) + OVlightnode_setattenuation(spot, 2, 0, 0.25f) +
               OVlightnode_setambient(spot, 0.5f, 0, 0.125f) +
               OVlightnode_setdiffuse(spot, 0.25f, 0, 1) +
               OVlightnode_setspecular(spot, 0.75f, 0, 0.5f) +
               OVfognode_setcolor(fog, 0.5f, 0, 0, 0.25f) + OVfognode_setlinearstart(fog, 4) +
               OVfognode_setrange(fog, 40) + OVfognode_setmode(fog, 2);
    }
    OVnode *spot = nullptr, *fog = nullptr;
};

TEST_F(LightEvents, EachSetterTellsItsStoredValue) {
    listen(spot, light_properties, false);
    listen(fog, fog_properties, false);
    ASSERT_EQ(set_all(), 13);
    EXPECT_TRUE(g_heard.empty()); // told in the event pass
    _OVevent_pass();
    const std::vector<Heard> expected = {
        {"Intensity", 1, 1},                      // as stored: clamped
        {"LtPs", 1, 3},          {"LtDr", 0, -1}, // normalised
        {"Angle", 0.5f, 0.5f},   {"Exponent", 2, 2},     {"Attenuation", 2, 0.25f},
        {"LtAm", 0.5f, 0.125f},  {"LtDi", 0.25f, 1},     {"LtSp", 0.75f, 0.5f},
        {"Color", 0.5f, 0.25f},  {"Linear Start", 4, 4}, {"Range", 40, 40},
        {"Is Exponential", 2, 2}};
    ASSERT_EQ(g_heard.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(g_heard[i].name, expected[i].name);
        EXPECT_FLOAT_EQ(g_heard[i].first, expected[i].first) << expected[i].name;
        EXPECT_FLOAT_EQ(g_heard[i].last, expected[i].last) << expected[i].name;
    }
}

TEST_F(LightEvents, RefusedSettersChangeNothing) {
    listen(spot, light_properties, true);
    listen(fog, fog_properties, true);
    EXPECT_EQ(set_all(), 0);
    _OVevent_pass();
    EXPECT_TRUE(g_heard.empty());
    EXPECT_FLOAT_EQ(OVlightnode_getintensity(spot), 1);
    OVp3 v;
    OVlightnode_getposition(spot, v);
    EXPECT_P3_NEAR(v, 0, 0, 0);
    OVlightnode_getdirection(spot, v);
    EXPECT_P3_NEAR(v, 0, 0, 1);
    EXPECT_FLOAT_EQ(OVlightnode_getangle(spot), 0.3926991f);
    EXPECT_FLOAT_EQ(OVlightnode_getexponent(spot), 0);
    OVlightnode_getattenuation2(spot, v);
    EXPECT_P3_NEAR(v, 1, 0, 0);
    OVlightnode_getambient2(spot, v);
    EXPECT_P3_NEAR(v, 0, 0, 0);
    OVlightnode_getdiffuse2(spot, v);
    EXPECT_P3_NEAR(v, 1, 1, 1);
    OVlightnode_getspecular2(spot, v);
    EXPECT_P3_NEAR(v, 1, 1, 1);
    float rgba[4] = {9, 9, 9, 9};
    OVfognode_getcolor2(fog, rgba);
    EXPECT_EQ(rgba[0] + rgba[1] + rgba[2] + rgba[3], 0);
    EXPECT_FLOAT_EQ(OVfognode_getlinearstart(fog), 0);
    EXPECT_FLOAT_EQ(OVfognode_getrange(fog), 0);
    EXPECT_EQ(OVfognode_getmode(fog), 0);
}

} // namespace
