// The toolkit's window procedure over the translated window messages.
#pragma once

#include "orv/orv_base.h"
#include "platform/window_messages.h"

namespace orv {

void window_procedure(const OVwinmsg &message);
// input/ registers at start-up what takes a window's mouse and key messages
// (1 when consumed); without it they are dropped.
using InputMessageFn = int (*)(OVwindow *window, const OVwinmsg *message);
void set_input_handler(InputMessageFn fn);
// A native window went away: the last one stops the loop and, unless
// universe option 16 is set, posts the quit message.
void window_destroyed();

} // namespace orv
