// Text NFF model reader on arbitrary bytes.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::load_model(data, size, "fuzz.nff", OVFILE_NFF);
    return 0;
}
