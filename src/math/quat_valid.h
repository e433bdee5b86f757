// The rule every orientation setter applies to a quaternion from the caller.
#pragma once

#include "orv/orv_base.h"

namespace orv {

// False, after the warning "Invalid quaternion passed to <function>.\n", when
// all four components are below the tolerance in magnitude.
bool quat_valid(const OVq q, const char *function);

} // namespace orv
