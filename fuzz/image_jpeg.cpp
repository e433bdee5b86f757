// JPEG reader on arbitrary bytes: the JPEG start bytes are put in front.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::vector<std::uint8_t> bytes = {0xFF, 0xD8, 0xFF};
    bytes.insert(bytes.end(), data, data + size);
    fuzz::decode_image(bytes);
    return 0;
}
