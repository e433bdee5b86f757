// Binary NFF: tags, limits, and big-endian encoding of its fields.
#pragma once

#include "platform/platform.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace orv::bnff {

constexpr char kMagic[4] = {'b', 'n', 'f', 'f'};
constexpr float kVersion = 6.01f;
constexpr std::size_t kMaxString = 80; // longest string a reader accepts

// Header items.
constexpr std::uint8_t kViewPosition = 1, kViewDirection = 2, kGeometry = 3;
// Material section.
constexpr std::uint8_t kMaterialStart = 4, kMaterialEnd = 5, kProperties = 8, kEntries = 9,
                       kNewEntry = 0;
// Vertex flags.
constexpr std::uint8_t kHasNormal = 1, kHasUV = 2, kHasColour = 4;
// Polygon attribute items.
constexpr std::uint8_t kPolyEnd = 0, kTwoSided = 1, kTexture = 2, kPortal = 3, kRotation = 4,
                       kScale = 5, kTranslation = 6, kMirrored = 7;
// Polygon id (32 bits), written only for ids other than 0 so that files of
// polygons without ids keep the older layout.
constexpr std::uint8_t kPolygonId = 8;
// Texture tinted by the polygon's colour; no data, so older readers skip it.
constexpr std::uint8_t kTinted = 9;

// The material property bits in file order, with the floats each holds.
struct PropertyLayout {
    int bit;
    int floats;
};
constexpr PropertyLayout kPropertyOrder[] = {{0x01, 3}, {0x02, 3}, {0x04, 3}, {0x08, 1},
                                             {0x10, 3}, {0x20, 3}, {0x40, 1}};
// The floats a property tag carries, 0 for bytes that are no property.
int property_floats(std::uint8_t tag);

// Buffers the fields of a file and hands them to it in large writes.
class Writer {
  public:
    explicit Writer(std::FILE *file) : file_(file) {}
    void u8(std::uint8_t b) { buffer_.push_back(static_cast<char>(b)); }
    void u32(std::uint32_t w);
    void i32(std::int32_t w) { u32(static_cast<std::uint32_t>(w)); }
    void f32(float f);
    void bytes(const char *data, std::size_t n) { buffer_.append(data, n); }
    // A length byte and the characters (the caller keeps within kMaxString).
    void string(std::string_view s);
    // Writes what is buffered when enough has gathered (or always with force).
    void flush(bool force = false);
    // True while every write so far succeeded.
    bool ok() const { return ok_; }

  private:
    static constexpr std::size_t kFlushSize = 1 << 16;
    std::FILE *file_;
    std::string buffer_;
    bool ok_ = true;
};

// Loads a big-endian 32-bit word.
inline std::uint32_t load_u32(const unsigned char *b) {
    return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 |
           std::uint32_t{b[3]};
}

// The rest of an open file, viewed for as long as the object lives.
class FileBytes {
  public:
    explicit FileBytes(std::FILE *file);
    ~FileBytes();
    FileBytes(const FileBytes &) = delete;
    FileBytes &operator=(const FileBytes &) = delete;
    // False when the file could not be had (no memory for its copy).
    bool ok() const { return ok_; }
    // True when the file shrank while it was read: its missing bytes read as zeros.
    bool torn() const;
    const unsigned char *data() const { return view_.data; }
    std::size_t size() const { return view_.size; }

  private:
    platform::FileView view_;
    bool ok_;
};

// Reads fields from bytes held in memory; every read fails at the end.
class Reader {
  public:
    Reader(const unsigned char *data, std::size_t size) : bytes_(data), size_(size) {}
    // Fields are read inline: a model has millions of them.
    bool u8(std::uint8_t *out) {
        if (at_end()) return false;
        *out = bytes_[pos_++];
        return true;
    }
    bool u32(std::uint32_t *out) {
        if (remaining() < 4) return false;
        *out = load_u32(bytes_ + pos_);
        pos_ += 4;
        return true;
    }
    bool i32(std::int32_t *out) {
        std::uint32_t w;
        if (!u32(&w)) return false;
        *out = static_cast<std::int32_t>(w);
        return true;
    }
    bool f32(float *out) {
        std::uint32_t w;
        if (!u32(&w)) return false;
        *out = std::bit_cast<float>(w);
        return true;
    }
    bool floats(float *out, int n) {
        if (remaining() < static_cast<std::size_t>(n) * 4) return false;
        for (int i = 0; i < n; ++i)
            f32(&out[i]);
        return true;
    }
    // A length byte and that many characters; false past the end or beyond
    // kMaxString (too_long tells which).
    bool string(std::string *out, bool *too_long);
    // The next byte without taking it; false at the end.
    bool peek(std::uint8_t *out) const {
        if (at_end()) return false;
        *out = bytes_[pos_];
        return true;
    }
    // The next n bytes, left in place, for decoding a whole record at once;
    // null when fewer remain.
    const unsigned char *ahead(std::size_t n) const {
        return remaining() >= n ? bytes_ + pos_ : nullptr;
    }
    // Passes over n bytes that ahead(n) gave.
    void skip(std::size_t n) { pos_ += n; }
    std::size_t remaining() const { return size_ - pos_; }
    bool at_end() const { return pos_ >= size_; }

  private:
    const unsigned char *bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace orv::bnff
