// The display lists of the eight light slots and of the global ambient.
#pragma once

namespace orv {

// Compiles the list of every occupied slot changed since its last compile,
// and the ambient list when it is invalid.
void compile_light_lists();
// Every occupied slot is current now.
void mark_lights_compiled();
void global_ambient();
void light_on(int slot);
void light_off(int slot);

} // namespace orv
