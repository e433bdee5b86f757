// The renderer's per-geometry data as the geometry hands it back through its
// hooks, registered at start-up.
#pragma once

namespace orv {

// The geometry's drawing changed: the lists go now, the runs at the next draw.
void render_data_stale(void *data);
// The geometry goes, and its data with it.
void render_data_release(void *data);

} // namespace orv
