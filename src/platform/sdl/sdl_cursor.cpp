// Cursors through SDL; none before the video system runs.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

namespace orv::platform::sdl {

namespace {
bool video_up() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}
} // namespace

void *wait_cursor() {
    if (!video_up()) return nullptr;
    static SDL_Cursor *wait = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    return wait;
}

void *current_cursor() {
    return video_up() ? SDL_GetCursor() : nullptr;
}

void set_cursor(void *cursor) {
    if (video_up() && cursor) SDL_SetCursor(static_cast<SDL_Cursor *>(cursor));
}

} // namespace orv::platform::sdl
