// The property protocol as the input setters use it.
#pragma once

#include "orv/property.h"
#include "orv/task.h"
#include "scene/event_system.h"

namespace orv::input {

// False when a pre-handler of the property vetoes the change.
inline bool allows(void *object, const char *property) {
    return OVproperty_firehandlers_pre(object, property) != 0;
}

// Whether anyone listens to the property.
inline bool listened(void *object, const char *property) {
    return OVproperty_numhandlers(object, property) != 0;
}

// Queues the change event when someone listens.
inline void changed(void *object, const char *property, const void *value) {
    if (listened(object, property))
        OVproperty_firehandlers(object, property, const_cast<void *>(value));
}

} // namespace orv::input
