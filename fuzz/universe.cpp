// Universe files (OVuniverse_load) on arbitrary bytes. The first byte picks
// the scale factor and whether the magic word is put in front, so that the
// fuzzer reaches the model body without having to find "nff" first.
#include "fuzz_support.h"

#include "orv/universe.h"

namespace {
constexpr float scales[] = {1.0f, 0.01f, 1000.0f, 0.0f}; // the last is refused
constexpr std::uint8_t scale_bits = 3, magic_bit = 4;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 1) return 0;
    fuzz::start_universe();
    const std::uint8_t selector = data[0];
    fuzz::InputFile file("universe", ".nff", data + 1, size - 1,
                         selector & magic_bit ? "nff\n" : "");
    if (!file.ok()) return 0;
    OVpq placement;
    OVuniverse_load(file.path(), &placement, scales[selector & scale_bits]);
    return 0;
}
