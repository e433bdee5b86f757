// What the start-up may ask of the paths module. The path records stay
// inside it.
#pragma once

namespace orv::paths {

// A node is being deleted: when it is a marker, its element loses it.
void forget_marker(void *node);

} // namespace orv::paths
