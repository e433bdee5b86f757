// Reading and writing properties by name, static rows and dynamic ones alike.
#include "orv/message.h"
#include "orv/property.h"
#include "scene/dynamic_properties.h"
#include "scene/event_system.h"
#include "scene/property_table.h"
#include "scene/property_value.h"

#include <cstring>

using namespace orv;

namespace {

struct Found {
    int cls;
    int row; // -1 for a dynamic property
    OVvalue *dynamic;
    int type;
};

Found find(void *object, const char *name) {
    Found f{property_class(object), -1, nullptr, OVNOPROPERTY};
    if (!object || !name) return f;
    // By class alone: a row that does not suit this node's type still names
    // the property, and its setter or getter refuses the node.
    f.row = find_property_row(f.cls, name);
    if (f.row >= 0) {
        f.type = property_row(f.cls, f.row)->type;
        return f;
    }
    f.row = -1;
    if ((f.dynamic = find_dynamic(object, name))) f.type = f.dynamic->type;
    return f;
}

// Dynamic properties follow the setter protocol themselves.
int set_dynamic(void *object, const char *name, OVvalue *slot, const void *payload) {
    if (!OVproperty_firehandlers_pre(object, name)) return 0;
    OVvalue fresh;
    value_from_payload(slot->type, payload, &fresh);
    OVvalue_free(slot);
    *slot = fresh;
    OVproperty_firehandlers(object, name, value_payload(slot));
    return 1;
}

int set_payload(void *object, const char *name, const Found &f, const void *payload) {
    if (f.dynamic) return set_dynamic(object, name, f.dynamic, payload);
    PropertySetter setter = property_setter(f.cls, f.row);
    if (!setter) {
        OVmessage("Serious internal error setting property!\n");
        return 0;
    }
    return setter(object, payload);
}

} // namespace

ORV_API int OVproperty_gettype(void *object, const char *name) {
    return find(object, name).type;
}

ORV_API int OVproperty_set(void *object, const char *name, OVvalue *value) {
    Found f = find(object, name);
    if (!value || f.type == OVNOPROPERTY || value->type != f.type) return 0;
    int result = set_payload(object, name, f, value_payload(value));
    OVvalue_free(value);
    return result;
}

ORV_API int OVproperty_setraw(void *object, const char *name, void *payload) {
    Found f = find(object, name);
    if (f.type == OVNOPROPERTY || !payload) return 0;
    return set_payload(object, name, f, payload);
}

ORV_API OVvalue OVproperty_get(void *object, const char *name) {
    Found f = find(object, name);
    if (f.type == OVNOPROPERTY) return OVvalue_new(OVNOPROPERTY);
    if (f.dynamic) return value_copy(*f.dynamic);
    // A row the object does not have (a switch's child on a separator) has no value.
    if (!property_applies(f.cls, f.row, object)) return OVvalue_new(OVNOPROPERTY);
    OVvalue value = OVvalue_new(f.type);
    PropertyGetter getter = property_getter(f.cls, f.row);
    if (!getter) {
        OVmessage("Serious internal error getting property!\n");
        return OVvalue_new(OVNOPROPERTY);
    }
    void *payload = f.type == OVSTRING ? static_cast<void *>(&value.v.s) : &value.v;
    if (!getter(object, payload)) {
        OVvalue_free(&value);
        return OVvalue_new(OVNOPROPERTY);
    }
    return value;
}
