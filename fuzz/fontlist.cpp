// The 2D font list reader against arbitrary bytes.
#include "fuzz_support.h"

#include "draw2d/font_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    fuzz::silence_messages();
    const auto fonts = orv::draw2d::parse_font_list(reinterpret_cast<const char *>(data), size);
    for (const auto &font : fonts) {
        // What the reader hands on must obey its own rules.
        if (font.face.empty() || font.face.size() > orv::draw2d::max_face_name) std::abort();
        if (font.face.front() == ' ' || font.face.back() == ' ') std::abort();
    }
    return 0;
}
