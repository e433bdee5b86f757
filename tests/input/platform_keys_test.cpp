// Keys and text from the platform: the keypad's navigation keys stand for
// the keys they name while Num Lock is off; typed text queues one code per
// character.
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

namespace {

void post_text(OVwindow *window, const char *text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = static_cast<Uint32>(OVwindow_getidx(window));
    SDL_strlcpy(e.text.text, text, sizeof e.text.text);
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

} // namespace

TEST_F(InputTest, TypedTextQueuesOneCodePerCharacter) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    while (OVkeyboard_getkey()) {
    }
    // "a", e acute, the euro sign, a character beyond 16 bits, a stray byte, "z".
    post_text(w, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFFz");
    post_text(w, "\xC3"); // cut short
    OVuniverse_go1();
    EXPECT_EQ(OVkeyboard_getkey(), 'a');
    EXPECT_EQ(OVkeyboard_getkey(), 0xE9);
    EXPECT_EQ(OVkeyboard_getkey(), 0x20AC);
    EXPECT_EQ(OVkeyboard_getkey(), 'z');
    EXPECT_EQ(OVkeyboard_getkey(), 0);
}
