// Targa reader on arbitrary bytes (files that would be taken as JPEG or SGI
// are left to those targets).
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xD8) || (data[0] == 0x01 && data[1] == 0xDA)))
        return 0;
    fuzz::decode_image(std::vector<std::uint8_t>(data, data + size));
    return 0;
}
