// Typed text from the platform, split into characters, against arbitrary bytes.
#include "platform/sdl/sdl_backend.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // The platform hands over NUL-terminated text.
    const std::string text(reinterpret_cast<const char *>(data), size);
    const char *end = text.c_str() + std::char_traits<char>::length(text.c_str());
    for (const char *p = text.c_str(); *p;) {
        const char *before = p;
        const int character = orv::platform::sdl::next_character(p);
        // Every call moves on and never past the terminator.
        if (p <= before || p > end) std::abort();
        if (character < -1 || character > 0x1FFFFF) std::abort();
    }
    return 0;
}
