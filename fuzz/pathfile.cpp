// Path file reader against arbitrary bytes.
#include "orv/orv.h"

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
    static const std::string path = "/tmp/orv_fuzz_pathfile_" + std::to_string(::getpid());
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    if (OVpath *loaded = OVpath_load(path.c_str(), nullptr)) {
        // Exercise what a loaded path is used for, then drop it.
        OVpath_delete(OVpath_interpolate(loaded, 3, OVPATH_BEZIER));
        OVpath_delete(loaded);
    }
    std::remove(path.c_str());
    return 0;
}
