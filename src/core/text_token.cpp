#include "core/text_token.h"

#include "orv/message.h"

namespace orv {

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string text_token(const char *kind, const char *text, const char *fallback) {
    std::string token = text && *text ? text : fallback;
    if (token.size() > kMaxTextToken) token.resize(kMaxTextToken);
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (blank(token[i])) token[i] = '_';
        // The tokenizer cuts a token at "//".
        if (i > 0 && token[i] == '/' && token[i - 1] == '/') token[i] = '_';
    }
    // A trailing backslash would join the next line.
    if (!token.empty() && token.back() == '\\') token.back() = '_';
    if (text && *text && token != text)
        OVwarning("%s \"%s\" written as \"%s\" so that it reads back\n", kind, text, token.c_str());
    return token;
}

} // namespace orv
