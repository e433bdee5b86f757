#include "files/bnff_format.h"

#include "platform/platform.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace orv::bnff {

int property_floats(std::uint8_t tag) {
    for (const PropertyLayout &p : kPropertyOrder)
        if (p.bit == tag) return p.floats;
    return 0;
}

void Writer::u32(std::uint32_t w) {
    char b[4] = {static_cast<char>(w >> 24), static_cast<char>(w >> 16), static_cast<char>(w >> 8),
                 static_cast<char>(w)};
    buffer_.append(b, sizeof b);
}

void Writer::f32(float f) {
    u32(std::bit_cast<std::uint32_t>(f));
}

void Writer::string(std::string_view s) {
    u8(static_cast<std::uint8_t>(s.size()));
    bytes(s.data(), s.size());
}

void Writer::flush(bool force) {
    if (buffer_.empty() || (!force && buffer_.size() < kFlushSize)) return;
    if (ok_ && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) ok_ = false;
    buffer_.clear();
    if (force && ok_ && std::fflush(file_) != 0) ok_ = false;
}

namespace {
// A window large enough that the file is read in few calls, small enough to
// stay in the cache while its fields are decoded.
constexpr std::size_t kWindowBytes = 256 * 1024;
// The first block for a stream of unknown length; it doubles as it fills.
constexpr std::size_t kFirstBlock = 1 << 16;
} // namespace

Reader::Reader(std::FILE *file) : file_(file) {
    std::uint64_t bytes;
    if (file && platform::current().process.file_bytes_left(file, &bytes)) {
        total_ = bytes;
        capacity_ = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, kWindowBytes));
        capacity_ = std::max(capacity_, kMaxRecord);
        window_.reset(new (std::nothrow) unsigned char[capacity_]);
        ok_ = window_ != nullptr;
    } else {
        ok_ = read_whole();
    }
    if (!ok_) total_ = 0;
}

// Reads a stream of unknown length into one block, which becomes the window.
bool Reader::read_whole() {
    std::size_t capacity = kFirstBlock, size = 0;
    std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[capacity]);
    while (block && file_) {
        if (size == capacity) {
            std::unique_ptr<unsigned char[]> larger(new (std::nothrow) unsigned char[capacity * 2]);
            if (!larger) return false;
            std::memcpy(larger.get(), block.get(), size);
            block = std::move(larger);
            capacity *= 2;
            continue;
        }
        const std::size_t got = std::fread(block.get() + size, 1, capacity - size, file_);
        size += got;
        if (got == 0) break;
    }
    if (!block) return false;
    window_ = std::move(block);
    capacity_ = capacity;
    filled_ = size;
    total_ = size;
    file_ = nullptr; // nothing more to read
    return true;
}

bool Reader::refill(std::size_t n) {
    if (!file_ || n > capacity_ || n > remaining()) return false;
    // The bytes not yet taken move to the front; the rest of the window fills.
    const std::size_t kept = filled_ - pos_;
    std::memmove(window_.get(), window_.get() + pos_, kept);
    passed_ += pos_;
    pos_ = 0;
    filled_ = kept;
    const std::uint64_t unread = total_ - passed_ - filled_;
    const auto want =
        static_cast<std::size_t>(std::min<std::uint64_t>(capacity_ - filled_, unread));
    while (filled_ < kept + want) {
        const std::size_t got =
            std::fread(window_.get() + filled_, 1, kept + want - filled_, file_);
        if (got == 0) {
            // The file is shorter than it was: it ends here.
            total_ = passed_ + filled_;
            file_ = nullptr;
            break;
        }
        filled_ += got;
    }
    return filled_ >= n;
}

bool Reader::string(std::string *out, bool *too_long) {
    *too_long = false;
    std::uint8_t n;
    if (!u8(&n)) return false;
    if (n > kMaxString) {
        *too_long = true;
        return false;
    }
    if (!have(n)) return false;
    out->assign(reinterpret_cast<const char *>(window_.get() + pos_), n);
    pos_ += n;
    return true;
}

} // namespace orv::bnff
