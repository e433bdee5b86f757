// The headless backend's table: window records, its own event queue, and the
// no-display answers for everything that needs a screen.
#include "platform/headless/headless_backend.h"
#include "platform/no_display/no_display.h"
#include "platform/posix/posix_services.h"

namespace orv::platform {

const Platform &headless_platform() {
    static const Platform table = {
        .name = "headless",
        .video_start = headless::video_start,
        .video_stop = headless::video_stop,
        .screen_metrics = headless::screen_metrics,
        .context_create = headless::context_create,
        .context_exists = no_display::context_exists,
        .context_window = no_display::context_window,
        .make_current = no_display::make_current,
        .swap_buffers = no_display::swap_buffers,
        .window_create = headless::window_create,
        .window_adopt = headless::window_adopt,
        .window_destroy = headless::window_destroy,
        .window_id = headless::window_id,
        .window_native_handle = headless::window_native_handle,
        .window_client_rect = headless::window_client_rect,
        .window_move_resize = headless::window_move_resize,
        .window_show = headless::window_show,
        .pump_messages = headless::pump_messages,
        .post_quit = headless::post_quit,
        .drop_quit_messages = headless::drop_quit_messages,
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
