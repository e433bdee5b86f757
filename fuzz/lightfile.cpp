// Light file reader against arbitrary bytes.
#include "fuzz_support.h"

#include "orv/light.h"
#include "orv/orv_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::start_universe();
    fuzz::InputFile file("lightfile", ".lit", data, size);
    if (!file.ok()) return 0;
    // Lights go to the holding root; every input starts with none.
    OVlightnode_load(nullptr, file.path());
    _OVlight_deleteall();
    return 0;
}
