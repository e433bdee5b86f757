#include "files/tokenizer.h"

#include "orv/message.h"

#include <charconv>
#include <cstdarg>
#include <cstring>

namespace orv {

namespace {
constexpr int kLineLimit = 1024; // terminator included

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
} // namespace

bool parse_int(const char *token, int *out) {
    if (!token || !*token) return false;
    const char *end = token + std::strlen(token);
    const char *p = token;
    if (*p == '+') ++p;
    auto [ptr, ec] = std::from_chars(p, end, *out, 10);
    return ec == std::errc() && ptr == end;
}

bool parse_float(const char *token, float *out) {
    if (!token || !*token) return false;
    const char *end = token + std::strlen(token);
    const char *p = token;
    if (*p == '+') ++p;
    auto [ptr, ec] = std::from_chars(p, end, *out);
    return ec == std::errc() && ptr == end;
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
    : file_(file), name_(name ? name : "") {}

bool LineTokenizer::read_line() {
    char buffer[kLineLimit];
    if (!file_ || !std::fgets(buffer, sizeof buffer, file_)) return false;
    ++line_no_;
    line_ = buffer;
    tokens_.clear();
    pos_ = 0;
    continues_ = false;
    std::size_t i = 0;
    while (i < line_.size()) {
        while (i < line_.size() && is_blank(line_[i]))
            ++i;
        if (i >= line_.size()) break;
        std::size_t start = i;
        while (i < line_.size() && !is_blank(line_[i]))
            ++i;
        std::string text = line_.substr(start, i - start);
        std::size_t comment = text.find("//");
        if (comment != std::string::npos) {
            if (comment > 0) tokens_.push_back({text.substr(0, comment), static_cast<int>(start)});
            break;
        }
        tokens_.push_back({std::move(text), static_cast<int>(start)});
    }
    if (!tokens_.empty() && tokens_.back().text.back() == '\\') {
        continues_ = true;
        tokens_.back().text.pop_back();
        if (tokens_.back().text.empty()) tokens_.pop_back();
    }
    return true;
}

const char *LineTokenizer::next_on_line() {
    while (pos_ >= tokens_.size()) {
        if (!continues_ || !read_line()) return nullptr;
    }
    return tokens_[pos_++].text.c_str();
}

const char *LineTokenizer::next() {
    while (pos_ >= tokens_.size()) {
        if (!read_line()) return nullptr;
    }
    return tokens_[pos_++].text.c_str();
}

bool LineTokenizer::skip_line() {
    do {
        if (!read_line()) return false;
    } while (tokens_.empty());
    return true;
}

void LineTokenizer::push_back() {
    if (pos_ > 0) --pos_;
}

int LineTokenizer::caret_column() const {
    std::size_t at = line_.size();
    if (pos_ > 0 && pos_ <= tokens_.size())
        at = static_cast<std::size_t>(tokens_[pos_ - 1].column);
    else {
        while (at > 0 && is_blank(line_[at - 1]))
            --at;
    }
    int column = 0;
    for (std::size_t i = 0; i < at && i < line_.size(); ++i)
        column = line_[i] == '\t' ? (column / 8 + 1) * 8 : column + 1;
    return column;
}

void LineTokenizer::report(const char *format, ...) {
    OVwarning("Line %d in '%s'.\n", line_no_, name_.c_str());
    std::string echo = line_;
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
    if (!parse_int(token, out)) {
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
    if (!parse_float(token, out)) {
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
