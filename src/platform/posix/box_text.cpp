// Message boxes always leave their text on the standard error stream, so that
// runs without a display (and logs of runs with one) keep it.
#include "platform/posix/posix_services.h"

#include <cstdio>
#include <cstring>

namespace orv::platform::posix {

void print_box_text(const char *caption, const char *text) {
    if (!caption) caption = "";
    if (!text) text = "";
    const std::size_t n = std::strlen(text);
    std::fprintf(stderr, "%s: %s%s", caption, text, n && text[n - 1] == '\n' ? "" : "\n");
    std::fflush(stderr);
}

} // namespace orv::platform::posix
