// Mouse and key messages of the toolkit's windows: the mouse state, the
// button properties of the window and the key queue.
#include "scene/property_protocol.h"
#include "input/key_queue.h"
#include "input/mouse_state.h"
#include "platform/platform.h"
#include "platform/window_messages.h"
#include "render/window_access.h"
#include "orv/orv_internal.h"

namespace orv::input {

MouseState &mouse_state() {
    static MouseState state = {};
    return state;
}

} // namespace orv::input

namespace {

using orv::input::ButtonState;

struct Button {
    ButtonState *state;
    const char *property;
    const char *double_property;
    ButtonState *others[2];
};

bool lookup(int button, Button &out) {
    auto &m = orv::input::mouse_state();
    switch (button) {
    case OVBUTTON_LEFT:
        out = {&m.left, "LeftButton", "LeftButtonDbl", {&m.right, &m.middle}};
        return true;
    case OVBUTTON_RIGHT:
        out = {&m.right, "RightButton", "RightButtonDbl", {&m.left, &m.middle}};
        return true;
    case OVBUTTON_MIDDLE:
        out = {&m.middle, "MiddleButton", "MiddleButtonDbl", {&m.right, &m.left}};
        return true;
    default:
        return false;
    }
}

void button_message(OVwindow *window, const OVwinmsg &message) {
    Button b;
    if (!lookup(message.button, b)) return;
    const bool dbl = message.kind == OVwinmsgkind::ButtonDouble;
    const char *property = dbl ? b.double_property : b.property;
    if (!orv::change_allowed(window, property)) return;
    int value = 1;
    if (dbl) {
        b.state->doubled = 1;
    } else if (message.kind == OVwinmsgkind::ButtonDown) {
        b.state->held = b.state->pressed = 1;
        orv::platform::current().capture_mouse(true);
    } else {
        b.state->held = 0;
        b.state->released = 1;
        value = 0;
        if (!b.others[0]->held && !b.others[1]->held) orv::platform::current().capture_mouse(false);
    }
    orv::change_made(window, property, &value);
}

} // namespace

ORV_API int _OVinput_windowmessage(OVwindow *window, const OVwinmsg *message) {
    if (!window || !message) return 0;
    auto &mouse = orv::input::mouse_state();
    switch (message->kind) {
    case OVwinmsgkind::ButtonDown:
    case OVwinmsgkind::ButtonUp:
    case OVwinmsgkind::ButtonDouble:
        mouse.window = message->window_id;
        button_message(window, *message);
        return 1;
    case OVwinmsgkind::MouseMove:
        mouse.window = message->window_id;
        mouse.x = static_cast<std::int16_t>(message->x);
        mouse.y = static_cast<std::int16_t>(message->y);
        return 1;
    case OVwinmsgkind::KeyDown:
        if (message->key) orv::input::queue_key(window, message->key);
        return 1;
    case OVwinmsgkind::Char:
        orv::input::queue_character(window, message->key);
        return 1;
    default:
        return 0;
    }
}

// The windows go with the universe, and with them what was typed or
// pressed in them: a later universe starts with no keys and no buttons held.
ORV_API void _OVinput_deleteall(void) {
    orv::input::clear_keys();
    orv::input::mouse_state() = {};
}
