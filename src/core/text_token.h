// Names written into text files as single tokens that the tokenizer gives
// back unchanged.
#pragma once

#include <string>

namespace orv {

// text as one token: blanks become underscores, a "//" comment marker and a
// trailing backslash are broken up, an empty text becomes fallback. A changed
// name is reported with kind ("Geometry name", "Texture name" ...).
std::string text_token(const char *kind, const char *text, const char *fallback);

} // namespace orv
