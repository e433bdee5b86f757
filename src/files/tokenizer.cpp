#include "files/tokenizer.h"

#include "orv/message.h"

#include <charconv>
#include <cstdarg>
#include <algorithm>
#include <array>
#include <cstring>

namespace orv {

namespace {
// Byte classes for splitting a line: token bytes, blanks, and the slash that
// may start a comment.
enum : unsigned char { kToken, kBlank, kSlash };
constexpr auto kClass = [] {
    std::array<unsigned char, 256> c{};
    c[' '] = c['\t'] = c['\r'] = c['\n'] = kBlank;
    c['/'] = kSlash;
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
    const char *p = token;
    if (*p == '+' && ++p != end && *p == '-') return false; // one sign only
    auto [ptr, ec] = std::from_chars(p, end, *out, 10);
    return ec == std::errc() && ptr == end;
}

bool parse_float(const char *token, const char *end, float *out) {
    if (!token || token == end) return false;
    const char *p = token;
    if (*p == '+' && ++p != end && *p == '-') return false; // one sign only
    auto [ptr, ec] = std::from_chars(p, end, *out);
    return ec == std::errc() && ptr == end;
}

bool parse_int(const char *token, int *out) {
    return token && parse_int(token, token + std::strlen(token), out);
}

bool parse_float(const char *token, float *out) {
    return token && parse_float(token, token + std::strlen(token), out);
}

bool parse_hex(const char *token, unsigned *out) {
    if (!token || !*token) return false;
    const char *p = token;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) p += 2;
    const char *end = token + std::strlen(token);
    if (p == end) return false;
    auto [ptr, ec] = std::from_chars(p, end, *out, 16);
    return ec == std::errc() && ptr == end;
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
    for (int i = 0; i < length_;) {
        while (i < length_ && byte_class(text_[i]) == kBlank)
            ++i;
        if (i >= length_) break;
        int start = i;
        int comment = -1;
        for (unsigned char c; i < length_ && (c = byte_class(text_[i])) != kBlank; ++i)
            if (c == kSlash && comment < 0 && text_[i + 1] == '/') comment = i;
        if (comment >= 0) {
            if (comment > start) {
                text_[comment] = '\0';
                starts_.push_back(start);
                ends_.push_back(comment);
            }
            break;
        }
        text_[i] = '\0'; // a blank (or the terminator) ends the token
        starts_.push_back(start);
        ends_.push_back(i);
        ++i;
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
