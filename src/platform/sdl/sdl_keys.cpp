// SDL keycodes of the special keys to the key codes of the keyboard queue.
#include "platform/sdl/sdl_backend.h"

#include "orv/input.h"

#include <SDL.h>

namespace orv::platform::sdl {

namespace {

// The keypad's navigation keys, which type digits only while Num Lock is on.
int keypad_navigation_code(int sdl_keycode) {
    switch (sdl_keycode) {
    case SDLK_KP_8:
        return OVKEY_UP;
    case SDLK_KP_2:
        return OVKEY_DOWN;
    case SDLK_KP_6:
        return OVKEY_RIGHT;
    case SDLK_KP_4:
        return OVKEY_LEFT;
    case SDLK_KP_7:
        return OVKEY_HOME;
    case SDLK_KP_9:
        return OVKEY_PAGEUP;
    case SDLK_KP_1:
        return OVKEY_END;
    case SDLK_KP_3:
        return OVKEY_PAGEDOWN;
    default:
        return 0;
    }
}

} // namespace

int special_key_code(int sdl_keycode, bool num_lock) {
    if (!num_lock) {
        if (int code = keypad_navigation_code(sdl_keycode)) return code;
    }
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

int next_character(const char *&text) {
    const auto lead = static_cast<unsigned char>(*text++);
    if (lead < 0x80) return lead;
    // The lead byte tells how many continuation bytes follow.
    int extra = 0;
    int code = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
    } else {
        return -1;
    }
    for (; extra > 0; --extra) {
        const auto next = static_cast<unsigned char>(*text);
        if ((next & 0xC0) != 0x80) return -1; // cut short: the next byte starts afresh
        code = (code << 6) | (next & 0x3F);
        ++text;
    }
    return code;
}

} // namespace orv::platform::sdl
