// Table entries for a backend without a display: no OpenGL context (so the
// renderer never starts), no cursor, no pointer position and nobody to answer
// a message box. The headless backend uses them, and a port starts from them.
#pragma once

#include "platform/platform.h"

namespace orv::platform::no_display {

bool context_exists();
NativeWindow *context_window();
bool make_current(NativeWindow *window);
void swap_buffers(NativeWindow *window);
void *no_cursor();
void set_cursor(void *cursor);
void capture_mouse(bool on);
bool screen_cursor(int *x, int *y);
std::uint32_t window_under_cursor();
// Writes the text to the standard error stream and answers Abort: a failed assertion ends the
// program.
AssertChoice show_assert_box(const char *caption, const char *text);

} // namespace orv::platform::no_display
