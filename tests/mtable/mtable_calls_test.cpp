// Material table calls given no table or no name, names that reduce to
// nothing, and what a changed entry tells the geometries that use it.
#include "geometry/geometry_test_util.h"
#include "mtable_fixture.h"

namespace {

using mtabletest::g_log;

class MtableCalls : public mtabletest::MtableFixture {};

TEST_F(MtableCalls, NamingWithoutATableOrANameIsExplained) {
    EXPECT_FALSE(OVmtable_setname(nullptr, "paint"));
    EXPECT_EQ(g_log, "ORV Warning: must specify a valid material table in order to set its name\n");
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
    g_log.clear();
    EXPECT_FALSE(OVmtable_setname(t, nullptr));
    EXPECT_EQ(g_log, "ORV Warning: may not assign null name to a material table\n");
    EXPECT_STREQ(OVmtable_getname(t), "mt1");
}

TEST_F(MtableCalls, ANameThatReducesToNothingIsRefused) {
    OVmtable *t = OVmtable_new(OVDIFFUSE, 1, nullptr);
    g_log.clear();
    EXPECT_FALSE(OVmtable_setname(t, "models/.mat"));
    EXPECT_NE(g_log.find("no spaces allowed in name\n"), std::string::npos);
    EXPECT_STREQ(OVmtable_getname(t), "mt1");
    g_log.clear();
    EXPECT_FALSE(OVmtable_setname(t, "oak tree"));
    EXPECT_EQ(g_log, "ORV Warning: invalid mtable name oak tree: no spaces allowed in name\n");
    // Every kind of directory separator goes.
    EXPECT_TRUE(OVmtable_setname(t, "c:\\models\\oak.mat"));
    EXPECT_STREQ(OVmtable_getname(t), "oak");
    EXPECT_TRUE(OVmtable_setname(t, "disk:pine"));
    EXPECT_STREQ(OVmtable_getname(t), "pine");
}

TEST_F(MtableCalls, ANameAlreadyTakenIsRefusedExactly) {
    OVmtable *a = OVmtable_new(OVDIFFUSE, 1, "paint");
    ASSERT_NE(a, nullptr);
    OVmtable *b = OVmtable_new(OVDIFFUSE, 1, nullptr);
    g_log.clear();
    EXPECT_FALSE(OVmtable_setname(b, "paint"));
    EXPECT_EQ(g_log, "ORV Warning: A material table with name paint already exists\n");
    EXPECT_STREQ(OVmtable_getname(b), "mt1");
    EXPECT_EQ(OVuniverse_findmtable("paint"), a);
}

TEST_F(MtableCalls, ChangingAnEntryRebuildsEveryGeometryUsingTheTable) {
    OVgeometry *g = mtabletest::triangle();
    OVgeometry *h = OVgeometry_copy(g);
    geomtest::RenderSpy spy_g(g);
    OVmtable *t = OVgeometry_getmtable(g);
    ASSERT_EQ(OVgeometry_getmtable(h), t);
    const float red[3] = {1, 0, 0};
    ASSERT_TRUE(OVmtable_setvalue(t, 0, red, OVAMBIENTDIFFUSE));
    EXPECT_EQ(geomtest::RenderSpy::stale, 1); // g's compiled drawing is rebuilt
    EXPECT_EQ(OVpoly_getcolor(OVgeometry_getpolys(h)), 0xF00);
    // A refused set changes nothing.
    geomtest::RenderSpy::stale = 0;
    EXPECT_FALSE(OVmtable_setvalue(t, 5, red, OVAMBIENTDIFFUSE));
    EXPECT_FALSE(OVmtable_setvalue(t, 0, red, OVSPECULAR));
    EXPECT_EQ(geomtest::RenderSpy::stale, 0);
    OVgeometry_delete(h);
    OVgeometry_delete(g);
    spy_g.g = nullptr;
}

TEST_F(MtableCalls, ALockedGeometryKeepsItsTable) {
    OVgeometry *g = mtabletest::triangle();
    OVmtable *mine = OVgeometry_getmtable(g);
    OVmtable *other = OVmtable_new(OVDIFFUSE, 1, "other");
    g->locked = 1;
    EXPECT_FALSE(OVgeometry_setmtable(g, other));
    EXPECT_EQ(OVgeometry_getmtable(g), mine);
    g->locked = 0;
    ASSERT_TRUE(OVgeometry_setmtable(g, other));
    EXPECT_EQ(OVgeometry_getmtable(g), other);
    // The old table lost its only user and went.
    EXPECT_EQ(OVuniverse_findmtable(OVmtable_getname(other)), other);
    bool old_listed = false;
    for (OVmtable *t = OVuniverse_getfirstmtable(); t; t = OVmtable_getnext(t))
        old_listed |= t == mine;
    EXPECT_FALSE(old_listed);
    OVgeometry_delete(g);
}

} // namespace
