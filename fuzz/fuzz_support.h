// What the fuzz targets share: silent messages, one universe for the whole
// run, and the input written to a file of its own for the readers that
// take a file name.
#pragma once

#include "orv/message.h"
#include "orv/universe.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzz {

inline int quiet(const char *) {
    return 0;
}

// A universe without windows, made once and deleted at exit.
inline void start_universe() {
    static const bool started = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("ORV_NO_DIALOGS", "1", 0);
        OVmessage_sethook(quiet);
        OVuniverse_new(512, 0);
        std::atexit(OVuniverse_delete);
        return true;
    }();
    (void)started;
}

// A file of this process named after the target, holding the given bytes
// after an optional prefix; removed when the object goes.
class InputFile {
  public:
    InputFile(const char *target, const char *extension, const std::uint8_t *data, std::size_t size,
              const char *prefix = "")
        : path_("/tmp/orv_fuzz_" + std::string(target) + "_" + std::to_string(::getpid()) +
                extension) {
        std::FILE *f = std::fopen(path_.c_str(), "wb");
        if (!f) return;
        std::fputs(prefix, f);
        written_ = std::fwrite(data, 1, size, f) == size;
        written_ = std::fclose(f) == 0 && written_;
    }
    ~InputFile() { std::remove(path_.c_str()); }
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    bool ok() const { return written_; }
    const char *path() const { return path_.c_str(); }

  private:
    std::string path_;
    bool written_ = false;
};

} // namespace fuzz
