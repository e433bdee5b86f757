// The line tokenizer every text reader of the toolkit uses (models, material
// files, light files, paths): blank-separated tokens, "//" comments, backslash
// continuation, whole-token numbers and a caret report of the error location.
#pragma once

#include "orv/orv_base.h"

#include <cstdio>
#include <string>
#include <vector>

namespace orv {

class LineTokenizer {
  public:
    static constexpr int kLineLimit = 1024; // characters of a line read whole, terminator included

    // Reads the open file; name is used in messages. The file stays open.
    LineTokenizer(std::FILE *file, const char *name);

    // Next token of the current line; null at the end of the line unless the
    // line continues on the next one.
    const char *next_on_line();
    // Next token, reading further lines as needed; null at the end of the file.
    const char *next();
    // Moves to the next line that has at least one token; false at the end.
    bool skip_line();
    // Gives back the last token taken from the current line.
    void push_back();

    // The bytes ahead as buffered, from the next line on: at least a line's
    // worth unless the file ends first; null at the end. Nothing is consumed:
    // a reader that takes a whole plain line from them (files/plain_line.h)
    // calls take_plain_line, any other goes on with skip_line and the token
    // calls, which see the same line.
    const char *buffered(const char **end);
    // Consumes the line up to end (after its line feed), as skip_line would.
    void take_plain_line(const char *end);
    // True when the current line has no tokens left (and does not continue).
    bool at_line_end() const { return pos_ >= starts_.size() && !continues_; }

    int line_number() const { return line_no_; }
    // Offset in the file of the first byte not yet handed out as a line.
    long position() const { return start_ + consumed_; }
    const char *file_name() const { return name_.c_str(); }

    // The location report: line number and file, the line, a caret under the
    // last token taken (or the end of the line), then the message.
    void report(const char *format, ...) __attribute__((format(printf, 2, 3)));

    // Numbers read from the next token of the current line. label fills the
    // "%s missing." / "%s invalid." messages, which carry the location report.
    bool read_int(const char *label, int *out);
    bool read_float(const char *label, float *out);
    bool read_color(const char *label, unsigned *out, const char **token = nullptr);
    // The same over further lines (header values).
    bool read_float_any(const char *label, float *out);

  private:
    static constexpr std::size_t kChunk = 1 << 16; // bytes read from the file at once
    bool read_line();
    bool fill();
    void report_missing(const char *label);
    int caret_column() const;

    std::FILE *file_;
    std::string name_;
    std::vector<char> chunk_; // bytes read ahead, [begin_, end_) not yet handed out
    std::size_t begin_ = 0, end_ = 0;
    bool eof_ = false;
    long start_ = 0, consumed_ = 0;
    char line_[kLineLimit] = {}; // the line as read, for reports
    int length_ = 0;
    char text_[kLineLimit] = {};     // the same with every token terminated in place
    std::vector<int> starts_, ends_; // each token's text in text_
    std::size_t pos_ = 0;
    int line_no_ = 0;
    bool continues_ = false;
};

// Whole-token numbers: nothing may be left over. The range forms take the
// token's end; the others find it.
bool parse_int(const char *token, const char *end, int *out);
bool parse_float(const char *token, const char *end, float *out);
bool parse_int(const char *token, int *out);
bool parse_float(const char *token, float *out);
// Hexadecimal with an optional "0x" prefix.
bool parse_hex(const char *token, unsigned *out);
bool parse_hex(const char *token, const char *end, unsigned *out);

} // namespace orv
