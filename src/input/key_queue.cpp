// The keyboard queue, its reading operations and the per-pass "Key" delivery.
#include "input/key_queue.h"
#include "orv/input.h"
#include "render/window_internal.h"
#include "scene/property_protocol.h"
#include "orv/orv_internal.h"

#include <cstdint>
#include <deque>

namespace {

struct KeyEntry {
    OVwindow *window;
    std::int16_t code;
};

std::deque<KeyEntry> &queue() {
    static std::deque<KeyEntry> keys;
    return keys;
}

bool keyboard_open = false;

} // namespace

namespace orv::input {

void queue_key(OVwindow *window, int code) {
    queue().push_back({window, static_cast<std::int16_t>(code)});
}

void queue_character(OVwindow *window, int character) {
    switch (character) {
    case '\b':
        queue_key(window, OVKEY_BACKSPACE);
        break;
    case '\t':
        queue_key(window, OVKEY_TAB);
        break;
    case '\r':
        queue_key(window, OVKEY_RETURN);
        break;
    default:
        queue_key(window, character);
        break;
    }
}

void clear_keys() {
    queue().clear();
}

} // namespace orv::input

extern "C" {

ORV_API void OVkeyboard_open(void) {
    keyboard_open = true;
}

ORV_API void OVkeyboard_close(void) {
    keyboard_open = false;
}

ORV_API int OVkeyboard_isopen(void) {
    return keyboard_open;
}

ORV_API int OVkeyboard_getkey(void) {
    auto &keys = queue();
    if (keys.empty()) return 0;
    const int code = keys.front().code;
    keys.pop_front();
    return code;
}

ORV_API int OVkeyboard_getlastkey(void) {
    auto &keys = queue();
    if (keys.empty()) return 0;
    const int code = keys.back().code;
    keys.clear();
    return code;
}

ORV_API void _OVkeyboard_deliver(void) {
    // Walk the keys taken out of the queue: a "Key" pre-handler may read or
    // queue keys meanwhile.
    std::deque<KeyEntry> pending;
    pending.swap(queue());
    std::deque<KeyEntry> kept;
    for (const KeyEntry &entry : pending) {
        // A key whose window has since been deleted stays for
        // OVkeyboard_getkey: its record must not be read.
        if (!orv::window_is_listed(entry.window)) {
            kept.push_back(entry);
            continue;
        }
        int value = entry.code;
        const bool handled = orv::change_listened(entry.window, "Key");
        orv::change_made(entry.window, "Key", &value);
        orv::change_allowed(entry.window, "Key");
        if (!handled) kept.push_back(entry);
    }
    // Kept keys are older than any queued during the walk.
    auto &keys = queue();
    keys.insert(keys.begin(), kept.begin(), kept.end());
}

} // extern "C"
