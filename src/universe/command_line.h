// Settings taken from the command line before the universe starts.
#pragma once

#include <cstddef>

namespace orv {

// The value recorded for key from the command line; false when none.
bool command_line_setting(const char *key, char *out, std::size_t size);
// The program name: set by the command-line parser, else the executable's
// full file name.
void program_name(char *out, std::size_t size);

} // namespace orv
