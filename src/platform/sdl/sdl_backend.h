// The SDL2 backend's entries of the platform table: native windows, the one
// shared OpenGL context held by a hidden 32 x 32 window, the event pump,
// cursors and message boxes. Works with the offscreen driver (no display)
// and with an X server.
#pragma once

#include "platform/platform.h"

namespace orv::platform::sdl {

bool video_start();
void video_stop();
ScreenMetrics screen_metrics();

// Tries the request with stereo first, then with fewer depth bits.
bool context_create(const PixelRequest &request, PixelFormat *granted);
void context_destroy();
bool context_exists();
NativeWindow *context_window();
bool make_current(NativeWindow *window);
void swap_buffers(NativeWindow *window);

NativeWindow *window_create(int x, int y, int width, int height, bool borderless,
                            const char *caption);
// Adopts an X11 window id.
NativeWindow *window_adopt(std::uintptr_t native_id);
void window_destroy(NativeWindow *window);
std::uint32_t window_id(NativeWindow *window);
std::uintptr_t window_native_handle(NativeWindow *window);
void window_client_rect(NativeWindow *window, int *x, int *y, int *width, int *height);
void window_move_resize(NativeWindow *window, int x, int y, int width, int height);
void window_show(NativeWindow *window, bool shown);

void pump_messages(MessageHandler handler);
void post_quit();
void drop_quit_messages();

void *wait_cursor();
void *current_cursor();
void set_cursor(void *cursor);
void capture_mouse(bool on);
bool screen_cursor(int *x, int *y);
std::uint32_t window_under_cursor();

void show_error_box(const char *caption, const char *text);
AssertChoice show_assert_box(const char *caption, const char *text);

// The key code of the keyboard queue for an SDL keycode of a special key
// (function keys, arrows, Home, End, Page Up, Page Down); 0 for every other key.
// With Num Lock off the keypad's digits are these navigation keys too.
int special_key_code(int sdl_keycode, bool num_lock);

// The character that starts the UTF-8 text, which moves past it; -1 for a
// malformed sequence.
int next_character(const char *&text);

} // namespace orv::platform::sdl
