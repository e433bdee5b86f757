// The static property tables of the object classes. The rows (names, types)
// are constant; each class owner binds its setter and getter adaptors to the
// rows from a static initialiser in its own file:
//
//   static const orv::PropertyBinding bind_translation{
//       orv::PROPERTY_CLASS_NODE, 4, set_translation, get_translation};
//
// The binding slots are zero-initialised function pointers, so binding works
// whatever order the static initialisers run in.
//
// A setter receives a pointer to the payload of the row's type (for OVSTRING
// the text itself) and returns the setter's result. A getter writes the
// payload through its pointer (for OVSTRING a text from OVstrdup, owned by
// the caller) and returns 1, or 0 when it cannot read. A row without setter
// or getter makes OVproperty_set/get fail with a message.
#pragma once

#include "orv/orv_base.h"

namespace orv {

enum PropertyClass {
    PROPERTY_CLASS_NODE = 0,
    PROPERTY_CLASS_VIEWPOINT = 1,
    PROPERTY_CLASS_WINDOW = 2,
    PROPERTY_CLASS_SENSOR = 3,
    PROPERTY_CLASS_PATH = 4,
    PROPERTY_CLASS_BASE = 6,
    PROPERTY_CLASSES = 7
};

using PropertySetter = int (*)(void *object, const void *payload);
using PropertyGetter = int (*)(void *object, void *payload);
// Whether a row applies to this object (null: to every object of the class).
using PropertyApplies = bool (*)(const void *object);

struct PropertyRow {
    const char *name;
    int type;
};

// Binds a row's functions; false for an index out of range. Exported so that
// test programs can bind fake classes.
bool bind_property(int cls, int index, PropertySetter setter, PropertyGetter getter,
                   PropertyApplies applies = nullptr);

struct PropertyBinding {
    PropertyBinding(int cls, int index, PropertySetter setter, PropertyGetter getter,
                    PropertyApplies applies = nullptr) {
        bind_property(cls, index, setter, getter, applies);
    }
};

// The class of an object from its type code, or -1 when it has no table.
int property_class(const void *object);
// Number of rows of a class's table.
int property_rows(int cls);
// A row of a class's table (null out of range).
const PropertyRow *property_row(int cls, int index);
// Row index of a name in the class's table (hashed, confirmed exactly), or -1.
int find_property_row(int cls, const char *name);
// The row's bound functions (null when unbound).
PropertySetter property_setter(int cls, int index);
PropertyGetter property_getter(int cls, int index);
// Whether the row applies to the object.
bool property_applies(int cls, int index, const void *object);

} // namespace orv
