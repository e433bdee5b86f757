#include "bnff_bytes.h"

#include <cstdio>
#include <thread>

#include <unistd.h>

namespace nfftest {

OVgeomlist *load_piped(const std::string &bytes, const std::string &name) {
    int ends[2];
    if (::pipe(ends) != 0) return nullptr;
    // The reader takes the whole stream before it parses, so the writer
    // always gets to the end.
    std::thread writer([&] {
        for (std::size_t at = 0; at < bytes.size();) {
            ssize_t n = ::write(ends[1], bytes.data() + at, bytes.size() - at);
            if (n <= 0) break;
            at += static_cast<std::size_t>(n);
        }
        ::close(ends[1]);
    });
    std::FILE *pipe = fdopen(ends[0], "rb");
    OVpq view;
    OVgeomlist *l = pipe ? _OVgeometry_load(pipe, name.c_str(), OVFILE_BNFF, &view, 1, 0) : nullptr;
    if (!pipe) ::close(ends[0]);
    writer.join();
    return l;
}

} // namespace nfftest
