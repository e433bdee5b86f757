// SDL keycodes to the key codes of the keyboard queue.
#include "platform/keymap.h"

#include "orv/input.h"

#include <SDL.h>

namespace orv::platform {

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

int character_key_code(int character) {
    switch (character) {
    case '\b':
        return OVKEY_BACKSPACE;
    case '\t':
        return OVKEY_TAB;
    case '\r':
        return OVKEY_RETURN;
    default:
        return character;
    }
}

} // namespace orv::platform
