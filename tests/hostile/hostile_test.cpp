// Every exported function called with hostile arguments, each call in a
// universe of its own. Under the sanitizers a fault is a report; a call that
// does not return within its time is a hang. A null handle must give the
// neutral result silently.
#include "hostile/hostile_args.h"

#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace hostile {

namespace {

constexpr unsigned seconds_per_call = 20;
const char *running = ""; // the call a hang report names
std::string messages;

int record(const char *text) {
    messages += text;
    return 0;
}

void hang(int) {
    const char prefix[] = "hostile: call did not return: ";
    (void)!write(2, prefix, sizeof prefix - 1);
    (void)!write(2, running, std::strlen(running));
    (void)!write(2, "\n", 1);
    _exit(3);
}

const char *profile_name(Profile p) {
    switch (p) {
    case Profile::NullHandles:
        return "null handles";
    case Profile::NullOutputs:
        return "null outputs";
    case Profile::Zero:
        return "zero";
    case Profile::Negative:
        return "negative";
    case Profile::Lowest:
        return "lowest";
    case Profile::Highest:
        return "highest";
    case Profile::Infinity:
        return "infinity and large counts";
    case Profile::NoUniverse:
        return "no universe";
    default:
        return "NaN and large counts";
    }
}

// Runs one call in a fresh universe (or with none, for that profile) and
// returns its messages; a universe the call made is taken down again.
std::string run(const HostileCall &c, Profile profile) {
    if (profile == Profile::NoUniverse)
        end_world();
    else
        start_world();
    messages.clear();
    OVmessage_sethook(record);
    static std::string label;
    label = std::string(c.name) + " (" + profile_name(profile) + ")";
    running = label.c_str();
    std::signal(SIGALRM, hang);
    alarm(seconds_per_call);
    {
        Args args(profile, c.name);
        c.call(args);
    }
    alarm(0);
    std::string said = messages;
    end_world();
    return said;
}

// What keeps universes made now from starting clean: nodes, sensors or
// motion links that calls made without a universe left for the next one,
// or a building phase they left open and that outlived that one.
std::string leftovers() {
    OVuniverse_new(OVDISPLAY_NONE, 0);
    std::string found;
    if (OVnode_numchildren(OVuniverse_getrootnodes()) != 0) found += "nodes under the root; ";
    if (OVuniverse_getsensors()) found += "sensors; ";
    if (OVuniverse_getmotionlinks()) found += "motion links; ";
    end_world();
    OVuniverse_new(OVDISPLAY_NONE, 0);
    if (!OVgeometry_newblock(1, 1, 1, 0)) found += "no geometry can be built; ";
    end_world();
    return found;
}

// Functions whose documented behaviour reports a null argument.
const std::set<std::string> reports_null = {
    "OVgeometry_close", "OVgeometry_closesmooth", "OVgeometry_newvertex", "_OVgeometry_addvertex",
    "OVmtable_newentry", "OVmtable_setname", "OVlightnode_save",
    // Key and button properties are not readable or writable directly.
    "OVwindow_setkey", "OVwindow_getkey", "OVwindow_setlbutton", "OVwindow_getlbutton",
    "OVwindow_setlbuttondblclk", "OVwindow_getlbuttondblclk", "OVwindow_setrbutton",
    "OVwindow_getrbutton", "OVwindow_getrbuttondblclk", "OVwindow_setmbutton",
    "OVwindow_getmbutton", "OVwindow_setmbuttondblclk", "OVwindow_getmbuttondblclk"};

class EveryFunction : public ::testing::TestWithParam<std::size_t> {
  protected:
    const HostileCall &call() const { return all_calls[GetParam()]; }
};

TEST_P(EveryFunction, NullHandlesGiveASilentNeutralResult) {
    const std::string said = run(call(), Profile::NullHandles);
    if (call().first_is_handle && !reports_null.count(call().name)) {
        EXPECT_EQ(said, "") << call().name;
    }
}

TEST_P(EveryFunction, NullOutputPointersAreIgnored) {
    run(call(), Profile::NullOutputs);
}

TEST_P(EveryFunction, ExtremeValuesAreRefusedOrHandled) {
    for (Profile p :
         {Profile::Zero, Profile::Negative, Profile::Lowest, Profile::Highest, Profile::NotANumber})
        run(call(), p);
}

TEST_P(EveryFunction, WithoutAUniverseTheNextUniverseStartsClean) {
    run(call(), Profile::NoUniverse);
    EXPECT_EQ(leftovers(), "") << call().name;
}

INSTANTIATE_TEST_SUITE_P(Hostile, EveryFunction, ::testing::Range<std::size_t>(0, all_call_count),
                         [](const ::testing::TestParamInfo<std::size_t> &info) {
                             return std::string(all_calls[info.param].name);
                         });

} // namespace

} // namespace hostile
