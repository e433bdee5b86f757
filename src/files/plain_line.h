// One pass over a plain line of a text model where it lies in the reader's
// buffer: tokens split at blanks and numbers converted in place, without
// copying the line. A line is plain when it ends in a line feed within the
// line limit and has no comment marker, continuation or zero byte; any other
// line fails the scan and is read again with the tokenizer's calls, which
// report what is wrong with it.
#pragma once

#include <cstddef>

namespace orv {

class PlainLine {
  public:
    // The line starting at begin; the bytes up to limit are readable.
    PlainLine(const char *begin, const char *limit);

    // The next token as a decimal integer, a float or a hexadecimal colour
    // (with its length in bytes); false when there is none or it is no such
    // number.
    bool integer(int *out);
    bool number(float *out);
    bool colour(unsigned *out, std::size_t *length);
    // True when only blanks are left before the line feed.
    bool at_end();
    // The byte after the line feed; valid once at_end was true.
    const char *end() const { return p_ + 1; }

  private:
    bool token(const char **begin, const char **end);
    void skip_blanks();

    const char *p_;
    const char *limit_;
};

} // namespace orv
