// The toolkit's window procedure over the translated window messages.
#pragma once

#include "platform/window_messages.h"

namespace orv {

void window_procedure(const OVwinmsg &message);
// A native window went away: the last one stops the loop and, unless
// universe option 16 is set, posts the quit message.
void window_destroyed();

} // namespace orv
