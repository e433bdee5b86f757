// The string hash shared by the property tables and handler registries.
#pragma once

namespace orv {

inline unsigned name_hash(const char *name) {
    unsigned h = 2166136261u;
    for (; *name; ++name)
        h = (h ^ static_cast<unsigned char>(*name)) * 16777619u;
    return h;
}

} // namespace orv
