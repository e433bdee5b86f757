// Names written into text files as single tokens that the tokenizer gives
// back unchanged.
#pragma once

#include "core/tokenizer.h"

#include <cstddef>
#include <string>

namespace orv {

// Longest token written: with the words around it on its line, a line the
// tokenizer reads whole (shorter than its line limit) still holds it.
constexpr std::size_t kMaxTextToken = LineTokenizer::kLineLimit - 64;

// text as one token: blanks become underscores, a "//" comment marker and a
// trailing backslash are broken up, an empty text becomes fallback, a text
// longer than kMaxTextToken is cut. A changed name is reported with kind
// ("Geometry name", "Texture name" ...).
std::string text_token(const char *kind, const char *text, const char *fallback);

} // namespace orv
