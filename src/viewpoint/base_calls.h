// The property protocol as the viewpoint and light setters use it.
#pragma once

#include "orv/property.h"

namespace orv {

// False when a pre-handler of the property vetoes the change.
inline bool property_allows(void *object, const char *property) {
    return OVproperty_firehandlers_pre(object, property) != 0;
}

// Queues the change event when someone listens.
inline void property_changed(void *object, const char *property, const void *value) {
    if (OVproperty_numhandlers(object, property))
        OVproperty_firehandlers(object, property, const_cast<void *>(value));
}

} // namespace orv
