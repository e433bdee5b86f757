// Which toolkit window the cursor is over.
#include "orv/input.h"
#include "platform/platform.h"
#include "render/window_access.h"

extern "C" {

ORV_API OVwindow *OVmouse_getwindow(void) {
    int sx, sy;
    if (!orv::platform::current().screen_cursor(&sx, &sy)) return nullptr;
    const std::uint32_t under = orv::platform::current().window_under_cursor();
    if (!under) return nullptr;
    OVwindow *found = nullptr;
    for (OVwindow *w = orv::window_list(); w; w = orv::window_next(w))
        if (orv::window_native_id(w) == under && orv::viewport_contains(w, sx, sy)) found = w;
    return found;
}

ORV_API int OVmouse_inwindow(OVsensor *, OVwindow *window) {
    return window && window == OVmouse_getwindow();
}

} // extern "C"
