// Native events posted to the queue reach the window procedure through the
// pump of a pass: moves update the record, a close deletes the window and the
// last close stops the loop.
#include "orv/orv.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// With the offscreen driver a window's handle is its native id.
void post_window_event(OVwindow *window, Uint8 event, int data1 = 0, int data2 = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = static_cast<Uint32>(OVwindow_getidx(window));
    e.window.event = event;
    e.window.data1 = data1;
    e.window.data2 = data2;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

int passes = 0;
void count_passes() {
    if (++passes > 20) OVuniverse_stop(); // safety net
}

struct Pump : ::testing::Test {
    void SetUp() override {
        OVuniverse_new(512, 0);
        passes = 0;
        OVuniverse_setactions(count_passes);
    }
    void TearDown() override { OVuniverse_delete(); }
};

TEST_F(Pump, MoveMessageReachesTheWindowRecord) {
    OVwindow *w = OVwindow_new(10, 20, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    post_window_event(w, SDL_WINDOWEVENT_MOVED, 123, 45);
    OVuniverse_go1();
    int x = 0, y = 0, width = 0, height = 0;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 45);
}

TEST_F(Pump, CloseDeletesOneWindowAndTheLastStopsTheLoop) {
    for (int option16 : {0, 1}) {
        SCOPED_TRACE(option16);
        OVuniverse_setoption(16, option16);
        OVwindow *first = OVwindow_new(0, 0, 64, 48, 0);
        OVwindow *second = OVwindow_new(0, 0, 64, 48, 0);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        post_window_event(first, SDL_WINDOWEVENT_CLOSE);
        OVuniverse_go1();
        EXPECT_EQ(OVwindow_getidx(first), 0u) << "closed window still listed";
        EXPECT_NE(OVwindow_getidx(second), 0u);

        passes = 0;
        post_window_event(second, SDL_WINDOWEVENT_CLOSE);
        OVuniverse_go();
        EXPECT_EQ(passes, 1) << "the loop ran on after its last window closed";
        EXPECT_EQ(OVwindow_getidx(second), 0u);
        // Without option 16 the quit message is posted too; it must not
        // linger into the next run.
        SDL_FlushEvent(SDL_QUIT);
    }
}

int viewport_draws = 0;
void count_viewport_draw(OVwindow *, int) {
    ++viewport_draws;
}

TEST_F(Pump, ViewportOfAMinimisedOwnerIsNotDrawnUntilRestored) {
    OVwindow *owner = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(owner, nullptr);
    OVwindow *viewport = OVwindow_newviewport(owner, 0, 0, 32, 24);
    ASSERT_NE(viewport, nullptr);
    OVwindow_setdraw2dfn(viewport, count_viewport_draw);
    viewport_draws = 0;
    OVuniverse_go1();
    EXPECT_EQ(viewport_draws, 1);
    post_window_event(owner, SDL_WINDOWEVENT_MINIMIZED);
    OVuniverse_go1();
    OVuniverse_go1();
    EXPECT_EQ(viewport_draws, 1) << "drawn into a minimised window";
    post_window_event(owner, SDL_WINDOWEVENT_RESTORED);
    OVuniverse_go1();
    EXPECT_EQ(viewport_draws, 2);
}

TEST_F(Pump, HiddenWindowIsNotDrawnUntilShownAgain) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    OVwindow_setdraw2dfn(w, count_viewport_draw);
    viewport_draws = 0;
    post_window_event(w, SDL_WINDOWEVENT_HIDDEN);
    OVuniverse_go1();
    EXPECT_EQ(viewport_draws, 0);
    post_window_event(w, SDL_WINDOWEVENT_SHOWN);
    OVuniverse_go1();
    EXPECT_EQ(viewport_draws, 1);
}

std::vector<std::string> said;
int keep_message(const char *text) {
    said.push_back(text);
    return 0;
}
int refuse(void *, const char *, double) {
    return 0;
}

TEST_F(Pump, VetoedMovesAndSizesByTheUserStillHappen) {
    OVwindow *w = OVwindow_new(10, 20, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    OVproperty_addhandler_pre(w, "Position", refuse);
    OVproperty_addhandler_pre(w, "Size", refuse);
    said.clear();
    OVmessage_sethook(keep_message);
    post_window_event(w, SDL_WINDOWEVENT_MOVED, 30, 40);
    post_window_event(w, SDL_WINDOWEVENT_SIZE_CHANGED, 100, 80);
    OVuniverse_go1();
    OVmessage_sethook(nullptr);
    int count_move = 0, count_size = 0;
    for (const std::string &m : said) {
        count_move += m == "Can't stop the window move\n";
        count_size += m == "Can't stop the window size\n";
    }
    EXPECT_EQ(count_move, 1);
    EXPECT_EQ(count_size, 1);
    int x, y, width, height;
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_EQ(x, 30);
    EXPECT_EQ(y, 40);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 80);
    // The application's own move is refused by the same handlers.
    EXPECT_FALSE(OVwindow_setgeometry(w, 5, 5, 50, 50));
    ASSERT_TRUE(OVwindow_getgeometry(w, &x, &y, &width, &height));
    EXPECT_EQ(x, 30);
    EXPECT_EQ(width, 100);
}

} // namespace

namespace {

void post_key(OVwindow *window, SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = static_cast<Uint32>(OVwindow_getidx(window));
    e.key.keysym.sym = key;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

TEST_F(Pump, SdlKeysArriveAsKeyboardQueueCodes) {
    OVwindow *w = OVwindow_new(0, 0, 64, 48, 0);
    ASSERT_NE(w, nullptr);
    while (OVkeyboard_getkey()) {
    }
    const SDL_Keycode keys[] = {SDLK_F1,   SDLK_F12,       SDLK_UP,     SDLK_DOWN,  SDLK_RIGHT,
                                SDLK_LEFT, SDLK_HOME,      SDLK_PAGEUP, SDLK_END,   SDLK_PAGEDOWN,
                                SDLK_a,    SDLK_BACKSPACE, SDLK_TAB,    SDLK_RETURN};
    const int codes[] = {OVKEY_F1,        OVKEY_F12,  OVKEY_UP,     OVKEY_DOWN, OVKEY_RIGHT,
                         OVKEY_LEFT,      OVKEY_HOME, OVKEY_PAGEUP, OVKEY_END,  OVKEY_PAGEDOWN,
                         OVKEY_BACKSPACE, OVKEY_TAB,  OVKEY_RETURN};
    for (SDL_Keycode k : keys)
        post_key(w, k);
    OVuniverse_go1();
    for (int c : codes)
        EXPECT_EQ(OVkeyboard_getkey(), c);
    EXPECT_EQ(OVkeyboard_getkey(), 0) << "a plain letter's key press queues nothing itself";
}

} // namespace
