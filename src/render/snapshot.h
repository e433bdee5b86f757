// Window snapshots: the back buffer of every window read just before each
// swap, so that a snapshot gives what the window last showed.
#pragma once

#include "render/window_internal.h"

namespace orv {

void snapshot_capture(const OVwindow *window);
void snapshot_forget(const OVwindow *window);

} // namespace orv
