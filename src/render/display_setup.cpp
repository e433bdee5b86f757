// Display set-up at universe creation: the display record, the shared
// context, the renderer's start and the base window or windows.
#include "orv/message.h"
#include "orv/universe.h"
#include "orv/viewpoint.h"
#include "platform/platform.h"
#include "render/pixel_format.h"
#include "render/render_config.h"
#include "render/window_internal.h"
#include "orv/orv_internal.h"
#include "state/universe_state.h"

namespace orv {

namespace {

struct Rect {
    int x, y, width, height;
};

// The first window's rectangle from the settings; a window with a border
// keeps its frame on the screen when placed from the right or bottom edge.
Rect settings_rect(const Display &d, bool bordered) {
    const OVconfig &c = *universe_config();
    Rect r{c.window_x, c.window_y, c.window_width, c.window_height};
    if (c.window_flags & CONFIG_WINDOW_X_FROM_RIGHT)
        r.x += d.max_width - r.width - (bordered ? 10 : 0);
    if (c.window_flags & CONFIG_WINDOW_Y_FROM_BOTTOM)
        r.y += d.max_height - r.height - (bordered ? 30 : 0);
    return r;
}

void base_window(int x, int y, int width, int height, int flags) {
    if (!OVwindow_new(x, y, width, height, flags)) OVmessage("Could not create base window\n");
}

// Two windows side by side (or one above the other), one per eye.
void eye_windows(const Display &d, int flags) {
    int W = d.max_width, H = d.max_height, w, h;
    if (2 * H < W) {
        w = W / 2;
        h = H;
    } else if (W < H) {
        w = W;
        h = H / 2;
    } else {
        w = W / 2;
        h = static_cast<int>(0.75 * (W / 2));
    }
    base_window(0, 0, w, h, flags);
    OVwindow *second = OVwindow_new(W >= H ? w : 0, W >= H ? 0 : h, w, h, flags);
    if (!second) {
        OVmessage("Could not create base window\n");
        return;
    }
    second->viewpoint = OVuniverse_getviewpoint();
    second->eye = 1;
}

void base_windows(int display_mode, int flags, const Display &d) {
    if (universe_config()->window_flags & CONFIG_WINDOW_NO_BORDER) flags |= OVWINDOW_BORDERLESS;
    Rect r = settings_rect(d, !(flags & OVWINDOW_BORDERLESS));
    switch (display_mode) {
    case OVDISPLAY_STEREOFULLSCREEN:
        base_window(0, 0, d.max_width, d.max_height, flags | OVWINDOW_BORDERLESS | OVWINDOW_STEREO);
        break;
    case OVDISPLAY_STEREOWINDOW:
        base_window(r.x, r.y, r.width, r.height, flags | OVWINDOW_STEREO);
        break;
    case OVDISPLAY_EYEWINDOWS:
        eye_windows(d, flags);
        break;
    case OVDISPLAY_COLORSTEREO:
        base_window(r.x, r.y, r.width, r.height, OVWINDOW_COLORSTEREO);
        break;
    case OVDISPLAY_NONE:
        break;
    default:
        base_window(r.x, r.y, r.width, r.height, flags);
        break;
    }
}

// The display record, the hidden window with the context, the renderer.
bool open_display(Display &d, bool interlace) {
    d = Display{};
    if (!platform::current().video_start()) return false;
    platform::ScreenMetrics m = platform::current().screen_metrics();
    d.max_width = m.width;
    d.max_height = m.height;
    d.caption = m.caption;
    d.frame = m.frame;
    d.interlace = interlace;
    platform::PixelFormat granted;
    if (!platform::current().context_create(pixel_request(interlace), &granted)) return false;
    d.valid = 1;
    d.stereo_capable = granted.stereo;
    d.hidden = platform::current().context_window();
    platform::current().drop_quit_messages();
    // A backend without OpenGL holds windows but never starts the renderer.
    if (platform::current().make_current(nullptr)) render_start();
    return true;
}

} // namespace

} // namespace orv

using namespace orv;

extern "C" {

int _OVwindow_startup(int display_mode, int flags) {
    OVmessage("OGL version\n");
    render_read_environment();
    Display &d = *display(0);
    bool interlace = (display_mode & OVDISPLAY_INTERLACED) != 0;
    display_mode &= ~OVDISPLAY_INTERLACED;
    if (!open_display(d, interlace)) {
        OVmessage("Could not create base window\n");
        return 0;
    }
    base_windows(display_mode, flags, d);
    platform::current().make_current(nullptr);
    return 1;
}

void _OVwindow_shutdown(void) {
    if (platform::current().make_current(nullptr)) render_stop();
    platform::current().video_stop();
    *display(0) = Display{};
}

void _OVwindow_setbgall(std::uint32_t rgb) {
    for (OVwindow *w = window_list(); w; w = w->next)
        w->background = rgb & 0xFFFFFF;
}

} // extern "C"
