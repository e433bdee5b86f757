// Start-up wiring of the notifications that run upward between modules.
#pragma once

namespace orv {

// Registers every higher module's hooks with the lower modules that call
// them. Runs when a universe is created; registering again changes nothing.
void connect_modules();

} // namespace orv
