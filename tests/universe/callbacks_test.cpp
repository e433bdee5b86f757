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

} // namespace
