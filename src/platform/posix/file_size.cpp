// How many bytes an open file holds past its stream's position.
#include "platform/posix/posix_services.h"

#include <sys/stat.h>

namespace orv::platform::posix {

bool file_bytes_left(std::FILE *file, std::uint64_t *bytes) {
    const int fd = file ? fileno(file) : -1;
    struct stat st;
    // Pipes, devices and files that report no size (as /proc files do) cannot tell.
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) return false;
    const off_t here = ftello(file);
    if (here < 0 || here > st.st_size) return false;
    *bytes = static_cast<std::uint64_t>(st.st_size - here);
    return true;
}

} // namespace orv::platform::posix
