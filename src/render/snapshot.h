// Window snapshots: the back buffer read just before the swap of every
// frame once a snapshot of the window has been asked for.
#pragma once

#include "render/window_internal.h"

namespace orv {

void snapshot_capture(const OVwindow *window);
void snapshot_forget(const OVwindow *window);

} // namespace orv
