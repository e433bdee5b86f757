// The fatal path ends the process: each case runs in a child process.
#include "orv/orv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void say_torn_down() {
    std::fputs("universe torn down\n", stderr);
}

void fatal_with_universe() {
    OVuniverse_new(512, 0);
    OVuniverse_setexitcallback("", say_torn_down);
    OVfatal("broken %s\n", "beyond repair");
}

TEST(FatalDeathTest, ExitsWith255AndTheErrorCaption) {
    EXPECT_EXIT(OVfatal("no way on\n"), testing::ExitedWithCode(255), "ORV-ERROR: no way on\n");
}

TEST(FatalDeathTest, TearsTheUniverseDownThroughItsExportedName) {
    EXPECT_EXIT(fatal_with_universe(), testing::ExitedWithCode(255),
                "ORV-ERROR: broken beyond repair\nuniverse torn down\n");
}

// A fatal error raised while the first one tears the universe down is
// silent and returns, and so does the allocator, with null.
void fatal_again_during_teardown() {
    OVfatal("second %s\n", "fault");
    std::fputs("teardown went on\n", stderr);
}
void fatal_twice() {
    OVuniverse_new(512, 0);
    OVuniverse_setexitcallback("", fatal_again_during_teardown);
    OVfatal("first fault\n");
}

TEST(FatalDeathTest, ASecondFatalErrorDuringTeardownIsSilent) {
    EXPECT_EXIT(fatal_twice(), testing::ExitedWithCode(255),
                testing::EndsWith("ORV-ERROR: first fault\nteardown went on\n"));
}

// The fatal channel routed to a file only: no message box, the process still ends.
void fatal_to_file_only() {
    OVmessage_setoutput(OVCHANNEL_FATAL, OVOUTPUT_FILE, stderr);
    OVfatal("quiet %d\n", 1);
}

TEST(FatalDeathTest, FatalChannelToAFileOnly) {
    EXPECT_EXIT(fatal_to_file_only(), testing::ExitedWithCode(255), testing::Eq("quiet 1\n"));
}

// The assertion is reported on the message channel before the dialog.
void assertion_with_messages_on_stderr() {
    OVmessage_setoutput(OVCHANNEL_MESSAGE, OVOUTPUT_FILE, stderr);
    OVassert_failed("node.c", 7);
}

TEST(FatalDeathTest, AssertionReportsOnTheMessageChannel) {
    EXPECT_EXIT(assertion_with_messages_on_stderr(), testing::ExitedWithCode(3),
                "^Assertion failed: node.c:7\n.*Assertion Failed: node.c:7");
}

#if !defined(__SANITIZE_ADDRESS__)
// The sanitizer ends an impossible allocation itself, before our check.
// The hook hears the fatal text, as it was given, before the teardown.
int bracket_to_stderr(const char *text) {
    std::fprintf(stderr, "[%s]\n", text);
    return 0;
}
void out_of_memory_heard() {
    OVuniverse_new(512, 0);
    OVuniverse_setexitcallback("", say_torn_down);
    OVmessage_sethook(bracket_to_stderr);
    OVmalloc(SIZE_MAX);
}

TEST(FatalDeathTest, TheHookHearsTheFatalTextBeforeTheTeardown) {
    EXPECT_EXIT(out_of_memory_heard(), testing::ExitedWithCode(255),
                testing::EndsWith("[OUT OF MEMORY!]\nuniverse torn down\n"));
}

TEST(FatalDeathTest, OutOfMemoryIsFatal) {
    EXPECT_EXIT(OVmalloc(SIZE_MAX / 2), testing::ExitedWithCode(255), "OUT OF MEMORY!");
    // Sizes past the address space, a negative count converted among them,
    // take the same path: no allocation can hold them.
    EXPECT_EXIT(OVmalloc(SIZE_MAX), testing::ExitedWithCode(255), "OUT OF MEMORY!");
    EXPECT_EXIT(OVmalloc(static_cast<size_t>(-16)), testing::ExitedWithCode(255), "OUT OF MEMORY!");
    EXPECT_EXIT(
        {
            void *block = OVmalloc(16);
            OVrealloc(block, SIZE_MAX / 2);
        },
        testing::ExitedWithCode(255), "OUT OF MEMORY!");
}
void allocate_during_teardown() {
    std::fputs(OVmalloc(SIZE_MAX / 2) ? "block\n" : "null\n", stderr);
}
void out_of_memory_during_teardown() {
    OVuniverse_new(512, 0);
    OVuniverse_setexitcallback("", allocate_during_teardown);
    OVfatal("first fault\n");
}

TEST(FatalDeathTest, AllocatorGivesNullDuringFatalTeardown) {
    EXPECT_EXIT(out_of_memory_during_teardown(), testing::ExitedWithCode(255),
                testing::EndsWith("ORV-ERROR: first fault\nnull\n"));
}
#endif

void jacobi_that_cannot_converge() {
    OVm3 m = {{1, NAN, 0}, {NAN, 1, 0}, {0, 0, 1}};
    OVp3 values;
    OVm3 vectors;
    _OVjacobi(m, values, vectors);
}

TEST(FatalDeathTest, JacobiWithoutConvergence) {
    EXPECT_EXIT(jacobi_that_cannot_converge(), testing::ExitedWithCode(255),
                "ORV-ERROR: _OVjacobi diagonalization didn't converge");
}

TEST(FatalDeathTest, AssertionWithoutDialogAborts) {
    // Without a display the dialog's answer is Abort.
    EXPECT_EXIT(OVassert_failed("scene.c", 42), testing::ExitedWithCode(3),
                "Assertion Failed: scene.c:42");
}

// A silenced fatal channel shows nothing and calls no hook, yet the
// universe is torn down and the process still ends with -1.
int hook_says_heard(const char *) {
    std::fputs("hook heard\n", stderr);
    return 0;
}
void fatal_silenced() {
    OVuniverse_new(512, 0);
    OVuniverse_setexitcallback("", say_torn_down);
    OVmessage_setoutput(OVCHANNEL_FATAL, 0, nullptr);
    OVmessage_sethook(hook_says_heard);
    OVfatal("unseen\n");
}

TEST(FatalDeathTest, ASilencedFatalChannelStillEndsTheProcess) {
    EXPECT_EXIT(fatal_silenced(), testing::ExitedWithCode(255),
                testing::Eq("universe torn down\n"));
}

// Warnings and messages of the teardown that follows a fatal error still
// reach their channels.
void warn_during_teardown() {
    OVwarning("late %d\n", 2);
}
void fatal_then_warning() {
    OVuniverse_new(512, 0);
    OVmessage_setoutput(OVCHANNEL_WARNING, OVOUTPUT_FILE, stderr);
    OVuniverse_setexitcallback("", warn_during_teardown);
    OVfatal("first\n");
}

TEST(FatalDeathTest, WarningsDuringTheTeardownStillReachTheirChannel) {
    EXPECT_EXIT(fatal_then_warning(), testing::ExitedWithCode(255),
                testing::EndsWith("ORV-ERROR: first\nORV Warning: late 2\n"));
}

// Console and file together: the error box and the file each get the text,
// the hook hears it once.
int hook_brackets(const char *text) {
    std::fprintf(stderr, "<%s>", text);
    return 0;
}
void fatal_to_box_and_file() {
    OVmessage_setoutput(OVCHANNEL_FATAL, OVOUTPUT_CONSOLE | OVOUTPUT_FILE, stderr);
    OVmessage_sethook(hook_brackets);
    OVfatal("both %s\n", "ways");
}

TEST(FatalDeathTest, FatalChannelToTheBoxAndAFile) {
    EXPECT_EXIT(fatal_to_box_and_file(), testing::ExitedWithCode(255),
                testing::EndsWith("ORV-ERROR: both ways\nboth ways\n<both ways\n>"));
}

} // namespace
