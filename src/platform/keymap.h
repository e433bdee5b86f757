// Mapping of SDL keys and typed characters to the key codes of the keyboard queue.
#pragma once

namespace orv::platform {

// The key code of a special key (function keys, arrows, Home, End, Page Up,
// Page Down) given its SDL keycode; 0 for every other key.
int special_key_code(int sdl_keycode);

// The key code a typed character is queued as: Backspace, Tab and Return
// become 1008, 1009 and 1013, any other character stays its own code.
int character_key_code(int character);

} // namespace orv::platform
