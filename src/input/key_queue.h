// The keyboard queue: keys typed into the toolkit's windows, oldest first.
#pragma once

#include "orv/orv_base.h"

namespace orv::input {

void queue_key(OVwindow *window, int code);
// Drops every queued key.
void clear_keys();

} // namespace orv::input
