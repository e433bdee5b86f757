// The POSIX process services as one table.
#include "platform/posix/posix_services.h"

namespace orv::platform::posix {

const ProcessServices &process_services() {
    static const ProcessServices table = {
        .clock_ms = clock_ms,
        .counter = counter,
        .sleep_ms = sleep_ms,
        .find_symbol = find_symbol,
        .profile_string = profile_string,
        .profile_has_sections = profile_has_sections,
        .executable_name = executable_name,
        .map_block = map_block,
        .unmap_block = unmap_block,
        .file_bytes_left = file_bytes_left,
    };
    return table;
}

} // namespace orv::platform::posix
