// The small set of toolkit messages that a backend's event pump translates its
// events into and hands to the toolkit's window procedure.
#pragma once

#include <cstdint>

enum class OVwinmsgkind {
    Move,         // x, y: new client position on the screen
    Size,         // width, height: new client size
    Show,         // shown: 1 shown, 0 hidden
    Focus,        // shown: 1 gained, 0 lost
    Close,        // the user asked to close the window
    Destroy,      // the window is going away
    ButtonDown,   // button, x, y
    ButtonUp,     // button, x, y
    ButtonDouble, // button, x, y
    MouseMove,    // x, y
    KeyDown,      // key: the keyboard-queue code of a special key, 0 for any other key
    Char,         // key: the character typed
    Quit          // the application's quit message
};

enum { OVBUTTON_LEFT = 1, OVBUTTON_MIDDLE = 2, OVBUTTON_RIGHT = 3 };

struct OVwinmsg {
    OVwinmsgkind kind;
    std::uint32_t window_id; // the backend's window_id of the window
    int x = 0, y = 0;        // client coordinates, y growing downwards
    int width = 0, height = 0;
    int button = 0;
    int key = 0;
    int shown = 0;
};
