// What the window module tells the property and event system of a window.
#pragma once

#include "orv/window.h"

namespace orv {

// The object-deleted hook, then the handlers and dynamic properties.
void window_forget(OVwindow *window);

} // namespace orv
