// The line tokenizer every text reader of the toolkit uses (models, material
// files, light files, paths): blank-separated tokens, "//" comments, backslash
// continuation, whole-token numbers and a caret report of the error location.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace orv {

class LineTokenizer {
  public:
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
    // True when the current line has no tokens left (and does not continue).
    bool at_line_end() const { return pos_ >= tokens_.size() && !continues_; }

    int line_number() const { return line_no_; }
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
    struct Token {
        std::string text;
        int column; // byte offset in the line
    };
    bool read_line();
    void report_missing(const char *label);
    int caret_column() const;

    std::FILE *file_;
    std::string name_;
    std::string line_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    int line_no_ = 0;
    bool continues_ = false;
};

// Whole-token numbers: nothing may be left over.
bool parse_int(const char *token, int *out);
bool parse_float(const char *token, float *out);
// Hexadecimal with an optional "0x" prefix.
bool parse_hex(const char *token, unsigned *out);

} // namespace orv
