// Where a window is: its client area on the screen and its viewport.
#include "orv/message.h"
#include "orv/universe.h"
#include "platform/platform.h"
#include "render/window_events.h"
#include "scene/property_protocol.h"
#include "render/window_internal.h"

#include <cmath>

namespace orv {

PixelRect viewport_pixels(const OVwindow *w) {
    const OVwindow *s = w->surface ? w->surface : w;
    return {
        static_cast<int>(s->width * w->viewport[0]), static_cast<int>(s->height * w->viewport[2]),
        static_cast<int>(s->width * w->viewport[1]), static_cast<int>(s->height * w->viewport[3])};
}

bool viewport_contains(const OVwindow *w, int screen_x, int screen_y) {
    const OVwindow *s = w->surface ? w->surface : w;
    const PixelRect vp = viewport_pixels(w);
    // Client points count from the top, the viewport from the bottom.
    const int x = screen_x - s->x, y = screen_y - s->y;
    const int top = s->height - (vp.y + vp.height);
    return x >= vp.x && x < vp.x + vp.width && y >= top && y < top + vp.height;
}

bool window_stacked_stereo(const OVwindow *w) {
    return w->display_mode == OVDISPLAY_STEREOFULLSCREEN;
}

void window_update_vertical(OVwindow *w) {
    float aspect = w->pixel_aspect > 0 ? w->pixel_aspect : 1.0f;
    w->vertical_tangent =
        w->width > 0 ? w->height * w->view_tangent / w->width / aspect : w->view_tangent;
}

} // namespace orv

using namespace orv;

namespace orv {

bool viewport_in_range(const char *caller, int x, int y, int width, int height) {
    const auto in = [](int v, int low) { return v >= low && v <= max_window_extent; };
    if (in(x, -max_window_extent) && in(y, -max_window_extent) && in(width, 0) && in(height, 0))
        return true;
    OVwarning("%s: viewport %d,%d %dx%d is out of range\n", caller, x, y, width, height);
    return false;
}

void set_viewport_fractions(OVwindow *window, const OVwindow *surface, int x, int y, int width,
                            int height) {
    const float W = surface->width > 0 ? static_cast<float>(surface->width) : 1.0f;
    const float H = surface->height > 0 ? static_cast<float>(surface->height) : 1.0f;
    window->viewport[0] = static_cast<float>(x) / W;
    window->viewport[1] = static_cast<float>(width) / W;
    window->viewport[2] = 1.0f - static_cast<float>(y + height) / H;
    window->viewport[3] = static_cast<float>(height) / H;
}

} // namespace orv

extern "C" {

ORV_API int OVwindow_setviewport(OVwindow *window, int x, int y, int width, int height) {
    if (!window_is_listed(window) ||
        !viewport_in_range("OVwindow_setviewport", x, y, width, height))
        return 0;
    set_viewport_fractions(window, window->surface ? window->surface : window, x, y, width, height);
    return 1;
}

ORV_API int OVwindow_getviewport(const OVwindow *window, int *x, int *y, int *width, int *height) {
    if (!window_is_listed(window)) return 0;
    const OVwindow *s = window->surface ? window->surface : window;
    float W = static_cast<float>(s->width), H = static_cast<float>(s->height);
    int h = static_cast<int>(std::floor(H * window->viewport[3] + 0.5f));
    if (x) *x = static_cast<int>(std::floor(W * window->viewport[0] + 0.5f));
    if (width) *width = static_cast<int>(std::floor(W * window->viewport[1] + 0.5f));
    if (height) *height = h;
    if (y) *y = static_cast<int>(H - std::ceil(H * window->viewport[2] - 0.5f)) - h;
    return 1;
}

ORV_API int OVwindow_setgeometry(OVwindow *window, int x, int y, int width, int height) {
    if (!window_is_listed(window) || window->is_viewport) return 0;
    const Display *d = display(window->display_index);
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || !d) return 0;
    if (width > d->max_width || height > d->max_height) return 0;
    int outer_width = width, outer_height = height;
    if (window->bordered) { // the outer size adds the frame and caption
        outer_width += 2 * d->frame;
        outer_height += d->caption + 2 * d->frame + 1;
    }
    if (!change_allowed(window, "Position") || !change_allowed(window, "Size")) return 0;
    platform::current().window_move_resize(window->native, x, y, width, height);
    platform::current().window_show(window->native, true);
    window->x = x;
    window->y = y;
    window->width = width;
    window->height = height;
    window->state_flags |= OVWINDOW_GEOMETRY_CHANGED | OVWINDOW_VISIBLE;
    float position[2] = {static_cast<float>(x), static_cast<float>(y)};
    float size[2] = {static_cast<float>(outer_width), static_cast<float>(outer_height)};
    change_made(window, "Position", position);
    change_made(window, "Size", size);
    return 1;
}

ORV_API int OVwindow_getgeometry(const OVwindow *window, int *x, int *y, int *width, int *height) {
    if (!window_is_listed(window)) return 0;
    if (x) *x = window->x;
    if (y) *y = window->y;
    if (width) *width = window->width;
    if (height) *height = window->height;
    return 1;
}

ORV_API int OVwindow_isinside(const OVwindow *window, int x, int y) {
    if (!window_is_listed(window)) return 0;
    // In 64 bits: a window placed near the end of the int range has its far
    // edge beyond it.
    const long long left = window->x, top = window->y;
    return x >= left && x < left + window->width && y >= top && y < top + window->height;
}

} // extern "C"
