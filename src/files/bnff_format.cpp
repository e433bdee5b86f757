#include "files/bnff_format.h"

#include <bit>
#include <cstring>

namespace orv::bnff {

namespace {
constexpr std::size_t kFirstChunk = 1 << 16; // for files that cannot seek
} // namespace

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

bool Reader::string(std::string *out, bool *too_long) {
    *too_long = false;
    std::uint8_t n;
    if (!u8(&n)) return false;
    if (n > kMaxString) {
        *too_long = true;
        return false;
    }
    if (remaining() < n) return false;
    out->assign(reinterpret_cast<const char *>(bytes_.get() + pos_), n);
    pos_ += n;
    return true;
}

FileBytes read_all(std::FILE *file) {
    FileBytes out;
    // A seekable file is read in one piece: one byte more than it holds lets
    // the read see the end without growing the buffer.
    std::size_t capacity = kFirstChunk;
    long here = std::ftell(file);
    if (here >= 0 && std::fseek(file, 0, SEEK_END) == 0) {
        long end = std::ftell(file);
        std::fseek(file, here, SEEK_SET);
        if (end >= here) capacity = static_cast<std::size_t>(end - here) + 1;
    }
    out.data.reset(new unsigned char[capacity]);
    for (;;) {
        if (out.size == capacity) {
            std::unique_ptr<unsigned char[]> larger(new unsigned char[capacity * 2]);
            std::memcpy(larger.get(), out.data.get(), out.size);
            out.data = std::move(larger);
            capacity *= 2;
        }
        std::size_t got = std::fread(out.data.get() + out.size, 1, capacity - out.size, file);
        out.size += got;
        if (got == 0 || std::feof(file) || std::ferror(file)) break;
    }
    return out;
}

} // namespace orv::bnff
