// Name normalisation and case-insensitive comparison.
#include "orv/message.h"

#include <cctype>
#include <cstring>
#include <string>

extern "C" {

ORV_API char *OVname_normalise(const char *text) {
    if (!text) return nullptr;
    std::string s(text);
    // The cut at the last dot comes first, so a dot in a directory cuts there.
    if (auto dot = s.rfind('.'); dot != std::string::npos) s.resize(dot);
    for (char sep : {':', '/', '\\'})
        if (auto at = s.rfind(sep); at != std::string::npos) s.erase(0, at + 1);
    if (s.empty() || s.find(' ') != std::string::npos) return nullptr;
    return OVstrdup(s.c_str());
}

ORV_API int OVstrcasecmp(const char *a, const char *b) {
    if (!a || !b) return (a != nullptr) - (b != nullptr); // a missing text sorts first
    for (;; ++a, ++b) {
        int ca = std::toupper(static_cast<unsigned char>(*a));
        int cb = std::toupper(static_cast<unsigned char>(*b));
        if (ca != cb || !ca) return ca - cb;
    }
}

} // extern "C"
