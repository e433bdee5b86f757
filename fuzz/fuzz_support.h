// What the fuzz targets share: silent messages, one universe for the whole
// run, the input written to a file of its own for the readers that take a
// file name, model loading from a stream and image decoding.
#pragma once

#include "orv/file.h"
#include "orv/geometry.h"
#include "orv/message.h"
#include "orv/texture.h"
#include "orv/universe.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace fuzz {

// Warnings and messages go nowhere: printing them would cost more than the
// parsing under test and fill the fuzzer's log.
inline void silence_messages() {
    OVmessage_setoutput(OVCHANNEL_WARNING, 0, nullptr);
    OVmessage_setoutput(OVCHANNEL_MESSAGE, 0, nullptr);
}

// A universe without windows, made once and deleted at exit.
inline void start_universe() {
    static const bool started = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("ORV_NO_DIALOGS", "1", 0);
        OVuniverse_new(512, 0);
        silence_messages();
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

// Reads a model of the given type from the bytes and deletes what loads; the
// low bit of the size picks whether the geometries are merged.
inline void load_model(const std::uint8_t *data, std::size_t size, const char *name, int type) {
    silence_messages();
    std::FILE *f = std::tmpfile();
    if (!f) return;
    std::fwrite(data, 1, size, f);
    std::rewind(f);
    OVpq view;
    OVgeomlist *list = _OVgeometry_load(f, name, type, &view, 1.0f, size & 1);
    for (OVgeomlist *e = list; e; e = _OVgeomlist_next(e))
        OVgeometry_delete(_OVgeomlist_geometry(e));
    _OVgeomlist_delete(list); // the reader has closed the file
}

// Decodes an image from the bytes and touches its last texel, so that a
// buffer shorter than the size it reports shows up under the sanitizers.
inline void decode_image(const std::vector<std::uint8_t> &bytes) {
    silence_messages();
    int width = 0, height = 0;
    unsigned char *pixels = _OVimage_decode(bytes.data(), bytes.size(), "fuzz", &width, &height);
    if (pixels && width > 0 && height > 0) {
        volatile unsigned char last = pixels[static_cast<std::size_t>(width) * height * 4 - 1];
        (void)last;
    }
    OVfree(pixels);
}

} // namespace fuzz
