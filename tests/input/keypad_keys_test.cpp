// The keypad's navigation keys reach the keyboard queue as the keys they
// stand for while Num Lock is off, and queue nothing themselves while it is on.
#include "input_fixture.h"

#include <SDL2/SDL.h>

namespace {

void post_key(OVwindow *window, SDL_Keycode key, Uint16 modifiers) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = static_cast<Uint32>(OVwindow_getidx(window));
    e.key.keysym.sym = key;
    e.key.keysym.mod = modifiers;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

} // namespace

TEST_F(InputTest, KeypadNavigationKeysQueueTheirCodesWithNumLockOff) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    while (OVkeyboard_getkey()) {
    }
    const SDL_Keycode keys[] = {SDLK_KP_8, SDLK_KP_2, SDLK_KP_6, SDLK_KP_4,
                                SDLK_KP_7, SDLK_KP_9, SDLK_KP_1, SDLK_KP_3};
    const int codes[] = {OVKEY_UP,   OVKEY_DOWN,   OVKEY_RIGHT, OVKEY_LEFT,
                         OVKEY_HOME, OVKEY_PAGEUP, OVKEY_END,   OVKEY_PAGEDOWN};
    for (SDL_Keycode k : keys)
        post_key(w, k, KMOD_NONE);
    post_key(w, SDLK_KP_5, KMOD_NONE); // no navigation key
    OVuniverse_go1();
    for (int c : codes)
        EXPECT_EQ(OVkeyboard_getkey(), c);
    EXPECT_EQ(OVkeyboard_getkey(), 0);
    // With Num Lock on they type digits, which arrive as characters.
    post_key(w, SDLK_KP_8, KMOD_NUM);
    OVuniverse_go1();
    EXPECT_EQ(OVkeyboard_getkey(), 0);
}
