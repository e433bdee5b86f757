// The SDL2 backend's table.
#include "platform/posix/posix_services.h"
#include "platform/sdl/sdl_backend.h"

namespace orv::platform {

const Platform &sdl_platform() {
    static const Platform table = {
        .name = "sdl",
        .video_start = sdl::video_start,
        .video_stop = sdl::video_stop,
        .screen_metrics = sdl::screen_metrics,
        .context_create = sdl::context_create,
        .context_exists = sdl::context_exists,
        .context_window = sdl::context_window,
        .make_current = sdl::make_current,
        .swap_buffers = sdl::swap_buffers,
        .window_create = sdl::window_create,
        .window_adopt = sdl::window_adopt,
        .window_destroy = sdl::window_destroy,
        .window_id = sdl::window_id,
        .window_native_handle = sdl::window_native_handle,
        .window_client_rect = sdl::window_client_rect,
        .window_move_resize = sdl::window_move_resize,
        .window_show = sdl::window_show,
        .pump_messages = sdl::pump_messages,
        .post_quit = sdl::post_quit,
        .drop_quit_messages = sdl::drop_quit_messages,
        .wait_cursor = sdl::wait_cursor,
        .current_cursor = sdl::current_cursor,
        .set_cursor = sdl::set_cursor,
        .capture_mouse = sdl::capture_mouse,
        .screen_cursor = sdl::screen_cursor,
        .window_under_cursor = sdl::window_under_cursor,
        .show_error_box = sdl::show_error_box,
        .show_assert_box = sdl::show_assert_box,
        .process = posix::process_services(),
    };
    return table;
}

} // namespace orv::platform
