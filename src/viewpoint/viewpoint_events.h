// The property protocol as the viewpoint setters use it.
#pragma once

#include "viewpoint/base_calls.h"
#include "viewpoint/viewpoint_record.h"

namespace orv {

inline bool viewpoint_allows(OVviewpoint *viewpoint, const char *property) {
    return property_allows(viewpoint, property);
}

inline void viewpoint_changed(OVviewpoint *viewpoint, const char *property, const void *value) {
    property_changed(viewpoint, property, value);
}

// Whether the name-stored hook forbids renaming the object.
bool name_is_stored(void *object);
// Tells the object-deleted hook and drops the object's handlers, properties and tasks.
void forget_object(void *object);

} // namespace orv
