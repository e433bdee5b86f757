// Process services every backend on a POSIX system shares: the clock, sleep,
// symbol lookup, initialization files and the program's own file name. The
// backends put these functions into their tables.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace orv::platform::posix {

// The table of these services.
const ProcessServices &process_services();

// Milliseconds since the process started.
std::uint32_t clock_ms();
// Microseconds since the process started.
std::uint64_t counter();
// Gives up the rest of the time slice for 0, otherwise sleeps.
void sleep_ms(int milliseconds);

// dlsym over the program and every library it loaded.
void *find_symbol(const char *name);

// Initialization files: named sections of key=value lines. Section and key
// names compare without regard to letter case; "\" in a path is taken as the
// directory separator.
void profile_string(const char *path, const char *section, const char *key, char *out,
                    std::size_t size);
bool profile_has_sections(const char *path);
// Read from /proc/self/exe.
void executable_name(char *out, std::size_t size);

// Anonymous mappings aligned to their size.
void *map_block(std::size_t bytes);
void unmap_block(void *block, std::size_t bytes);

// The bytes a regular file holds past the stream's position; false for
// streams that cannot tell (pipes, devices, files that report no size).
bool file_bytes_left(std::FILE *file, std::uint64_t *bytes);

// The standard-error copy of a message box: "caption: text", ending in a line feed.
void print_box_text(const char *caption, const char *text);

} // namespace orv::platform::posix
