// The VRML text stream: indentation by nesting level and quoted strings.
#pragma once

#include <cstdio>
#include <string_view>

namespace orv::vrml {

class Output {
  public:
    explicit Output(std::FILE *file) : file_(file) {}
    // Starts a line at the current level and prints the formatted text.
    void line(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // Prints without indentation (continuing a line).
    void text(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // A double-quoted VRML string with its quotes and backslashes escaped.
    void quoted(std::string_view s);
    int level = 0;

  private:
    void indent();
    std::FILE *file_;
};

} // namespace orv::vrml
