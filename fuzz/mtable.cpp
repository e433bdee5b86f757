// Material file reader on arbitrary bytes.
#include "orv/message.h"
#include "orv/mtable.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
int quiet(const char *) {
    return 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    OVmessage_sethook(quiet);
    std::string path = "/tmp/orv_fuzz_mtable_" + std::to_string(getpid()) + ".mat";
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    // Only files that start like a material file reach the parser.
    if (size < 3 || std::string(reinterpret_cast<const char *>(data), 3) != "mat")
        std::fputs("mat\n", f);
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    OVmtable *t = OVmtable_load(path.c_str());
    OVmtable_delete(t);
    std::remove(path.c_str());
    return 0;
}
