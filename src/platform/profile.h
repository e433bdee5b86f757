// Initialization files: named sections of key=value lines, read the way the
// platform's profile-string reader reads them.
#pragma once

#include <cstddef>

namespace orv::platform {

// Copies the value of key in section into out (at most size - 1 characters,
// always terminated); the empty text when the file, section or key is
// missing. Section and key names compare without regard to letter case.
void profile_string(const char *path, const char *section, const char *key, char *out,
                    std::size_t size);
// Whether the file exists and holds at least one section.
bool profile_has_sections(const char *path);
// The full file name of the running executable (empty when unknown).
void executable_name(char *out, std::size_t size);

} // namespace orv::platform
