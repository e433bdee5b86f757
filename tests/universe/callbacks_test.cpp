#include "universe_fixture.h"

#include <string>

namespace {

std::string calls;
void named_exit() {
    calls += "named-exit ";
}
void every_exit() {
    calls += "every-exit ";
}
void every_entry() {
    calls += "every-entry ";
}

TEST(Callbacks, StoredByNormalisedNameCaseInsensitively) {
    EXPECT_EQ(OVuniverse_setentrycallback("worlds/Castle.nff", every_entry), 1);
    EXPECT_EQ(OVuniverse_getentrycallback("CASTLE"), every_entry);
    EXPECT_EQ(OVuniverse_getentrycallback("castle.wrl"), every_entry);
    EXPECT_EQ(OVuniverse_getentrycallback("other"), nullptr);
    EXPECT_EQ(OVuniverse_setentrycallback("bad name", every_entry), 0);
    EXPECT_EQ(OVuniverse_getentrycallback("bad name"), nullptr);
    // A null function stands for the do-nothing function: nothing is reported.
    OVuniverse_setentrycallback("castle", nullptr);
    EXPECT_EQ(OVuniverse_getentrycallback("castle"), nullptr);
    OVuniverse_setexitcallback("", every_exit);
    EXPECT_EQ(OVuniverse_getexitcallback(""), every_exit);
    EXPECT_EQ(OVuniverse_getentrycallback(""), nullptr);
    OVuniverse_setexitcallback("", nullptr);
}

TEST(Callbacks, ExitCallbacksRunAtTeardownNamedFirst) {
    OVuniverse_new(512, 0);
    OVuniverse_setname("harbour");
    OVuniverse_setexitcallback("Harbour", named_exit);
    OVuniverse_setexitcallback("", every_exit);
    OVuniverse_setexitcallback("elsewhere", named_exit);
    calls.clear();
    OVuniverse_delete();
    EXPECT_EQ(calls, "named-exit every-exit ");
    // The teardown deleted them.
    EXPECT_EQ(OVuniverse_getexitcallback(""), nullptr);
    EXPECT_EQ(OVuniverse_getexitcallback("harbour"), nullptr);
}

void other_exit() {
    calls += "other-exit ";
}

// A second function for the same name replaces the first; the names are
// compared after normalising, so a path and another letter case meet.
TEST(Callbacks, ASecondFunctionForTheSameNameReplacesTheFirst) {
    OVuniverse_new(512, 0);
    OVuniverse_setname("Harbour");
    EXPECT_EQ(OVuniverse_setexitcallback("C:\\maps\\harbour.nff", named_exit), 1);
    EXPECT_EQ(OVuniverse_setexitcallback("HARBOUR", other_exit), 1);
    EXPECT_EQ(OVuniverse_getexitcallback("harbour"), other_exit);
    calls.clear();
    OVuniverse_delete();
    EXPECT_EQ(calls, "other-exit ");
}

// The entry callbacks go with the universe too, the named ones and the one
// for every universe.
TEST(Callbacks, EntryCallbacksEndWithTheUniverse) {
    OVuniverse_new(512, 0);
    OVuniverse_setentrycallback("", every_entry);
    OVuniverse_setentrycallback("dock", every_entry);
    calls.clear();
    OVuniverse_delete();
    EXPECT_EQ(calls, ""); // leaving a universe runs no entry callback
    EXPECT_EQ(OVuniverse_getentrycallback(""), nullptr);
    EXPECT_EQ(OVuniverse_getentrycallback("dock"), nullptr);
}

// Only the exit callbacks of the universe's own name run, besides the one
// for every universe; the do-nothing function stored by a null runs nothing.
TEST(Callbacks, ANullFunctionSilencesTheName) {
    OVuniverse_new(512, 0);
    OVuniverse_setname("quay");
    OVuniverse_setexitcallback("quay", named_exit);
    OVuniverse_setexitcallback("quay", nullptr);
    OVuniverse_setexitcallback("pier", other_exit);
    calls.clear();
    OVuniverse_delete();
    EXPECT_EQ(calls, "");
}

} // namespace
