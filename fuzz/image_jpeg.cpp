// JPEG reader on arbitrary bytes: the JPEG start bytes are put in front.
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
    std::vector<uint8_t> bytes = {0xFF, 0xD8, 0xFF};
    bytes.insert(bytes.end(), data, data + size);
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
