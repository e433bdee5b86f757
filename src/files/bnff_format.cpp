#include "files/bnff_format.h"

#include <bit>

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

bool Reader::string(std::string *out, bool *too_long) {
    *too_long = false;
    std::uint8_t n;
    if (!u8(&n)) return false;
    if (n > kMaxString) {
        *too_long = true;
        return false;
    }
    if (remaining() < n) return false;
    out->assign(reinterpret_cast<const char *>(bytes_ + pos_), n);
    pos_ += n;
    return true;
}

FileBytes::FileBytes(std::FILE *file) : ok_(platform::current().process.view_file(file, &view_)) {}

bool FileBytes::torn() const {
    return ok_ && platform::current().process.view_torn(&view_);
}

FileBytes::~FileBytes() {
    if (ok_) platform::current().process.release_view(&view_);
}

} // namespace orv::bnff
