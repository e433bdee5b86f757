// A bounds-checked cursor over an image file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv::tex {

class ByteReader {
  public:
    ByteReader(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    std::size_t left() const { return size_ - pos_; }
    std::size_t position() const { return pos_; }
    bool ok() const { return ok_; }

    // Each read past the end yields 0 and clears ok().
    std::uint8_t u8() { return take(1) ? data_[pos_ - 1] : 0; }
    std::uint16_t le16() {
        if (!take(2)) return 0;
        return static_cast<std::uint16_t>(data_[pos_ - 2] | data_[pos_ - 1] << 8);
    }
    std::uint16_t be16() {
        if (!take(2)) return 0;
        return static_cast<std::uint16_t>(data_[pos_ - 2] << 8 | data_[pos_ - 1]);
    }
    std::uint32_t be32() {
        std::uint32_t high = be16();
        return high << 16 | be16();
    }
    // The next n bytes, or null (and ok() cleared) when fewer are left.
    const std::uint8_t *bytes(std::size_t n) { return take(n) ? data_ + pos_ - n : nullptr; }
    bool skip(std::size_t n) { return take(n); }
    bool seek(std::size_t offset) {
        if (offset > size_) return ok_ = false;
        pos_ = offset;
        return true;
    }

  private:
    bool take(std::size_t n) {
        if (!ok_ || n > size_ - pos_) return ok_ = false;
        pos_ += n;
        return true;
    }

    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace orv::tex
