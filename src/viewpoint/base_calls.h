// The property and task calls the viewpoint and light setters make. Weak
// until the property system is part of every build: a missing one means no
// handlers.
#pragma once

extern "C" {
__attribute__((weak)) int OVproperty_firehandlers_pre(void *object, const char *name);
__attribute__((weak)) int OVproperty_firehandlers(void *object, const char *name, void *value);
__attribute__((weak)) int OVproperty_numhandlers(void *object, const char *name);
__attribute__((weak)) void OVbase_removeallhandlers(void *object);
__attribute__((weak)) void OVbase_deleteproperties(void *object);
__attribute__((weak)) void OVtask_deleteall(void *object);
}

namespace orv {

// False when a pre-handler of the property vetoes the change.
inline bool property_allows(void *object, const char *property) {
    return !OVproperty_firehandlers_pre || OVproperty_firehandlers_pre(object, property) != 0;
}

// Queues the change event when someone listens.
inline void property_changed(void *object, const char *property, const void *value) {
    if (OVproperty_numhandlers && OVproperty_numhandlers(object, property))
        OVproperty_firehandlers(object, property, const_cast<void *>(value));
}

} // namespace orv
