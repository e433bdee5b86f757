// The keyboard queue: keys typed into the toolkit's windows, oldest first.
#pragma once

#include "orv/orv_base.h"

namespace orv::input {

void queue_key(OVwindow *window, int code);
// Queues a typed character: Backspace, Tab and Return become their key
// codes, any other character is queued as itself.
void queue_character(OVwindow *window, int character);
// Drops every queued key.
void clear_keys();

} // namespace orv::input
