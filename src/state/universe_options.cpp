// The 17 option switches, kept as bytes of the configuration record.
#include "state/universe_record.h"

#include "orv/message.h"

namespace {
constexpr int kInvertedOption = 6; // stored inverted
bool known(int option) {
    return option >= 1 && option <= 17;
}
} // namespace

using namespace orv;

extern "C" {

ORV_API int OVuniverse_setoption(int option, int value) {
    if (!universe) {
        OVwarning("Must call OVuniverse_new before calling OVuniverse_setoption.\n");
        return 0;
    }
    if (!known(option)) {
        OVwarning("Specified option: %d is not available.\n", option);
        return 0;
    }
    std::uint8_t stored = static_cast<std::uint8_t>(value);
    if (option == kInvertedOption) stored = value ? 0 : 1;
    universe->config->options[option - 1] = stored;
    return 1;
}

ORV_API int OVuniverse_getoption(int option) {
    if (!universe || !known(option)) return -1;
    std::uint8_t stored = universe->config->options[option - 1];
    if (option == kInvertedOption) return stored ? 0 : 1;
    return stored;
}

} // extern "C"
