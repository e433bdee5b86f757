// Elapsed time, the clock, random numbers, sleeping and the wait cursor.
#include "orv/message.h"

#include "platform/platform.h"

#include <cstdint>
#include <cstdlib>

namespace {
bool elapsed_started = false;
std::uint32_t elapsed_reference = 0;
void *remembered_cursor = nullptr;
} // namespace

extern "C" {

ORV_API double OVelapsed(void) {
    std::uint32_t now = orv::platform::current().process.clock_ms();
    if (!elapsed_started) {
        elapsed_started = true;
        elapsed_reference = now;
        return -1.0;
    }
    // Within one clock tick the reference stays, so short calls add up.
    if (now == elapsed_reference) return 0.004;
    double seconds = static_cast<std::uint32_t>(now - elapsed_reference) / 1000.0;
    elapsed_reference = now;
    return seconds;
}

ORV_API double OVclock(void) {
    return orv::platform::current().process.clock_ms() / 1000.0;
}

ORV_API int OVrandom(int n) {
    // Modulo 0 has no result; any other n, negative too, is the plain remainder.
    return n != 0 ? std::rand() % n : 0;
}

ORV_API void OVsleep(int milliseconds) {
    orv::platform::current().process.sleep_ms(milliseconds);
}

ORV_API void OVwaitcursor(intptr_t mode) {
    if (mode == 0) {
        void *previous = orv::platform::current().current_cursor();
        void *wait = orv::platform::current().wait_cursor();
        if (!wait) return;
        remembered_cursor = previous;
        orv::platform::current().set_cursor(wait);
    } else if (mode == 1) {
        orv::platform::current().set_cursor(remembered_cursor);
    } else {
        remembered_cursor = reinterpret_cast<void *>(mode);
        orv::platform::current().set_cursor(remembered_cursor);
    }
}

} // extern "C"
