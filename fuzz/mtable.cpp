// Material file reader on arbitrary bytes.
#include "fuzz_support.h"

#include "orv/mtable.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::silence_messages();
    // Only files that start like a material file reach the parser.
    const bool has_magic = size >= 3 && std::memcmp(data, "mat", 3) == 0;
    fuzz::InputFile file("mtable", ".mat", data, size, has_magic ? "" : "mat\n");
    if (!file.ok()) return 0;
    OVmtable_delete(OVmtable_load(file.path()));
    return 0;
}
