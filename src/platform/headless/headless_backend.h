// The headless backend: no display at all. Windows are records with a
// rectangle and no pixels, there is no OpenGL context (so the renderer never
// starts and no OpenGL call is reached), and the event pump delivers only
// what was queued here: the quit message, and messages a test posts.
#pragma once

#include "orv/orv_base.h"
#include "platform/platform.h"
#include "platform/window_messages.h"

namespace orv::platform::headless {

bool video_start();
void video_stop();
ScreenMetrics screen_metrics();
bool context_create(const PixelRequest &request, PixelFormat *granted);

NativeWindow *window_create(int x, int y, int width, int height, bool borderless,
                            const char *caption);
// Adopts a made-up native id as a 64 x 64 window record.
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
// Queues a message for the next pump, as a user's action would.
void post_message(const OVwinmsg &message);

} // namespace orv::platform::headless
