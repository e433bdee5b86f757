// Whether numbers given to the toolkit are finite: setters of positions,
// orientations, distances and angles refuse NaN and infinity and leave their
// state as it was.
#pragma once

#include <cmath>
#include <type_traits>

namespace orv {

// Every value finite.
template <typename... T>
requires(std::is_floating_point_v<T> &&...) bool finite(T... values) {
    return (std::isfinite(values) && ...);
}

// All count values finite; a null array counts as not finite.
inline bool finite(const float *v, int count) {
    if (!v) return false;
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

// Every element of a matrix of rows of N floats finite; null counts as not.
template <int N> bool finite(const float (*m)[N], int rows) {
    return m && finite(&m[0][0], rows * N);
}

} // namespace orv
