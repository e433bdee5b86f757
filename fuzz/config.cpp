// Start-up configuration on arbitrary bytes: the bytes before the first NUL
// are the initialization file, the rest are command-line arguments separated
// by NULs or line ends. Both are read as at the start of a universe.
#include "fuzz_support.h"

#include "orv/universe.h"

#include <string>
#include <vector>

extern "C" void _OVconfig_read(void);

namespace {

std::vector<std::string> arguments_of(const std::uint8_t *data, std::size_t size) {
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\0' || c == '\n')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::start_universe();
    std::size_t ini_size = 0;
    while (ini_size < size && data[ini_size] != 0)
        ++ini_size;
    // The program is named after the file, so the file is its initialization file.
    fuzz::InputFile ini("config", ".ini", data, ini_size);
    if (!ini.ok()) return 0;
    std::string program = ini.path();
    program.resize(program.size() - 4);
    std::vector<std::string> texts = ini_size < size
                                         ? arguments_of(data + ini_size + 1, size - ini_size - 1)
                                         : std::vector<std::string>{};
    texts.insert(texts.begin(), program);
    std::vector<char *> argv;
    for (std::string &t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(texts.size());
    OVuniverse_setargs(&argc, argv.data());
    _OVconfig_read();
    return 0;
}
