// The header every toolkit record begins with, so that generic code (the
// property system, printing, deletion of any object) can tell an object's class.
#pragma once

#include <cstdint>

struct OVobject {
    std::uint8_t type;         // node types below 30, otherwise OVTYPE_*
    std::uint8_t has_handlers; // set while event handlers are registered for it
};

inline std::uint8_t orv_object_type(const void *object) {
    return static_cast<const OVobject *>(object)->type;
}
