// The fatal path ends the process: each case runs in a child process.
#include "orv/orv.h"

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

#if !defined(__SANITIZE_ADDRESS__)
TEST(FatalDeathTest, OutOfMemoryIsFatal) {
    EXPECT_EXIT(OVmalloc(SIZE_MAX / 2), testing::ExitedWithCode(255), "OUT OF MEMORY!");
    EXPECT_EXIT(
        {
            void *block = OVmalloc(16);
            OVrealloc(block, SIZE_MAX / 2);
        },
        testing::ExitedWithCode(255), "OUT OF MEMORY!");
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

} // namespace
