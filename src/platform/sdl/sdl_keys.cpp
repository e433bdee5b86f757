// SDL keycodes of the special keys to the key codes of the keyboard queue.
#include "platform/sdl/sdl_backend.h"

#include "orv/input.h"

#include <SDL.h>

namespace orv::platform::sdl {

int special_key_code(int sdl_keycode) {
    if (sdl_keycode >= SDLK_F1 && sdl_keycode <= SDLK_F12)
        return OVKEY_F1 + (sdl_keycode - SDLK_F1);
    switch (sdl_keycode) {
    case SDLK_UP:
        return OVKEY_UP;
    case SDLK_DOWN:
        return OVKEY_DOWN;
    case SDLK_RIGHT:
        return OVKEY_RIGHT;
    case SDLK_LEFT:
        return OVKEY_LEFT;
    case SDLK_HOME:
        return OVKEY_HOME;
    case SDLK_PAGEUP:
        return OVKEY_PAGEUP;
    case SDLK_END:
        return OVKEY_END;
    case SDLK_PAGEDOWN:
        return OVKEY_PAGEDOWN;
    default:
        return 0;
    }
}

} // namespace orv::platform::sdl
