// The property protocol and base-object services as the input setters use
// them. Weak until the property system is part of every build: a missing
// function means no handlers.
#pragma once

extern "C" {
__attribute__((weak)) int OVproperty_firehandlers_pre(void *object, const char *name);
__attribute__((weak)) int OVproperty_firehandlers(void *object, const char *name, void *value);
__attribute__((weak)) int OVproperty_numhandlers(void *object, const char *name);
__attribute__((weak)) void OVbase_removeallhandlers(void *object);
__attribute__((weak)) void OVbase_deleteproperties(void *object);
__attribute__((weak)) void OVtask_deleteall(void *object);
}

namespace orv::input {

// False when a pre-handler of the property vetoes the change.
inline bool allows(void *object, const char *property) {
    return !OVproperty_firehandlers_pre || OVproperty_firehandlers_pre(object, property) != 0;
}

// Whether anyone listens to the property.
inline bool listened(void *object, const char *property) {
    return OVproperty_numhandlers && OVproperty_numhandlers(object, property) != 0;
}

// Queues the change event when someone listens.
inline void changed(void *object, const char *property, const void *value) {
    if (listened(object, property))
        OVproperty_firehandlers(object, property, const_cast<void *>(value));
}

// Whether the name-stored hook forbids renaming the object.
bool name_is_stored(void *object);
// Tells the object-deleted hook about the object.
void announce_deleted(void *object);

} // namespace orv::input
