// Whether numbers given to the toolkit are finite: setters of positions,
// orientations, distances and angles refuse NaN and infinity and leave their
// state as it was.
#pragma once

#include <cmath>

namespace orv {

inline bool finite(float v) {
    return std::isfinite(v);
}

// All count values finite; a null array counts as not finite.
inline bool finite(const float *v, int count) {
    if (!v) return false;
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

} // namespace orv
