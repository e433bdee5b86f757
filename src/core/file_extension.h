// The extension of a file name, for the readers that tell formats by it.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace orv {

// The lower-case extension after the last dot of the last path component;
// empty when there is none.
inline std::string file_extension(const char *name) {
    std::string_view n(name ? name : "");
    const size_t dot = n.rfind('.');
    if (dot == n.npos || n.find_first_of("/\\", dot) != n.npos) return {};
    std::string ext(n.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace orv
