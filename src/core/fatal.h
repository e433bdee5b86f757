// Internal view of the fatal path.
#pragma once

namespace orv {
// True once OVfatal has begun tearing the process down.
bool fatal_is_in_progress();
} // namespace orv
