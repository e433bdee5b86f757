// The event pump: SDL events become the toolkit's window messages.
#include "platform/sdl/sdl_backend.h"
#include "platform/window_messages.h"

#include <SDL.h>

namespace orv::platform::sdl {

namespace {
void send(MessageHandler handler, OVwinmsgkind kind, std::uint32_t id, OVwinmsg m = {}) {
    m.kind = kind;
    m.window_id = id;
    handler(m);
}

void window_event(MessageHandler handler, const SDL_WindowEvent &e) {
    OVwinmsg m{};
    switch (e.event) {
    case SDL_WINDOWEVENT_MOVED:
        m.x = e.data1;
        m.y = e.data2;
        send(handler, OVwinmsgkind::Move, e.windowID, m);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        m.width = e.data1;
        m.height = e.data2;
        m.shown = 1;
        send(handler, OVwinmsgkind::Size, e.windowID, m);
        break;
    case SDL_WINDOWEVENT_MINIMIZED: // a size message with shown 0
        send(handler, OVwinmsgkind::Size, e.windowID, m);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (SDL_Window *w = SDL_GetWindowFromID(e.windowID)) {
            SDL_GetWindowSize(w, &m.width, &m.height);
            m.shown = 1;
            send(handler, OVwinmsgkind::Size, e.windowID, m);
        }
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_HIDDEN:
        m.shown = e.event == SDL_WINDOWEVENT_SHOWN;
        send(handler, OVwinmsgkind::Show, e.windowID, m);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        m.shown = e.event == SDL_WINDOWEVENT_FOCUS_GAINED;
        send(handler, OVwinmsgkind::Focus, e.windowID, m);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        send(handler, OVwinmsgkind::Close, e.windowID, m);
        break;
    default:
        break;
    }
}

void button_event(MessageHandler handler, const SDL_MouseButtonEvent &e) {
    OVwinmsg m{};
    m.x = e.x;
    m.y = e.y;
    m.button = e.button;
    OVwinmsgkind kind = OVwinmsgkind::ButtonUp;
    // The second press of a double click arrives as the double-click message.
    if (e.type == SDL_MOUSEBUTTONDOWN)
        kind = e.clicks >= 2 && e.clicks % 2 == 0 ? OVwinmsgkind::ButtonDouble
                                                  : OVwinmsgkind::ButtonDown;
    send(handler, kind, e.windowID, m);
}

// Control with a letter types that letter's control character (1 to 26).
constexpr int control_mask = 0x1F;

// The keys whose press also types a control character.
int control_character(SDL_Keycode key, Uint16 modifiers) {
    if ((modifiers & KMOD_CTRL) && !(modifiers & KMOD_ALT) && key >= SDLK_a && key <= SDLK_z)
        return key & control_mask;
    switch (key) {
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_ESCAPE:
        return 27;
    default:
        return 0;
    }
}

void key_event(MessageHandler handler, const SDL_KeyboardEvent &e) {
    OVwinmsg m{};
    m.key = special_key_code(e.keysym.sym, (e.keysym.mod & KMOD_NUM) != 0);
    send(handler, OVwinmsgkind::KeyDown, e.windowID, m);
    if (int c = control_character(e.keysym.sym, e.keysym.mod)) {
        OVwinmsg ch{};
        ch.key = c;
        send(handler, OVwinmsgkind::Char, e.windowID, ch);
    }
}

// Key codes are signed 16-bit: characters beyond that cannot be queued.
constexpr int largest_key_character = 0x7FFF;

void text_event(MessageHandler handler, const SDL_TextInputEvent &e) {
    for (const char *p = e.text; *p;) {
        const int character = next_character(p);
        if (character < 0 || character > largest_key_character) continue;
        OVwinmsg m{};
        m.key = character;
        send(handler, OVwinmsgkind::Char, e.windowID, m);
    }
}

void dispatch(MessageHandler handler, const SDL_Event &e) {
    switch (e.type) {
    case SDL_WINDOWEVENT:
        window_event(handler, e.window);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        button_event(handler, e.button);
        break;
    case SDL_MOUSEMOTION: {
        OVwinmsg m{};
        m.x = e.motion.x;
        m.y = e.motion.y;
        send(handler, OVwinmsgkind::MouseMove, e.motion.windowID, m);
        break;
    }
    case SDL_KEYDOWN:
        key_event(handler, e.key);
        break;
    case SDL_TEXTINPUT:
        text_event(handler, e.text);
        break;
    case SDL_QUIT:
        send(handler, OVwinmsgkind::Quit, 0);
        break;
    default:
        break;
    }
}
} // namespace

void pump_messages(MessageHandler handler) {
    if (!SDL_WasInit(SDL_INIT_VIDEO) || !handler) return;
    SDL_Event e;
    while (SDL_PollEvent(&e))
        dispatch(handler, e);
}

void post_quit() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
}

void drop_quit_messages() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_PumpEvents();
        SDL_FlushEvent(SDL_QUIT);
    }
}

} // namespace orv::platform::sdl
