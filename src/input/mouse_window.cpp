// Which toolkit window the cursor is over.
#include "orv/input.h"
#include "platform/platform.h"
#include "render/window_internal.h"

namespace {

// Whether the client point (y from the top) lies in the window's viewport.
bool in_viewport(const OVwindow *window, int x, int y) {
    const orv::PixelRect vp = orv::viewport_pixels(window);
    const OVwindow *surface = window->surface ? window->surface : window;
    const int top = surface->height - (vp.y + vp.height);
    return x >= vp.x && x < vp.x + vp.width && y >= top && y < top + vp.height;
}

} // namespace

extern "C" {

ORV_API OVwindow *OVmouse_getwindow(void) {
    int sx, sy;
    if (!orv::platform::current().screen_cursor(&sx, &sy)) return nullptr;
    const std::uint32_t under = orv::platform::current().window_under_cursor();
    if (!under) return nullptr;
    OVwindow *found = nullptr;
    for (OVwindow *w = orv::window_list(); w; w = w->next) {
        const OVwindow *surface = w->surface ? w->surface : w;
        if (w->native_id == under && in_viewport(w, sx - surface->x, sy - surface->y)) found = w;
    }
    return found;
}

ORV_API int OVmouse_inwindow(OVsensor *, OVwindow *window) {
    return window && window == OVmouse_getwindow();
}

} // extern "C"
