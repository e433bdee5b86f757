// Path file reader against arbitrary bytes.
#include "fuzz_support.h"

#include "orv/path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::start_universe();
    fuzz::InputFile file("pathfile", ".pth", data, size);
    if (!file.ok()) return 0;
    if (OVpath *loaded = OVpath_load(file.path(), nullptr)) {
        // Exercise what a loaded path is used for, then drop it.
        OVpath_delete(OVpath_interpolate(loaded, 3, OVPATH_BEZIER));
        OVpath_delete(loaded);
    }
    return 0;
}
