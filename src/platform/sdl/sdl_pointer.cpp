// The screen cursor and the window under it, through SDL.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

namespace orv::platform::sdl {

bool screen_cursor(int *x, int *y) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    SDL_GetGlobalMouseState(x, y);
    return true;
}

std::uint32_t window_under_cursor() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return 0;
    SDL_Window *w = SDL_GetMouseFocus();
    return w ? SDL_GetWindowID(w) : 0;
}

} // namespace orv::platform::sdl
