// The 2D font list reader against arbitrary bytes.
#include "draw2d/font_list.h"
#include "orv/orv.h"

#include <cstdint>
#include <cstdlib>

namespace {
int quiet(const char *) {
    return 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const bool started = [] {
        OVmessage_sethook(quiet);
        return true;
    }();
    (void)started;
    const auto fonts = orv::draw2d::parse_font_list(reinterpret_cast<const char *>(data), size);
    for (const auto &font : fonts) {
        // What the reader hands on must obey its own rules.
        if (font.face.empty() || font.face.size() > orv::draw2d::max_face_name) std::abort();
        if (font.face.front() == ' ' || font.face.back() == ' ') std::abort();
    }
    return 0;
}
