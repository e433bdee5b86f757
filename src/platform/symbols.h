// Looking a function up by name in the running program.
#pragma once

namespace orv::platform {

// The address of an exported symbol of the program or its libraries, or null.
void *find_symbol(const char *name);

} // namespace orv::platform
