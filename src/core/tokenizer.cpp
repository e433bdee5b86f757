#include "core/tokenizer.h"

#include "orv/message.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace orv {

namespace {
// Byte classes for splitting a line: token bytes, the slash that may start a
// comment, blanks, and the terminator (a zero byte ends the line's tokens).
enum : unsigned char { kToken, kSlash, kBlank, kEnd };
constexpr auto kClass = [] {
    std::array<unsigned char, 256> c{};
    c[' '] = c['\t'] = c['\r'] = c['\n'] = kBlank;
    c['/'] = kSlash;
    c[0] = kEnd;
    return c;
}();
unsigned char byte_class(char c) {
    return kClass[static_cast<unsigned char>(c)];
}
bool is_blank(char c) {
    return byte_class(c) == kBlank;
}
} // namespace

bool parse_int(const char *token, const char *end, int *out) {
    if (!token || token == end) return false;
    // Plain numbers of up to nine digits cannot overflow: summed directly.
    const char *digits = token + (*token == '-');
    if (digits < end && end - digits <= 9) {
        int value = 0;
        const char *p = digits;
        for (; p < end && static_cast<unsigned>(*p - '0') <= 9; ++p)
            value = value * 10 + (*p - '0');
        if (p == end) {
            *out = digits == token ? value : -value;
            return true;
        }
    }
    const char *p = token;
    if (*p == '+' && ++p != end && *p == '-') return false; // one sign only
    auto [ptr, ec] = std::from_chars(p, end, *out, 10);
    return ec == std::errc() && ptr == end;
}

// Decimals such as "-12.375" whose digits make an integer below 2^24 with at
// most ten of them after the point: the integer and the power of ten are both
// exact floats, so their one quotient is the correctly rounded value, the
// same that a full conversion gives. Others are left to it.
static bool short_decimal(const char *p, const char *end, float *out) {
    static constexpr float kPowers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                        1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    bool negative = *p == '-';
    p += negative;
    std::uint32_t m = 0;
    int digits = 0, after = -1; // digits after the point; -1 before it
    for (; p < end; ++p) {
        unsigned d = static_cast<unsigned char>(*p) - '0';
        if (d <= 9) {
            m = m * 10 + d;
            if (m >= (1u << 24)) return false;
            ++digits;
            if (after >= 0 && ++after > 10) return false;
        } else if (*p == '.' && after < 0) {
            after = 0;
        } else {
            return false;
        }
    }
    if (!digits) return false;
    float value = static_cast<float>(m) / kPowers[after > 0 ? after : 0];
    *out = negative ? -value : value;
    return true;
}

bool parse_float(const char *token, const char *end, float *out) {
    if (!token || token == end) return false;
    const char *p = token;
    if (*p == '+' && ++p != end && *p == '-') return false; // one sign only
    if (p != end && short_decimal(p, end, out)) return true;
    // NaN and infinity are refused like any malformed number.
    float value = 0;
    auto [ptr, ec] = std::from_chars(p, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return false;
    *out = value;
    return true;
}

bool parse_int(const char *token, int *out) {
    return token && parse_int(token, token + std::strlen(token), out);
}

bool parse_float(const char *token, float *out) {
    return token && parse_float(token, token + std::strlen(token), out);
}

bool parse_hex(const char *token, const char *end, unsigned *out) {
    if (!token || token == end) return false;
    const char *p = token;
    if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) p += 2;
    if (p == end) return false;
    auto [ptr, ec] = std::from_chars(p, end, *out, 16);
    return ec == std::errc() && ptr == end;
}

bool parse_hex(const char *token, unsigned *out) {
    return token && parse_hex(token, token + std::strlen(token), out);
}

LineTokenizer::LineTokenizer(std::FILE *file, const char *name)
    : file_(file), name_(name ? name : "") {
    starts_.reserve(16);
    ends_.reserve(16);
    start_ = file_ ? std::ftell(file_) : 0;
}

// Keeps at least one line's worth of bytes ahead while the file lasts.
bool LineTokenizer::fill() {
    if (end_ - begin_ >= static_cast<std::size_t>(kLineLimit) || eof_) return begin_ < end_;
    if (chunk_.empty()) chunk_.resize(kChunk);
    std::memmove(chunk_.data(), chunk_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    std::size_t n = std::fread(chunk_.data() + end_, 1, chunk_.size() - end_, file_);
    if (n < chunk_.size() - end_) eof_ = true;
    end_ += n;
    return begin_ < end_;
}

// Reads at most 1023 bytes, up to and including a line feed.
bool LineTokenizer::read_line() {
    if (!file_ || !fill()) return false;
    const char *from = chunk_.data() + begin_;
    std::size_t most = std::min(end_ - begin_, static_cast<std::size_t>(kLineLimit - 1));
    const void *feed = std::memchr(from, '\n', most);
    std::size_t n = feed ? static_cast<const char *>(feed) - from + 1 : most;
    std::memcpy(line_, from, n);
    std::memcpy(text_, from, n);
    line_[n] = text_[n] = '\0';
    begin_ += n;
    consumed_ += static_cast<long>(n);
    ++line_no_;
    length_ = static_cast<int>(n);
    starts_.clear();
    ends_.clear();
    pos_ = 0;
    continues_ = false;
    if (!feed && n == kLineLimit - 1 && fill())
        report("Line longer than %d characters: the rest is read as the next line.\n",
               kLineLimit - 1);
    for (char *p = text_;;) {
        while (byte_class(*p) == kBlank)
            ++p;
        if (!*p) break;
        char *start = p, *comment = nullptr;
        for (;; ++p) { // a slash stops the fast scan to look for a second one
            while (byte_class(*p) == kToken)
                ++p;
            if (byte_class(*p) != kSlash) break;
            if (!comment && p[1] == '/') comment = p;
        }
        char *end = comment ? comment : p;
        if (end > start) {
            starts_.push_back(static_cast<int>(start - text_));
            ends_.push_back(static_cast<int>(end - text_));
        }
        if (comment || !*p) {
            *end = '\0';
            break;
        }
        *p++ = '\0'; // the blank after the token ends it
    }
    if (!starts_.empty() && text_[ends_.back() - 1] == '\\') {
        continues_ = true;
        text_[--ends_.back()] = '\0';
        if (ends_.back() == starts_.back()) {
            starts_.pop_back();
            ends_.pop_back();
        }
    }
    return true;
}

const char *LineTokenizer::next_on_line() {
    while (pos_ >= starts_.size()) {
        if (!continues_ || !read_line()) return nullptr;
    }
    return text_ + starts_[pos_++];
}

const char *LineTokenizer::next() {
    while (pos_ >= starts_.size()) {
        if (!read_line()) return nullptr;
    }
    return text_ + starts_[pos_++];
}

bool LineTokenizer::skip_line() {
    do {
        if (!read_line()) return false;
    } while (starts_.empty());
    return true;
}

void LineTokenizer::push_back() {
    if (pos_ > 0) --pos_;
}

const char *LineTokenizer::buffered(const char **end) {
    if (!file_ || !fill()) return nullptr;
    *end = chunk_.data() + end_;
    return chunk_.data() + begin_;
}

void LineTokenizer::take_plain_line(const char *end) {
    const char *from = chunk_.data() + begin_;
    const auto n = static_cast<std::size_t>(end - from);
    std::memcpy(line_, from, n); // for a later report about this line
    line_[n] = '\0';
    length_ = static_cast<int>(n);
    begin_ += n;
    consumed_ += static_cast<long>(n);
    ++line_no_;
    starts_.clear();
    ends_.clear();
    pos_ = 0;
    continues_ = false;
}

int LineTokenizer::caret_column() const {
    int at = length_;
    if (pos_ > 0 && pos_ <= starts_.size())
        at = starts_[pos_ - 1];
    else {
        while (at > 0 && is_blank(line_[at - 1]))
            --at;
    }
    int column = 0;
    for (int i = 0; i < at && i < length_; ++i)
        column = line_[i] == '\t' ? (column / 8 + 1) * 8 : column + 1;
    return column;
}

void LineTokenizer::report(const char *format, ...) {
    OVwarning("Line %d in '%s'.\n", line_no_, name_.c_str());
    std::string echo(line_, static_cast<std::size_t>(length_));
    if (echo.empty() || echo.back() != '\n') echo += '\n';
    OVmessage("%s", echo.c_str());
    OVmessage("%s^\n", std::string(static_cast<std::size_t>(caret_column()), ' ').c_str());
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    OVmessage("%s", text);
}

void LineTokenizer::report_missing(const char *label) {
    report("%s missing.\n", label);
}

bool LineTokenizer::read_int(const char *label, int *out) {
    const char *token = next_on_line();
    if (!token) {
        report_missing(label);
        return false;
    }
    if (!parse_int(token, text_ + ends_[pos_ - 1], out)) {
        report("%s invalid.\n", label);
        return false;
    }
    return true;
}

bool LineTokenizer::read_float(const char *label, float *out) {
    const char *token = next_on_line();
    if (!token) {
        report_missing(label);
        return false;
    }
    if (!parse_float(token, text_ + ends_[pos_ - 1], out)) {
        report("%s invalid.  Remember not to use punctuation.\n", label);
        return false;
    }
    return true;
}

bool LineTokenizer::read_float_any(const char *label, float *out) {
    const char *token = next();
    if (!token) {
        OVwarning("%s missing.\n", label);
        return false;
    }
    if (!parse_float(token, out)) {
        report("%s invalid.  Remember not to use punctuation.\n", label);
        return false;
    }
    return true;
}

bool LineTokenizer::read_color(const char *label, unsigned *out, const char **token_out) {
    const char *token = next_on_line();
    if (token_out) *token_out = token;
    if (!token) {
        report_missing(label);
        return false;
    }
    if (!parse_hex(token, out)) {
        report("%s invalid.\n", label);
        return false;
    }
    return true;
}

} // namespace orv
