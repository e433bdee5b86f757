// The setter protocol of every object class (nodes, viewpoints, windows,
// sensors, paths): pre-handlers may veto a change, the change is made, and
// the change event is queued for the event pass of the same simulation pass.
//
//   if (!orv::change_allowed(object, "Size")) return 0;
//   ...store the new value...
//   orv::change_made(object, "Size", &stored);
//
// While the global event switch is off (compound operations) every change is
// allowed and nothing is queued.
#pragma once

#include "core/finite.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>

namespace orv {

// False when a pre-handler of the property vetoes the change.
bool change_allowed(void *object, const char *property);
// Whether a change event of the property would reach a handler, so that a
// setter can skip building a value nobody hears.
bool change_listened(void *object, const char *property);
// Queues the change event with a typed copy of the value when someone listens.
void change_made(void *object, const char *property, const void *value);

// The whole protocol for a setter that stores one value in one field; false
// when vetoed or when a real value is not finite. The event carries the
// stored field.
template <typename T>
bool change_field(void *object, const char *property, T &field, const T &value) {
    if constexpr (std::is_floating_point_v<T>)
        if (!finite(value)) return false;
    if (!change_allowed(object, property)) return false;
    field = value;
    change_made(object, property, &field);
    return true;
}

// The same for a field of floats (a point, a colour, a quaternion), all of
// which must be finite.
template <std::size_t N>
bool change_floats(void *object, const char *property, float (&field)[N], const float *values) {
    if (!finite(values, static_cast<int>(N)) || !change_allowed(object, property)) return false;
    std::copy(values, values + N, field);
    change_made(object, property, field);
    return true;
}

} // namespace orv
