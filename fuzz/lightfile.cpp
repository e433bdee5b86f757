// Light file reader against arbitrary bytes.
#include "fuzz_support.h"

#include "orv/light.h"
#include "orv/node.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::start_universe();
    fuzz::InputFile file("lightfile", ".lit", data, size);
    if (!file.ok()) return 0;
    // Lights go under a separator deleted with them, so that every input
    // starts with none and a long run does not gather them.
    OVnode *parent = OVsepnode_new(nullptr);
    OVlightnode_load(parent, file.path());
    OVnode_delete(parent);
    return 0;
}
