// The operating-system seam: one table of functions that a platform backend
// fills, the way a video driver fills its device table. Everything the
// toolkit takes from the operating system goes through it.
//
// Backends: sdl/ (SDL2 windows and OpenGL, the default), headless/ (no
// display at all: windows are records without pixels and no OpenGL call is
// reached) and template/ (what a port fills in). The environment variable
// ORV_PLATFORM chooses one when the table is first used: "sdl", "headless"
// or "template"; unset or empty means "sdl", an unknown name is reported on
// the standard error stream and means "sdl" too.
#pragma once

#include "orv/orv_base.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct OVwinmsg;

namespace orv::platform {

// What the toolkit asks of the pixel format of every window.
struct PixelRequest {
    int color_bits = 24;
    int depth_bits = 32;
    int alpha_bits = 0;
    int stencil_bits = 0;
    bool stereo = false;
};

// What the chosen format actually has.
struct PixelFormat {
    int color_bits = 0;
    int depth_bits = 0;
    int alpha_bits = 0;
    int stencil_bits = 0;
    bool stereo = false;
    bool needs_palette = false; // indexed visuals only
};

struct ScreenMetrics {
    int width = 0, height = 0; // desktop resolution
    int caption = 0;           // caption bar height of a bordered window
    int frame = 0;             // sizing frame thickness of a bordered window
};

// A backend's window; only the backend knows what is behind it.
struct NativeWindow;

// Receives each toolkit message the event pump translates.
using MessageHandler = void (*)(const OVwinmsg &message);

enum class AssertChoice { Abort, Retry, Ignore };

// Services of the process rather than of the display; every backend on a
// POSIX system takes posix::process_services().
struct ProcessServices {
    // Milliseconds since the process started.
    std::uint32_t (*clock_ms)();
    // The high-resolution counter, in microseconds.
    std::uint64_t (*counter)();
    // Gives up the rest of the time slice for 0, otherwise sleeps.
    void (*sleep_ms)(int milliseconds);

    // The address of a function exported by the running program, or null.
    void *(*find_symbol)(const char *name);
    // Copies the value of key in section of an initialization file into out
    // (at most size - 1 characters, always terminated); empty when missing.
    void (*profile_string)(const char *path, const char *section, const char *key, char *out,
                           std::size_t size);
    // Whether the initialization file exists and holds at least one section.
    bool (*profile_has_sections)(const char *path);
    // The full file name of the running program (empty when unknown).
    void (*executable_name)(char *out, std::size_t size);

    // Memory straight from the system for the record pools: `bytes` (a power
    // of two) aligned to `bytes`, zeroed, or null; and its return.
    void *(*map_block)(std::size_t bytes);
    void (*unmap_block)(void *block, std::size_t bytes);

    // The bytes a regular file holds past the stream's position; false
    // for streams that cannot tell (pipes, devices, files that report no size).
    bool (*file_bytes_left)(std::FILE *file, std::uint64_t *bytes);
};

struct Platform {
    const char *name;

    // The video system. video_start is false when no display can be had.
    bool (*video_start)();
    void (*video_stop)();
    ScreenMetrics (*screen_metrics)();

    // The one rendering context shared by every window, held by a hidden
    // window. context_create is true when the display can hold windows; a
    // backend without OpenGL answers true but context_exists stays false and
    // make_current fails, so that no OpenGL call is reached.
    bool (*context_create)(const PixelRequest &request, PixelFormat *granted);
    bool (*context_exists)();
    NativeWindow *(*context_window)();
    // Makes the context current on a window (null: the hidden window).
    bool (*make_current)(NativeWindow *window);
    void (*swap_buffers)(NativeWindow *window);

    // A new visible window whose client area is at (x, y) with that size.
    NativeWindow *(*window_create)(int x, int y, int width, int height, bool borderless,
                                   const char *caption);
    // Adopts a window the application made from its native id; null on failure.
    NativeWindow *(*window_adopt)(std::uintptr_t native_id);
    // Destroys a created window; an adopted one is only released.
    void (*window_destroy)(NativeWindow *window);
    // The id the event pump names the window by (never 0 for a window).
    std::uint32_t (*window_id)(NativeWindow *window);
    std::uintptr_t (*window_native_handle)(NativeWindow *window);
    void (*window_client_rect)(NativeWindow *window, int *x, int *y, int *width, int *height);
    void (*window_move_resize)(NativeWindow *window, int x, int y, int width, int height);
    void (*window_show)(NativeWindow *window, bool shown);

    // Hands every pending event, translated, to the handler without waiting.
    void (*pump_messages)(MessageHandler handler);
    // Queues the application's quit message; drop_quit_messages forgets queued ones.
    void (*post_quit)();
    void (*drop_quit_messages)();

    // Cursors are opaque; null where the backend has none.
    void *(*wait_cursor)();
    void *(*current_cursor)();
    void (*set_cursor)(void *cursor);
    void (*capture_mouse)(bool on);
    // The cursor on the screen; false when the backend cannot tell.
    bool (*screen_cursor)(int *x, int *y);
    // The window_id of the window under the cursor, 0 for none.
    std::uint32_t (*window_under_cursor)();

    // Modal boxes; each also writes its text to the standard error stream.
    void (*show_error_box)(const char *caption, const char *text);
    AssertChoice (*show_assert_box)(const char *caption, const char *text);

    // Services of the process rather than of the display.
    ProcessServices process;
};

// The table of the backend in use, chosen on first use.
const Platform &current();

// The backends' tables.
const Platform &sdl_platform();
const Platform &headless_platform();
const Platform &template_platform();

} // namespace orv::platform

extern "C" {
// Replaces the platform clock with a test clock (null restores it). The
// high-resolution counter then follows it, in microseconds.
ORV_API void _OVclock_settest(std::uint32_t (*clock_ms)(void));
}
