// The assertion dialog: Abort ends the process, Retry traps into a debugger,
// Ignore returns to the caller.
#include "orv/message.h"

#include "platform/platform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kIgnoreButton = 5; // the Ignore button's code, returned to the caller
}

extern "C" ORV_API int OVassert_failed(const char *file, int line) {
    char where[512];
    std::snprintf(where, sizeof where, "%s:%i", file ? file : "", line);
    OVmessage("Assertion failed: %s\n", where);
    switch (orv::platform::current().show_assert_box("Assertion Failed", where)) {
    case orv::platform::AssertChoice::Abort:
        std::exit(3);
    case orv::platform::AssertChoice::Retry:
        std::raise(SIGTRAP);
        return 0;
    case orv::platform::AssertChoice::Ignore:
        break;
    }
    return kIgnoreButton;
}
