// The property protocol as the window setters use it: pre-handlers may veto
// a change, post-handlers hear of it in the event pass.
#pragma once

#include "orv/property.h"
#include "orv/window.h"

namespace orv {

// False when a pre-handler of the property vetoes the change.
inline bool window_allows(OVwindow *window, const char *property) {
    return OVproperty_firehandlers_pre(window, property) != 0;
}

// Whether anyone listens to the property.
inline bool window_listened(OVwindow *window, const char *property) {
    return OVproperty_numhandlers(window, property) != 0;
}

// Queues the change event when someone listens.
inline void window_changed(OVwindow *window, const char *property, const void *value) {
    if (window_listened(window, property))
        OVproperty_firehandlers(window, property, const_cast<void *>(value));
}

// The object-deleted hook, then the handlers and dynamic properties.
void window_forget(OVwindow *window);
// Whether the name-stored hook forbids renaming.
bool window_name_stored(OVwindow *window);

} // namespace orv
