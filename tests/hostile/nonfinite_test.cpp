// Setters of positions, orientations, distances, angles and scales refuse
// NaN and infinity and leave the state as it was: one test per family of
// objects, and every setter with a getter checked through the generated table.
#include "hostile/hostile_args.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

class NonFinite : public ::testing::Test {
  protected:
    void SetUp() override { hostile::start_world(); }
    void TearDown() override { hostile::end_world(); }
    static OVnode *root() { return OVuniverse_getrootnodes(); }
};

TEST_F(NonFinite, NodeTransformsAreRefusedAndKept) {
    OVnode *node = OVmovsepnode_new(root());
    const OVp3 at = {1, 2, 3};
    ASSERT_TRUE(OVnode_settranslation(node, at));
    OVm4 before, after;
    OVnode_gettransform(node, before);
    const OVp3 bad = {nan, 0, 0};
    EXPECT_FALSE(OVnode_settranslation(node, bad));
    EXPECT_FALSE(OVnode_translate(node, bad, 0));
    const OVq turn = {0, inf, 0, 1};
    EXPECT_FALSE(OVnode_setorientation(node, turn));
    EXPECT_FALSE(OVnode_rotateq(node, turn, 3));
    EXPECT_FALSE(OVnode_rotate(node, 0, nan, 0, 0));
    EXPECT_FALSE(OVnode_rotateaxis(node, 1, -inf, 3));
    OVm4 m = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, inf, 1}};
    EXPECT_FALSE(OVnode_settransform(node, m));
    // Finite steps whose sum overflows are refused too.
    const OVp3 far = {3e38f, 0, 0};
    EXPECT_TRUE(OVnode_translate(node, far, 3));
    OVnode_gettransform(node, before);
    EXPECT_FALSE(OVnode_translate(node, far, 3));
    OVnode_gettransform(node, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    EXPECT_TRUE(std::isfinite(after[3][0]));
}

TEST_F(NonFinite, ViewpointDistancesAndPosesAreRefusedAndKept) {
    OVviewpoint *v = OVuniverse_getviewpoint();
    OVviewpoint_sethither(v, 0.5f);
    OVviewpoint_setyon(v, 500);
    OVviewpoint_sethither(v, nan);
    OVviewpoint_setyon(v, inf);
    EXPECT_EQ(OVviewpoint_gethither(v), 0.5f);
    EXPECT_EQ(OVviewpoint_getyon(v), 500);
    const OVpq pose = {{nan, 0, 0}, {0, 0, 0, 1}};
    OVviewpoint_setpositionorientation(v, &pose);
    const OVp3 step = {0, -inf, 0};
    OVviewpoint_translate(v, step, 1);
    OVp3 position;
    OVviewpoint_getposition(v, position);
    EXPECT_TRUE(std::isfinite(position[0]) && std::isfinite(position[1]));
    EXPECT_FALSE(OVviewpoint_setparallax(v, inf));
    EXPECT_FALSE(OVviewpoint_setconvergencedist(v, nan));
    EXPECT_TRUE(std::isfinite(OVviewpoint_getconvergencedist(v)));
}

TEST_F(NonFinite, LightAndFogValuesAreRefusedAndKept) {
    OVnode *spot = OVlightnode_newspot(root());
    ASSERT_TRUE(OVlightnode_setintensity(spot, 0.5f));
    EXPECT_FALSE(OVlightnode_setintensity(spot, nan));
    EXPECT_EQ(OVlightnode_getintensity(spot), 0.5f);
    // Infinity passed the range checks of attenuation before.
    ASSERT_TRUE(OVlightnode_setattenuation(spot, 1, 0, 0));
    EXPECT_FALSE(OVlightnode_setattenuation(spot, inf, 0, 0));
    float c = 0, l = 0, q = 0;
    OVlightnode_getattenuation(spot, &c, &l, &q);
    EXPECT_EQ(c, 1);
    EXPECT_FALSE(OVlightnode_setdiffuse(spot, nan, 1, 1));
    OVp3 direction = {0, nan, 1};
    EXPECT_FALSE(OVlightnode_setdirection(spot, direction));
    OVnode *fog = OVfognode_new(root());
    ASSERT_TRUE(OVfognode_setrange(fog, 10));
    EXPECT_FALSE(OVfognode_setrange(fog, inf));
    EXPECT_FALSE(OVfognode_setcolor(fog, 0, 0, nan, 1));
    EXPECT_EQ(OVfognode_getrange(fog), 10);
}

TEST_F(NonFinite, SensorRecordsAreRefusedAndKept) {
    OVsensor *s = OVsensor_new(nullptr, nullptr, nullptr, nullptr, 0, OVSENSOR_NODEVICE);
    const OVp3 at = {1, 2, 3};
    const OVq still = {0, 0, 0, 1};
    ASSERT_TRUE(OVsensor_setrecord(s, at, still));
    const OVp3 bad = {1, inf, 3};
    EXPECT_FALSE(OVsensor_setrecord(s, bad, still));
    EXPECT_FALSE(OVsensor_settranslation(s, bad));
    const OVq bad_turn = {nan, 0, 0, 1};
    EXPECT_FALSE(OVsensor_setrotation(s, bad_turn));
    OVp3 p;
    OVq r;
    OVsensor_gettranslation(s, p);
    OVsensor_getrotation(s, r);
    EXPECT_EQ(p[1], 2);
    EXPECT_EQ(r[0], 0);
    ASSERT_TRUE(OVsensor_setsensitivity(s, 2));
    EXPECT_FALSE(OVsensor_setsensitivity(s, inf)); // passed "not negative" before
    EXPECT_EQ(OVsensor_getsensitivity(s), 2);
}

TEST_F(NonFinite, WindowProjectionIsRefusedAndKept) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(OVwindow_setfrustum(w, 0, -1, 1, -1, 1, 1, 100));
    EXPECT_FALSE(OVwindow_setfrustum(w, 0, -1, nan, -1, 1, 1, 100));
    EXPECT_FALSE(OVwindow_setfrustum(w, 0, -1, 1, -1, 1, 1, inf));
    float right = 0, far = 0;
    OVwindow_getfrustum(w, 0, nullptr, &right, nullptr, nullptr, nullptr, &far);
    EXPECT_EQ(right, 1);
    EXPECT_EQ(far, 100);
    ASSERT_TRUE(OVwindow_sethither(w, 0.25f));
    EXPECT_FALSE(OVwindow_sethither(w, inf));
    EXPECT_EQ(OVwindow_gethither(w), 0.25f);
    OVwindow_delete(w);
}

TEST_F(NonFinite, PathElementsRefuseAndKeepTheirPoses) {
    const OVpq bad = {{0, nan, 0}, {0, 0, 0, 1}};
    EXPECT_EQ(OVpathelement_new(&bad), nullptr);
    OVpath *path = OVpath_new(nullptr);
    OVpathelement *e = OVpathelement_new(nullptr);
    ASSERT_TRUE(OVpath_appendelement(path, e));
    const OVp3 far = {inf, 0, 0};
    EXPECT_FALSE(OVpathelement_setposition(e, far));
    const OVq turn = {0, 0, nan, 1};
    EXPECT_FALSE(OVpathelement_setorientation(e, turn));
    OVp3 p;
    OVq q;
    OVpathelement_getposition(e, p);
    OVpathelement_getorientation(e, q);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(q[2], 0);
}

TEST_F(NonFinite, LevelRangesAndCentreAreRefusedAndKept) {
    OVnode *lod = OVlodnode_new(root());
    const float ranges[] = {10, 20};
    ASSERT_TRUE(OVlodnode_setrange(lod, ranges, 2));
    const float bad[] = {10, inf};
    EXPECT_FALSE(OVlodnode_setrange(lod, bad, 2));
    EXPECT_FALSE(OVlodnode_setranges(lod, "10 nan"));
    EXPECT_STREQ(OVlodnode_getranges(lod), "10.000000,20.000000");
    const OVp3 centre = {nan, 0, 0};
    EXPECT_FALSE(OVlodnode_setcenter(lod, centre));
    OVp3 kept;
    OVlodnode_getcenter(lod, kept);
    EXPECT_EQ(kept[0], 0);
}

TEST_F(NonFinite, MaterialValuesAreRefusedAndKept) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 2, "paint");
    const OVp3 red = {1, 0, 0};
    ASSERT_EQ(OVmtable_matchcolor(t, red), 0);
    const OVp3 bad = {nan, 0, 0};
    EXPECT_EQ(OVmtable_matchcolor(t, bad), -1);
    EXPECT_EQ(OVmtable_matchcoloralpha(t, red, inf), -1);
    EXPECT_EQ(OVmtable_getnumentries(t), 1);
    EXPECT_FALSE(OVmtable_setvalue(t, 0, bad, OVDIFFUSE));
    float diffuse[3] = {};
    OVmtable_getvalue(t, 0, diffuse, OVDIFFUSE);
    EXPECT_EQ(diffuse[0], 1);
    OVmtable_delete(t);
}

int idle(void *) {
    return 0;
}

TEST_F(NonFinite, TaskPrioritiesAreRefusedAndKept) {
    OVnode *owner = OVgroupnode_new(root());
    EXPECT_EQ(OVtask_new(owner, idle, nan), nullptr);
    OVtask *task = OVtask_new(owner, idle, 2);
    ASSERT_NE(task, nullptr);
    EXPECT_FALSE(OVtask_setpriority(task, inf));
    EXPECT_EQ(OVtask_getpriority(task), 2);
}

TEST_F(NonFinite, GeometryMotionsAndShapesAreRefused) {
    OVgeometry *g = OVgeometry_newblock(2, 2, 2, 0);
    OVp3 before, after;
    OVgeometry_getmidpoint(g, before);
    const OVp3 bad = {0, nan, 0}, centre = {0, 0, 0};
    EXPECT_FALSE(OVgeometry_translate(g, bad));
    EXPECT_FALSE(OVgeometry_scale(g, inf, centre));
    const OVp3 stretch = {1, inf, 2};
    EXPECT_FALSE(OVgeometry_stretch(g, stretch, centre));
    const OVpq move = {{0, 0, 0}, {nan, 0, 0, 1}};
    EXPECT_FALSE(OVgeometry_transform(g, &move));
    OVgeometry_getmidpoint(g, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
    EXPECT_FALSE(OVgeometry_setvertexposition(g, OVgeometry_getvertices(g), bad));
    OVgeometry_delete(g);
    EXPECT_EQ(OVgeometry_newblock(1, nan, 1, 0), nullptr);
    EXPECT_EQ(OVgeometry_newsphere(inf, 4, 6, 0, 0), nullptr);
    EXPECT_EQ(OVgeometry_newcylinder(1, nan, 6, 0, 0), nullptr);
    const OVp2 outline[] = {{0, 0}, {1, 0}, {inf, 1}};
    EXPECT_EQ(OVgeometry_newextrusion(outline, 3, 1, 0, 0), nullptr);
    EXPECT_EQ(OVnode_load(root(), "anything.nff", nan), nullptr);
}

void never(void *, const char *, void *, double) {}

TEST_F(NonFinite, TimedEventsAndModelScalesAreRefused) {
    OVnode *node = OVgroupnode_new(root());
    EXPECT_FALSE(OVevent_addtimed(node, "Translation", never, nan));
    EXPECT_FALSE(OVevent_addtimed(node, "Translation", never, inf));
    EXPECT_TRUE(OVevent_addtimed(node, "Translation", never, 1.0));
    FILE *model = std::tmpfile();
    ASSERT_NE(model, nullptr);
    std::fputs("nff\ntri\n3\n0 0 0\n1 0 0\n0 1 0\n1\n3 0 1 2\n", model);
    std::rewind(model);
    EXPECT_EQ(_OVgeometry_load(model, "tri", OVFILE_NFF, nullptr, inf, 0), nullptr);
}

// Every setter of real numbers that has a getter, with NaN and with infinity.
class EverySetter : public ::testing::TestWithParam<std::size_t> {};

TEST_P(EverySetter, NonFiniteValuesLeaveWhatTheGettersRead) {
    const hostile::UnchangedCheck &c = hostile::setter_checks[GetParam()];
    for (hostile::Profile p : {hostile::Profile::NotANumber, hostile::Profile::Infinity}) {
        hostile::start_world();
        bool unchanged;
        {
            hostile::Args args(p, c.name);
            unchanged = c.check(args);
        }
        hostile::end_world();
        EXPECT_TRUE(unchanged) << c.name
                               << (p == hostile::Profile::Infinity ? " with infinity"
                                                                   : " with NaN");
    }
}

INSTANTIATE_TEST_SUITE_P(Setters, EverySetter,
                         ::testing::Range<std::size_t>(0, hostile::setter_check_count),
                         [](const ::testing::TestParamInfo<std::size_t> &info) {
                             return std::string(hostile::setter_checks[info.param].name);
                         });

} // namespace
