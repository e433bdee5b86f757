// Image file decoders. Each reads a whole file held in memory into RGBA
// texels, the first row being the top of the picture, and checks every size,
// run and index against the bytes it was given before writing anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::tex {

// Largest side an SGI or JPEG image may declare (Targa has its own limit).
constexpr int kMaxImageSide = 4096;
// Largest side a Targa image may declare.
constexpr int kMaxTargaSide = 1024;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // width × height × 4, top row first
};

// Reader results: 0 on success, otherwise the texture error code to report
// (texture_errors.h); the readers print their own format messages.
int read_targa(const std::uint8_t *data, std::size_t size, const char *path, Image &out);
int read_sgi(const std::uint8_t *data, std::size_t size, const char *path, Image &out);
int read_jpeg(const std::uint8_t *data, std::size_t size, const char *path, Image &out);

// Whether the bytes start like a JPEG (FF D8 FF) or an SGI image (magic 474).
bool looks_like_jpeg(const std::uint8_t *data, std::size_t size);
bool looks_like_sgi(const std::uint8_t *data, std::size_t size);

} // namespace orv::tex
