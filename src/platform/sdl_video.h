// The window system seam: native windows, the one shared OpenGL context
// held by a hidden 32 x 32 window, and the event pump. Implemented on SDL2;
// works with the offscreen driver (no display) and with an X server.
#pragma once

#include <cstdint>

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
    bool needs_palette = false; // indexed visuals only; SDL's visuals are true colour
};

struct ScreenMetrics {
    int width = 0, height = 0; // desktop resolution
    int caption = 0;           // caption bar height of a bordered window
    int frame = 0;             // sizing frame thickness of a bordered window
};

// Opaque native window (an SDL_Window).
struct NativeWindow;

// Starts the video system; false when no video driver can run.
bool video_start();
void video_stop();
ScreenMetrics screen_metrics();

// Creates the hidden context window with the best format the request allows
// (stereo first, then fewer depth bits) and the shared rendering context.
bool context_create(const PixelRequest &request, PixelFormat *granted);
void context_destroy();
bool context_exists();
NativeWindow *context_window();
// Makes the shared context current on a window (null: the hidden window).
bool make_current(NativeWindow *window);
void swap_buffers(NativeWindow *window);

// A new visible window whose client area is at (x, y) and has the given size.
NativeWindow *window_create(int x, int y, int width, int height, bool borderless,
                            const char *caption);
// Adopts a window the application made (an X11 window id); null on failure.
NativeWindow *window_adopt(std::uintptr_t native_id);
// Destroys a window made by window_create; an adopted one is only released.
void window_destroy(NativeWindow *window);
std::uint32_t window_id(NativeWindow *window);
std::uintptr_t window_native_handle(NativeWindow *window);
void window_client_rect(NativeWindow *window, int *x, int *y, int *width, int *height);
void window_move_resize(NativeWindow *window, int x, int y, int width, int height);
void window_show(NativeWindow *window, bool shown);
void window_focus(NativeWindow *window);

// The arrow cursor made current; mouse capture on or off.
void arrow_cursor();
void capture_mouse(bool on);

// Translates every pending event into toolkit messages and hands each to the
// handler without waiting.
using MessageHandler = void (*)(const OVwinmsg &message);
void pump_messages(MessageHandler handler);
// Queues the application's quit message; drop_quit_messages forgets queued ones.
void post_quit();
void drop_quit_messages();

} // namespace orv::platform
