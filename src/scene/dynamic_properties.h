// Properties added to objects at run time.
#pragma once

#include "orv/property.h"

namespace orv {

// The value of an object's dynamic property, or null.
OVvalue *find_dynamic(const void *object, const char *name);

} // namespace orv
