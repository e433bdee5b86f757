// A starting point for a port to another system: copy this folder, rename
// the namespace and the table, and fill in each entry. As it stands the
// template runs (ORV_PLATFORM=template) without any display: the universe,
// scene, input queues and timing all work, and display set-up reports
// "Could not create base window". The POSIX services serve any Unix-like
// system; a port elsewhere replaces them too.
//
// The contract of every entry is written beside it in platform/platform.h.
// Porting notes by group:
//   video and context  start the window system, report the desktop size and
//                      the caption and frame sizes of a bordered window, and
//                      make ONE OpenGL 1.1 compatibility context on a hidden
//                      window; every window must accept that context (share
//                      the pixel format). Try stereo first when asked, then
//                      fall back to fewer depth bits.
//   windows            the client rectangle is what the toolkit stores: the
//                      position is the top-left of the client area on the
//                      screen; window_id must be non-zero and is what the
//                      event pump names windows by.
//   events             translate native events into OVwinmsg (window_messages.h):
//                      moves and sizes of the client area, minimise as a Size
//                      message with shown 0, the three buttons with double
//                      clicks, mouse moves in client coordinates, special keys
//                      as keyboard-queue codes (OVKEY_* of orv/input.h) in
//                      KeyDown, every typed character (Backspace, Tab, Return
//                      included) as a Char message, and the quit message.
//   cursor and boxes   a wait cursor for long loads; message boxes must also
//                      write their text to the standard error stream
//                      (posix::print_box_text) and must not block where nobody
//                      can answer (ORV_NO_DIALOGS set).
// The entries taken from no_display/ are the answers of a system without a
// screen; replace them as the port gets one.
#include "platform/no_display/no_display.h"
#include "platform/posix/posix_services.h"

#include <initializer_list>

namespace orv::platform {

namespace {

// Fill in: start the window system; false when no display can be had.
bool video_start() {
    return false;
}
void video_stop() {}
// Fill in: the desktop resolution, caption height and frame thickness.
ScreenMetrics screen_metrics() {
    return {};
}
// Fill in: the hidden window and the shared OpenGL context; then replace the
// no_display context entries.
bool context_create(const PixelRequest &, PixelFormat *) {
    return false;
}
// Fill in: native windows.
NativeWindow *window_create(int, int, int, int, bool, const char *) {
    return nullptr;
}
NativeWindow *window_adopt(std::uintptr_t) {
    return nullptr;
}
void window_destroy(NativeWindow *) {}
std::uint32_t window_id(NativeWindow *) {
    return 0;
}
std::uintptr_t window_native_handle(NativeWindow *) {
    return 0;
}
void window_client_rect(NativeWindow *, int *x, int *y, int *width, int *height) {
    for (int *out : {x, y, width, height})
        if (out) *out = 0;
}
void window_move_resize(NativeWindow *, int, int, int, int) {}
void window_show(NativeWindow *, bool) {}
// Fill in: translate and hand over every pending event without waiting.
void pump_messages(MessageHandler) {}
void post_quit() {}
void drop_quit_messages() {}

} // namespace

const Platform &template_platform() {
    static const Platform table = {
        .name = "template",
        .video_start = video_start,
        .video_stop = video_stop,
        .screen_metrics = screen_metrics,
        .context_create = context_create,
        .context_exists = no_display::context_exists,
        .context_window = no_display::context_window,
        .make_current = no_display::make_current,
        .swap_buffers = no_display::swap_buffers,
        .window_create = window_create,
        .window_adopt = window_adopt,
        .window_destroy = window_destroy,
        .window_id = window_id,
        .window_native_handle = window_native_handle,
        .window_client_rect = window_client_rect,
        .window_move_resize = window_move_resize,
        .window_show = window_show,
        .pump_messages = pump_messages,
        .post_quit = post_quit,
        .drop_quit_messages = drop_quit_messages,
        .wait_cursor = no_display::no_cursor,
        .current_cursor = no_display::no_cursor,
        .set_cursor = no_display::set_cursor,
        .capture_mouse = no_display::capture_mouse,
        .screen_cursor = no_display::screen_cursor,
        .window_under_cursor = no_display::window_under_cursor,
        .show_error_box = posix::print_box_text,
        .show_assert_box = no_display::show_assert_box,
        .process = posix::process_services(),
    };
    return table;
}

} // namespace orv::platform
