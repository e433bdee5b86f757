#include "files/plain_line.h"

#include "core/tokenizer.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace orv {

namespace {

// Lines are read with this limit, the terminator included.
constexpr std::ptrdiff_t kLineLimit = 1024;

// Byte classes: token bytes, blanks within a line, the line feed, and the
// bytes that make a line not plain (comment, continuation, zero byte).
enum : unsigned char { kToken, kBlank, kFeed, kNotPlain };
constexpr auto kClass = [] {
    std::array<unsigned char, 256> c{};
    c[' '] = c['\t'] = c['\r'] = kBlank;
    c['\n'] = kFeed;
    c['/'] = c['\\'] = c[0] = kNotPlain;
    return c;
}();

unsigned char byte_class(const char *p) {
    return kClass[static_cast<unsigned char>(*p)];
}

} // namespace

PlainLine::PlainLine(const char *begin, const char *limit)
    : p_(begin), limit_(limit - begin > kLineLimit - 1 ? begin + (kLineLimit - 1) : limit) {}

void PlainLine::skip_blanks() {
    while (p_ < limit_ && byte_class(p_) == kBlank)
        ++p_;
}

bool PlainLine::token(const char **begin, const char **end) {
    skip_blanks();
    *begin = p_;
    while (p_ < limit_ && byte_class(p_) == kToken)
        ++p_;
    *end = p_;
    // A token must stop at a blank or the line feed, inside the limit.
    return p_ > *begin && p_ < limit_ && byte_class(p_) < kNotPlain;
}

bool PlainLine::integer(int *out) {
    skip_blanks();
    // Up to nine plain digits, the common case, are summed as they are met.
    const char *begin = p_, *stop = limit_ - p_ > 9 ? p_ + 9 : limit_;
    int value = 0;
    while (p_ < stop && static_cast<unsigned>(*p_ - '0') <= 9)
        value = value * 10 + (*p_++ - '0');
    if (p_ > begin && p_ < limit_ && byte_class(p_) != kToken) {
        *out = value;
        return byte_class(p_) != kNotPlain;
    }
    p_ = begin;
    const char *end;
    return token(&begin, &end) && parse_int(begin, end, out);
}

bool PlainLine::number(float *out) {
    const char *begin, *end;
    return token(&begin, &end) && parse_float(begin, end, out);
}

bool PlainLine::colour(unsigned *out, std::size_t *length) {
    const char *begin, *end;
    if (!token(&begin, &end) || !parse_hex(begin, end, out)) return false;
    *length = static_cast<std::size_t>(end - begin);
    return true;
}

bool PlainLine::at_end() {
    skip_blanks();
    return p_ < limit_ && byte_class(p_) == kFeed;
}

} // namespace orv
