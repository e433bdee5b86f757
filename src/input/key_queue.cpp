// The keyboard queue, its reading operations and the per-pass "Key" delivery.
#include "input/key_queue.h"
#include "orv/input.h"
#include "render/window_access.h"
#include "scene/property_protocol.h"
#include "orv/orv_internal.h"

#include <cstdint>
#include <deque>
#include <vector>

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

// Delivery's working lists, kept between passes so a pass allocates nothing
// once they have grown. A handler that runs a pass from inside delivery gets
// lists of its own.
std::vector<KeyEntry> reused_pending, reused_kept;
bool delivering = false;

void deliver(std::vector<KeyEntry> &pending, std::vector<KeyEntry> &kept) {
    // Walk the keys taken out of the queue: a "Key" pre-handler may read or
    // queue keys meanwhile.
    auto &keys = queue();
    pending.assign(keys.begin(), keys.end());
    keys.clear();
    kept.clear();
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
    keys.insert(keys.begin(), kept.begin(), kept.end());
}

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
    if (queue().empty()) return;
    if (delivering) {
        std::vector<KeyEntry> pending, kept;
        deliver(pending, kept);
        return;
    }
    delivering = true;
    deliver(reused_pending, reused_kept);
    delivering = false;
}

} // extern "C"
