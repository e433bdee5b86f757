// Binary NFF: tags, limits, and big-endian encoding of its fields.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
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

// Reads fields from an open file, from its position on, through a window
// that is refilled as the fields pass; every read fails at the end. The
// bytes the file holds are known from the start (a stream that cannot tell,
// such as a pipe, is read whole first), so that counts can be checked
// against them.
class Reader {
  public:
    explicit Reader(std::FILE *file);
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;
    // False when a stream of unknown length could not be held in memory.
    bool ok() const { return ok_; }
    // Fields are read inline: a model has millions of them.
    bool u8(std::uint8_t *out) {
        if (!have(1)) return false;
        *out = window_[pos_++];
        return true;
    }
    bool u32(std::uint32_t *out) {
        if (!have(4)) return false;
        *out = load_u32(window_.get() + pos_);
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
        if (!have(static_cast<std::size_t>(n) * 4)) return false;
        for (int i = 0; i < n; ++i)
            f32(&out[i]);
        return true;
    }
    // A length byte and that many characters; false past the end or beyond
    // kMaxString (too_long tells which).
    bool string(std::string *out, bool *too_long);
    // The next byte without taking it; false at the end.
    bool peek(std::uint8_t *out) {
        if (!have(1)) return false;
        *out = window_[pos_];
        return true;
    }
    // The next n bytes (at most kMaxRecord), left in place, for decoding a
    // whole record at once; null when fewer remain.
    const unsigned char *ahead(std::size_t n) { return have(n) ? window_.get() + pos_ : nullptr; }
    // Passes over n bytes that ahead(n) gave.
    void skip(std::size_t n) { pos_ += n; }
    // The bytes left to read: the file's, as far as it is known to hold them.
    std::uint64_t remaining() const { return total_ - passed_ - pos_; }
    bool at_end() const { return remaining() == 0; }

    // The most bytes a caller may ask to have in the window at once.
    static constexpr std::size_t kMaxRecord = 1 + 255;

  private:
    // Whether n bytes stand in the window, refilling it when they do not.
    bool have(std::size_t n) { return filled_ - pos_ >= n || refill(n); }
    bool refill(std::size_t n);
    bool read_whole();

    std::FILE *file_;
    std::unique_ptr<unsigned char[]> window_;
    std::size_t capacity_ = 0, filled_ = 0, pos_ = 0;
    std::uint64_t passed_ = 0; // bytes read before the window's first
    std::uint64_t total_ = 0;  // bytes from the starting position to the end
    bool ok_ = true;
};

} // namespace orv::bnff
