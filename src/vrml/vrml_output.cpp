#include "vrml/vrml_output.h"

#include <cstdarg>

namespace orv::vrml {

namespace {
constexpr int spaces_per_level = 2;
}

void Output::indent() {
    for (int i = 0; i < level * spaces_per_level; ++i)
        std::fputc(' ', file_);
}

void Output::line(const char *format, ...) {
    indent();
    va_list args;
    va_start(args, format);
    std::vfprintf(file_, format, args);
    va_end(args);
}

void Output::text(const char *format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(file_, format, args);
    va_end(args);
}

void Output::quoted(std::string_view s) {
    std::fputc('"', file_);
    for (char c : s) {
        if (c == '"' || c == '\\') std::fputc('\\', file_);
        std::fputc(c, file_);
    }
    std::fputc('"', file_);
}

} // namespace orv::vrml
