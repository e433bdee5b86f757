// SGI image reader on arbitrary bytes: the magic number is put in front.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::vector<std::uint8_t> bytes = {0x01, 0xDA};
    bytes.insert(bytes.end(), data, data + size);
    fuzz::decode_image(bytes);
    return 0;
}
