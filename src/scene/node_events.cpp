// The property protocol as the node setters use it.
#include "orv/property.h"
#include "scene/event_switch.h"
#include "scene/node_internal.h"

namespace orv::scene {

bool may_change(OVnode *node, const char *property) {
    return !orv::events_enabled() || OVproperty_firehandlers_pre(node, property);
}

void tell(OVnode *node, const char *property, const void *value) {
    if (orv::events_enabled() && OVproperty_numhandlers(node, property))
        OVproperty_firehandlers(node, property, const_cast<void *>(value));
}

} // namespace orv::scene
