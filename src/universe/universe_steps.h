// The universe's own steps, shared by its creation, loop and file loading.
#pragma once

namespace orv {

// Runs one simulation pass.
void run_pass();
// Clears the scene (teardown and universe-file loading): exit callbacks,
// name back to "untitled", paths stopped, portals and the universe object
// deleted, tasks cleared, bounds and placement reset.
void clear_scene();

} // namespace orv
