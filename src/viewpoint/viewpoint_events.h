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

} // namespace orv
