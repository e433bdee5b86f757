// Targa reader on arbitrary bytes (files that would be taken as JPEG or SGI are left to those
// targets).
#include "orv/message.h"
#include "orv/texture.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {
int quiet(const char *) {
    return 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    OVmessage_sethook(quiet);
    if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xD8) || (data[0] == 0x01 && data[1] == 0xDA)))
        return 0;
    std::vector<uint8_t> bytes(data, data + size);
    int width = 0, height = 0;
    unsigned char *pixels = _OVimage_decode(bytes.data(), bytes.size(), "fuzz", &width, &height);
    // Touch the last texel: a short buffer shows up under the sanitizers.
    if (pixels && width > 0 && height > 0) {
        volatile unsigned char last = pixels[static_cast<size_t>(width) * height * 4 - 1];
        (void)last;
    }
    OVfree(pixels);
    return 0;
}
