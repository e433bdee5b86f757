// Process services every backend on a POSIX system shares: the clock, sleep,
// symbol lookup, initialization files and the program's own file name. The
// backends put these functions into their tables.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>

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

// Views of the rest of an open file: mmap where it can, read otherwise.
bool view_file(std::FILE *file, FileView *view);
bool view_torn(const FileView *view);
void release_view(FileView *view);

// Watches a file mapping for the file shrinking under it: returns the guard,
// or -1 when every guard is taken. Past the file's new end the mapping then
// reads as zeros and mapping_torn tells.
int guard_mapping(const void *area, std::size_t bytes);
bool mapping_torn(int guard);
void unguard_mapping(int guard);

// The standard-error copy of a message box: "caption: text", ending in a line feed.
void print_box_text(const char *caption, const char *text);

} // namespace orv::platform::posix
