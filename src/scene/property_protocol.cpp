// The one setter protocol, on the handler registries and the event queue.
#include "scene/property_protocol.h"

#include "orv/property.h"
#include "scene/event_switch.h"

namespace orv {

bool change_allowed(void *object, const char *property) {
    return !events_enabled() || OVproperty_firehandlers_pre(object, property) != 0;
}

bool change_listened(void *object, const char *property) {
    return events_enabled() && OVproperty_numhandlers(object, property) != 0;
}

void change_made(void *object, const char *property, const void *value) {
    if (change_listened(object, property))
        OVproperty_firehandlers(object, property, const_cast<void *>(value));
}

} // namespace orv
