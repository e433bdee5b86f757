// Light file reader against arbitrary bytes.
#include "orv/light.h"
#include "orv/orv.h"
#include "orv/orv_internal.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
int quiet(const char *) {
    return 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const bool started = [] {
        OVmessage_sethook(quiet);
        OVuniverse_new(512, 0);
        std::atexit(OVuniverse_delete);
        return true;
    }();
    (void)started;
    static const std::string path = "/tmp/orv_fuzz_lightfile_" + std::to_string(::getpid());
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    // Lights go to the holding root; every input starts with none.
    OVlightnode_load(nullptr, path.c_str());
    _OVlight_deleteall();
    std::remove(path.c_str());
    return 0;
}
